// What a month or planner drawing shows: the page or a mini calendar fills it, the geometry and the
// drawing routines read it.
#pragma once

#include "calendardraw/calendartypes.h"
#include "platform/colorvalue.h"
#include "platform/fontdescription.h"

#include <QString>

#include <array>

struct CalendarDrawParams
{
    TColor BackColor = clWhite;
    TColor TitleBackColor = clWhite;
    int MinTitleHeight = 0; // device pixels
    int Month = 1;
    int Year = 1997;
    int Day = 1;
    TRect Rect; // device pixels
    TCalendarNumberPosition NumberPosition = cnpUpperRight;
    int StartOfWeek = 1; // 1 = Sunday first, anything else Monday first
    TCalBorderStyle CalendarBorder = cbAll;

    // The three fonts carry their size in PIXELS of the device drawn on, not in points:
    // DeviceProfile::FontPixelSize(points).
    FontDescription TitleFont;
    bool TitleShowYear = true;
    FontDescription HeadersFont;
    TCalBorderStyle HeadersBorder = cbAll;
    TCalHeadersStyle HeadersStyle = dsThreeChars;
    TColor HeadersBGColor = clWhite;
    FontDescription CellFont;
    TCalBorderStyle CellBorder = cbAll;
    // A column of ISO week numbers left of the grid, and the principal moon phases in the day cells.
    bool ShowWeekNumbers = false;
    bool ShowMoonPhases = false;

    std::array<QString, 13> MonthNames; // index 1..12; 0 unused
    std::array<QString, 8> DayNames;    // index 1..7, 1 = Sunday; 0 unused

    int PlannerDays = 7;           // week planner: 7 or 14
    int HourRows = 10;             // day planner: 10 or 15
    double StartTime = 8.0 / 24.0; // first hour of the day planner, as a fraction of a day

    QString monthName(int month) const { return month >= 1 && month <= 12 ? MonthNames[month] : QString(); }
    QString dayName(int day) const { return day >= 1 && day <= 7 ? DayNames[day] : QString(); }
};
