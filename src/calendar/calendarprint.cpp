#include "calendarprint.h"

#include "calendar/calendardraw.h"
#include "calendar/monthgrid.h"
#include "platform/datearithmetic.h"
#include "platform/rounding.h"
#include "platform/screenmetrics.h"
#include "report/reportprinter.h"

#include <QMargins>

#include <algorithm>
#include <cstdlib>

namespace {

// The report's brush is put back after the routine's own fills.
class BrushScope
{
public:
    explicit BrushScope(TReportPrinter& report) : m_report(report), m_brush(report.Brush()) {}
    ~BrushScope() { m_report.SetBrush(m_brush); }

private:
    TReportPrinter& m_report;
    QBrush m_brush;
};

void fill(TReportPrinter& report, const TRect& r, TColor color)
{
    report.SetBrush(QBrush(ToQColor(color)));
    report.FillRect(r.toQRect());
}

void useFont(TReportPrinter& report, const FontDescription& f)
{
    report.SetFont(f.toQFontPixels(std::abs(f.size)), ToQColor(f.color));
}

double lineHeight(TReportPrinter& report, const FontDescription& f)
{
    useFont(report, f);
    return report.TextHeight();
}

// Drops characters from the end until the text fits the width.
QString fitted(TReportPrinter& report, QString s, double width)
{
    while (!s.isEmpty() && report.TextWidth(s) > width)
        s.chop(1);
    return s;
}

// Centred across the box, its top at box top + (box height - 1.4 line heights) / 2 but never above the
// box: in a row lower than that the text would cross the line over it.
void centredText(TReportPrinter& report, const TRect& box, const QString& text, const FontDescription& f)
{
    useFont(report, f);
    const QString s = fitted(report, text, box.width());
    if (s.isEmpty())
        return;
    const double x = box.left + (box.width() - report.TextWidth(s)) / 2.0;
    const double top = std::max<double>(box.top, box.top + (box.height() - 1.4 * report.TextHeight()) * 0.5);
    report.TextAtBaseline(x, top + report.TextAscent(), s);
}

// The font at the largest device pixel size that keeps the text inside the width; unchanged when it fits.
FontDescription fittedFont(TReportPrinter& report, const QString& s, const FontDescription& f, int width)
{
    FontDescription sized = f;
    const int size = FittingFontSize(std::abs(f.size), width, [&](int pixels) {
        sized.size = pixels;
        useFont(report, sized);
        return report.TextWidth(s);
    });
    sized.size = size == std::abs(f.size) ? f.size : size;
    return sized;
}

// A length in screen pixels on the report, so that insets look on paper as they do on screen.
int screenPixels(TReportPrinter& report, int pixels)
{
    return RoundHalfEven(pixels * report.XPixelsPerInch() / kScreenPixelsPerInch);
}

} // namespace

void PrintBorderEdges(TReportPrinter& report, const TRect& r, TCalBorderStyle style)
{
    const bool top = style == cbAll || style == cbTop || style == cbTopBottom;
    const bool bottom = style == cbAll || style == cbBottom || style == cbTopBottom;
    if (top)
        report.Line(r.left, r.top, r.right, r.top);
    if (style == cbAll)
        report.Line(r.right, r.top, r.right, r.bottom);
    if (bottom)
        report.Line(r.right, r.bottom, r.left, r.bottom);
    if (style == cbAll)
        report.Line(r.left, r.bottom, r.left, r.top);
}

void PrintMonth(TReportPrinter& report, CalendarDrawParams& p, const QString& title)
{
    BrushScope brush(report);
    const int first = FirstColumn(p.Month, p.Year, p.StartOfWeek);
    const int days = DaysInMonth(p.Year, p.Month);

    const TRect r{p.Rect.left, p.Rect.top, p.Rect.right - 1, p.Rect.bottom - 1};
    fill(report, p.Rect, p.BackColor);

    TRect band{r.left, r.top + 1, r.right, 0};
    band.bottom = band.top + RoundHalfEven((r.bottom - r.top) * 0.17);
    p.TitleRect = band;
    if (band.height() < p.MinTitleHeight)
        band.bottom = band.top + p.MinTitleHeight;
    if (p.TitleBackColor != clWhite)
        fill(report, {band.left, band.top, band.right, band.bottom + 1}, p.TitleBackColor);
    centredText(report, band, MonthTitleText(p, title), p.TitleFont);

    const int cw = (r.right - r.left) / 7;
    const double headerLine = report.YDeviceToInches(lineHeight(report, p.HeadersFont));
    TRect names{r.left, band.bottom + 1, r.right, 0};
    names.bottom = names.top + RoundHalfEven(headerLine * 1.5 * report.YPixelsPerInch());
    p.DayNamesRect = names;
    fill(report, {names.left, names.top, names.right, names.bottom + 1}, p.HeadersBGColor);
    PrintBorderEdges(report, names, p.HeadersBorder);
    for (int c = 0; c < 7; ++c) {
        const QString name = CutDayName(p.dayName(DayNameIndexOfColumn(c, p.StartOfWeek)), p.HeadersStyle);
        const TRect box{r.left + c * cw + 1, names.top, r.left + c * cw + cw - 1, names.bottom};
        centredText(report, box, name, fittedFont(report, name, p.HeadersFont, box.width()));
    }

    const int y0 = names.bottom;
    const int rh = (r.bottom - y0) / 6;
    for (int k = 0; k < 6; ++k) {
        for (int c = 0; c < 7; ++c) {
            const int left = r.left + c * cw;
            const int top = y0 + k * rh;
            PrintBorderEdges(report, {left, top, c == 6 ? r.right : left + cw, k == 5 ? r.bottom : top + rh},
                             p.CellBorder);
        }
    }

    useFont(report, p.CellFont);
    const double numberLine = report.TextHeight();
    const int numberGap = report.XInchesToDevice(0.05);
    // Day text sits as far inside its cell's lines as on screen, where that is 5 pixels at the left,
    // 6 at the right and 1 above and below.
    const QMargins textInset(screenPixels(report, 5), screenPixels(report, 1), screenPixels(report, 6),
                             screenPixels(report, 1));
    for (int k = 0; k < 6; ++k) {
        for (int c = 0; c < 7; ++c) {
            TRect cell{r.left + c * cw + 1, y0 + k * rh + 1, r.left + c * cw + cw - 1, y0 + k * rh + rh - 1};
            if (p.NumberPosition == cnpUpperRight) {
                cell.left += 4;
                cell.right -= 5;
            }
            int day = c + 7 * k - first + 2;
            if (day < 1 || day > days) {
                day = 0;
            } else if (p.NumberPosition == cnpCenter) {
                centredText(report, cell, QString::number(day), p.CellFont);
            } else {
                useFont(report, p.CellFont);
                const QString s = fitted(report, QString::number(day), cell.width() - numberGap);
                report.TextAtBaseline(cell.right - numberGap - report.TextWidth(s), cell.top + report.TextAscent(), s);
            }
            TCellInfo& entry = p.Cells[k * 7 + c + 1];
            entry.rTotal = cell;
            entry.iDay = day;
            entry.rFree = TRect();
            if (p.NumberPosition == cnpUpperRight) {
                const int left = r.left + c * cw;
                const int top = y0 + k * rh;
                entry.rFree = {left + textInset.left(), top + textInset.top() + RoundHalfEven(numberLine),
                               left + cw - textInset.right(), top + rh - textInset.bottom()};
            }
        }
    }

    PrintBorderEdges(report, r, p.CalendarBorder);
}

void PrintWeekPlanner(TReportPrinter& report, CalendarDrawParams& p, const QString& title)
{
    const PlannerLines lines = WeekPlannerLines(p);
    PrintPlanner(report, p, lines.rows(), lines.second, lines.first, WeekPlannerTitleText(p, title));
}

void PrintDayPlanner(TReportPrinter& report, CalendarDrawParams& p, const QString& title)
{
    const PlannerLines lines = DayPlannerLines(p);
    PrintPlanner(report, p, lines.rows(), lines.second, lines.first, DayPlannerTitleText(p, title));
}

void PrintPlanner(TReportPrinter& report, CalendarDrawParams& p, int rows, const QStringList& secondLines,
                  const QStringList& firstLines, const QString& title)
{
    BrushScope brush(report);
    rows = std::max(rows, 1);
    const TRect r{p.Rect.left, p.Rect.top, p.Rect.right - 1, p.Rect.bottom - 1};
    fill(report, p.Rect, p.BackColor);

    const double titleLine = report.YDeviceToInches(lineHeight(report, p.TitleFont));
    const TRect band{r.left + 5, r.top + 1, r.right - 5,
                     r.top + 1 + RoundHalfEven(titleLine * report.YPixelsPerInch() * 1.6)};
    p.TitleRect = band;
    centredText(report, band, title, p.TitleFont);

    const TRect body{r.left, band.bottom + 1, r.right, r.bottom};
    fill(report, body, p.BackColor);

    const int rh = body.height() / rows;
    const int columnLeft = body.left + 1;
    const int columnRight = body.left + RoundHalfEven(body.width() * 0.15);
    fill(report, {columnLeft, body.top + 1, columnRight, body.bottom - 1}, p.HeadersBGColor);
    for (int i = 0; i < rows; ++i) {
        const int y = body.top + rh * i + 1;
        const QString label = firstLines.value(i);
        useFont(report, fittedFont(report, label, p.HeadersFont, columnRight - columnLeft));
        const QString upper = fitted(report, label, columnRight - columnLeft);
        report.TextAtBaseline(columnLeft + (columnRight - columnLeft - report.TextWidth(upper)) / 2.0,
                              y + rh / 2 - (report.TextHeight() - report.TextAscent()), upper);
        useFont(report, p.HeadersFont);
        const QString lower = fitted(report, secondLines.value(i), columnRight - columnLeft);
        report.TextAtBaseline(columnLeft + (columnRight - columnLeft - report.TextWidth(lower)) / 2.0,
                              y + rh / 2 + report.TextAscent(), lower);
    }

    // Paper pens are wider than a device pixel: the outline goes on after the fills it borders.
    PrintBorderEdges(report, body, cbAll);
    report.Line(columnRight, body.top, columnRight, body.bottom);
    for (int i = 1; i < rows; ++i)
        report.Line(body.left, body.top + rh * i, body.right, body.top + rh * i);

    SetPlannerCells(p, secondLines, {columnRight, body.top, body.right, body.bottom}, rows, rh,
                    screenPixels(report, 4));
}
