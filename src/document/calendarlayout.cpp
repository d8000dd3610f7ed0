#include "calendarlayout.h"

#include "calendardraw/layoutkind.h"

#include "platform/rounding.h"

TCalendarOrientation OrientationOfLayout(TCalendarLayout layout)
{
    return (!IsPlanner(layout) && layout % 2 == 1) ? coLandscape : coPortrait;
}

void StepMonth(int month, int year, int offset, int& outMonth, int& outYear)
{
    int zeroBased = (month - 1) + offset;
    int y = year + zeroBased / 12;
    zeroBased %= 12;
    if (zeroBased < 0) {
        zeroBased += 12;
        --y;
    }
    outMonth = zeroBased + 1;
    outYear = y;
}

void DivideBand(std::array<TMiniSlot, 61>& out, TRect band, int rows, int columns, int first)
{
    const int l = band.left, t = band.top, r = band.right, b = band.bottom;
    const int gy = RoundHalfEven((b - t) * 0.01);
    const int gx = RoundHalfEven((r - l) * 0.01);
    const int sh = RoundHalfEven(double(b - t - gy * (rows - 1)) / rows);
    const int sw = RoundHalfEven(double(r - l - gx * (columns - 1)) / columns);
    int slot = first;
    for (int i = 0; i < rows; ++i) {
        for (int j = 0; j < columns; ++j, ++slot) {
            TRect& s = out[slot].rect;
            s.left = (j == columns - 1) ? r - sw : l + j * (gx + sw);
            s.top = (i == rows - 1) ? b - sh : t + i * (gy + sh);
            s.right = s.left + sw;
            s.bottom = s.top + sh;
        }
    }
}

namespace {

struct MultiMonth
{
    int rows, columns, count, fontBase;
};

// Layouts 8..17: portrait then landscape of each count.
MultiMonth multiMonth(int layout)
{
    // clang-format off
    switch (layout) {
    case 8: return {3, 2, 6, 18};
    case 9: return {2, 3, 6, 18};
    case 10: return {4, 3, 12, 18};
    case 11: return {3, 4, 12, 18};
    case 12: return {6, 4, 24, 12};
    case 13: return {4, 6, 24, 12};
    case 14: return {8, 6, 48, 10};
    case 15: return {6, 8, 48, 10};
    case 16: return {10, 6, 60, 8};
    default: return {6, 10, 60, 8};
    }
    // clang-format on
}

} // namespace

CalendarGeometry ComputeLayout(const CalendarSettings& s, int ppi, bool borderArt)
{
    CalendarGeometry g;
    g.orientation = OrientationOfLayout(s.CalendarLayout);
    const double paperW = s.A4Paper ? 8.27 : 8.5;
    const double paperH = s.A4Paper ? 11.69 : 11.0;
    auto px = [ppi](double inches) { return RoundHalfEven(ppi * inches); };
    g.PageWidth = px(g.orientation == coPortrait ? paperW : paperH);
    g.PageHeight = px(g.orientation == coPortrait ? paperH : paperW);
    const int W = g.PageWidth, H = g.PageHeight;

    g.BorderRect = {px(s.LeftMarginInch), px(s.TopMarginInch), W - px(s.RightMarginInch), H - px(s.BottomMarginInch)};

    const double extra = borderArt ? 0.47 : 0.0;
    const double L = double(s.LeftMarginInch) + extra;
    const double T = double(s.TopMarginInch) + extra;
    const double R = double(s.RightMarginInch) + extra;
    const double B = double(s.BottomMarginInch) + extra;
    const TRect D{px(L) + 2, px(T) + 2, W - px(R) - 2, H - px(B) - 2};

    const TCalendarLayout layout = s.CalendarLayout;
    g.ShowMainCalendar = HasMainMonth(layout);
    g.ShowMiniCalendars = HasMiniMonths(layout);
    g.ShowPlanner = IsPlanner(layout);

    // Months shown by slots first..first+count-1, starting `offset` months from the page's month.
    auto assignMonths = [&](int first, int count, int offset) {
        for (int i = 0; i < count; ++i)
            StepMonth(s.MainCalMonth, s.MainCalYear, offset + i, g.MiniSlots[first + i].month,
                      g.MiniSlots[first + i].year);
    };

    switch (layout) {
    case 0:
    case 1:
    case 18:
    case 19:
    case 20:
    case 21:
        g.CalendarRect = D;
        break;
    case 2:
    case 3: {
        g.CalendarRect = D;
        const int h = ppi / 8;
        const int sz = px(1.5);
        const TRect c = g.CalendarRect;
        g.MiniSlots[1].rect = {c.left + h, c.top + h, c.left + sz - h, c.top + sz - h};
        g.MiniSlots[2].rect = {c.right - sz + h, c.top + h, c.right - h, c.top + sz - h};
        assignMonths(1, 1, -1);
        assignMonths(2, 1, 1);
        g.MiniCount = 2;
        g.miniFontBase = 10;
        break;
    }
    case 4:
        g.CalendarRect = {px(L) + 2, px(T + 1.3) + 2, W - px(R) - 2, H - px(B + 1.3) - 2};
        DivideBand(g.MiniSlots, {px(L) + 2, px(T) + 2, W - px(R) - 2, px(T + 1.3) - 2}, 1, 6, 1);
        DivideBand(g.MiniSlots, {px(L) + 2, H - px(B + 1.3) + 2, W - px(R) - 2, H - px(B) - 2}, 1, 6, 7);
        assignMonths(1, 6, -6);
        assignMonths(7, 6, 1);
        g.MiniCount = 12;
        g.miniFontBase = 10;
        break;
    case 5:
        g.CalendarRect = {px(L + 1.3) + 4, px(T) + 2, W - px(R + 1.3) - 4, H - px(B) - 2};
        DivideBand(g.MiniSlots, {px(L) + 2, px(T) + 2, px(L + 1.3), H - px(B) - 2}, 6, 1, 1);
        DivideBand(g.MiniSlots, {W - px(R + 1.3) + 2, px(T) + 2, W - px(R) - 2, H - px(B) - 2}, 6, 1, 7);
        assignMonths(1, 6, -6);
        assignMonths(7, 6, 1);
        g.MiniCount = 12;
        g.miniFontBase = 10;
        break;
    case 6:
        g.CalendarRect = {px(L) + 2, px(T) + 2, W - px(R) - 2, H - px(B + 2.9) - 2};
        DivideBand(g.MiniSlots, {px(L) + 2, H - px(B + 2.8) + 2, W - px(R) - 2, H - px(B) - 4}, 2, 6, 1);
        assignMonths(1, 12, 1);
        g.MiniCount = 12;
        g.miniFontBase = 10;
        break;
    case 7:
        g.CalendarRect = {px(L) + 2, px(T) + 2, W - px(R + 2.9) + 8, H - px(B) - 2};
        DivideBand(g.MiniSlots, {W - px(R + 2.8) + 2, px(T) + 2, W - px(R) - 4, H - px(B) - 2}, 6, 2, 1);
        assignMonths(1, 12, 1);
        g.MiniCount = 12;
        g.miniFontBase = 10;
        break;
    default: {
        const MultiMonth m = multiMonth(layout);
        DivideBand(g.MiniSlots, D, m.rows, m.columns, 1);
        assignMonths(1, m.count, 0);
        g.MiniCount = m.count;
        g.miniFontBase = m.fontBase;
        break;
    }
    }
    return g;
}
