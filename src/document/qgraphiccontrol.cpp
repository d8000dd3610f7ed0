#include "qgraphiccontrol.h"

#include "objecthost.h"

#include "platform/rounding.h"
#include "platform/screenmetrics.h"
#include "report/reportprinter.h"

#include <QPainter>

TQGraphicControl::TQGraphicControl(QObject* parent) : QObject(parent), m_bounds(0, 0, 100, 30) {}

TQGraphicControl::~TQGraphicControl()
{
    // The selection must never hold a freed object, whoever frees it.
    if (TObjectHost* host = Host()) {
        host->ObjectWithdrawn(*this);
        host->ObjectNeedsRepaint(*this);
    }
}

TObjectHost* TQGraphicControl::Host() const
{
    return dynamic_cast<TObjectHost*>(parent());
}

float TQGraphicControl::Zoom() const
{
    TObjectHost* host = Host();
    return host ? host->Scale() : 1.0f;
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
    if (TObjectHost* host = Host())
        host->ObjectNeedsRepaint(*this);
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

void TQGraphicControl::SetLocked(bool v)
{
    if (v == m_locked)
        return;
    m_locked = v;
    if (m_loading)
        return;
    emit LockedChanged(v);
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
        if (TObjectHost* host = Host())
            host->ObjectWithdrawn(*this);
    }
}

void TQGraphicControl::NotifyChanged()
{
    if (TObjectHost* host = Host())
        host->ObjectChanged(*this);
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
        if (TObjectHost* host = Host())
            host->ObjectMoved(*this);
    }
    m_paintBusy = false;
}

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

TQGraphicControl* TQGraphicControl::CloneObject()
{
    TObjectHost* host = Host();
    TQGraphicControl* copy = host ? host->CopyObject(*this) : nullptr;
    if (!copy)
        return nullptr;
    NotifyChanged();
    return copy;
}

void TQGraphicControl::CenterVertically()
{
    TObjectHost* host = Host();
    if (!host)
        return;
    SetTop(host->PageSize().height() / 2 - Height() / 2);
    NotifyChanged();
}

void TQGraphicControl::CenterHorizontally()
{
    TObjectHost* host = Host();
    if (!host)
        return;
    SetLeft(host->PageSize().width() / 2 - Width() / 2);
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
