// A page model drawn whole, day texts and placed objects included: on screen or into an image at a zoom,
// and on a report. The page widget and the export without a window both draw through these.
#pragma once

#include <QImage>
#include <QList>
#include <QRect>
#include <QSize>

class QPainter;
class TCalendarPageModel;
struct MonthGeometry;
class TQGraphicControl;
class TReportPrinter;
class TWPRenderer;

// An image of the whole page at the zoom.
QImage RenderCalendarPage(const TCalendarPageModel& model, double zoom);
// The page without its day texts: what a repaint can keep while only texts change.
QImage RenderCalendarBase(const TCalendarPageModel& model, double zoom);
// The day texts into the cells of the screen geometry at the zoom, from the renderer's cache.
void PaintDayTexts(QPainter& painter, const TCalendarPageModel& model, const MonthGeometry& cells, double zoom,
                   TWPRenderer& renderer);
// The page a cell's day text is laid out on: its free area at 100%, the same at every zoom and on every
// device, so that lines break alike wherever the text is shown or edited. Empty for a cell without room.
QSize DayTextPage(const TCalendarPageModel& model, int cell);
// The cells (1..42) whose text has more lines than fit whole in the cell: what the screen marks.
QList<int> OverflowingCells(const TCalendarPageModel& model);
// The screen's sign that a cell hides lines of its text: a small mark in the lower right corner of its
// free area in the screen geometry given. Images and paper show none.
void PaintOverflowMarks(QPainter& painter, const TCalendarPageModel& model, const MonthGeometry& cells);
// The page on an open report, placed by the offsets (inches). Day texts are laid out on the same pages
// as on screen and scaled to the paper's resolution.
void PrintCalendarPage(TReportPrinter& report, const TCalendarPageModel& model, double xOffset, double yOffset);
// The objects, bottom first, drawn at the zoom; with an area given, only those meeting it.
void PaintPlacedObjects(QPainter& canvas, const QList<TQGraphicControl*>& objects, float zoom,
                        const QRect& area = QRect());
