// Which months a recurring date entry concerns, and on which days of a month it puts its text.
#pragma once

#include <QList>
#include <QString>

// Whether the fill command offers the entry for `month` (1-12) of `year`. Entries without a known
// rule type are always offered; fixed-date and nth-weekday entries whose fields are not numbers
// concern no month.
bool EntryConcernsMonth(const QString& line, int month, int year);

// The day numbers of `month` of `year` that get the entry's event text, in ascending order. A
// fixed-date day is given as written, even past the month's end: the page simply has no cell for it.
QList<int> DaysOfEntry(const QString& line, int month, int year);
