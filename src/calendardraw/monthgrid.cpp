#include "monthgrid.h"

#include "platform/datearithmetic.h"

#include <QDate>

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

int WeekNumberOfRow(int row, int month, int year, int startOfWeek)
{
    const int firstDay = 7 * row - FirstColumn(month, year, startOfWeek) + 2;
    if (firstDay + 6 < 1 || firstDay > DaysInMonth(year, month))
        return 0;
    const int monday = startOfWeek == 1 ? firstDay + 1 : firstDay;
    const QDate date = QDate(year, month, 1).addDays(monday - 1);
    return date.isValid() ? date.weekNumber() : 0;
}
