#include "eastercomputus.h"

#include "platform/datearithmetic.h"

QDate WesternEaster(int year)
{
    const CivilDate easter = EasterSunday(year);
    return QDate(year, easter.month, easter.day);
}

QDate OrthodoxEaster(int year)
{
    const int a = year % 4;
    const int b = year % 7;
    const int c = year % 19;
    const int d = (19 * c + 15) % 30;
    const int e = (2 * a + 4 * b - d + 34) % 7;
    const int month = (d + e + 114) / 31;
    const int day = (d + e + 114) % 31 + 1;
    // The Julian calendar runs behind the Gregorian by the century leap days it keeps.
    const int centuries = year / 100;
    const int julianLag = centuries - centuries / 4 - 2;
    return QDate(year, month, day).addDays(julianLag);
}
