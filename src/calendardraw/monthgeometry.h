// Where the parts of a month or a planner lie on a device, computed from the drawing record, the
// device profile and the device's font metrics alone: drawing, hit tests, day texts, printing and the
// fill command all read it, so none of them needs an earlier paint.
#pragma once

#include "calendardraw/calendardrawparams.h"

#include <QStringList>

struct DeviceProfile;

struct MonthGeometry
{
    TRect Frame;        // the record's rectangle less its last column and row
    TRect TitleRect;    // the title band clicks see
    TRect TitleBand;    // the title band drawn: a month's is MinTitleHeight tall at least
    TRect DayNamesRect; // empty for planners
    TRect Body;         // planners: the rows' box below the title
    int GridLeft = 0;   // the first column's left line; the week numbers lie left of it
    int ColumnWidth = 0;
    int RowsTop = 0; // the line over the first row
    int RowHeight = 0;
    int LabelLeft = 0; // planners: the label column
    int LabelRight = 0;
    std::array<TCellInfo, kCellCount + 1> Cells{}; // 1..42; 0 unused
    // Per cell: 0, or 1 + the MoonPhase whose symbol it shows in MoonSymbols.
    std::array<int, kCellCount + 1> MoonPhases{};
    std::array<TRect, kCellCount + 1> MoonSymbols{};
};

// The week numbers' font: the cell font at 70%.
FontDescription WeekNumberFont(const FontDescription& cellFont);
// The width of the week-number column, in the pixels of the cell font's size.
int WeekNumberColumnWidth(const FontDescription& cellFont);

// Where a cell's moon-phase symbol goes: its lower left corner, in a square of about half the cell
// font's size.
TRect MoonSymbolRect(const TRect& cell, const FontDescription& cellFont, const DeviceProfile& device);

// A month grid in p.Rect: title band, day-name band, the week-number column when asked for, and the six
// rows of seven cells.
MonthGeometry ComputeMonthGeometry(const CalendarDrawParams& p, const DeviceProfile& device);
// A planner of `rows` rows (at least one) in p.Rect; cell i + 1 is row i, its day read from secondLines[i].
MonthGeometry ComputePlannerGeometry(const CalendarDrawParams& p, int rows, const QStringList& secondLines,
                                     const DeviceProfile& device);
// The main drawing of a page record: the week or day planner it names, else its month.
MonthGeometry ComputeMainGeometry(const CalendarDrawParams& p, TCalendarLayout layout, const DeviceProfile& device);
