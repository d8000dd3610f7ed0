// The right-button menu of a placed object: the common items (order, clipboard, lock, centring), then
// those of the object's kind, from the builder the editor keeps for that kind. The menu is built the
// first time it is asked for, with the object's surface as parent, and goes with the object.
#pragma once

#include <QPoint>

#include <functional>

class QAction;
class QMenu;
class QObject;
class TQGraphicControl;

// What a kind's builder leaves behind: the checks it sets from the object each time the menu opens, and
// the item a double-click on the object runs instead of opening the menu.
struct TKindMenuItems
{
    std::function<void()> opening;
    QAction* doubleClick = nullptr;
};

QMenu* ObjectMenu(TQGraphicControl* object);
QAction* LockedMenuItem(TQGraphicControl* object);
// Opens the object menu at a screen position (non-blocking).
void PopupObjectMenu(TQGraphicControl* object, QPoint globalPos);
// The menu is about to open: the kind's items take the object's values.
void ObjectMenuOpening(TQGraphicControl* object);
// What a double-click on the object runs when its kind has such an item (the rich label's "Edit"):
// that item, so that what it changes is named after it. Empty for other kinds.
std::function<void(QObject* sender)> DoubleClickAction(TQGraphicControl* object);
