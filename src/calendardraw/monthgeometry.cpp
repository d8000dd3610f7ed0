#include "monthgeometry.h"

#include "calendardraw/calendardraw.h"
#include "calendardraw/layoutkind.h"
#include "calendardraw/monthgrid.h"
#include "calendardraw/moonphase.h"
#include "platform/datearithmetic.h"
#include "platform/deviceprofile.h"
#include "platform/rounding.h"

#include <algorithm>
#include <cstdlib>

namespace {

TRect frameOf(const CalendarDrawParams& p)
{
    return {p.Rect.left, p.Rect.top, p.Rect.right - 1, p.Rect.bottom - 1};
}

double lineHeight(const DeviceProfile& device, const FontDescription& f)
{
    return device.LineHeight(f.toQFontPixels(std::abs(f.size)));
}

int cellOfDay(const MonthGeometry& g, int day)
{
    for (int i = 1; i <= kCellCount; ++i)
        if (g.Cells[i].iDay == day)
            return i;
    return 0;
}

} // namespace

FontDescription WeekNumberFont(const FontDescription& cellFont)
{
    FontDescription font = cellFont;
    font.size = std::max(1, RoundHalfEven(std::abs(cellFont.size) * 0.7));
    return font;
}

int WeekNumberColumnWidth(const FontDescription& cellFont)
{
    // Two digits take about one font size; half a size of room either side.
    return RoundHalfEven(WeekNumberFont(cellFont).size * 2.0);
}

TRect MoonSymbolRect(const TRect& cell, const FontDescription& cellFont, const DeviceProfile& device)
{
    const int inset = device.Inset(3);
    const int size = std::min(
        {RoundHalfEven(std::abs(cellFont.size) * 0.5), (cell.width() - inset) / 2, (cell.height() - inset) / 2});
    if (size < 3)
        return {};
    return {cell.left + inset, cell.bottom - inset - size, cell.left + inset + size, cell.bottom - inset};
}

MonthGeometry ComputeMonthGeometry(const CalendarDrawParams& p, const DeviceProfile& device)
{
    MonthGeometry g;
    const TRect r = frameOf(p);
    g.Frame = r;
    TRect band{r.left, r.top + 1, r.right, 0};
    band.bottom = band.top + RoundHalfEven((r.bottom - r.top) * 0.17);
    g.TitleRect = band;
    if (band.height() < p.MinTitleHeight)
        band.bottom = band.top + p.MinTitleHeight;
    g.TitleBand = band;

    // Week numbers take a column left of the grid, which narrows to make room; a huge cell font takes no
    // more than a quarter of the width.
    g.GridLeft = r.left + (p.ShowWeekNumbers ? std::min(WeekNumberColumnWidth(p.CellFont), r.width() / 4) : 0);
    g.ColumnWidth = (r.right - g.GridLeft) / 7;
    // The day-name band is one and a half lines of its font: on screen the font's pixel size, on paper
    // the line height the printer's metrics give.
    TRect names{r.left, band.bottom + 1, r.right, 0};
    if (device.IsPaper()) {
        const double line = lineHeight(device, p.HeadersFont) / device.yDpi;
        names.bottom = names.top + RoundHalfEven(line * 1.5 * device.yDpi);
    } else {
        names.bottom = names.top + RoundHalfEven(std::abs(p.HeadersFont.size) * 1.5);
    }
    g.DayNamesRect = names;

    g.RowsTop = names.bottom;
    g.RowHeight = (r.bottom - g.RowsTop) / 6;
    const int cw = g.ColumnWidth;
    const int rh = g.RowHeight;
    const int first = FirstColumn(p.Month, p.Year, p.StartOfWeek);
    const int days = DaysInMonth(p.Year, p.Month);
    // Numbers at the upper right leave the cell below them for day text, as far inside the cell's lines
    // on paper as on screen: 5 screen pixels at the left, 6 at the right, 1 above and below.
    const int numberHeight = RoundHalfEven(lineHeight(device, p.CellFont));
    const int insetLeft = device.Inset(5);
    const int insetRight = device.Inset(6);
    const int insetTopBottom = device.Inset(1);
    for (int k = 0; k < 6; ++k) {
        for (int c = 0; c < 7; ++c) {
            const int left = g.GridLeft + c * cw;
            const int top = g.RowsTop + k * rh;
            TRect cell{left + 1, top + 1, left + cw - 1, top + rh - 1};
            if (p.NumberPosition == cnpUpperRight) {
                cell.left += 4;
                cell.right -= 5;
            }
            const int day = c + 7 * k - first + 2;
            TCellInfo& entry = g.Cells[k * 7 + c + 1];
            entry.rTotal = cell;
            entry.iDay = day >= 1 && day <= days ? day : 0;
            if (p.NumberPosition == cnpUpperRight)
                entry.rFree = {left + insetLeft, top + insetTopBottom + numberHeight, left + cw - insetRight,
                               top + rh - insetTopBottom};
        }
    }
    if (p.ShowMoonPhases) {
        for (const MoonPhaseTime& phase : MoonPhasesOfMonth(p.Year, p.Month)) {
            const int cell = cellOfDay(g, phase.when.date().day());
            if (cell == 0)
                continue;
            TCellInfo& entry = g.Cells[cell];
            const TRect symbol = MoonSymbolRect(entry.rTotal, p.CellFont, device);
            if (symbol.isEmpty())
                continue;
            g.MoonPhases[cell] = 1 + int(phase.phase);
            g.MoonSymbols[cell] = symbol;
            // The day's text stops above the symbol.
            if (!entry.rFree.isEmpty())
                entry.rFree.bottom =
                    std::max(entry.rFree.top, std::min(entry.rFree.bottom, symbol.top - insetTopBottom));
        }
    }
    return g;
}

MonthGeometry ComputePlannerGeometry(const CalendarDrawParams& p, int rows, const QStringList& secondLines,
                                     const DeviceProfile& device)
{
    MonthGeometry g;
    rows = std::max(rows, 1);
    const TRect r = frameOf(p);
    g.Frame = r;
    // The title takes one line of its font on screen and 1.6 lines on paper.
    const double titleLine = lineHeight(device, p.TitleFont);
    const int titleHeight =
        device.IsPaper() ? RoundHalfEven(titleLine / device.yDpi * device.yDpi * 1.6) : int(titleLine);
    g.TitleRect = {r.left + 5, r.top + 1, r.right - 5, r.top + 1 + titleHeight};
    g.TitleBand = g.TitleRect;
    g.Body = {r.left, g.TitleRect.bottom + 1, r.right, r.bottom};
    g.RowsTop = g.Body.top;
    g.RowHeight = g.Body.height() / rows;
    g.LabelLeft = g.Body.left + 1;
    g.LabelRight = g.Body.left + RoundHalfEven(g.Body.width() * 0.15);

    const TRect area{g.LabelRight, g.Body.top, g.Body.right, g.Body.bottom};
    const int inset = device.Inset(4);
    for (int i = 0; i < rows && i < kCellCount; ++i) {
        TRect cell{area.left + inset, area.top + g.RowHeight * i + inset, area.right - inset,
                   area.top + g.RowHeight * (i + 1) - inset};
        if (i == rows - 1)
            cell.bottom = area.bottom - inset;
        TCellInfo& entry = g.Cells[i + 1];
        entry.rTotal = cell;
        entry.rFree = cell;
        entry.iDay = PlannerRowDay(secondLines.value(i));
    }
    return g;
}

MonthGeometry ComputeMainGeometry(const CalendarDrawParams& p, TCalendarLayout layout, const DeviceProfile& device)
{
    if (!IsPlanner(layout))
        return ComputeMonthGeometry(p, device);
    const PlannerLines lines = layout == loWeek || layout == lo2Week ? WeekPlannerLines(p) : DayPlannerLines(p);
    return ComputePlannerGeometry(p, lines.rows(), lines.second, device);
}
