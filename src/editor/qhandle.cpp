#include "qhandle.h"

#include "document/qgraphiccontrol.h"
#include "objectmenu.h"
#include "qbasepanel.h"
#include "tickcount.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <cstdlib>

namespace {

// The margin of pointer positions that count as an edge or a corner.
constexpr int kEdgeReach = 8;
constexpr int kMiddleReach = 6;
// The smallest width and height of the handle after a drag.
constexpr int kMinHandleSize = 5;
// Shift+arrow never shrinks an object below this.
constexpr int kMinNudgedSize = 10;

// The smallest rectangle around the objects; right and bottom lie just past them (Left() + Width()).
TRect OuterBounds(const QList<TQGraphicControl*>& objects)
{
    TRect r{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
    for (const TQGraphicControl* o : objects) {
        r.left = std::min(r.left, o->ScreenRect().x());
        r.top = std::min(r.top, o->ScreenRect().y());
        r.right = std::max(r.right, o->ScreenRect().x() + o->ScreenRect().width());
        r.bottom = std::max(r.bottom, o->ScreenRect().y() + o->ScreenRect().height());
    }
    return r;
}

// A grid step stays within 1..32, and setting one makes it the active step too; false when unchanged.
bool SetGridStep(int v, int& saved, int& active)
{
    v = std::clamp(v, 1, 32);
    if (v == saved)
        return false;
    saved = v;
    active = v;
    return true;
}

// Stores a new value; false when it was there already, so that only a change repaints.
template <typename T> bool Assign(T& field, T value)
{
    if (field == value)
        return false;
    field = value;
    return true;
}

} // namespace

TQHandle::TQHandle(TQBasePanel* surface) : QWidget(surface), m_surface(surface)
{
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::ClickFocus);
    setMouseTracking(true);
    resize(24, 24);
    // Hidden until something is selected, so that it never catches clicks meant for the page.
    setEnabled(false);
    hide();
}

TQGraphicControl* TQHandle::Items(int i) const
{
    return (i >= 0 && i < m_selection.size()) ? m_selection[i] : nullptr;
}

int TQHandle::IndexOf(const TQGraphicControl* object) const
{
    return int(m_selection.indexOf(const_cast<TQGraphicControl*>(object)));
}

void TQHandle::Select(TQGraphicControl* object)
{
    if (object && object->Unselectable())
        return;
    m_pressTime = TickCount();
    if (!object || IndexOf(object) >= 0)
        return;
    setCursor(Qt::ClosedHandCursor);
    if (m_selection.isEmpty()) {
        m_feedbackRect = QRect();
        setEnabled(true);
        show();
        setGeometry(object->ScreenRect().x() - 2, object->ScreenRect().y() - 2, object->ScreenRect().width() + 5,
                    object->ScreenRect().height() + 5);
    } else {
        const int left = std::min(x(), object->ScreenRect().x() - 2);
        const int top = std::min(y(), object->ScreenRect().y() - 2);
        const int right = std::max(x() + width() - 3, object->ScreenRect().x() + object->ScreenRect().width()) + 3;
        const int bottom = std::max(y() + height() - 3, object->ScreenRect().y() + object->ScreenRect().height()) + 3;
        setGeometry(left, top, right - left, bottom - top);
    }
    m_selection.append(object);
    m_hitZone = hzMove;
    raise();
    update();
    if (isVisible()) {
        grabMouse();
        if (isEnabled())
            setFocus();
    }
}

void TQHandle::Deselect(const TQGraphicControl* object)
{
    const int i = IndexOf(object);
    if (i < 0)
        return;
    m_selection.removeAt(i);
    if (!m_selection.isEmpty()) {
        const TRect b = OuterBounds(m_selection);
        setGeometry(b.left - 2, b.top - 2, b.right - b.left + 5, b.bottom - b.top + 5);
        update();
    } else {
        m_locked = false;
        if (QWidget::mouseGrabber() == this)
            releaseMouse();
        setEnabled(false);
        hide();
        m_feedbackRect = QRect();
    }
}

void TQHandle::ClearSelection()
{
    m_selection.clear();
    m_locked = false;
    if (QWidget::mouseGrabber() == this)
        releaseMouse();
    hide();
    resize(24, 24);
    setEnabled(false);
    m_feedbackRect = QRect();
    m_surface->SetDragOutline(std::nullopt);
}

void TQHandle::RefitToSelection()
{
    if (m_selection.isEmpty())
        return;
    raise();
    const TRect b = OuterBounds(m_selection);
    setGeometry(b.left - 2, b.top - 2, b.right - b.left + 6, b.bottom - b.top + 6);
    update();
}

void TQHandle::BringSelectionToFront()
{
    if (m_selection.isEmpty() || m_locked)
        return;
    for (TQGraphicControl* o : std::as_const(m_selection))
        o->Raise();
    raise();
    setFocus();
}

void TQHandle::SendSelectionToBack()
{
    if (m_selection.isEmpty() || m_locked)
        return;
    for (TQGraphicControl* o : std::as_const(m_selection))
        o->Lower();
    raise();
    setFocus();
}

bool TQHandle::HitSelected(QPoint p) const
{
    return SelectedAt(p) != nullptr;
}

TQGraphicControl* TQHandle::SelectedAt(QPoint p) const
{
    for (TQGraphicControl* o : m_selection) {
        const TRect r = TRect::fromQRect(o->ScreenRect());
        if (TRect{r.left - 2, r.top - 2, r.right + 2, r.bottom + 2}.contains(p))
            return o;
    }
    return nullptr;
}

void TQHandle::SetColor(TColor v)
{
    if (Assign(m_color, v))
        update();
}

void TQHandle::SetSecondaryColor(TColor v)
{
    if (Assign(m_secondaryColor, v))
        update();
}

void TQHandle::SetGridX(int v)
{
    if (SetGridStep(v, m_savedGridX, m_gridX))
        update();
}

void TQHandle::SetGridY(int v)
{
    if (SetGridStep(v, m_savedGridY, m_gridY))
        update();
}

void TQHandle::SetSnapToGrid(bool v)
{
    m_gridX = v ? m_savedGridX : 1;
    m_gridY = v ? m_savedGridY : 1;
}

void TQHandle::SetBounds(const QRect& bounds)
{
    const int dl = bounds.left() - x();
    const int dt = bounds.top() - y();
    const int dw = bounds.width() - width();
    const int dh = bounds.height() - height();
    bool anyLocked = false;
    for (TQGraphicControl* o : std::as_const(m_selection)) {
        if (o->Locked()) {
            anyLocked = true;
            continue;
        }
        const QRect r = o->ScreenRect();
        o->SetScreenRect(QRect(r.x() + dl, r.y() + dt, r.width() + dw, r.height() + dh));
    }
    setGeometry(bounds);
    // Locked objects stayed behind: the handle must end up around them too.
    if (anyLocked)
        m_surface->PostRefitSelection();
}

QRect TQHandle::ComputeNewBounds(int x, int y) const
{
    const int l = this->x(), t = this->y(), w = width(), h = height();
    const int sx = m_dragStart.x(), sy = m_dragStart.y();
    int left = l, top = t, newWidth = w, newHeight = h;
    switch (m_hitZone) {
    case hzMove:
        left = SnapX(x + l - sx);
        top = SnapY(y + t - sy);
        break;
    case hzTopLeft:
        left = SnapX(x + l - sx);
        top = SnapY(y + t - sy);
        newWidth = w + l - left;
        newHeight = h + t - top;
        break;
    case hzTopRight:
        top = SnapY(y + t - sy);
        newWidth = SnapX(x + w - sx) - 1;
        newHeight = h + t - top;
        break;
    case hzBottomLeft:
        left = SnapX(x + l - sx);
        newWidth = w + l - left;
        newHeight = SnapY(y + h - sy) - 1;
        break;
    case hzBottomRight:
        newWidth = SnapX(x + w - sx) - 1;
        newHeight = SnapY(y + h - sy) - 1;
        break;
    case hzTop:
        top = SnapY(y + t - sy);
        newHeight = h + t - top;
        break;
    case hzLeft:
        left = SnapX(x + l - sx);
        newWidth = w + l - left;
        break;
    case hzBottom:
        newHeight = SnapY(y + h - sy) - 1;
        break;
    case hzRight:
        newWidth = SnapX(x + w - sx) - 1;
        break;
    }
    return QRect(left, top, std::max(newWidth, kMinHandleSize), std::max(newHeight, kMinHandleSize));
}

void TQHandle::drawFeedback(int x, int y, bool draw)
{
    m_feedbackRect = QRect();
    if (!draw) {
        m_surface->SetDragOutline(std::nullopt);
        return;
    }
    const QRect b = ComputeNewBounds(x, y);
    m_surface->SetDragOutline(TRect{b.left() + 2, b.top() + 2, b.left() + b.width() - 3, b.top() + b.height() - 3});
    m_feedbackRect = b;
}

QPoint TQHandle::clampToSurface(QPoint p) const
{
    return {std::clamp(p.x() + x(), 0, m_surface->width()) - x(),
            std::clamp(p.y() + y(), 0, m_surface->height()) - y()};
}

void TQHandle::paintEvent(QPaintEvent*)
{
    if (m_surface->PaintingSuspended())
        return;
    QPainter painter(this);
    painter.translate(-pos());
    for (const TQGraphicControl* o : std::as_const(m_selection))
        drawSquares(painter, *o);
}

void TQHandle::drawSquares(QPainter& surfaceCanvas, const TQGraphicControl& object) const
{
    const bool single = Count() == 1;
    const QColor color = ToQColor(single ? Color() : SecondaryColor());
    const QRect b = object.ScreenRect();
    const TRect r{b.left() - 2, b.top() - 2, b.left() + b.width() + 2, b.top() + b.height() + 2};
    const auto square = [&](int left, int top) { surfaceCanvas.fillRect(QRect(left, top, 5, 5), color); };
    square(r.left, r.top);
    square(r.right - 5, r.top);
    square(r.right - 5, r.bottom - 5);
    square(r.left, r.bottom - 5);
    if (!single)
        return;
    const int m = r.width() / 2;
    const int n = r.height() / 2;
    square(r.left + m - 2, r.top);
    square(r.left + m - 2, r.bottom - 5);
    square(r.left, r.top + n - 2);
    square(r.right - 5, r.top + n - 2);
}

void TQHandle::press(QMouseEvent* event)
{
    const QPoint local = event->position().toPoint();
    const QPoint p = local + pos();
    m_pressTime = TickCount();
    if (m_surface->Pointing() && event->button() == Qt::LeftButton) {
        if (!m_locked) {
            m_dragStart = local;
            m_dragging = true;
        }
        m_surface->HandleMouseDown(p, event->modifiers());
        return;
    }
    if (event->button() == Qt::RightButton) {
        if (QWidget::mouseGrabber() == this)
            releaseMouse();
        TQGraphicControl* hit = SelectedAt(p);
        if (hit && Count() == 1)
            PopupObjectMenu(hit, event->globalPosition().toPoint());
        else
            m_surface->SurfaceMenu()->popup(event->globalPosition().toPoint());
        return;
    }
    setCursor(Qt::ArrowCursor);
    ForwardMouse(QEvent::MouseButtonPress, event->button(), p);
}

void TQHandle::mousePressEvent(QMouseEvent* event)
{
    press(event);
}

void TQHandle::mouseDoubleClickEvent(QMouseEvent* event)
{
    m_doubleClicked = true;
    m_surface->DoubleClickFromHandle(event->position().toPoint() + pos(), event->globalPosition().toPoint());
    // The second press of a double-click is still a press.
    if (QApplication::activePopupWidget() == nullptr)
        press(event);
}

void TQHandle::mouseMoveEvent(QMouseEvent* event)
{
    QPoint local = event->position().toPoint();
    if (m_doubleClicked)
        m_dragging = false;
    m_doubleClicked = false;
    if (!m_surface->Pointing()) {
        setCursor(Qt::DragMoveCursor);
        m_surface->HandleMouseMove(local + pos());
        return;
    }
    const bool leftDown = event->buttons() & Qt::LeftButton;
    if (!leftDown || m_dragging || m_locked) {
        if (!leftDown && QWidget::mouseGrabber() == this)
            releaseMouse();
        THitZone zone = hzMove;
        if (!m_dragging)
            setCursor(Qt::ClosedHandCursor);
        if (Count() == 1) {
            const int w = width(), h = height();
            const int x = local.x(), y = local.y();
            const auto zoneIf = [&](bool hit, THitZone z, Qt::CursorShape shape) {
                if (hit) {
                    zone = z;
                    setCursor(shape);
                }
            };
            const bool atLeft = std::abs(x) < kEdgeReach, atRight = std::abs(x - w) < kEdgeReach;
            const bool atTop = std::abs(y) < kEdgeReach, atBottom = std::abs(y - h) < kEdgeReach;
            const bool midX = std::abs(x - w * 0.5) < kMiddleReach, midY = std::abs(y - h * 0.5) < kMiddleReach;
            zoneIf(atLeft && atTop, hzTopLeft, Qt::SizeFDiagCursor);
            zoneIf(atRight && atBottom, hzBottomRight, Qt::SizeFDiagCursor);
            zoneIf(atRight && atTop, hzTopRight, Qt::SizeBDiagCursor);
            zoneIf(atLeft && atBottom, hzBottomLeft, Qt::SizeBDiagCursor);
            zoneIf(midX && atTop, hzTop, Qt::SizeVerCursor);
            zoneIf(midX && atBottom, hzBottom, Qt::SizeVerCursor);
            zoneIf(midY && atLeft, hzLeft, Qt::SizeHorCursor);
            zoneIf(midY && atRight, hzRight, Qt::SizeHorCursor);
        }
        if (m_locked)
            setCursor(Qt::ForbiddenCursor);
        if (m_dragging) {
            local = clampToSurface(local);
            drawFeedback(local.x(), local.y(), true);
        } else {
            m_hitZone = zone;
        }
    } else if (m_pressTime > 0 && TickCount() - m_pressTime > 10) {
        // A press that selected an object becomes a drag once the pointer moves a moment later.
        m_dragStart = local;
        m_dragging = true;
    }
    m_surface->HandleMouseMove(event->position().toPoint() + pos());
}

void TQHandle::mouseReleaseEvent(QMouseEvent* event)
{
    QPoint local = event->position().toPoint();
    const QPoint p = local + pos();
    if (m_dragging && TickCount() - m_pressTime < 150)
        m_dragStart = local; // a quick click never moves anything
    m_pressTime = 0;
    if (!m_dragging || event->button() != Qt::LeftButton) {
        ForwardMouse(QEvent::MouseButtonRelease, event->button(), p);
    } else {
        local = clampToSurface(local);
        if (local != m_dragStart) {
            update();
            SetBounds(ComputeNewBounds(local.x(), local.y()));
        }
        drawFeedback(0, 0, false);
        if (isVisible() && isEnabled())
            setFocus();
        m_dragging = false;
        unsetCursor();
        if (QWidget::mouseGrabber() == this)
            releaseMouse();
        m_surface->HandleMouseUp(p, event->button(), event->modifiers());
    }
    update();
}

void TQHandle::leaveEvent(QEvent* event)
{
    if (!m_dragging)
        setCursor(m_surface->Pointing() ? Qt::ArrowCursor : Qt::DragMoveCursor);
    QWidget::leaveEvent(event);
}

void TQHandle::nudge(int key, bool resize)
{
    TRect& r = m_nudgeRect;
    const int w = r.right - r.left + 1;
    const int h = r.bottom - r.top + 1;
    // The one selected object's size if the nudge were applied now.
    const TQGraphicControl* single = Count() == 1 ? m_selection.first() : nullptr;
    const int objectWidth = single ? single->ScreenRect().width() + r.width() - m_nudgeStart.width() : 0;
    const int objectHeight = single ? single->ScreenRect().height() + r.height() - m_nudgeStart.height() : 0;
    switch (key) {
    case Qt::Key_Left:
        if (resize) {
            if (objectWidth > kMinNudgedSize)
                --r.right;
        } else if (r.left > 0) {
            --r.left;
            --r.right;
        }
        break;
    case Qt::Key_Up:
        if (resize) {
            if (objectHeight > kMinNudgedSize)
                --r.bottom;
        } else if (r.top > 0) {
            --r.top;
            --r.bottom;
        }
        break;
    case Qt::Key_Right:
        if (m_surface->width() >= w + r.left) {
            if (!resize)
                ++r.left;
            ++r.right;
        }
        break;
    case Qt::Key_Down:
        if (m_surface->height() >= h + r.top) {
            if (!resize)
                ++r.top;
            ++r.bottom;
        }
        break;
    default:
        break;
    }
}

void TQHandle::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    const bool arrow = key == Qt::Key_Left || key == Qt::Key_Up || key == Qt::Key_Right || key == Qt::Key_Down;
    if (arrow && !m_locked && !m_selection.isEmpty()) {
        if (!m_keyNudging) {
            m_keyNudging = true;
            m_nudgeRect = {x() + 2, y() + 2, x() + width() - 3, y() + height() - 3};
            m_nudgeStart = m_nudgeRect;
        }
        nudge(key, (event->modifiers() & Qt::ShiftModifier) && Count() == 1);
    }
    m_surface->KeyDown(event);
    if (m_keyNudging)
        m_surface->SetDragOutline(m_nudgeRect);
}

void TQHandle::keyReleaseEvent(QKeyEvent* event)
{
    // Held keys add up in the outline and are applied once, when the key finally comes up.
    if (!m_keyNudging || event->isAutoRepeat()) {
        QWidget::keyReleaseEvent(event);
        return;
    }
    m_keyNudging = false;
    m_surface->SetDragOutline(std::nullopt);
    const int w = m_nudgeRect.right - m_nudgeRect.left + 1;
    const int h = m_nudgeRect.bottom - m_nudgeRect.top + 1;
    SetBounds(QRect(m_nudgeRect.left - 2, m_nudgeRect.top - 2, w + 4, h + 4));
    update();
    m_surface->update();
}

void TQHandle::ForwardMouse(QEvent::Type type, Qt::MouseButton button, QPoint p)
{
    QWidget* target = m_surface;
    QPoint local = p;
    for (QObject* child : m_surface->children()) {
        auto* w = qobject_cast<QWidget*>(child);
        if (!w || w == this || !w->isVisible() || w->testAttribute(Qt::WA_TransparentForMouseEvents))
            continue;
        if (w->geometry().contains(p)) {
            target = w;
            local = p - w->pos();
            break;
        }
    }
    const Qt::MouseButtons buttons = type == QEvent::MouseButtonPress ? Qt::MouseButtons(button) : Qt::NoButton;
    QMouseEvent forwarded(type, QPointF(local), target->mapToGlobal(QPointF(local)), button, buttons, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &forwarded);
}
