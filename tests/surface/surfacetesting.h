// Shared pieces of the surface tests: a stepping clock, a shown surface with boxes on it, and mouse
// input sent through the window as the window system would deliver it.
#pragma once

#include "testbox.h"

#include "editor/qbasepanel.h"

#include <QPoint>
#include <QString>
#include <QStringList>

#include <initializer_list>
#include <memory>
#include <ostream>

class QAction;
class QMenu;
class QRect;
class TQGraphicControl;
class TQHandle;

// Failed geometry checks print QRect(left, top, width, height), not the rectangle's raw bytes (whose
// second pair is the right and bottom edges). Every test file comparing rectangles includes this, so
// that all of them print alike.
void PrintTo(const QRect& r, std::ostream* out);

// Replaces the tick count while alive; time moves only when advanced.
class FakeClock
{
public:
    FakeClock();
    ~FakeClock();
    void Advance(qint64 ms) { m_now += ms; }
    qint64 Now() const { return m_now; }

private:
    qint64 m_now = 5000000;
};

// A window holding a 600 × 400 surface at the window's origin, shown.
class SurfaceWindow
{
public:
    SurfaceWindow();
    ~SurfaceWindow();
    TQBasePanel* surface;
    QWidget window;
    // A box placed like a tool places it (named SpecialN), then moved to exactly these bounds.
    TTestBox* AddBox(int left, int top, int width, int height);
    // Selects the objects in this order; returns the surface's selection handle.
    TQHandle* Select(std::initializer_list<TQGraphicControl*> objects);
};

// Mouse input at surface points, routed through the window (grabs and children included).
void Press(TQBasePanel* surface, QPoint p, Qt::MouseButton button = Qt::LeftButton,
           Qt::KeyboardModifiers modifiers = {});
void Move(TQBasePanel* surface, QPoint p);
void Release(TQBasePanel* surface, QPoint p, Qt::MouseButton button = Qt::LeftButton,
             Qt::KeyboardModifiers modifiers = {});

// A string list from plain ASCII literals.
QStringList Texts(std::initializer_list<const char*> items);

// The action of a menu with this exact caption, or nullptr.
QAction* MenuItem(QMenu* menu, const QString& caption);
// Opens the menu as a right-click would, so that its enabling rules run; closes it again.
void RefreshMenu(QMenu* menu);
