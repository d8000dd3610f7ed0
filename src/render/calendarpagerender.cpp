#include "calendarpagerender.h"

#include "document/calendarpagemodel.h"
#include "document/qgraphiccontrol.h"

#include "report/reportprinter.h"
#include "richtext/wprenderer.h"
#include "richtext/wprtfstorage.h"

#include "platform/deviceprofile.h"
#include "platform/rounding.h"
#include "platform/screenmetrics.h"

#include <QPainter>
#include <QPicture>

#include <algorithm>

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

// A day text's page: its cell's free area on the page at 100%, whatever the device, so that its lines
// break alike on screen at every zoom, in images and on paper.
QSize textPage(const MonthGeometry& page, int i)
{
    const TRect& free = page.Cells[i].rFree;
    return free.isEmpty() ? QSize() : freeArea(free).size();
}

MonthGeometry textPages(const TCalendarPageModel& model)
{
    return model.MainGeometry(DeviceProfile::Screen(1.0), [](TRect r) { return r; });
}

} // namespace

QSize DayTextPage(const TCalendarPageModel& model, int cell)
{
    return textPage(textPages(model), cell);
}

void PaintDayTexts(QPainter& painter, const TCalendarPageModel& model, const MonthGeometry& cells, double zoom,
                   TWPRenderer& renderer)
{
    // Each text is drawn over its cell on white, clipped to the free area, at the page's zoom. The free
    // area keeps its insets in screen pixels at every zoom while the text scales: below 100% the text
    // may use the few pixels right of the area that are still inside the cell's lines.
    constexpr int kRightSlack = 3;
    const int percent = RoundHalfEven(zoom * 100.0);
    const MonthGeometry pages = textPages(model);
    for (int i = 1; i <= kCellCount; ++i) {
        const TWPRtfStorage& text = *model.CellStorage(i);
        const QSize page = textPage(pages, i);
        if (!cells.Cells[i].rFree.isEmpty() && !page.isEmpty() && !text.IsEmpty())
            renderer.PaintCached(painter, text, freeArea(cells.Cells[i].rFree).adjusted(0, 0, kRightSlack, 0), percent,
                                 page);
    }
}

QList<int> OverflowingCells(const TCalendarPageModel& model)
{
    QList<int> cells;
    const MonthGeometry pages = textPages(model);
    for (int i = 1; i <= kCellCount; ++i) {
        const QSize page = textPage(pages, i);
        if (!page.isEmpty() && !TWPRenderer::Fits(*model.CellStorage(i), page))
            cells.append(i);
    }
    return cells;
}

void PaintOverflowMarks(QPainter& painter, const TCalendarPageModel& model, const MonthGeometry& cells)
{
    // Painted on every repaint of the screen: a page without text has nothing to measure.
    if (!model.HasAnyText())
        return;
    // A small dark triangle pointing down, of the same size at every zoom.
    constexpr int kMarkWidth = 7;
    constexpr int kMarkHeight = 4;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(Qt::darkRed));
    for (const int i : OverflowingCells(model)) {
        const TRect& free = cells.Cells[i].rFree;
        if (free.width() < kMarkWidth || free.height() < kMarkHeight)
            continue;
        const QPoint tip(free.right - kMarkWidth / 2, free.bottom);
        const QPoint mark[3] = {{tip.x() - kMarkWidth / 2, tip.y() - kMarkHeight + 1},
                                {tip.x() + kMarkWidth / 2, tip.y() - kMarkHeight + 1},
                                tip};
        painter.drawPolygon(mark, 3);
    }
    painter.restore();
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

void PrintCalendarPage(TReportPrinter& report, const TCalendarPageModel& model, double xOffset, double yOffset)
{
    const DeviceProfile paper = report.PaperProfile();
    const double ppi = ScreenPixelsPerInch();
    const auto toDevice = [&](const TRect& r) {
        return TRect::fromQRect(report.InchRectToDevice(r.left / ppi + xOffset, r.top / ppi + yOffset,
                                                        r.right / ppi + xOffset, r.bottom / ppi + yOffset));
    };
    const MonthGeometry pages = textPages(model);
    report.SetPen(report.DefaultPen());
    report.SetBrush(Qt::white);
    QPainter& canvas = report.Canvas();
    canvas.save();
    model.Draw(canvas, paper, toDevice, [&](const MonthGeometry& printed) {
        // Each text's page, as vector drawing, grown by the paper's resolution (as far as its printed free
        // area allows) from that area's top-left corner: the glyphs keep the size they have on screen at 100%.
        for (int i = 1; i <= kCellCount; ++i) {
            const TWPRtfStorage& text = *model.CellStorage(i);
            const QSize page = textPage(pages, i);
            const TRect& free = printed.Cells[i].rFree;
            if (free.isEmpty() || page.isEmpty() || text.IsEmpty())
                continue;
            const QRect area = freeArea(free);
            const double scale =
                std::min({paper.XScale(), double(area.width()) / page.width(), double(area.height()) / page.height()});
            const QRect target(area.topLeft(),
                               QSize(RoundHalfEven(page.width() * scale), RoundHalfEven(page.height() * scale)));
            report.StretchPictureToDevice(TWPRenderer::Record(text, page), target);
        }
    });
    canvas.restore();
}

void PaintPlacedObjects(QPainter& canvas, const QList<TQGraphicControl*>& objects, float zoom, const QRect& area)
{
    for (TQGraphicControl* object : objects) {
        // Room for a frame or shadow a kind draws just outside its bounds.
        if (area.isNull() || ZoomedRect(object->Bounds(), zoom).adjusted(-4, -4, 4, 4).intersects(area))
            object->Paint(canvas, zoom);
    }
}
