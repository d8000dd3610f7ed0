#include "qbasepanel.h"

#include "qgraphiccontrol.h"

#include "platform/programfolder.h"
#include "platform/rounding.h"

#include <QCoreApplication>
#include <QFile>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

TQBasePanel::TQBasePanel(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::ClickFocus);
    ClipboardFile = UserFilePath(QStringLiteral("Clipbrd.tmp"));
    TempFile = UserFilePath(QStringLiteral("TempFile.tmp"));
}

TQBasePanel::~TQBasePanel()
{
    if (QFile::exists(ClipboardFile))
        QFile::remove(ClipboardFile);
    if (QFile::exists(TempFile))
        QFile::remove(TempFile);
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
    update();
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
    m_scaling = true;
    if (m_scale * 10 == 0)
        m_scale = 1;
    const float ratio = factor / m_scale;
    resize(RoundHalfEven(width() * ratio), RoundHalfEven(height() * ratio));
    m_scale = factor;
    for (TQGraphicControl* object : PlacedObjects())
        object->SetScale(factor);
    QCoreApplication::processEvents();
    m_scaling = false;
}

QList<TQGraphicControl*> TQBasePanel::PlacedObjects() const
{
    return findChildren<TQGraphicControl*>(QString(), Qt::FindDirectChildrenOnly);
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
    object->hide();
    object->setParent(this);
    object->setObjectName(UniqueName(QStringLiteral("Special")));
    object->setGeometry(r.left, r.top, std::max(r.width(), 10), std::max(r.height(), 15));
    HookObject(object);
    object->SetScale(m_scale);
    object->show();
    NotifyChange();
    QCoreApplication::processEvents();
}

void TQBasePanel::HookObject(TQGraphicControl* object)
{
    object->removeEventFilter(this);
    object->installEventFilter(this);
}

void TQBasePanel::HookAllObjects()
{
    for (TQGraphicControl* object : PlacedObjects()) {
        HookObject(object);
        object->SetScale(m_scale);
    }
}

void TQBasePanel::ClearObjects()
{
    const QList<TQGraphicControl*> objects = PlacedObjects();
    for (qsizetype i = objects.size() - 1; i >= 0; --i)
        delete objects[i];
}

bool TQBasePanel::HasObjectAt(int x, int y) const
{
    for (const TQGraphicControl* object : PlacedObjects()) {
        if (object->geometry().contains(x, y))
            return true;
    }
    return false;
}

void TQBasePanel::NotifyChange()
{
    if (m_scaling || SuspendNotify)
        return;
    emit LabelChangedEvent(this);
}

void TQBasePanel::DropObject(TRect) {}

QPainterPath TQBasePanel::shapePath() const
{
    QPainterPath path;
    const QRectF r(0, 0, width() + 1, height() + 1);
    switch (m_shape) {
    case lsRectangle: path.addRect(r); break;
    case lsRoundRect: path.addRoundedRect(r, 12, 12); break;
    case lsEllipse: path.addEllipse(r); break;
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
        case lsRectangle: painter.drawRect(r); break;
        case lsRoundRect: painter.drawRoundedRect(r, 12, 12); break;
        case lsEllipse: painter.drawEllipse(r); break;
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
    if (!m_bandActive)
        return;
    const TRect b = m_bandRect;
    const QRect r = QRect(QPoint(std::min(b.left, b.right), std::min(b.top, b.bottom)),
                          QPoint(std::max(b.left, b.right), std::max(b.top, b.bottom)));
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setBrush(Qt::NoBrush);
    // White dots over black dashes stay visible on any paper.
    painter.setPen(QPen(Qt::black, 0, Qt::SolidLine));
    painter.drawRect(r);
    painter.setPen(QPen(Qt::white, 0, Qt::DotLine));
    painter.drawRect(r);
    painter.restore();
}

void TQBasePanel::paintEvent(QPaintEvent* event)
{
    if (SuspendPaint)
        return;
    QPainter painter(this);
    PaintPaper(painter, event->rect());
    PaintBand(painter);
}

void TQBasePanel::bandPress(QPoint p, Qt::MouseButton button)
{
    m_bandRect = {p.x(), p.y(), p.x(), p.y()};
    if (button == Qt::LeftButton) {
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

void TQBasePanel::bandRelease(QPoint p)
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
    if (!m_pointing) {
        DropObject(m_bandRect);
        emit DroppedObjectEvent(m_bandRect);
    } else {
        unsetCursor();
    }
}

void TQBasePanel::mousePressEvent(QMouseEvent* event)
{
    bandPress(event->position().toPoint(), event->button());
}

void TQBasePanel::mouseMoveEvent(QMouseEvent* event)
{
    bandMove(event->position().toPoint());
}

void TQBasePanel::mouseReleaseEvent(QMouseEvent* event)
{
    bandRelease(event->position().toPoint());
}

void TQBasePanel::mouseDoubleClickEvent(QMouseEvent*)
{
    emit OnDblClick();
}

void TQBasePanel::ObjectMouseDown(TQGraphicControl* object, QMouseEvent* event)
{
    // In tool mode, and on unselectable objects, the press goes through to the surface.
    if (!m_pointing || object->Unselectable())
        bandPress(object->geometry().topLeft() + event->position().toPoint(), event->button());
}

bool TQBasePanel::eventFilter(QObject* watched, QEvent* event)
{
    auto* object = qobject_cast<TQGraphicControl*>(watched);
    if (!object || object->parentWidget() != this)
        return QWidget::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        ObjectMouseDown(object, static_cast<QMouseEvent*>(event));
        return true;
    case QEvent::MouseMove:
        if (m_pointing)
            object->setCursor(Qt::PointingHandCursor);
        bandMove(object->geometry().topLeft() + static_cast<QMouseEvent*>(event)->position().toPoint());
        return true;
    case QEvent::MouseButtonRelease:
        bandRelease(object->geometry().topLeft() + static_cast<QMouseEvent*>(event)->position().toPoint());
        return true;
    default:
        return QWidget::eventFilter(watched, event);
    }
}
