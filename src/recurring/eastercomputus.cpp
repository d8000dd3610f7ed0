#include "eastercomputus.h"

QDate WesternEaster(int year)
{
    // The anonymous Gregorian algorithm: golden number, century corrections, then the Sunday after.
    const int a = year % 19;
    const int b = year / 100;
    const int c = year % 100;
    const int d = b / 4;
    const int e = b % 4;
    const int f = (b + 8) / 25;
    const int g = (b - f + 1) / 3;
    const int h = (19 * a + b - d - g + 15) % 30;
    const int i = c / 4;
    const int k = c % 4;
    const int l = (32 + 2 * e + 2 * i - h - k) % 7;
    const int m = (a + 11 * h + 22 * l) / 451;
    const int month = (h + l - 7 * m + 114) / 31;
    const int day = (h + l - 7 * m + 114) % 31 + 1;
    return QDate(year, month, day);
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
