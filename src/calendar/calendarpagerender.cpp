#include "calendarpagerender.h"

#include "calendarpagemodel.h"

#include "report/reportprinter.h"
#include "richtext/wprenderer.h"
#include "richtext/wprtfstorage.h"

#include "platform/deviceprofile.h"
#include "platform/rounding.h"
#include "platform/screenmetrics.h"

#include <QPainter>
#include <QPicture>

namespace {

QRect freeArea(const TRect& free)
{
    return QRect(free.left, free.top, free.right - free.left + 1, free.bottom - free.top + 1);
}

// White paper, then the calendar with the day texts the callback draws.
void paintPage(QPainter& painter, const TCalendarPageModel& model, double zoom,
               const std::function<void(const MonthGeometry&)>& dayTexts)
{
    const CalendarGeometry& page = model.Geometry();
    painter.fillRect(QRect(0, 0, RoundHalfEven(page.PageWidth * zoom), RoundHalfEven(page.PageHeight * zoom)),
                     Qt::white);
    model.Draw(
        painter, DeviceProfile::Screen(zoom), [zoom](TRect r) { return r.scaled(zoom); }, dayTexts);
}

QImage pageImage(const TCalendarPageModel& model, double zoom, const std::function<void(QPainter&)>& paint)
{
    const CalendarGeometry& page = model.Geometry();
    QImage image(RoundHalfEven(page.PageWidth * zoom), RoundHalfEven(page.PageHeight * zoom), QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    paint(painter);
    return image;
}

} // namespace

void PaintDayTexts(QPainter& painter, const TCalendarPageModel& model, const MonthGeometry& cells, double zoom,
                   TWPRenderer& renderer)
{
    // Each text is drawn over its cell on white, clipped to the free area, at the page's zoom.
    const int percent = RoundHalfEven(zoom * 100.0);
    for (int i = 1; i <= kCellCount; ++i) {
        const TWPRtfStorage& text = *model.CellStorage(i);
        if (!cells.Cells[i].rFree.isEmpty() && !text.IsEmpty())
            renderer.PaintCached(painter, text, freeArea(cells.Cells[i].rFree), percent);
    }
}

QImage RenderCalendarPage(const TCalendarPageModel& model, double zoom)
{
    return pageImage(model, zoom, [&](QPainter& painter) {
        TWPRenderer renderer;
        paintPage(painter, model, zoom,
                  [&](const MonthGeometry& g) { PaintDayTexts(painter, model, g, zoom, renderer); });
    });
}

QImage RenderCalendarBase(const TCalendarPageModel& model, double zoom)
{
    return pageImage(model, zoom,
                     [&](QPainter& painter) { paintPage(painter, model, zoom, [](const MonthGeometry&) {}); });
}

void PrintCalendarPage(TReportPrinter& report, const TCalendarPageModel& model, double xOffset, double yOffset,
                       double textZoom)
{
    const DeviceProfile paper = report.PaperProfile();
    const double ppi = ScreenPixelsPerInch();
    const auto toDevice = [&](const TRect& r) {
        return TRect::fromQRect(report.InchRectToDevice(r.left / ppi + xOffset, r.top / ppi + yOffset,
                                                        r.right / ppi + xOffset, r.bottom / ppi + yOffset));
    };
    // Every text is laid out at the size cell 1 has on screen at textZoom (its free area grown by 5
    // each way) and stretched into its printed cell, as vector drawing.
    TRect layoutArea =
        model.MainGeometry(DeviceProfile::Screen(textZoom), [textZoom](TRect r) { return r.scaled(textZoom); })
            .Cells[1]
            .rFree;
    layoutArea.right += 5;
    layoutArea.bottom += 5;
    const QSize layout = freeArea(layoutArea).size();
    const int percent = RoundHalfEven(textZoom * 100.0);
    report.SetPen(report.DefaultPen());
    report.SetBrush(Qt::white);
    QPainter& canvas = report.Canvas();
    canvas.save();
    model.Draw(canvas, paper, toDevice, [&](const MonthGeometry& printed) {
        if (layout.isEmpty())
            return;
        for (int i = 1; i <= kCellCount; ++i) {
            const TWPRtfStorage& text = *model.CellStorage(i);
            if (!printed.Cells[i].rFree.isEmpty() && !text.IsEmpty())
                report.StretchPictureToDevice(TWPRenderer::Record(text, layout, percent),
                                              freeArea(printed.Cells[i].rFree));
        }
    });
    canvas.restore();
}
