// What a page layout shows: its kind (a page keeps its day texts only within one kind) and the
// questions the page, its dialogs and its printing ask about it.
#pragma once

#include "calendardraw/calendartypes.h"

// The values are compared across documents and dialogs; keep them stable.
enum TLayoutKind { lkMainMonth, lkMiniMonths, lkWeek, lk2Week, lkDay10, lkDay15 };

// Week, two-week and day planners.
constexpr bool IsPlanner(TCalendarLayout layout)
{
    return layout >= loWeek;
}

// The layouts with one large month (alone or with small months around it).
constexpr bool HasMainMonth(TCalendarLayout layout)
{
    return layout <= loFC12AfterLS;
}

// The layouts that show small months.
constexpr bool HasMiniMonths(TCalendarLayout layout)
{
    return layout >= loFCMinisInTitle && !IsPlanner(layout);
}

// The layouts whose cells or rows take text from the user.
constexpr bool HoldsDayText(TCalendarLayout layout)
{
    return HasMainMonth(layout) || IsPlanner(layout);
}

constexpr TLayoutKind LayoutKindOf(TCalendarLayout layout)
{
    if (HasMainMonth(layout))
        return lkMainMonth;
    if (!IsPlanner(layout))
        return lkMiniMonths;
    return static_cast<TLayoutKind>(lkWeek + (layout - loWeek));
}
