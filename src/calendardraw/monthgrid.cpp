#include "monthgrid.h"

#include "platform/datearithmetic.h"

int FirstColumn(int month, int year, int startOfWeek)
{
    const int d = DayOfWeek({year, month, 1});
    if (startOfWeek == 1)
        return d;
    return d == 1 ? 7 : d - 1;
}

int DayOfGridCell(int cell, int month, int year, int startOfWeek)
{
    const int day = cell - FirstColumn(month, year, startOfWeek) + 1;
    return day >= 1 && day <= DaysInMonth(year, month) ? day : 0;
}

int DayNameIndexOfColumn(int column, int startOfWeek)
{
    if (startOfWeek == 1)
        return column + 1;
    return column < 6 ? column + 2 : 1;
}
