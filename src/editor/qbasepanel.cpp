#include "qbasepanel.h"

#include "document/qgraphiccontrol.h"
#include "objectmenu.h"
#include "qhandle.h"
#include "render/calendarpagerender.h"

#include "platform/programfolder.h"
#include "platform/rounding.h"

#include <QFile>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QToolTip>

#include <utility>

namespace {

// Shows the handle's drag and nudge outline above the objects; the mouse passes through it.
class OutlineOverlay : public QWidget
{
public:
    explicit OutlineOverlay(TQBasePanel* surface) : QWidget(surface), m_surface(surface)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_NoSystemBackground);
        hide();
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        if (const auto outline = m_surface->DragOutline()) {
            QPainter painter(this);
            DrawBand(painter, *outline);
        }
    }

private:
    TQBasePanel* m_surface;
};

} // namespace

void DrawBand(QPainter& painter, TRect r)
{
    const int left = std::min(r.left, r.right), right = std::max(r.left, r.right);
    const int top = std::min(r.top, r.bottom), bottom = std::max(r.top, r.bottom);
    if (right - left < 1 || bottom - top < 1)
        return;
    const QRect outline(left, top, right - left - 1, bottom - top - 1);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setBrush(Qt::NoBrush);
    // White dots over black stay visible on any paper.
    painter.setPen(QPen(Qt::black, 0, Qt::SolidLine));
    painter.drawRect(outline);
    painter.setPen(QPen(Qt::white, 0, Qt::DotLine));
    painter.drawRect(outline);
    painter.restore();
}

TQBasePanel::TQBasePanel(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::ClickFocus);
    // Hovering a placed object shows the pointing hand.
    setMouseTracking(true);
    m_clipboardFile = UserFilePath(QStringLiteral("Clipbrd.tmp"));
    m_tempFile = UserFilePath(QStringLiteral("TempFile.tmp"));
    m_handle = new TQHandle(this);
    m_outlineOverlay = new OutlineOverlay(this);
    m_lastFont = SurfaceFont();
    buildSurfaceMenu();
}

FontDescription TQBasePanel::SurfaceFont()
{
    return {QStringLiteral("Arial"), 8, 0, clBlack};
}

TQBasePanel::~TQBasePanel()
{
    // The objects go while the surface and its handle are whole: they leave the selection as they go.
    qDeleteAll(PlacedObjects());
    if (!m_ownsScratchFiles)
        return;
    if (QFile::exists(m_clipboardFile))
        QFile::remove(m_clipboardFile);
    if (QFile::exists(m_tempFile))
        QFile::remove(m_tempFile);
}

void TQBasePanel::SetDrawOutline(bool v)
{
    if (v == m_drawOutline)
        return;
    m_drawOutline = v;
    update();
}

void TQBasePanel::SetShape(TLabelShapeType v)
{
    if (v == m_shape)
        return;
    m_shape = v;
    update();
}

void TQBasePanel::SetGridSize(TGridSize v)
{
    if (v == m_gridSize)
        return;
    m_gridSize = v;
    const int step = v == gs4x4 ? 4 : 8;
    m_handle->SetGridX(step);
    m_handle->SetGridY(step);
    update();
}

void TQBasePanel::SetSnapToGrid(bool v)
{
    if (v == m_snapToGrid)
        return;
    m_snapToGrid = v;
    m_handle->SetSnapToGrid(v);
    if (v) {
        const int step = m_gridSize == gs4x4 ? 4 : 8;
        m_handle->SetGridX(step);
        m_handle->SetGridY(step);
    }
}

void TQBasePanel::SetShowGrid(bool v)
{
    if (v == m_showGrid)
        return;
    m_showGrid = v;
    update();
}

void TQBasePanel::SetPicture(const QImage& picture)
{
    m_picture = picture;
    update();
}

void TQBasePanel::SetColorPicture(const QImage& picture)
{
    m_colorPicture = picture;
    update();
}

void TQBasePanel::SetScale(float factor)
{
    if (factor == m_scale)
        return;
    if (m_scale * 10 == 0)
        m_scale = 1;
    const float ratio = factor / m_scale;
    resize(RoundHalfEven(width() * ratio), RoundHalfEven(height() * ratio));
    m_scale = factor;
    m_handle->RefitToSelection();
    update();
}

QList<TQGraphicControl*> TQBasePanel::PlacedObjects() const
{
    return findChildren<TQGraphicControl*>(QString(), Qt::FindDirectChildrenOnly);
}

QSize TQBasePanel::PageSize() const
{
    return QSize(RoundHalfEven(width() / m_scale), RoundHalfEven(height() / m_scale));
}

void TQBasePanel::PaintObjects(QPainter& canvas, const QRect& area)
{
    PaintPlacedObjects(canvas, PlacedObjects(), m_scale, area);
}

void TQBasePanel::PrintObjects(TReportPrinter& report, double x, double y)
{
    for (TQGraphicControl* object : PlacedObjects())
        object->PrintTo(report, x, y);
}

QObject* TQBasePanel::Owner() const
{
    QObject* owner = const_cast<TQBasePanel*>(this);
    while (owner->parent())
        owner = owner->parent();
    return owner;
}

QString TQBasePanel::UniqueName(const QString& prefix) const
{
    QSet<QString> taken;
    const QObject* owner = Owner();
    taken.insert(owner->objectName().toUpper());
    for (const QObject* o : owner->findChildren<QObject*>())
        taken.insert(o->objectName().toUpper());
    for (int i = 1; i <= 1000; ++i) {
        const QString name = prefix + QString::number(i);
        if (!taken.contains(name.toUpper()))
            return name;
    }
    return {};
}

void TQBasePanel::PlaceObject(TQGraphicControl* object, TRect r)
{
    object->setParent(this);
    object->setObjectName(UniqueName(QStringLiteral("Special")));
    // The rectangle was dragged out at the current zoom.
    const double z = m_scale;
    object->SetBounds(QRect(RoundHalfEven(r.left / z), RoundHalfEven(r.top / z),
                            RoundHalfEven(std::max(r.width(), 10) / z), RoundHalfEven(std::max(r.height(), 15) / z)));
    HookObject(object);
    update();
    NotifyChange();
}

void TQBasePanel::HookObject(TQGraphicControl* object)
{
    if (object->IsLoading())
        object->Loaded();
    if (!object->DblClickAction)
        object->DblClickAction = DoubleClickAction(object);
}

void TQBasePanel::HoldNotifications(bool hold)
{
    if (hold) {
        if (m_notifyHolds++ == 0)
            m_notifyBeforeHolds = std::exchange(m_notifySuspended, true);
    } else if (m_notifyHolds > 0 && --m_notifyHolds == 0) {
        m_notifySuspended = m_notifyBeforeHolds;
    }
}

void TQBasePanel::HookAllObjects()
{
    for (TQGraphicControl* object : PlacedObjects())
        HookObject(object);
    update();
}

void TQBasePanel::ClearObjects()
{
    m_handle->ClearSelection();
    const QList<TQGraphicControl*> objects = PlacedObjects();
    for (qsizetype i = objects.size() - 1; i >= 0; --i)
        delete objects[i];
}

bool TQBasePanel::HasObjectAt(int x, int y) const
{
    return ObjectAt(QPoint(x, y)) != nullptr;
}

TQGraphicControl* TQBasePanel::ObjectAt(QPoint p) const
{
    const QList<TQGraphicControl*> objects = PlacedObjects();
    for (qsizetype i = objects.size() - 1; i >= 0; --i) {
        if (objects[i]->ScreenRect().contains(p))
            return objects[i];
    }
    return nullptr;
}

void TQBasePanel::NotifyChange()
{
    if (m_notifySuspended)
        return;
    emit LabelChangedEvent(this);
}

void TQBasePanel::ObjectNeedsRepaint(TQGraphicControl&)
{
    update();
}

void TQBasePanel::ObjectChanged(TQGraphicControl&)
{
    if (!m_printing)
        NotifyChange();
}

void TQBasePanel::ObjectMoved(TQGraphicControl&)
{
    PostRefitSelection();
}

void TQBasePanel::ObjectWithdrawn(TQGraphicControl& object)
{
    m_handle->Deselect(&object);
}

TQBasePanel* SurfaceOf(const TQGraphicControl& object)
{
    return qobject_cast<TQBasePanel*>(object.parent());
}

QWidget* WindowOf(const TQGraphicControl& object)
{
    TQBasePanel* surface = SurfaceOf(object);
    return surface ? surface->window() : nullptr;
}

void TQBasePanel::PostRefitSelection()
{
    QMetaObject::invokeMethod(this, "RefitSelection", Qt::QueuedConnection);
}

void TQBasePanel::RefitSelection()
{
    m_handle->RefitToSelection();
}

bool TQBasePanel::DropObject(TRect)
{
    return false;
}

void TQBasePanel::SetDragOutline(std::optional<TRect> outline)
{
    if (outline == m_dragOutline)
        return;
    m_dragOutline = outline;
    if (outline) {
        m_outlineOverlay->setGeometry(rect());
        m_outlineOverlay->raise();
        m_outlineOverlay->show();
        m_outlineOverlay->update();
    } else {
        m_outlineOverlay->hide();
    }
}

void TQBasePanel::SelectInRect(TRect r, bool shift)
{
    QList<TQGraphicControl*> list;
    if (shift)
        list = m_handle->Selection();
    m_handle->ClearSelection();
    const QList<TQGraphicControl*> objects = PlacedObjects();
    for (qsizetype i = objects.size() - 1; i >= 0; --i) {
        TQGraphicControl* object = objects[i];
        if (!TRect::fromQRect(object->ScreenRect()).intersects(r))
            continue;
        if (shift && list.contains(object))
            list.removeOne(object);
        else
            list.append(object);
    }
    for (TQGraphicControl* object : std::as_const(list))
        m_handle->Select(object);
}

QPainterPath TQBasePanel::shapePath() const
{
    QPainterPath path;
    const QRectF r(0, 0, width() + 1, height() + 1);
    switch (m_shape) {
    case lsRectangle:
        path.addRect(r);
        break;
    case lsRoundRect:
        path.addRoundedRect(r, 12, 12);
        break;
    case lsEllipse:
        path.addEllipse(r);
        break;
    }
    return path;
}

void TQBasePanel::PaintPaper(QPainter& painter, const QRect& area) const
{
    painter.fillRect(area, Qt::white);
    if (!m_picture.isNull() || !m_colorPicture.isNull()) {
        painter.save();
        painter.setClipPath(shapePath());
        if (!m_picture.isNull())
            painter.drawImage(rect(), m_picture);
        if (!m_colorPicture.isNull())
            painter.drawImage(rect(), m_colorPicture);
        painter.restore();
    }
    if (m_drawOutline) {
        painter.save();
        painter.setPen(QPen(Qt::black, 0));
        painter.setBrush(Qt::NoBrush);
        const QRect r(0, 0, width(), height());
        switch (m_shape) {
        case lsRectangle:
            painter.drawRect(r);
            break;
        case lsRoundRect:
            painter.drawRoundedRect(r, 12, 12);
            break;
        case lsEllipse:
            painter.drawEllipse(r);
            break;
        }
        painter.restore();
    }
    if (m_showGrid) {
        // Dark green dots every 4 (or 8) pixels, starting at 2, inside the shape.
        painter.save();
        painter.setClipPath(shapePath());
        painter.setPen(QPen(QColor(0, 128, 0), 0));
        const int step = m_gridSize == gs4x4 ? 4 : 8;
        const int x0 = 2 + ((area.left() - 2 + step - 1) / step) * step;
        const int y0 = 2 + ((area.top() - 2 + step - 1) / step) * step;
        for (int y = std::max(2, y0); y <= area.bottom(); y += step)
            for (int x = std::max(2, x0); x <= area.right(); x += step)
                painter.drawPoint(x, y);
        painter.restore();
    }
}

void TQBasePanel::PaintBand(QPainter& painter) const
{
    if (m_bandActive)
        DrawBand(painter, m_bandRect);
}

void TQBasePanel::paintEvent(QPaintEvent* event)
{
    if (m_paintSuspended)
        return;
    QPainter painter(this);
    PaintPaper(painter, event->rect());
    PaintObjects(painter, event->rect());
    PaintBand(painter);
}

void TQBasePanel::bandPress(QPoint p, Qt::MouseButton button)
{
    m_bandRect = {p.x(), p.y(), p.x(), p.y()};
    if (button == Qt::RightButton || button == Qt::MiddleButton) {
        m_surfaceMenu->popup(mapToGlobal(p));
    } else if (button == Qt::LeftButton) {
        m_bandActive = true;
        setCursor(Qt::PointingHandCursor);
    }
}

void TQBasePanel::bandMove(QPoint p)
{
    if (!m_bandActive)
        return;
    setCursor(Qt::PointingHandCursor);
    m_bandRect.right = p.x();
    m_bandRect.bottom = p.y();
    update();
}

void TQBasePanel::bandRelease(QPoint p, Qt::KeyboardModifiers modifiers)
{
    if (!m_bandActive)
        return;
    if (m_bandRect.right < m_bandRect.left) {
        m_bandRect.right = m_bandRect.left;
        m_bandRect.left = p.x();
    }
    if (m_bandRect.bottom < m_bandRect.top) {
        m_bandRect.bottom = m_bandRect.top;
        m_bandRect.top = p.y();
    }
    m_bandActive = false;
    update();
    if (m_pointing) {
        SelectInRect(m_bandRect, modifiers & Qt::ShiftModifier);
        m_handle->update();
        unsetCursor();
    } else {
        const bool placed = DropObject(m_bandRect);
        emit DroppedObjectEvent(m_bandRect, placed);
    }
}

void TQBasePanel::mousePressEvent(QMouseEvent* event)
{
    if (TQGraphicControl* object = ObjectAt(event->position().toPoint())) {
        ObjectMouseDown(object, event);
        return;
    }
    bandPress(event->position().toPoint(), event->button());
}

void TQBasePanel::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    if (!m_bandActive && !event->buttons())
        updateObjectCursor(p);
    bandMove(p);
}

void TQBasePanel::mouseReleaseEvent(QMouseEvent* event)
{
    bandRelease(event->position().toPoint(), event->modifiers());
}

void TQBasePanel::mouseDoubleClickEvent(QMouseEvent* event)
{
    TQGraphicControl* object = ObjectAt(event->position().toPoint());
    if (!object) {
        emit OnDblClick();
        return;
    }
    ObjectMouseDown(object, event);
    if (m_pointing && !object->Unselectable()) {
        if (QWidget::mouseGrabber() == m_handle)
            m_handle->releaseMouse();
        PopupObjectMenu(object, event->globalPosition().toPoint());
    }
    m_handle->SetDoubleClicked(true);
}

void TQBasePanel::updateObjectCursor(QPoint p)
{
    // Hovering a placed object shows the pointing hand; the rest of the surface keeps its own cursor.
    const bool overObject = m_pointing && ObjectAt(p);
    if (overObject == m_cursorOverObject)
        return;
    m_cursorOverObject = overObject;
    if (overObject)
        setCursor(Qt::PointingHandCursor);
    else
        ShowSurfaceCursor();
}

void TQBasePanel::ShowSurfaceCursor()
{
    unsetCursor();
}

bool TQBasePanel::event(QEvent* event)
{
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const TQGraphicControl* object = ObjectAt(help->pos());
        if (object && !object->Hint().isEmpty())
            QToolTip::showText(help->globalPos(), object->Hint(), this, object->ScreenRect());
        else
            QToolTip::hideText();
        return true;
    }
    return QWidget::event(event);
}

void TQBasePanel::keyPressEvent(QKeyEvent* event)
{
    KeyDown(event);
}

void TQBasePanel::KeyDown(QKeyEvent* event)
{
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    switch (event->key()) {
    case Qt::Key_C:
        if (ctrl)
            SelectionClipboard(ccCopy);
        break;
    case Qt::Key_V:
        if (ctrl)
            SelectionClipboard(ccPaste);
        break;
    case Qt::Key_X:
        if (ctrl)
            SelectionClipboard(ccCut);
        break;
    case Qt::Key_Delete:
        if (!ctrl)
            SelectionClipboard(ccDelete);
        break;
    default:
        break;
    }
}

void TQBasePanel::ObjectMouseDown(TQGraphicControl* object, QMouseEvent* event)
{
    // In tool mode, and on unselectable objects, the press goes through to the surface.
    if (!m_pointing || object->Unselectable()) {
        bandPress(event->position().toPoint(), event->button());
        return;
    }
    if (!(event->modifiers() & Qt::ShiftModifier))
        m_handle->ClearSelection();
    m_handle->Select(object);
    m_handle->update();
    if (m_handle->Count() == 1 && event->button() == Qt::RightButton) {
        if (QWidget::mouseGrabber() == m_handle)
            m_handle->releaseMouse();
        PopupObjectMenu(object, event->globalPosition().toPoint());
    }
}

void TQBasePanel::HandleMouseDown(QPoint p, Qt::KeyboardModifiers modifiers)
{
    if (!(modifiers & Qt::ShiftModifier))
        return;
    // Shift+click on the handle takes the objects under the point out of the selection.
    QList<TQGraphicControl*> keep = m_handle->Selection();
    m_handle->ClearSelection();
    for (qsizetype i = keep.size() - 1; i >= 0; --i) {
        if (keep[i]->ScreenRect().contains(p))
            keep.removeAt(i);
    }
    for (TQGraphicControl* object : std::as_const(keep))
        m_handle->Select(object);
}

void TQBasePanel::HandleMouseMove(QPoint p)
{
    bandMove(p);
}

void TQBasePanel::HandleMouseUp(QPoint p, Qt::MouseButton, Qt::KeyboardModifiers modifiers)
{
    bandRelease(p, modifiers);
}

void TQBasePanel::DoubleClickFromHandle(QPoint p, QPoint globalPos)
{
    if (m_handle->Count() <= 1) {
        if (TQGraphicControl* object = m_handle->SelectedAt(p)) {
            // What the double-click opens must get the mouse, not the handle that selected the object.
            if (QWidget::mouseGrabber() == m_handle)
                m_handle->releaseMouse();
            if (object->DblClickAction)
                object->DblClickAction(this);
            else
                PopupObjectMenu(object, globalPos);
        }
    }
    m_handle->SetDoubleClicked(true);
}
