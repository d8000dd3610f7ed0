#include "recurringmatch.h"

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
    if (type == kEasterRule)
        return easterFeastDay(EntryKeyword(line), month, year) != 0;
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
    if (type == kEasterRule) {
        const int day = easterFeastDay(EntryKeyword(line), month, year);
        return day > 0 ? QList<int>{day} : QList<int>{};
    }
    return {};
}
