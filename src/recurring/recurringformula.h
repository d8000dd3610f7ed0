// Building recurring date formulas from the editor's numbers and reading the numbers back.
// Fixed date "@MMDD", nth weekday "$" + occurrence, weekday, month (two columns each),
// weekday set "%" + digits 1 (Sunday) to 7 (Saturday), Easter-relative "#EASTER" and kin.
#pragma once

#include <QString>

#include <array>

inline constexpr QChar kFixedDateRule = QLatin1Char('@');
inline constexpr QChar kNthWeekdayRule = QLatin1Char('$');
inline constexpr QChar kWeekdaySetRule = QLatin1Char('%');
inline constexpr QChar kEasterRule = QLatin1Char('#');

// Occurrence 5 means the last; weekday 7 means any day; month 0 means every month.
constexpr int kLastOccurrence = 5;
constexpr int kAnyWeekday = 7;
constexpr int kEveryMonth = 0;

// "@" + month + day, two digits each with a leading zero: day 1, month 4 gives "@0401".
QString FixedDateFormula(int day, int month);
// "$" + occurrence, weekday and month, each left-justified in two columns: "$2 6 5".
QString NthWeekdayFormula(int occurrence, int weekday, int month);
// "%" + "1".."7" for each set flag, Sunday first.
QString WeekdaySetFormula(const std::array<bool, 7>& sundayToSaturday);

struct FixedDateFields
{
    int day = 0;
    int month = 0;
};
struct NthWeekdayFields
{
    int occurrence = 0;
    int weekday = 0;
    int month = 0;
};

// Formula columns 2-3 and 4-5 (and 6-7), trimmed of spaces and read as integers; false when any
// field is not a number. Nothing is range-checked here.
bool ParseFixedDateFormula(const QString& formula, FixedDateFields& fields);
bool ParseNthWeekdayFormula(const QString& formula, NthWeekdayFields& fields);

// The weekday digits of a "%" formula as flags, Sunday first; any other characters are ignored.
std::array<bool, 7> WeekdaySetFlags(const QString& formula);
