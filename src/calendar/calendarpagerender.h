// A page model drawn whole, day texts included: on screen or into an image at a zoom, and on a report.
// The page widget and the export without a window both draw through these.
#pragma once

#include <QImage>

class QPainter;
class TCalendarPageModel;
struct MonthGeometry;
class TReportPrinter;
class TWPRenderer;

// An image of the whole page at the zoom.
QImage RenderCalendarPage(const TCalendarPageModel& model, double zoom);
// The page without its day texts: what a repaint can keep while only texts change.
QImage RenderCalendarBase(const TCalendarPageModel& model, double zoom);
// The day texts into the cells of the screen geometry at the zoom, from the renderer's cache.
void PaintDayTexts(QPainter& painter, const TCalendarPageModel& model, const MonthGeometry& cells, double zoom,
                   TWPRenderer& renderer);
// The page on an open report, placed by the offsets (inches). Day texts are laid out as on screen at
// textZoom and stretched into their printed cells.
void PrintCalendarPage(TReportPrinter& report, const TCalendarPageModel& model, double xOffset, double yOffset,
                       double textZoom);
