#include "qgraphiccontrol.h"

#include "editor/qbasepanel.h"
#include "editor/qhandle.h"

#include "platform/rounding.h"
#include "platform/screenmetrics.h"
#include "report/reportprinter.h"

#include <QMenu>
#include <QPainter>

TQGraphicControl::TQGraphicControl(QObject* parent) : QObject(parent), m_bounds(0, 0, 100, 30) {}

TQGraphicControl::~TQGraphicControl()
{
    // The selection must never hold a freed object, whoever frees it.
    if (TQBasePanel* surface = Surface()) {
        surface->SelectionHandle()->Deselect(this);
        surface->update();
    }
    delete m_objectMenu;
}

TQBasePanel* TQGraphicControl::Surface() const
{
    return qobject_cast<TQBasePanel*>(parent());
}

QWidget* TQGraphicControl::window() const
{
    TQBasePanel* surface = Surface();
    return surface ? surface->window() : nullptr;
}

float TQGraphicControl::Zoom() const
{
    TQBasePanel* surface = Surface();
    return surface ? surface->Scale() : 1.0f;
}

void TQGraphicControl::SetBounds(const QRect& bounds)
{
    if (bounds == m_bounds)
        return;
    m_bounds = bounds;
    if (m_loading)
        return;
    Repaint();
    BoundsChanged();
}

QRect ZoomedRect(const QRect& bounds, double zoom)
{
    if (zoom == 1.0)
        return bounds;
    return QRect(RoundHalfEven(bounds.x() * zoom), RoundHalfEven(bounds.y() * zoom),
                 RoundHalfEven(bounds.width() * zoom), RoundHalfEven(bounds.height() * zoom));
}

void PaintPlacedObjects(QPainter& canvas, const QList<TQGraphicControl*>& objects, float zoom, const QRect& area)
{
    for (TQGraphicControl* object : objects) {
        // Room for a frame or shadow a kind draws just outside its bounds.
        if (area.isNull() || ZoomedRect(object->Bounds(), zoom).adjusted(-4, -4, 4, 4).intersects(area))
            object->Paint(canvas, zoom);
    }
}

QRect TQGraphicControl::ScreenRect() const
{
    return ZoomedRect(m_bounds, Zoom());
}

void TQGraphicControl::SetScreenRect(const QRect& r)
{
    const double z = Zoom();
    const QRect now = ScreenRect();
    const auto page = [z](int screen, int current, int stored) {
        return screen == current ? stored : RoundHalfEven(screen / z);
    };
    SetBounds(QRect(page(r.x(), now.x(), Left()), page(r.y(), now.y(), Top()), page(r.width(), now.width(), Width()),
                    page(r.height(), now.height(), Height())));
}

void TQGraphicControl::setFont(const QFont& font)
{
    if (font == m_font)
        return;
    m_font = font;
    if (m_loading)
        return;
    NotifyChanged();
    Repaint();
}

void TQGraphicControl::Repaint()
{
    if (TQBasePanel* surface = Surface())
        surface->update();
    else
        emit NeedsRepaint();
}

void TQGraphicControl::Raise()
{
    QObject* surface = parent();
    if (!surface)
        return;
    // A child set anew goes last among its siblings, so it paints on top.
    setParent(nullptr);
    setParent(surface);
    Repaint();
}

void TQGraphicControl::Lower()
{
    QObject* surface = parent();
    if (!surface)
        return;
    const QList<TQGraphicControl*> above = surface->findChildren<TQGraphicControl*>(Qt::FindDirectChildrenOnly);
    for (TQGraphicControl* other : above) {
        if (other != this)
            other->Raise();
    }
}

void TQGraphicControl::Loaded()
{
    m_loading = false;
    m_lastBounds = BoundsRect();
}

QMenu* TQGraphicControl::ObjectMenu()
{
    if (!m_objectMenu)
        buildObjectMenu();
    return m_objectMenu;
}

void TQGraphicControl::AddMenuItems(QMenu&) {}

void TQGraphicControl::buildObjectMenu()
{
    m_objectMenu = new QMenu(Surface());
    QMenu* menu = m_objectMenu;
    menu->addAction(QStringLiteral("Bring To Front"), this, [this] {
        NotifyChanged();
        Raise();
    });
    menu->addAction(QStringLiteral("Send To Back"), this, [this] {
        NotifyChanged();
        Lower();
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
    AddMenuItems(*menu);
    connect(menu, &QMenu::aboutToShow, this, [this] { PopupOpening(); });
}

void TQGraphicControl::PopupObjectMenu(QPoint globalPos)
{
    ObjectMenu()->popup(globalPos);
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
    const double pixelsPerInch = double(ScreenPixelsPerInch());
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

void TQGraphicControl::Paint(QPainter& canvas, float zoom)
{
    SettleBounds();
    canvas.save();
    canvas.setFont(font());
    try {
        Draw(canvas, ZoomedRect(m_bounds, zoom), DeviceProfile::Screen(zoom));
    } catch (...) {
        canvas.restore();
        throw;
    }
    canvas.restore();
}

void TQGraphicControl::PaintTo(QPainter& canvas, int x, int y)
{
    canvas.save();
    canvas.translate(x - Left(), y - Top());
    try {
        Paint(canvas, 1.0f);
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
    const QRect b = ScreenRect();
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

TQGraphicControl* TQGraphicControl::CloneObject()
{
    TQBasePanel* surface = Surface();
    if (!surface)
        return nullptr;
    TQGraphicControl* copy = surface->CloneComponent(this);
    if (!copy)
        return nullptr;
    copy->SetTop(Top() + 25);
    copy->Raise();
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
    SetTop(parent->PageSize().height() / 2 - Height() / 2);
    NotifyChanged();
}

void TQGraphicControl::CenterHorizontally()
{
    TQBasePanel* parent = Surface();
    if (!parent)
        return;
    SetLeft(parent->PageSize().width() / 2 - Width() / 2);
    NotifyChanged();
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
