// The page geometry of every layout, computed apart from painting: paper size, border rectangle,
// the main month or planner rectangle and the small-month slots.
#pragma once

#include "calendarsettings.h"

#include <array>

struct TMiniSlot
{
    TRect rect;
    int month = 0;
    int year = 0;
    bool operator==(const TMiniSlot&) const = default;
};

struct CalendarGeometry
{
    TCalendarOrientation orientation = coPortrait;
    int PageWidth = 0;
    int PageHeight = 0;
    TRect BorderRect;
    TRect CalendarRect;
    bool ShowMainCalendar = false;
    bool ShowMiniCalendars = false;
    bool ShowPlanner = false;
    int MiniCount = 0;
    std::array<TMiniSlot, 61> MiniSlots{}; // 1..60
    int miniFontBase = 0;                  // 0 = the layout leaves the mini fonts alone
};

// Orientation follows the layout: the odd layouts 1..17 are landscape, all others portrait.
TCalendarOrientation OrientationOfLayout(TCalendarLayout layout);

// The geometry of `s` at `ppi` pixels per inch (borderArt: whether border art takes 0.47 in more).
CalendarGeometry ComputeLayout(const CalendarSettings& s, int ppi, bool borderArt);

// Divides the band (l, t, r, b) into rows × columns slots numbered from `first`; the last row and
// column lie flush with the band's far edges.
void DivideBand(std::array<TMiniSlot, 61>& out, TRect band, int rows, int columns, int first);

// Month and year `offset` months from (month, year).
void StepMonth(int month, int year, int offset, int& outMonth, int& outYear);
