#include "recurrencebounds.h"

#include <QSet>

#include <algorithm>
#include <cstdlib>

namespace {

// Months, month days and weekdays repeat every 400 years: a longer span holds nothing new.
constexpr qint64 kCycleDays = 146097;

// A full cycle of the weekdays over common and leap years: every kind of month and year begins in it.
constexpr int kSolarCycleFirstYear = 2000;
constexpr int kSolarCycleYears = 28;

bool Has(const short* values)
{
    return values[0] != ICAL_RECURRENCE_ARRAY_MAX;
}

// Distinct values, or 1 when the part is not given: repeating a value adds no candidate.
qint64 Distinct(const short* values, int size)
{
    QSet<short> seen;
    for (int i = 0; i < size && values[i] != ICAL_RECURRENCE_ARRAY_MAX; ++i)
        seen.insert(values[i]);
    return std::max<qint64>(seen.size(), 1);
}

// The nth (1-based, from the start or, negative, from the end) weekday of a span of `length` days
// that begins `offset` days before the day.
bool AtPosition(int position, int offset, int length)
{
    if (position > 0)
        return offset / 7 + 1 == position;
    return (length - 1 - offset) / 7 + 1 == -position;
}

class DaySieve
{
public:
    explicit DaySieve(const icalrecurrencetype& rule) : m_rule(rule)
    {
        m_months = Has(rule.by_month);
        // By the standard, month days do not apply to weekly rules, and year days and week numbers mix
        // with the other parts in ways libical reads its own way: no day is ruled out by them here.
        m_monthDays = Has(rule.by_month_day) && rule.freq != ICAL_WEEKLY_RECURRENCE;
        m_weekdays = Has(rule.by_day);
        m_inYear = rule.freq == ICAL_YEARLY_RECURRENCE && !m_months;
        m_positions =
            (rule.freq == ICAL_MONTHLY_RECURRENCE || rule.freq == ICAL_YEARLY_RECURRENCE) && !Has(rule.by_week_no);
    }

    // Nothing to rule days out with.
    bool open() const { return !m_months && !m_monthDays && !m_weekdays; }

    bool mayHold(QDate day) const
    {
        if (m_months &&
            !contains(m_rule.by_month, [&](short v) { return icalrecurrencetype_month_month(v) == day.month(); }))
            return false;
        if (m_monthDays && !contains(m_rule.by_month_day, [&](short v) {
                return v > 0 ? v == day.day() : day.daysInMonth() + v + 1 == day.day();
            }))
            return false;
        if (m_weekdays && !contains(m_rule.by_day, [&](short v) { return matchesWeekday(v, day); }))
            return false;
        return true;
    }

private:
    template <class Test> static bool contains(const short* values, Test test)
    {
        for (int i = 0; values[i] != ICAL_RECURRENCE_ARRAY_MAX; ++i) {
            if (test(values[i]))
                return true;
        }
        return false;
    }

    bool matchesWeekday(short value, QDate day) const
    {
        // libical counts Sunday as 1, Qt counts Monday as 1.
        if (int(icalrecurrencetype_day_day_of_week(value)) != day.dayOfWeek() % 7 + 1)
            return false;
        const int position = icalrecurrencetype_day_position(value);
        if (position == 0 || !m_positions)
            return true;
        if (m_inYear)
            return AtPosition(position, day.dayOfYear() - 1, day.daysInYear());
        return AtPosition(position, day.day() - 1, day.daysInMonth());
    }

    const icalrecurrencetype& m_rule;
    bool m_months = false;
    bool m_monthDays = false;
    bool m_weekdays = false;
    bool m_inYear = false;
    bool m_positions = false;
};

} // namespace

bool RuleMayFallIn(const icalrecurrencetype& rule, QDate first, QDate last, qint64& budget)
{
    // Other calendar scales count months and days their own way.
    if (rule.rscale && *rule.rscale)
        return true;
    const DaySieve sieve(rule);
    if (sieve.open())
        return true;
    if (!first.isValid() || !last.isValid())
        return true;
    const qint64 days = std::min(first.daysTo(last) + 1, kCycleDays);
    budget -= days;
    if (budget < 0)
        return true;
    for (qint64 i = 0; i < days; ++i) {
        if (sieve.mayHold(first.addDays(i)))
            return true;
    }
    return false;
}

bool SetPositionsCanBeMet(const icalrecurrencetype& rule, qint64& budget)
{
    if (!Has(rule.by_set_pos) || (rule.rscale && *rule.rscale))
        return true;
    qint64 times = 1;
    switch (rule.freq) {
    case ICAL_SECONDLY_RECURRENCE:
        break;
    case ICAL_MINUTELY_RECURRENCE:
        times = Distinct(rule.by_second, ICAL_BY_SECOND_SIZE);
        break;
    case ICAL_HOURLY_RECURRENCE:
        times = Distinct(rule.by_second, ICAL_BY_SECOND_SIZE) * Distinct(rule.by_minute, ICAL_BY_MINUTE_SIZE);
        break;
    default:
        times = Distinct(rule.by_second, ICAL_BY_SECOND_SIZE) * Distinct(rule.by_minute, ICAL_BY_MINUTE_SIZE) *
                Distinct(rule.by_hour, ICAL_BY_HOUR_SIZE);
    }
    qint64 days = 1;
    if (rule.freq == ICAL_WEEKLY_RECURRENCE) {
        QSet<int> weekdays;
        for (int i = 0; i < ICAL_BY_DAY_SIZE && rule.by_day[i] != ICAL_RECURRENCE_ARRAY_MAX; ++i)
            weekdays.insert(icalrecurrencetype_day_day_of_week(rule.by_day[i]));
        days = std::max<qint64>(weekdays.size(), 1);
    } else if (rule.freq == ICAL_MONTHLY_RECURRENCE || rule.freq == ICAL_YEARLY_RECURRENCE) {
        const bool yearly = rule.freq == ICAL_YEARLY_RECURRENCE;
        // Year days and week numbers are read by libical its own way: any day of the period may count.
        days = yearly ? 366 : 31;
        if (!Has(rule.by_year_day) && !Has(rule.by_week_no)) {
            const DaySieve sieve(rule);
            const QDate first(kSolarCycleFirstYear, 1, 1);
            const QDate end(kSolarCycleFirstYear + kSolarCycleYears, 1, 1);
            budget -= first.daysTo(end);
            if (budget < 0)
                return true;
            days = 0;
            qint64 inPeriod = 0;
            for (QDate day = first; day < end; day = day.addDays(1)) {
                if (day.day() == 1 && (!yearly || day.month() == 1))
                    inPeriod = 0;
                if (sieve.mayHold(day))
                    days = std::max(days, ++inPeriod);
            }
        }
    }
    const qint64 most = days * times;
    for (int i = 0; i < ICAL_BY_SETPOS_SIZE && rule.by_set_pos[i] != ICAL_RECURRENCE_ARRAY_MAX; ++i) {
        if (rule.by_set_pos[i] != 0 && std::abs(rule.by_set_pos[i]) <= most)
            return true;
    }
    return false;
}

bool RuleIsLeftToLibical(const icalrecurrencetype& rule)
{
    const bool periods = rule.freq == ICAL_MONTHLY_RECURRENCE || rule.freq == ICAL_YEARLY_RECURRENCE;
    // Every few days, months or years may step past all the days the other parts allow (every twelfth
    // month from January, in March); every few weeks meets each weekday and month.
    const bool skips = rule.interval > 1 && rule.freq != ICAL_WEEKLY_RECURRENCE &&
                       (Has(rule.by_month) || Has(rule.by_month_day) || Has(rule.by_day));
    return Has(rule.by_week_no) || Has(rule.by_year_day) || skips ||
           (Has(rule.by_set_pos) && periods && !Has(rule.by_day) && !Has(rule.by_month_day));
}

bool RuleSearchesTooFar(const icalrecurrencetype& rule)
{
    const bool withinDay = rule.freq == ICAL_SECONDLY_RECURRENCE || rule.freq == ICAL_MINUTELY_RECURRENCE ||
                           rule.freq == ICAL_HOURLY_RECURRENCE;
    return withinDay && (Has(rule.by_month) || Has(rule.by_month_day) || Has(rule.by_year_day) ||
                         Has(rule.by_week_no) || Has(rule.by_day));
}
