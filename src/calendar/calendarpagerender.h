// A page model drawn whole, day texts included: on screen or into an image at a zoom, and on a report.
// The page widget and the export without a window both draw through these.
#pragma once

#include <QImage>

class QPainter;
class TCalendarPageModel;
class TReportPrinter;
class TWPRenderer;

// The page on white at the zoom, in the painter's pixels from (0, 0); day texts come from the
// renderer's cache.
void PaintCalendarPage(QPainter& painter, const TCalendarPageModel& model, double zoom, TWPRenderer& renderer);
// An image of the whole page at the zoom.
QImage RenderCalendarPage(const TCalendarPageModel& model, double zoom);
// The page on an open report, placed by the offsets (inches). Day texts are laid out as on screen at
// textZoom and stretched into their printed cells.
void PrintCalendarPage(TReportPrinter& report, const TCalendarPageModel& model, double xOffset, double yOffset,
                       double textZoom);
