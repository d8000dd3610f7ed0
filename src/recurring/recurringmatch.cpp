#include "recurringmatch.h"

#include "countryholidays.h"
#include "eastercomputus.h"
#include "recurringentry.h"
#include "recurringformula.h"

#include "platform/datearithmetic.h"

namespace {

bool monthFieldMatches(int field, int month)
{
    return field == kEveryMonth || field == month;
}

int easterFeastDay(const QString& keyword, int month, int year)
{
    if (keyword == QLatin1String("#EASTER"))
        return EasterDayInMonth(year, month);
    if (keyword == QLatin1String("#GOODFRIDAY"))
        return GoodFridayDayInMonth(year, month);
    if (keyword == QLatin1String("#PALMSUNDAY"))
        return PalmSundayDayInMonth(year, month);
    return -1;
}

// The days of the "#" rules: the Easter feasts, days from Western or Orthodox Easter, and a country's
// public holiday of the entry's name (its substitute days are entries of their own names).
QList<int> keywordDays(const QString& line, int month, int year)
{
    const QString keyword = EntryKeyword(line);
    if (const int day = easterFeastDay(keyword, month, year); day >= 0)
        return day > 0 ? QList<int>{day} : QList<int>{};
    EasterOffsetFields easter;
    if (ParseEasterOffsetFormula(keyword, easter)) {
        const QDate sunday = easter.orthodox ? OrthodoxEaster(year) : WesternEaster(year);
        const QDate date = sunday.addDays(easter.days);
        return date.isValid() && date.month() == month ? QList<int>{date.day()} : QList<int>{};
    }
    const QString place = CountryHolidayPlace(keyword);
    const TCountryHolidays* table = place.isEmpty() ? nullptr : ShippedHolidayTable(place);
    QList<int> days;
    if (table) {
        const QString name = EntryEventText(line);
        for (const PublicHoliday& holiday : table->InYear(year, place)) {
            if (holiday.date.month() == month && holiday.name == name && !days.contains(holiday.date.day()))
                days << holiday.date.day();
        }
    }
    return days;
}

int nthWeekdayDay(const NthWeekdayFields& f, int month, int year)
{
    const int last = DaysInMonth(year, month);
    if (f.weekday == kAnyWeekday)
        return f.occurrence == kLastOccurrence ? last : f.occurrence + 1;
    const int wanted = f.weekday + 1;
    if (f.occurrence == kLastOccurrence) {
        for (int day = last; day >= 1; --day) {
            if (DayOfWeek({year, month, day}) == wanted)
                return day;
        }
        return 0;
    }
    int count = 0;
    for (int day = 1; day <= last; ++day) {
        if (DayOfWeek({year, month, day}) == wanted && ++count == f.occurrence + 1)
            return day;
    }
    return 0;
}

} // namespace

bool EntryConcernsMonth(const QString& line, int month, int year)
{
    const QChar type = EntryRuleType(line);
    if (type == kFixedDateRule) {
        FixedDateFields f;
        return ParseFixedDateFormula(EntryFormula(line), f) && monthFieldMatches(f.month, month);
    }
    if (type == kNthWeekdayRule) {
        NthWeekdayFields f;
        return ParseNthWeekdayFormula(EntryFormula(line), f) && monthFieldMatches(f.month, month);
    }
    if (type == kEasterRule) {
        const QString keyword = EntryKeyword(line);
        if (const int day = easterFeastDay(keyword, month, year); day >= 0)
            return day != 0;
        EasterOffsetFields easter;
        if (ParseEasterOffsetFormula(keyword, easter) || !CountryHolidayPlace(keyword).isEmpty())
            return !keywordDays(line, month, year).isEmpty();
    }
    return true;
}

QList<int> DaysOfEntry(const QString& line, int month, int year)
{
    const QChar type = EntryRuleType(line);
    if (type == kFixedDateRule) {
        FixedDateFields f;
        if (ParseFixedDateFormula(EntryFormula(line), f) && monthFieldMatches(f.month, month))
            return {f.day};
        return {};
    }
    if (type == kNthWeekdayRule) {
        NthWeekdayFields f;
        if (!ParseNthWeekdayFormula(EntryFormula(line), f) || !monthFieldMatches(f.month, month))
            return {};
        const int day = nthWeekdayDay(f, month, year);
        return day > 0 ? QList<int>{day} : QList<int>{};
    }
    if (type == kWeekdaySetRule) {
        const QString formula = EntryFormula(line);
        QList<int> days;
        for (int day = 1, last = DaysInMonth(year, month); day <= last; ++day) {
            if (formula.contains(QLatin1Char(char('0' + DayOfWeek({year, month, day})))))
                days << day;
        }
        return days;
    }
    if (type == kEasterRule)
        return keywordDays(line, month, year);
    return {};
}
