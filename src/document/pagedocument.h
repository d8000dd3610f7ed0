// A calendar page with its placed objects, whether a window shows it or a job without windows draws it:
// what reading, writing, filling, exporting and printing work on.
#pragma once

#include <QImage>
#include <QList>

class QObject;
class TCalendarPageModel;
class TQGraphicControl;
class TReportPrinter;

class TPageDocument
{
public:
    virtual ~TPageDocument() = default;

    virtual TCalendarPageModel& Model() = 0;
    virtual const TCalendarPageModel& Model() const = 0;
    // What the placed objects are children of, bottom first.
    virtual QObject* ObjectParent() const = 0;
    QList<TQGraphicControl*> Objects() const;
    // The page with its day texts and placed objects at a zoom.
    virtual QImage RenderAt(float zoom) = 0;
    // Draws the page on an open report; the offsets (inches) place the page on the paper.
    virtual void PrintPage(TReportPrinter& report, double xOffset, double yOffset) = 0;
    // While printing, the page on screen keeps what the drawing changes to itself.
    virtual void MarkPrinting(bool) {}
    // Objects are about to be made anew from bytes: a view notes which objects are selected by name, then
    // drops its selection.
    virtual void ObjectsRebuilding() {}
    // Objects were made anew from bytes: a view takes them in, selects again those of the names it noted
    // that still exist, and repaints.
    virtual void ObjectsRebuilt() {}
    // While held (calls nest), the page raises no change notification.
    virtual void HoldChangeNotifications(bool hold) { static_cast<void>(hold); }
};
