// What a placed object asks of the page it lies on: the zoom the page is shown at, the page's size, and
// who hears of its repaints, edits, moves and removal. A page shown in a view is one; an object whose
// parent is none (a job's page, a dialog's sample) stands at 100% and tells nobody.
#pragma once

#include <QSize>

class TQGraphicControl;

class TObjectHost
{
public:
    virtual ~TObjectHost() = default;

    // The zoom the objects are shown at (1 = 100%).
    virtual float Scale() const = 0;
    // The page's size at 100%, in which objects are placed.
    virtual QSize PageSize() const = 0;
    // The object's look changed.
    virtual void ObjectNeedsRepaint(TQGraphicControl& object) = 0;
    // A user-visible change of the object.
    virtual void ObjectChanged(TQGraphicControl& object) = 0;
    // The object's bounds changed.
    virtual void ObjectMoved(TQGraphicControl& object) = 0;
    // The object is being freed or made unselectable: nothing may keep it selected.
    virtual void ObjectWithdrawn(TQGraphicControl& object) = 0;
    // A copy of the object on the page, on top, or nullptr when none could be made.
    virtual TQGraphicControl* CopyObject(TQGraphicControl& object) = 0;
};
