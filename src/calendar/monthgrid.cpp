#include "monthgrid.h"

bool IsLeapYear(int year)
{
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

int DaysInMonth(int month, int year)
{
    static const int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12)
        return 0;
    return days[month - 1] + (month == 2 && IsLeapYear(year) ? 1 : 0);
}

int DayOfWeek(int day, int month, int year)
{
    // Count days from a fixed Sunday with floor divisions so that years before 1 work as well.
    auto floorDiv = [](long long a, long long b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); };
    long long y = year;
    long long m = month;
    if (m < 3) {
        y -= 1;
        m += 12;
    }
    const long long n = 365 * y + floorDiv(y, 4) - floorDiv(y, 100) + floorDiv(y, 400) + (153 * (m - 3) + 2) / 5 + day;
    // n = 1 falls on Wednesday, 1 March of year 0.
    const long long w = ((n + 2) % 7 + 7) % 7; // 0 = Sunday
    return int(w) + 1;
}

int FirstColumn(int month, int year, int startOfWeek)
{
    const int d = DayOfWeek(1, month, year);
    if (startOfWeek == 1)
        return d;
    return d == 1 ? 7 : d - 1;
}

int DayOfGridCell(int cell, int month, int year, int startOfWeek)
{
    const int day = cell - FirstColumn(month, year, startOfWeek) + 1;
    return day >= 1 && day <= DaysInMonth(month, year) ? day : 0;
}

int DayNameIndexOfColumn(int column, int startOfWeek)
{
    if (startOfWeek == 1)
        return column + 1;
    return column < 6 ? column + 2 : 1;
}
