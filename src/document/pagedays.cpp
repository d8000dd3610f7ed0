#include "pagedays.h"

#include "calendarsettings.h"

#include "calendardraw/layoutkind.h"
#include "calendardraw/monthgrid.h"
#include "platform/rounding.h"

#include <algorithm>

namespace {

constexpr int kSecondsPerHour = 3600;

// The first day of a planner: the page's day and month brought into range, as the planner draws it.
QDate PlannerFirstDay(const CalendarSettings& s)
{
    const QDate month(s.MainCalYear, std::clamp(s.MainCalMonth, 1, 12), 1);
    return month.addDays(std::clamp(s.MainCalDay, 1, month.daysInMonth()) - 1);
}

int HourRows(TCalendarLayout layout)
{
    return layout == loDay15 ? 15 : 10;
}

} // namespace

PageDays DaysOfPage(const CalendarSettings& s)
{
    const TCalendarLayout layout = s.CalendarLayout;
    if (HasMainMonth(layout)) {
        const QDate first(s.MainCalYear, std::clamp(s.MainCalMonth, 1, 12), 1);
        return {first, first.addDays(first.daysInMonth() - 1)};
    }
    if (layout == loWeek || layout == lo2Week) {
        const QDate first = PlannerFirstDay(s);
        return {first, first.addDays(layout == lo2Week ? 13 : 6)};
    }
    if (IsPlanner(layout))
        return {PlannerFirstDay(s), PlannerFirstDay(s)};
    return {};
}

int CellOfEvent(const CalendarSettings& s, QDate date, QTime time)
{
    const PageDays days = DaysOfPage(s);
    if (!days.first.isValid() || date < days.first || date > days.last)
        return 0;
    const TCalendarLayout layout = s.CalendarLayout;
    if (HasMainMonth(layout))
        return FirstColumn(date.month(), date.year(), s.StartOfWeek) + date.day() - 1;
    if (layout == loWeek || layout == lo2Week)
        return int(days.first.daysTo(date)) + 1;
    // A day planner's rows are the hours from its start time; the row after them holds notes.
    const int rows = HourRows(layout);
    if (time.isNull())
        return rows + 1;
    const int offset = QTime(0, 0).secsTo(time) - RoundHalfEven(s.DayStartTime * 86400.0);
    return offset >= 0 && offset < rows * kSecondsPerHour ? offset / kSecondsPerHour + 1 : rows + 1;
}
