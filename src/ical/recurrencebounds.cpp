#include "recurrencebounds.h"

#include <algorithm>

namespace {

// Months, month days and weekdays repeat every 400 years: a longer span holds nothing new.
constexpr qint64 kCycleDays = 146097;

bool Has(const short* values)
{
    return values[0] != ICAL_RECURRENCE_ARRAY_MAX;
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

bool RuleSearchesTooFar(const icalrecurrencetype& rule)
{
    const bool withinDay = rule.freq == ICAL_SECONDLY_RECURRENCE || rule.freq == ICAL_MINUTELY_RECURRENCE ||
                           rule.freq == ICAL_HOURLY_RECURRENCE;
    return withinDay && (Has(rule.by_month) || Has(rule.by_month_day) || Has(rule.by_year_day) ||
                         Has(rule.by_week_no) || Has(rule.by_day));
}
