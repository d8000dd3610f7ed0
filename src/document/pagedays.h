// The dates a page shows and the cell that takes an event of a date and time: a month's day cells, a
// week planner's day rows, a day planner's hour rows with its notes row for the rest of the day.
#pragma once

#include <QDate>
#include <QTime>

struct CalendarSettings;

struct PageDays
{
    QDate first; // both null when the layout has no day cells
    QDate last;
};

PageDays DaysOfPage(const CalendarSettings& s);
// The cell 1..42 for an event on `date` starting at `time` (null for all day), or 0 when the page has none.
int CellOfEvent(const CalendarSettings& s, QDate date, QTime time);
