// The holidays that the holiday chooser offers for copying into the user's list: the classic built-in
// list, and the public holidays of a country or region from its table.
#pragma once

#include <QStringList>

class TCountryHolidays;

// 26 entry lines: event text padded to 120, then the formula padded to 10 ("#" keywords unpadded).
QStringList BuiltInHolidayLines();

// One "#H:" entry line per holiday name of `place` that applies in `fromYear` or later: the entry puts
// the holiday's name on the days the table gives it.
QStringList CountryHolidayLines(const TCountryHolidays& table, const QString& place, int fromYear);
