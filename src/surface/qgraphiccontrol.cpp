#include "qgraphiccontrol.h"

#include "qbasepanel.h"
#include "qhandle.h"

#include "platform/rounding.h"
#include "platform/screenmetrics.h"
#include "report/reportprinter.h"

#include <QMenu>
#include <QPainter>

TQGraphicControl::TQGraphicControl(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_NoSystemBackground);
    // Hovering shows the surface's pointing cursor.
    setMouseTracking(true);
}

TQGraphicControl::~TQGraphicControl()
{
    // The selection must never hold a freed object, whoever frees it.
    if (TQBasePanel* surface = Surface())
        surface->SelectionHandle()->Deselect(this);
}

TQBasePanel* TQGraphicControl::Surface() const
{
    return qobject_cast<TQBasePanel*>(parentWidget());
}

void TQGraphicControl::Loaded()
{
    m_loading = false;
    if (!m_objectMenu)
        buildObjectMenu();
}

void TQGraphicControl::buildObjectMenu()
{
    m_objectMenu = new QMenu(this);
    QMenu* menu = m_objectMenu;
    menu->addAction(QStringLiteral("Bring To Front"), this, [this] {
        NotifyChanged();
        raise();
    });
    menu->addAction(QStringLiteral("Send To Back"), this, [this] {
        NotifyChanged();
        lower();
        if (TQBasePanel* surface = Surface())
            surface->SelectionHandle()->ClearSelection();
    });
    const auto clipboard = [this](TClipboardCommand command, bool notify) {
        TQBasePanel* surface = Surface();
        if (!surface)
            return;
        if (notify)
            NotifyChanged();
        surface->ObjectClipboard(this, command);
    };
    menu->addAction(QStringLiteral("Cut"), this, [clipboard] { clipboard(ccCut, true); });
    menu->addAction(QStringLiteral("Copy"), this, [clipboard] { clipboard(ccCopy, false); });
    menu->addAction(QStringLiteral("Delete"), this, [clipboard] { clipboard(ccDelete, true); });
    menu->addAction(QStringLiteral("Clone"), this, [this] { CloneObject(); });
    menu->addSeparator();
    m_lockedMenuItem = menu->addAction(QStringLiteral("Locked"), this, [this] {
        SetLocked(!m_locked);
        m_lockedMenuItem->setChecked(m_locked);
        NotifyChanged();
    });
    m_lockedMenuItem->setCheckable(true);
    m_lockedMenuItem->setChecked(m_locked);
    menu->addAction(QStringLiteral("Unselectable"), this, [this] {
        SetUnselectable(true);
        NotifyChanged();
        if (TQBasePanel* surface = Surface())
            surface->SelectionHandle()->Deselect(this);
    });
    menu->addSeparator();
    menu->addAction(QStringLiteral("Center Vertically"), this, [this] { CenterVertically(); });
    menu->addAction(QStringLiteral("Center Horizontally"), this, [this] { CenterHorizontally(); });
    connect(menu, &QMenu::aboutToShow, this, [this] { PopupOpening(); });
}

void TQGraphicControl::PopupObjectMenu(QPoint globalPos)
{
    if (m_objectMenu)
        m_objectMenu->popup(globalPos);
}

void TQGraphicControl::SetLocked(bool v)
{
    if (v == m_locked)
        return;
    m_locked = v;
    if (m_loading)
        return;
    if (m_lockedMenuItem)
        m_lockedMenuItem->setChecked(v);
    NotifyChanged();
}

void TQGraphicControl::SetUnselectable(bool v)
{
    if (v == m_unselectable)
        return;
    m_unselectable = v;
    if (m_loading)
        return;
    NotifyChanged();
    if (v) {
        if (TQBasePanel* surface = Surface())
            surface->SelectionHandle()->Deselect(this);
    }
}

void TQGraphicControl::NotifyChanged()
{
    TQBasePanel* surface = Surface();
    if (surface && !surface->Printing())
        surface->NotifyChange();
}

void TQGraphicControl::BoundsChanged()
{
    if (m_paintBusy)
        return;
    m_paintBusy = true;
    const TRect bounds = BoundsRect();
    if (m_lastBounds == TRect{})
        m_lastBounds = bounds;
    if (bounds != m_lastBounds) {
        NotifyChanged();
        m_lastBounds = bounds;
        // Deferred, so that a whole group move finishes before the handle is refitted.
        if (TQBasePanel* surface = Surface())
            surface->PostRefitSelection();
    }
    m_paintBusy = false;
}

void TQGraphicControl::PopupOpening() {}

void TQGraphicControl::ApplyFont(const FontDescription&) {}

QRect TQGraphicControl::PrintTarget(const TReportPrinter& report, double x, double y) const
{
    const double pixelsPerInch = double(ScreenPixelsPerInch()) * m_scale;
    return report.InchRectToDevice(x + Left() / pixelsPerInch, y + Top() / pixelsPerInch,
                                   x + (Left() + Width()) / pixelsPerInch, y + (Top() + Height()) / pixelsPerInch);
}

void TQGraphicControl::PrintTo(TReportPrinter& report, double x, double y)
{
    // Laid out first: the target must be the bounds the drawing fills, or it is stretched into stale ones.
    SettleBounds();
    const QRect target = PrintTarget(report, x, y);
    QPainter& canvas = report.Canvas();
    canvas.save();
    canvas.setFont(font());
    Draw(canvas, target, DeviceProfile::Paper(report.XPixelsPerInch(), report.YPixelsPerInch()));
    canvas.restore();
}

void TQGraphicControl::Draw(QPainter&, const QRect&, const DeviceProfile&) {}

void TQGraphicControl::Paint(QPainter& canvas)
{
    SettleBounds();
    Draw(canvas, rect(), DeviceProfile::Screen(m_scale));
}

void TQGraphicControl::PaintTo(QPainter& canvas, int x, int y)
{
    canvas.save();
    canvas.translate(x, y);
    canvas.setFont(font());
    try {
        Paint(canvas);
    } catch (...) {
        canvas.restore();
        throw;
    }
    canvas.restore();
}

void TQGraphicControl::DrawSelectionSquares(QPainter& surfaceCanvas) const
{
    TQBasePanel* surface = Surface();
    if (!surface)
        return;
    const TQHandle* handle = surface->SelectionHandle();
    if (handle->IndexOf(this) < 0)
        return;
    const bool single = handle->Count() == 1;
    const QColor color = ToQColor(single ? handle->Color() : handle->SecondaryColor());
    const TRect r{Left() - 2, Top() - 2, Left() + Width() + 2, Top() + Height() + 2};
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

void TQGraphicControl::SetScale(float factor)
{
    if (factor == m_scale)
        return;
    const float ratio = factor / m_scale;
    setGeometry(RoundHalfEven(x() * ratio), RoundHalfEven(y() * ratio), RoundHalfEven(width() * ratio),
                RoundHalfEven(height() * ratio));
    m_scale = factor;
    BoundsChanged();
}

TQGraphicControl* TQGraphicControl::CloneObject()
{
    TQBasePanel* surface = Surface();
    if (!surface)
        return nullptr;
    TQGraphicControl* copy = surface->CloneComponent(this);
    if (!copy)
        return nullptr;
    copy->SetTop(Top() + 25);
    copy->raise();
    TQHandle* handle = surface->SelectionHandle();
    if (handle->IndexOf(this) >= 0) {
        handle->Deselect(this);
        handle->Select(copy);
    }
    surface->HookAllObjects();
    NotifyChanged();
    return copy;
}

void TQGraphicControl::CenterVertically()
{
    TQBasePanel* parent = Surface();
    if (!parent)
        return;
    SetTop(parent->height() / 2 - Height() / 2);
    NotifyChanged();
    parent->update();
}

void TQGraphicControl::CenterHorizontally()
{
    TQBasePanel* parent = Surface();
    if (!parent)
        return;
    SetLeft(parent->width() / 2 - Width() / 2);
    NotifyChanged();
    parent->update();
}

void TQGraphicControl::paintEvent(QPaintEvent*)
{
    TQBasePanel* surface = Surface();
    if (surface && surface->SuspendPaint)
        return;
    QPainter painter(this);
    Paint(painter);
}

void TQGraphicControl::moveEvent(QMoveEvent*)
{
    if (!m_loading)
        BoundsChanged();
}

void TQGraphicControl::resizeEvent(QResizeEvent*)
{
    if (!m_loading)
        BoundsChanged();
}

void TQGraphicControl::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange && !m_loading)
        NotifyChanged();
}

void TQGraphicControl::leaveEvent(QEvent* event)
{
    if (TQBasePanel* surface = Surface())
        setCursor(surface->Pointing() ? Qt::ArrowCursor : Qt::DragMoveCursor);
    QWidget::leaveEvent(event);
}

bool TQGraphicControl::AcceptValue(bool valid, const char* property, qint64 value)
{
    if (!valid && m_loading)
        NoteIgnoredValue(property, value);
    return valid;
}

void TQGraphicControl::NoteIgnoredValue(const char* property, qint64 value)
{
    m_ignoredValues.append(QStringLiteral("%1 %2").arg(QLatin1String(property)).arg(value));
}
