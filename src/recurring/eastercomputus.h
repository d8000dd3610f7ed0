// The Easter Sundays the holiday rules count from: Western (Gregorian computus) and Orthodox (Julian
// computus, given on its Gregorian date), for the years from 1583 on.
#pragma once

#include <QDate>

QDate WesternEaster(int year);
QDate OrthodoxEaster(int year);
