// The four principal phases of the Moon, from the lunar theory in Meeus' "Astronomical Algorithms"
// (chapter 49), accurate to well under a minute from 1900 to 2100, and shown in the local time of the
// computer.
#pragma once

#include <QDateTime>
#include <QList>
#include <QString>

enum class MoonPhase { New, FirstQuarter, Full, LastQuarter };

struct MoonPhaseTime
{
    MoonPhase phase = MoonPhase::New;
    QDateTime when; // local time, to the minute
};

// The Julian Ephemeris Day (dynamical time) of the phase in lunation k, counted from the New Moon of
// 2000 January 6.
double MoonPhaseJde(int k, MoonPhase phase);
// Dynamical time less universal time, in seconds, for a decimal year.
double DeltaTSeconds(double year);
// The phases whose local date falls in the month, in time order.
QList<MoonPhaseTime> MoonPhasesOfMonth(int year, int month);
// "new moon", "first quarter", "full moon", "last quarter".
QString MoonPhaseName(MoonPhase phase);
