#include "calendardraw/monthgrid.h"
#include "platform/datearithmetic.h"

#include <QDate>

#include <array>

#include <gtest/gtest.h>

TEST(MonthGrid, LeapYearsAndMonthLengths)
{
    EXPECT_TRUE(IsLeapYear(2000));
    EXPECT_FALSE(IsLeapYear(1900));
    EXPECT_TRUE(IsLeapYear(1996));
    EXPECT_FALSE(IsLeapYear(1997));
    EXPECT_EQ(DaysInMonth(2000, 2), 29);
    EXPECT_EQ(DaysInMonth(1900, 2), 28);
    EXPECT_EQ(DaysInMonth(1996, 2), 29);
    const int lengths[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    for (int m = 1; m <= 12; ++m)
        EXPECT_EQ(DaysInMonth(1997, m), lengths[m - 1]) << m;
    EXPECT_EQ(DaysInMonth(1997, 0), 0);
    EXPECT_EQ(DaysInMonth(1997, 13), 0);
}

TEST(MonthGrid, DayOfWeekAgreesWithQtOverCenturies)
{
    for (int year : {1, 99, 100, 1582, 1600, 1899, 1900, 1997, 2000, 2024, 2100, 9999}) {
        for (int month = 1; month <= 12; ++month) {
            for (int day : {1, 13, 28}) {
                const int expected = QDate(year, month, day).dayOfWeek() % 7 + 1;
                EXPECT_EQ(DayOfWeek({year, month, day}), expected) << year << '-' << month << '-' << day;
            }
        }
    }
    // Years before 1 still give a weekday in range.
    EXPECT_GE(DayOfWeek({-400, 1, 1}), 1);
    EXPECT_LE(DayOfWeek({-400, 1, 1}), 7);
    EXPECT_EQ(DayOfWeek({-400, 1, 1}), DayOfWeek({2000, 1, 1})); // the Gregorian cycle is 400 years
}

TEST(MonthGrid, January1997SundayAndMondayFirst)
{
    EXPECT_EQ(FirstColumn(1, 1997, 1), 4);
    EXPECT_EQ(FirstColumn(1, 1997, 2), 3);
    for (int cell = 1; cell <= 3; ++cell)
        EXPECT_EQ(DayOfGridCell(cell, 1, 1997, 1), 0);
    EXPECT_EQ(DayOfGridCell(4, 1, 1997, 1), 1);
    EXPECT_EQ(DayOfGridCell(34, 1, 1997, 1), 31);
    for (int cell = 35; cell <= 42; ++cell)
        EXPECT_EQ(DayOfGridCell(cell, 1, 1997, 1), 0);
    EXPECT_EQ(DayOfGridCell(3, 1, 1997, 2), 1);
}

TEST(MonthGrid, SundayStartInMondayFirstModeGoesToLastColumn)
{
    // June 1997 began on a Sunday.
    EXPECT_EQ(FirstColumn(6, 1997, 2), 7);
    EXPECT_EQ(DayOfGridCell(7, 6, 1997, 2), 1);
    EXPECT_EQ(FirstColumn(6, 1997, 1), 1);
    // Any start value other than 1 means Monday first.
    EXPECT_EQ(FirstColumn(6, 1997, 0), 7);
}

TEST(MonthGrid, DayNamesOverColumns)
{
    for (int c = 0; c < 7; ++c)
        EXPECT_EQ(DayNameIndexOfColumn(c, 1), c + 1);
    const int mondayFirst[7] = {2, 3, 4, 5, 6, 7, 1};
    for (int c = 0; c < 7; ++c)
        EXPECT_EQ(DayNameIndexOfColumn(c, 2), mondayFirst[c]);
}

// Years whose first days make a week 53 or a week 1 reaching back into December, both week starts; a
// Sunday-first row counts by its Monday, which may lie in the next month.
TEST(MonthGrid, IsoWeekNumbersOfTheRows)
{
    struct Case
    {
        int year, month, startOfWeek;
        std::array<int, 6> weeks;
    };
    const Case cases[] = {
        {2015, 1, 2, {1, 2, 3, 4, 5, 0}},       {2015, 1, 1, {1, 2, 3, 4, 5, 0}},
        {2015, 12, 2, {49, 50, 51, 52, 53, 0}}, {2015, 12, 1, {49, 50, 51, 52, 53, 0}},
        {2016, 1, 2, {53, 1, 2, 3, 4, 0}},      {2016, 1, 1, {53, 1, 2, 3, 4, 5}},
        {2020, 1, 2, {1, 2, 3, 4, 5, 0}},       {2020, 12, 2, {49, 50, 51, 52, 53, 0}},
        {2020, 12, 1, {49, 50, 51, 52, 53, 0}}, {2021, 1, 1, {53, 1, 2, 3, 4, 5}},
        {2026, 1, 2, {1, 2, 3, 4, 5, 0}},       {2026, 12, 2, {49, 50, 51, 52, 53, 0}},
        {2027, 1, 2, {53, 1, 2, 3, 4, 0}},      {2027, 1, 1, {53, 1, 2, 3, 4, 5}},
        {2027, 12, 2, {48, 49, 50, 51, 52, 0}}, {2027, 12, 1, {48, 49, 50, 51, 52, 0}},
        {2028, 1, 2, {52, 1, 2, 3, 4, 5}},      {2028, 1, 1, {52, 1, 2, 3, 4, 5}},
    };
    for (const Case& c : cases)
        for (int row = 0; row < 6; ++row)
            EXPECT_EQ(WeekNumberOfRow(row, c.month, c.year, c.startOfWeek), c.weeks[row])
                << c.year << '-' << c.month << " start " << c.startOfWeek << " row " << row;
}
