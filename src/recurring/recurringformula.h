// Building recurring date formulas from the editor's numbers and reading the numbers back.
// Fixed date "@MMDD", nth weekday "$" + occurrence, weekday, month (two columns each),
// weekday set "%" + digits 1 (Sunday) to 7 (Saturday), Easter-relative "#EASTER" and kin, days from
// Western or Orthodox Easter "#EASTER+39", "#OEASTER-2", and a country's public holiday "#H:GB-SCT".
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

// Days from Easter: "#EASTER+N" / "#EASTER-N" and "#OEASTER", "#OEASTER+N", "#OEASTER-N", N = 1..99.
// The keywords older readers knew ("#EASTER" itself among them) are not of this form.
constexpr int kMaxEasterOffset = 99;
struct EasterOffsetFields
{
    bool orthodox = false;
    int days = 0; // negative: before Easter
};
// Days 0 gives "#EASTER" or "#OEASTER"; days beyond 99 either way are cut to 99.
QString EasterOffsetFormula(bool orthodox, int days);
bool ParseEasterOffsetFormula(const QString& keyword, EasterOffsetFields& fields);

// A public holiday of a country or region: "#H:" + its code ("#H:JP", "#H:AU-NSW"). The entry's event
// text names the holiday, as the country's table does.
QString CountryHolidayFormula(const QString& place);
// The place code in upper case, or an empty string when the keyword is not of this form.
QString CountryHolidayPlace(const QString& keyword);

// Formula columns 2-3 and 4-5 (and 6-7), trimmed of spaces and read as integers; false when any
// field is not a number. Nothing is range-checked here.
bool ParseFixedDateFormula(const QString& formula, FixedDateFields& fields);
bool ParseNthWeekdayFormula(const QString& formula, NthWeekdayFields& fields);

// The weekday digits of a "%" formula as flags, Sunday first; any other characters are ignored.
std::array<bool, 7> WeekdaySetFlags(const QString& formula);
