// The month grid every month drawing shares: six rows of seven columns, weeks starting on Sunday or
// Monday, and the Gregorian calendar rules behind it.
#pragma once

// Divisible by 4 and either not by 100 or by 400.
bool IsLeapYear(int year);

// 28..31 for months 1..12; 0 for any other month.
int DaysInMonth(int month, int year);

// Day of the week of a date, 1 = Sunday .. 7 = Saturday (proleptic Gregorian, any year).
int DayOfWeek(int day, int month, int year);

// Column (1..7) of the first day of the month: startOfWeek 1 means Sunday first, anything else Monday.
int FirstColumn(int month, int year, int startOfWeek);

// Day shown in grid cell 1..42, or 0 for a blank cell.
int DayOfGridCell(int cell, int month, int year, int startOfWeek);

// Index (1 = Sunday .. 7) of the day name over grid column 0..6.
int DayNameIndexOfColumn(int column, int startOfWeek);
