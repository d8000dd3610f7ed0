// The Easter Sundays the holiday rules count from: Western (Gregorian computus) and Orthodox (Julian
// computus, given on its Gregorian date). Exact for every year from 1583 to 4099.
#pragma once

#include <QDate>

QDate WesternEaster(int year);
QDate OrthodoxEaster(int year);
