// The selection handle of a design surface: holds the ordered selection, lies transparently over the
// selected objects, paints their squares, and turns drags and arrow keys into moves and resizes of
// every selected object at once.
#pragma once

#include "platform/colorvalue.h"
#include "platform/pagerect.h"

#include <QEvent>
#include <QList>
#include <QWidget>

class QPainter;
class TQBasePanel;
class TQGraphicControl;

class TQHandle : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(bool Locked READ Locked WRITE SetLocked)
    Q_PROPERTY(TColor Color READ Color WRITE SetColor)
    Q_PROPERTY(TColor SecondaryColor READ SecondaryColor WRITE SetSecondaryColor)
    Q_PROPERTY(int GridX READ GridX WRITE SetGridX)
    Q_PROPERTY(int GridY READ GridY WRITE SetGridY)
    Q_PROPERTY(bool SnapToGrid READ SnapToGrid WRITE SetSnapToGrid STORED false)

public:
    // Where the pointer is over the handle; resize zones exist only with one object selected.
    enum THitZone : quint8 {
        hzMove,
        hzTopLeft,
        hzTopRight,
        hzBottomLeft,
        hzBottomRight,
        hzTop,
        hzLeft,
        hzBottom,
        hzRight
    };
    Q_ENUM(THitZone)

    explicit TQHandle(TQBasePanel* surface);

    // Adds an object to the selection (unselectable ones are refused) and grows the handle over it;
    // the handle takes the mouse capture so that a drag can follow the press that selected it.
    void Select(TQGraphicControl* object);
    void Deselect(const TQGraphicControl* object);
    void ClearSelection();
    int Count() const { return int(m_selection.size()); }
    // nullptr when i is out of range.
    TQGraphicControl* Items(int i) const;
    int IndexOf(const TQGraphicControl* object) const;
    const QList<TQGraphicControl*>& Selection() const { return m_selection; }

    // Fits the handle around the selection without moving objects (after bounds changed).
    void RefitToSelection();
    // Z-order of the selected objects, in selection order; nothing while Locked.
    void BringSelectionToFront();
    void SendSelectionToBack();

    // Whether a surface point lies within 2 pixels of a selected object, and the first such object.
    bool HitSelected(QPoint p) const;
    TQGraphicControl* SelectedAt(QPoint p) const;

    int SnapX(int v) const { return (v / m_gridX) * m_gridX; }
    int SnapY(int v) const { return (v / m_gridY) * m_gridY; }

    bool Locked() const { return m_locked; }
    void SetLocked(bool v) { m_locked = v; }
    TColor Color() const { return m_color; }
    void SetColor(TColor v);
    TColor SecondaryColor() const { return m_secondaryColor; }
    void SetSecondaryColor(TColor v);
    // Active snapping steps, 1..32; 1 means no snapping. Setting a step also makes it active.
    int GridX() const { return m_gridX; }
    void SetGridX(int v);
    int GridY() const { return m_gridY; }
    void SetGridY(int v);
    bool SnapToGrid() const { return m_gridX > 1 || m_gridY > 1; }
    void SetSnapToGrid(bool v);

    // Moves and resizes the handle; every selected object that is not locked gets the same change.
    void SetBounds(const QRect& bounds);
    // The handle's bounds after a drag from DragStart to (x, y) in handle coordinates, by HitZone.
    QRect ComputeNewBounds(int x, int y) const;

    THitZone HitZone() const { return m_hitZone; }
    bool Dragging() const { return m_dragging; }
    QPoint DragStart() const { return m_dragStart; }
    bool KeyNudging() const { return m_keyNudging; }
    TRect NudgeRect() const { return m_nudgeRect; }
    // Handle bounds whose outline is shown during a drag; empty when none.
    QRect FeedbackRect() const { return m_feedbackRect; }
    qint64 PressTime() const { return m_pressTime; }
    bool DoubleClicked() const { return m_doubleClicked; }
    void SetDoubleClicked(bool v) { m_doubleClicked = v; }

    // Sends a press or release (no key flags) at surface point p to the first visible windowed child
    // under it, or else to the surface: tool-mode and middle clicks reach the page and its editors.
    void ForwardMouse(QEvent::Type type, Qt::MouseButton button, QPoint p);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    // The object's selection squares on a canvas in surface coordinates: eight around one object, four
    // in the secondary colour around each of several.
    void drawSquares(QPainter& surfaceCanvas, const TQGraphicControl& object) const;
    void press(QMouseEvent* event);
    QPoint clampToSurface(QPoint handlePoint) const;
    void drawFeedback(int x, int y, bool draw);
    void nudge(int key, bool resize);

    TQBasePanel* m_surface;
    qint64 m_pressTime = 0;
    QPoint m_dragStart;
    THitZone m_hitZone = hzMove;
    bool m_dragging = false;
    bool m_keyNudging = false;
    TRect m_nudgeRect;
    TRect m_nudgeStart;
    QRect m_feedbackRect;
    bool m_locked = false;
    TColor m_color = clBlack;
    TColor m_secondaryColor = RGBValue(128, 128, 128);
    int m_gridX = 1;
    int m_gridY = 1;
    int m_savedGridX = 8;
    int m_savedGridY = 8;
    QList<TQGraphicControl*> m_selection;
    bool m_doubleClicked = false;
};
