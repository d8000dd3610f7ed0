// The month grid every month drawing shares: six rows of seven columns, weeks starting on Sunday or
// Monday.
#pragma once

// Column (1..7) of the first day of the month: startOfWeek 1 means Sunday first, anything else Monday.
int FirstColumn(int month, int year, int startOfWeek);

// Day shown in grid cell 1..42, or 0 for a blank cell.
int DayOfGridCell(int cell, int month, int year, int startOfWeek);

// Index (1 = Sunday .. 7) of the day name over grid column 0..6.
int DayNameIndexOfColumn(int column, int startOfWeek);

// The ISO 8601 week number of the Monday of grid row 0..5 (in a Sunday-first row, the day after its
// Sunday), or 0 for a row that shows no day of the month.
int WeekNumberOfRow(int row, int month, int year, int startOfWeek);
