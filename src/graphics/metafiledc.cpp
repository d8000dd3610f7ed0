#include "metafiledc.h"

#include <QFontMetricsF>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>

namespace {

constexpr int kMaxObjects = 65536;
constexpr std::size_t kMaxSavedStates = 1024;
// Clip outlines grow with every combination; past this size further combinations are ignored.
constexpr int kMaxClipElements = 20000;
constexpr int kMaxFontPixels = 4096;
// Text whose em would span more device pixels than this, or be stretched more than this many times
// one way than the other, is drawn from its outlines.
constexpr double kMaxGlyphDevicePixels = 4096;
constexpr double kMaxGlyphStretch = 64;
constexpr double kDefaultFontHeight = 16;  // device units, when a font asks for the default size
constexpr qsizetype kMaxTextLength = 8192; // as GDI drew at most
// What a picture may cost to draw, in counted pixels: this many times its target's area, and never less
// than for a target of 256 x 256, which leaves small pictures their detail. An edge costs the rasteriser
// about as much per scan line as filling this many pixels does.
constexpr double kCostPerTargetPixel = 256;
constexpr double kLeastCountedArea = 256.0 * 256.0;
constexpr double kEdgeWeight = 32;

bool Usable(const QTransform& t)
{
    const double values[] = {t.m11(), t.m12(), t.m21(), t.m22(), t.dx(), t.dy()};
    for (double v : values) {
        if (!std::isfinite(v) || std::abs(v) > 1e12)
            return false;
    }
    const double det = t.m11() * t.m22() - t.m12() * t.m21();
    return std::isfinite(det) && std::abs(det) > 1e-18 && t.type() <= QTransform::TxShear;
}

double Length(QPointF v)
{
    return std::hypot(v.x(), v.y());
}

QPainter::CompositionMode ModeOfRop2(int rop2)
{
    switch (rop2) {
    case 2:
        return QPainter::RasterOp_NotSourceAndNotDestination;
    case 3:
        return QPainter::RasterOp_NotSourceAndDestination;
    case 4:
        return QPainter::RasterOp_NotSource;
    case 5:
        return QPainter::RasterOp_SourceAndNotDestination;
    case 6:
        return QPainter::RasterOp_NotDestination;
    case 7:
        return QPainter::RasterOp_SourceXorDestination;
    case 8:
        return QPainter::RasterOp_NotSourceOrNotDestination;
    case 9:
        return QPainter::RasterOp_SourceAndDestination;
    case 10:
        return QPainter::RasterOp_NotSourceXorDestination;
    case 12:
        return QPainter::RasterOp_NotSourceOrDestination;
    case 14:
        return QPainter::RasterOp_SourceOrNotDestination;
    case 15:
        return QPainter::RasterOp_SourceOrDestination;
    default:
        return QPainter::CompositionMode_SourceOver;
    }
}

// The bitmap operations of the three-operand raster codes that metafiles use; 0 means a plain copy.
QPainter::CompositionMode ModeOfRop3(quint32 rop)
{
    switch ((rop >> 16) & 0xFF) {
    case 0xEE:
        return QPainter::RasterOp_SourceOrDestination;
    case 0x88:
        return QPainter::RasterOp_SourceAndDestination;
    case 0x66:
        return QPainter::RasterOp_SourceXorDestination;
    case 0x44:
        return QPainter::RasterOp_SourceAndNotDestination;
    case 0x33:
        return QPainter::RasterOp_NotSource;
    case 0x11:
        return QPainter::RasterOp_NotSourceAndNotDestination;
    case 0xBB:
        return QPainter::RasterOp_NotSourceOrDestination;
    default:
        return QPainter::CompositionMode_SourceOver;
    }
}

bool UsesSource(quint32 rop)
{
    const quint32 code = (rop >> 16) & 0xFF;
    return code != 0x00 && code != 0xFF && code != 0x55 && code != 0xF0 && code != 0x5A && code != 0xAA;
}

Qt::BrushStyle HatchStyle(quint32 hatch)
{
    switch (hatch) {
    case 0:
        return Qt::HorPattern;
    case 1:
        return Qt::VerPattern;
    case 2:
        return Qt::FDiagPattern;
    case 3:
        return Qt::BDiagPattern;
    case 4:
        return Qt::CrossPattern;
    default:
        return Qt::DiagCrossPattern;
    }
}

QPainterPath RectPath(const QRectF& box)
{
    QPainterPath path;
    path.addRect(box.normalized());
    return path;
}

TGdiObject StockObject(quint32 index)
{
    auto brush = [](QColor color) {
        TGdiBrush b;
        b.color = color;
        return b;
    };
    auto pen = [](QColor color, quint32 style) {
        TGdiPen p;
        p.color = color;
        p.style = style;
        return p;
    };
    switch (index & ~Gdi::kStockObject) {
    case 0:
        return brush(Qt::white);
    case 1:
        return brush(QColor(192, 192, 192));
    case 2:
        return brush(QColor(128, 128, 128));
    case 3:
        return brush(QColor(64, 64, 64));
    case 4:
        return brush(Qt::black);
    case 5: {
        TGdiBrush none;
        none.style = Gdi::BsNull;
        return none;
    }
    case 6:
        return pen(Qt::white, Gdi::PsSolid);
    case 7:
        return pen(Qt::black, Gdi::PsSolid);
    case 8:
        return pen(Qt::black, Gdi::PsNull);
    case 10:
    case 11:
    case 12:
    case 13:
    case 14:
    case 16:
    case 17:
        return TGdiFont();
    case 18:
        return brush(Qt::white);
    case 19:
        return pen(Qt::black, Gdi::PsSolid);
    default:
        return std::monostate();
    }
}

} // namespace

TMetafileDC::TMetafileDC(QPainter& painter, const QRectF& frame, const QRectF& target, QSizeF unitsPerMm)
    : m_painter(painter), m_frame(frame), m_unitsPerMm(unitsPerMm)
{
    const QTransform toTarget(target.width() / frame.width(), 0, 0, target.height() / frame.height(),
                              target.left() - frame.left() * target.width() / frame.width(),
                              target.top() - frame.top() * target.height() / frame.height());
    m_deviceToPainter = toTarget * painter.worldTransform();
    // Devices that keep vectors (PDF, printers, recordings) rasterise nothing here: their work is counted in
    // pixels of 96 per inch, as the page is laid out, so paper shows what the screen does.
    const QPaintDevice* device = painter.device();
    const QPaintEngine* engine = painter.paintEngine();
    const bool vector = engine && engine->type() != QPaintEngine::Raster && device && device->logicalDpiY() > 0;
    m_unit = vector ? 96.0 / device->logicalDpiY() : 1;
    const QRectF shown = painter.worldTransform().mapRect(target);
    m_counted = vector || !device ? QRectF(shown.topLeft() * m_unit, shown.bottomRight() * m_unit)
                                  : QRectF(0, 0, device->width(), device->height());
    const double area = shown.width() * shown.height() * m_unit * m_unit;
    m_affordable = kCostPerTargetPixel * std::max(std::isfinite(area) ? area : 0.0, kLeastCountedArea);
    m_painter.save();
    m_painter.save(); // the inner level is dropped and made again whenever the clip changes
}

TMetafileDC::~TMetafileDC()
{
    m_painter.restore();
    m_painter.restore();
}

int TMetafileDC::AddObject(TGdiObject object)
{
    int index;
    if (!m_freeSlots.empty()) {
        index = *m_freeSlots.begin();
        m_freeSlots.erase(m_freeSlots.begin());
    } else if (m_objects.size() < kMaxObjects) {
        index = static_cast<int>(m_objects.size());
        m_objects.emplace_back();
    } else {
        return -1;
    }
    m_objects[index] = std::move(object);
    return index;
}

void TMetafileDC::SetObject(quint32 index, TGdiObject object)
{
    if (index >= kMaxObjects)
        return;
    if (index >= m_objects.size())
        m_objects.resize(index + 1);
    m_objects[index] = std::move(object);
}

const TGdiObject* TMetafileDC::Object(quint32 index) const
{
    if (index < m_objects.size() && m_objects[index])
        return &*m_objects[index];
    return nullptr;
}

void TMetafileDC::SelectObject(quint32 index)
{
    TGdiObject stock;
    const TGdiObject* object = nullptr;
    if (index & Gdi::kStockObject) {
        stock = StockObject(index);
        object = &stock;
    } else {
        object = Object(index);
    }
    if (!object)
        return;
    if (const auto* pen = std::get_if<TGdiPen>(object))
        m_state.pen = *pen;
    else if (const auto* brush = std::get_if<TGdiBrush>(object))
        m_state.brush = *brush;
    else if (const auto* font = std::get_if<TGdiFont>(object))
        m_state.font = *font;
    else if (const auto* region = std::get_if<TGdiRegion>(object))
        SelectClip(region->path, false, Gdi::RgnCopy);
}

void TMetafileDC::DeleteObject(quint32 index)
{
    if (index >= m_objects.size() || !m_objects[index])
        return;
    m_objects[index].reset();
    m_freeSlots.insert(static_cast<int>(index));
}

void TMetafileDC::SetMapMode(int mode)
{
    if (mode < Gdi::MmText || mode > Gdi::MmAnisotropic || mode == m_state.mapMode)
        return;
    const bool scalable = mode == Gdi::MmIsotropic || mode == Gdi::MmAnisotropic;
    const bool wasScalable = m_state.mapMode == Gdi::MmIsotropic || m_state.mapMode == Gdi::MmAnisotropic;
    if (scalable && !wasScalable) {
        // The extents keep the scale of the fixed mode left behind.
        const QTransform page = PageTransform();
        m_state.windowExt = QSizeF(1000, 1000);
        m_state.viewportExt = QSizeF(1000 * page.m11(), 1000 * page.m22());
    }
    m_state.mapMode = mode;
}

void TMetafileDC::SetWindowOrg(QPointF origin)
{
    m_state.windowOrg = origin;
}

void TMetafileDC::SetWindowExt(QSizeF extent)
{
    if (extent.width() != 0 && extent.height() != 0)
        m_state.windowExt = extent;
}

void TMetafileDC::SetViewportOrg(QPointF origin)
{
    m_state.viewportOrg = origin;
}

void TMetafileDC::SetViewportExt(QSizeF extent)
{
    if (extent.width() != 0 && extent.height() != 0)
        m_state.viewportExt = extent;
}

void TMetafileDC::ScaleWindowExt(double xNum, double xDenom, double yNum, double yDenom)
{
    if (xDenom != 0 && yDenom != 0)
        SetWindowExt(QSizeF(m_state.windowExt.width() * xNum / xDenom, m_state.windowExt.height() * yNum / yDenom));
}

void TMetafileDC::ScaleViewportExt(double xNum, double xDenom, double yNum, double yDenom)
{
    if (xDenom != 0 && yDenom != 0)
        SetViewportExt(
            QSizeF(m_state.viewportExt.width() * xNum / xDenom, m_state.viewportExt.height() * yNum / yDenom));
}

void TMetafileDC::SetWorldTransform(const QTransform& transform)
{
    if (Usable(transform))
        m_state.world = transform;
}

void TMetafileDC::ModifyWorldTransform(const QTransform& transform, int mode)
{
    if (mode == 1)
        m_state.world = QTransform();
    else if (mode == 2)
        SetWorldTransform(transform * m_state.world);
    else if (mode == 3)
        SetWorldTransform(m_state.world * transform);
    else if (mode == 4)
        SetWorldTransform(transform);
}

void TMetafileDC::Save()
{
    if (m_saved.size() < kMaxSavedStates)
        m_saved.push_back(m_state);
}

void TMetafileDC::Restore(int which)
{
    const qint64 depth = static_cast<qint64>(m_saved.size());
    const qint64 keep = which < 0 ? depth + which : static_cast<qint64>(which) - 1;
    if (keep < 0 || keep >= depth)
        return;
    m_state = m_saved[keep];
    m_saved.resize(keep);
    m_clipDirty = true;
}

QTransform TMetafileDC::PageTransform() const
{
    const State& s = m_state;
    double sx = 1, sy = 1;
    switch (s.mapMode) {
    case Gdi::MmLoMetric:
    case Gdi::MmHiMetric:
    case Gdi::MmLoEnglish:
    case Gdi::MmHiEnglish:
    case Gdi::MmTwips: {
        static const double mmPerUnit[] = {0.1, 0.01, 0.254, 0.0254, 25.4 / 1440};
        const double mm = mmPerUnit[s.mapMode - Gdi::MmLoMetric];
        sx = mm * m_unitsPerMm.width();
        sy = -mm * m_unitsPerMm.height();
        break;
    }
    case Gdi::MmIsotropic:
    case Gdi::MmAnisotropic:
        sx = s.viewportExt.width() / s.windowExt.width();
        sy = s.viewportExt.height() / s.windowExt.height();
        if (s.mapMode == Gdi::MmIsotropic) {
            const double scale = std::min(std::abs(sx), std::abs(sy));
            sx = std::copysign(scale, sx);
            sy = std::copysign(scale, sy);
        }
        break;
    default:
        break;
    }
    return QTransform(sx, 0, 0, sy, s.viewportOrg.x() - s.windowOrg.x() * sx, s.viewportOrg.y() - s.windowOrg.y() * sy);
}

QTransform TMetafileDC::LogicalToDevice() const
{
    return m_state.world * PageTransform();
}

QTransform TMetafileDC::LogicalToPainter() const
{
    return LogicalToDevice() * m_deviceToPainter;
}

void TMetafileDC::ApplyClip()
{
    if (!m_clipDirty)
        return;
    m_clipDirty = false;
    m_painter.restore();
    m_painter.save();
    if (m_state.clipped) {
        m_painter.setTransform(m_deviceToPainter);
        m_painter.setClipPath(m_state.clip, Qt::IntersectClip);
    }
}

bool TMetafileDC::Prepare(const QTransform& transform)
{
    ApplyClip();
    if (!Usable(transform))
        return false;
    m_painter.setTransform(transform);
    m_painter.setCompositionMode(ModeOfRop2(m_state.rop2));
    m_painter.setBackgroundMode(m_state.bkMode == Gdi::Opaque ? Qt::OpaqueMode : Qt::TransparentMode);
    m_painter.setBackground(m_state.bkColor);
    return true;
}

QPen TMetafileDC::MakePen() const
{
    const TGdiPen& p = m_state.pen;
    const quint32 style = p.style & Gdi::PsStyleMask;
    if (style == Gdi::PsNull)
        return Qt::NoPen;
    QColor color = p.color;
    if (m_state.rop2 == 1)
        color = Qt::black;
    else if (m_state.rop2 == 16)
        color = Qt::white;
    QPen pen(color);
    if (p.width <= 0) {
        pen.setWidth(0);
        pen.setCosmetic(true);
    } else {
        pen.setWidthF(p.width);
    }
    const quint32 cap = p.style & Gdi::PsEndCapMask;
    pen.setCapStyle(cap == Gdi::PsEndCapSquare ? Qt::SquareCap : cap == Gdi::PsEndCapFlat ? Qt::FlatCap : Qt::RoundCap);
    const quint32 join = p.style & Gdi::PsJoinMask;
    pen.setJoinStyle(join == Gdi::PsJoinBevel   ? Qt::BevelJoin
                     : join == Gdi::PsJoinMiter ? Qt::MiterJoin
                                                : Qt::RoundJoin);
    switch (style) {
    case Gdi::PsDash:
        pen.setStyle(Qt::DashLine);
        break;
    case Gdi::PsDot:
    case Gdi::PsAlternate:
        pen.setStyle(Qt::DotLine);
        break;
    case Gdi::PsDashDot:
        pen.setStyle(Qt::DashDotLine);
        break;
    case Gdi::PsDashDotDot:
        pen.setStyle(Qt::DashDotDotLine);
        break;
    case Gdi::PsUserStyle:
        if (p.dashes.size() >= 2 && p.dashes.size() % 2 == 0)
            pen.setDashPattern(p.dashes);
        break;
    default:
        break;
    }
    return pen;
}

QBrush TMetafileDC::MakeBrush(const TGdiBrush& b) const
{
    QColor color = b.color;
    if (m_state.rop2 == 1)
        color = Qt::black;
    else if (m_state.rop2 == 16)
        color = Qt::white;
    switch (b.style) {
    case Gdi::BsNull:
        return Qt::NoBrush;
    case Gdi::BsHatched:
        return QBrush(color, HatchStyle(b.hatch));
    case Gdi::BsPattern:
    case Gdi::BsDibPattern:
    case Gdi::BsDibPatternPt: {
        if (b.pattern.isNull())
            return QBrush(color);
        QImage pattern = b.pattern;
        if (b.monochrome)
            pattern.setColorTable({m_state.textColor.rgb(), m_state.bkColor.rgb()});
        QBrush brush(pattern);
        // Patterns repeat in device pixels from the device origin, as on the original raster device.
        brush.setTransform(LogicalToDevice().inverted());
        return brush;
    }
    default:
        return QBrush(color);
    }
}

double TMetafileDC::AreaCost(const QRectF& device) const
{
    const QRectF counted = QRectF(device.topLeft() * m_unit, device.bottomRight() * m_unit).normalized();
    const QRectF shown = counted.intersected(m_counted);
    return shown.isEmpty() ? 0 : shown.width() * shown.height();
}

double TMetafileDC::ShapeCost(const QPainterPath& shape, const QTransform& toDevice, bool fill, double penWidth) const
{
    double cost = 0;
    QPointF previous;
    QRectF bounds;
    for (int i = 0; i < shape.elementCount(); ++i) {
        const QPainterPath::Element e = shape.elementAt(i);
        const QPointF p = toDevice.map(QPointF(e.x, e.y)) * m_unit;
        cost += 1;
        if (!e.isMoveTo()) {
            const double top = std::max(std::min(p.y(), previous.y()), m_counted.top());
            const double bottom = std::min(std::max(p.y(), previous.y()), m_counted.bottom());
            cost += kEdgeWeight * std::max(0.0, bottom - top);
            if (penWidth > 0)
                cost += Length(p - previous) * penWidth;
        }
        bounds = i == 0 ? QRectF(p, QSizeF()) : bounds.united(QRectF(p, QSizeF()));
        previous = p;
    }
    if (fill) {
        const QRectF shown = bounds.intersected(m_counted);
        cost += shown.isEmpty() ? 0 : shown.width() * shown.height();
    }
    return std::isfinite(cost) ? cost : m_affordable + 1;
}

bool TMetafileDC::Afford(double cost)
{
    if (m_exhausted || m_spent + cost > m_affordable) {
        m_exhausted = true;
        return false;
    }
    m_spent += cost;
    return true;
}

void TMetafileDC::DrawShape(const QPainterPath& shape, bool fill, bool stroke)
{
    if (m_pathOpen) {
        m_path.addPath(shape);
        return;
    }
    const QTransform toPainter = LogicalToPainter();
    if (m_state.rop2 == 11 || !Prepare(toPainter))
        return;
    const QPen pen = stroke ? MakePen() : QPen(Qt::NoPen);
    const double penWidth = pen.style() == Qt::NoPen ? 0
                            : pen.isCosmetic()
                                ? std::max(1.0, pen.widthF()) * m_unit
                                : std::max(1.0, pen.widthF() * std::sqrt(std::abs(toPainter.determinant())) * m_unit);
    if (!Afford(ShapeCost(shape, toPainter, fill, penWidth)))
        return;
    QPainterPath filled = shape;
    filled.setFillRule(m_state.polyFillMode == Gdi::Winding ? Qt::WindingFill : Qt::OddEvenFill);
    m_painter.setPen(pen);
    m_painter.setBrush(fill ? MakeBrush(m_state.brush) : QBrush(Qt::NoBrush));
    m_painter.drawPath(filled);
}

void TMetafileDC::MoveTo(QPointF point)
{
    m_state.position = point;
    if (m_pathOpen)
        m_path.moveTo(point);
}

void TMetafileDC::LineTo(QPointF point)
{
    PolylineTo(QPolygonF{point});
}

void TMetafileDC::Polyline(const QPolygonF& points)
{
    if (points.size() < 2)
        return;
    QPainterPath path;
    path.addPolygon(points);
    DrawShape(path, false, true);
}

void TMetafileDC::PolylineTo(const QPolygonF& points)
{
    if (points.isEmpty())
        return;
    if (m_pathOpen) {
        if (m_path.elementCount() == 0 || m_path.currentPosition() != m_state.position)
            m_path.moveTo(m_state.position);
        for (const QPointF& p : points)
            m_path.lineTo(p);
    } else {
        QPolygonF line{m_state.position};
        line += points;
        Polyline(line);
    }
    m_state.position = points.last();
}

void TMetafileDC::PolyBezier(const QPolygonF& points)
{
    if (points.size() < 4)
        return;
    const bool open = m_pathOpen;
    if (!open) {
        QPainterPath path(points.first());
        for (qsizetype i = 1; i + 2 < points.size(); i += 3)
            path.cubicTo(points[i], points[i + 1], points[i + 2]);
        DrawShape(path, false, true);
        return;
    }
    m_path.moveTo(points.first());
    m_state.position = points.first();
    PolyBezierTo(points.mid(1));
}

void TMetafileDC::PolyBezierTo(const QPolygonF& points)
{
    if (points.size() < 3)
        return;
    QPainterPath path(m_state.position);
    QPainterPath& target = m_pathOpen ? m_path : path;
    if (m_pathOpen && (m_path.elementCount() == 0 || m_path.currentPosition() != m_state.position))
        m_path.moveTo(m_state.position);
    qsizetype i = 0;
    for (; i + 2 < points.size(); i += 3)
        target.cubicTo(points[i], points[i + 1], points[i + 2]);
    m_state.position = points[i - 1];
    if (!m_pathOpen)
        DrawShape(path, false, true);
}

void TMetafileDC::Polygon(const QPolygonF& points)
{
    if (points.size() < 2)
        return;
    QPainterPath path;
    path.addPolygon(points);
    path.closeSubpath();
    DrawShape(path, true, true);
}

void TMetafileDC::PolyPolygon(const QList<QPolygonF>& polygons)
{
    QPainterPath path;
    for (const QPolygonF& polygon : polygons) {
        if (polygon.size() < 2)
            continue;
        path.addPolygon(polygon);
        path.closeSubpath();
    }
    DrawShape(path, true, true);
}

void TMetafileDC::PolyPolyline(const QList<QPolygonF>& polylines)
{
    QPainterPath path;
    for (const QPolygonF& line : polylines) {
        if (line.size() >= 2)
            path.addPolygon(line);
    }
    DrawShape(path, false, true);
}

void TMetafileDC::Rectangle(const QRectF& box)
{
    DrawShape(RectPath(box), true, true);
}

void TMetafileDC::RoundRect(const QRectF& box, QSizeF corner)
{
    QPainterPath path;
    path.addRoundedRect(box.normalized(), std::abs(corner.width()) / 2, std::abs(corner.height()) / 2);
    DrawShape(path, true, true);
}

void TMetafileDC::Ellipse(const QRectF& box)
{
    QPainterPath path;
    path.addEllipse(box.normalized());
    DrawShape(path, true, true);
}

double TMetafileDC::SweepSign() const
{
    // Arcs turn counterclockwise as seen on the device; a mapping that mirrors one axis turns them round.
    const QTransform t = LogicalToDevice();
    const double det = t.m11() * t.m22() - t.m12() * t.m21();
    const double sign = m_state.arcDirection == Gdi::Clockwise ? -1 : 1;
    return det < 0 ? -sign : sign;
}

QPainterPath TMetafileDC::ArcPath(ArcKind kind, const QRectF& box, QPointF start, QPointF end) const
{
    const QRectF r = box.normalized();
    QPainterPath path;
    if (r.width() <= 0 || r.height() <= 0)
        return path;
    const QPointF c = r.center();
    // The arc starts where the ray from the centre through the given point meets the ellipse.
    auto angle = [&](QPointF p) {
        const double a = std::atan2(-(p.y() - c.y()) / r.height(), (p.x() - c.x()) / r.width());
        return a * 180 / std::numbers::pi;
    };
    const double from = angle(start);
    double sweep = angle(end) - from;
    if (SweepSign() > 0) {
        while (sweep <= 0)
            sweep += 360;
    } else {
        while (sweep >= 0)
            sweep -= 360;
    }
    if (kind == ArcKind::Pie) {
        path.moveTo(c);
        path.arcTo(r, from, sweep);
        path.closeSubpath();
        return path;
    }
    if (kind == ArcKind::ArcTo)
        path.moveTo(m_state.position);
    else
        path.arcMoveTo(r, from);
    path.arcTo(r, from, sweep);
    if (kind == ArcKind::Chord)
        path.closeSubpath();
    return path;
}

void TMetafileDC::Arc(ArcKind kind, const QRectF& box, QPointF start, QPointF end)
{
    const QPainterPath path = ArcPath(kind, box, start, end);
    if (path.isEmpty())
        return;
    const bool closed = kind == ArcKind::Pie || kind == ArcKind::Chord;
    if (kind == ArcKind::ArcTo) {
        m_state.position = path.currentPosition();
        if (m_pathOpen) {
            m_path.connectPath(path);
            return;
        }
    }
    DrawShape(path, closed, true);
}

void TMetafileDC::AngleArc(QPointF centre, double radius, double startDegrees, double sweepDegrees)
{
    if (!std::isfinite(startDegrees) || !std::isfinite(sweepDegrees) || radius <= 0)
        return;
    const QRectF box(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius);
    // The sign of the sweep alone gives the direction; only a mirroring mapping turns it round.
    const QTransform t = LogicalToDevice();
    const double mirror = t.m11() * t.m22() - t.m12() * t.m21() < 0 ? -1 : 1;
    QPainterPath path(m_state.position);
    path.arcTo(box, startDegrees * mirror, std::clamp(sweepDegrees, -3600.0, 3600.0) * mirror);
    m_state.position = path.currentPosition();
    if (m_pathOpen)
        m_path.connectPath(path);
    else
        DrawShape(path, false, true);
}

void TMetafileDC::SetPixel(QPointF point, const QColor& color)
{
    if (m_pathOpen || !Prepare(m_deviceToPainter) || !Afford(1))
        return;
    const QPointF device = LogicalToDevice().map(point);
    m_painter.fillRect(QRectF(std::floor(device.x()), std::floor(device.y()), 1, 1), color);
}

void TMetafileDC::FillDevice(const QPainterPath& device, const QBrush& brush, int rop2)
{
    if (m_pathOpen || !Prepare(m_deviceToPainter) || !Afford(ShapeCost(device, m_deviceToPainter, true, 0)))
        return;
    m_painter.setCompositionMode(ModeOfRop2(rop2));
    m_painter.setPen(Qt::NoPen);
    m_painter.setBrush(brush);
    m_painter.drawPath(device);
}

void TMetafileDC::PatBlt(const QRectF& box, quint32 rop)
{
    const QPainterPath device = LogicalToDevice().map(RectPath(box));
    switch ((rop >> 16) & 0xFF) {
    case 0x00:
        FillDevice(device, Qt::black, 13);
        break;
    case 0xFF:
        FillDevice(device, Qt::white, 13);
        break;
    case 0x55:
        FillDevice(device, Qt::white, 6);
        break;
    case 0x5A:
        FillDevice(device, MakeBrush(m_state.brush), 7);
        break;
    case 0xAA:
        break;
    default:
        FillDevice(device, MakeBrush(m_state.brush), 13);
        break;
    }
}

void TMetafileDC::FillRegion(const QPainterPath& region, bool deviceUnits, const TGdiBrush& brush)
{
    FillDevice(deviceUnits ? region : LogicalToDevice().map(region), MakeBrush(brush), 13);
}

void TMetafileDC::InvertRegion(const QPainterPath& region, bool deviceUnits)
{
    FillDevice(deviceUnits ? region : LogicalToDevice().map(region), Qt::white, 6);
}

void TMetafileDC::Text(QPointF reference, const QString& fullText, const QList<double>& dx, quint32 options,
                       const QRectF& box, int graphicsMode)
{
    const QString text = fullText.left(kMaxTextLength);
    if (m_pathOpen)
        return;
    const QTransform toPainter = LogicalToPainter();
    if (!Prepare(toPainter))
        return;
    m_painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    const bool opaque = (options & Gdi::EtoOpaque) && !box.isEmpty();
    if (!Afford(1 + (opaque ? AreaCost(toPainter.mapRect(box.normalized())) : 0)))
        return;
    if (opaque)
        m_painter.fillRect(box.normalized(), m_state.bkColor);
    if (text.isEmpty())
        return;
    const State& s = m_state;
    const TGdiFont& f = s.font;
    const QPointF o = toPainter.map(QPointF());
    const QPointF xAxis = toPainter.map(QPointF(1, 0)) - o;
    const double sx = Length(xAxis);
    const double sy = Length(toPainter.map(QPointF(0, 1)) - o);

    QFont font(f.face.isEmpty() ? QStringLiteral("Arial") : f.face);
    font.setWeight(static_cast<QFont::Weight>(std::clamp(f.weight > 0 ? f.weight : 400, 1, 1000)));
    font.setItalic(f.italic);
    font.setUnderline(f.underline);
    font.setStrikeOut(f.strikeout);
    font.setPixelSize(100);
    font.setKerning(false);
    const QFontMetricsF reference100(font);
    double em = std::abs(f.height) * sy;
    if (f.height == 0)
        em = kDefaultFontHeight * Length(m_deviceToPainter.map(QPointF(0, 1)) - m_deviceToPainter.map(QPointF()));
    else if (f.height > 0)
        em *= 100 / std::max(1.0, reference100.ascent() + reference100.descent());
    if (!std::isfinite(em) || em < 0.05 || em > 1e6)
        return;
    // Each glyph fills up to a square of the em; the opaque background a line of them.
    if (!Afford(double(text.size()) * (1 + em * em * m_unit * m_unit) * (s.bkMode == Gdi::Opaque ? 2 : 1)))
        return;
    const int pixels = std::clamp(static_cast<int>(std::lround(em)), 1, kMaxFontPixels);
    const double scale = em / pixels;
    font.setPixelSize(pixels);
    const QFontMetricsF metrics(font);
    double stretch = sx / sy;
    if (f.width != 0 && metrics.averageCharWidth() > 0)
        stretch = std::abs(f.width) * sx / (metrics.averageCharWidth() * scale);
    if (!std::isfinite(stretch) || stretch <= 0 || stretch > 1000)
        return;

    // Escapement counts counterclockwise from the device's x axis; in the advanced graphics mode the world
    // transform turns the text as well.
    const QPointF deviceX = graphicsMode == Gdi::GmAdvanced
                                ? xAxis
                                : m_deviceToPainter.map(QPointF(1, 0)) - m_deviceToPainter.map(QPointF());
    const double angle = std::atan2(deviceX.y(), deviceX.x()) * 180 / std::numbers::pi - f.escapement / 10.0;

    const bool updateCp = s.textAlign & Gdi::TaUpdateCp;
    const QPointF origin = toPainter.map(updateCp ? s.position : reference);
    const double unit = scale * stretch; // painter pixels per horizontal font pixel
    QList<double> advances;              // painter pixels along the baseline, one per character
    double width = 0;
    if (!dx.isEmpty() || s.charExtra != 0) {
        for (qsizetype i = 0; i < text.size(); ++i) {
            double advance = i < dx.size() ? dx[i] * sx : metrics.horizontalAdvance(text[i]) * unit;
            advance += s.charExtra * sx;
            advances.append(advance);
            width += advance;
        }
    } else {
        width = metrics.horizontalAdvance(text) * unit;
    }
    double x0 = 0;
    if ((s.textAlign & Gdi::TaCenter) == Gdi::TaCenter)
        x0 = -width / 2;
    else if (s.textAlign & Gdi::TaRight)
        x0 = -width;
    double baseline = metrics.ascent() * scale;
    if ((s.textAlign & Gdi::TaBaseline) == Gdi::TaBaseline)
        baseline = 0;
    else if (s.textAlign & Gdi::TaBottom)
        baseline = -metrics.descent() * scale;

    QTransform frame;
    frame.translate(origin.x(), origin.y());
    frame.rotate(angle);
    if ((options & Gdi::EtoClipped) && !box.isEmpty()) {
        m_painter.setTransform(toPainter);
        m_painter.setClipRect(box.normalized(), Qt::IntersectClip);
    }
    m_painter.setTransform(frame);
    if (s.bkMode == Gdi::Opaque && !(options & Gdi::EtoOpaque))
        m_painter.fillRect(QRectF(x0, baseline - metrics.ascent() * scale, width, metrics.height() * scale), s.bkColor);
    m_painter.scale(unit, scale);
    m_painter.setFont(font);
    m_painter.setPen(s.textColor);
    m_painter.setBackgroundMode(Qt::TransparentMode);
    const double y = baseline / scale;
    // A glyph squeezed flat may pass for small while it is more than FreeType can rasterise (far too
    // long on one side, or far narrower than it is tall), and Qt does not survive the failure; such
    // text is filled as outlines instead.
    const QTransform device = m_painter.combinedTransform();
    const double longAxis = std::max(Length(device.map(QPointF(1, 0)) - device.map(QPointF())),
                                     Length(device.map(QPointF(0, 1)) - device.map(QPointF())));
    // PDF and printers keep text as text, whatever its size: nothing is rasterised there.
    const bool asText = m_painter.paintEngine()->type() == QPaintEngine::Pdf ||
                        (pixels * longAxis <= kMaxGlyphDevicePixels &&
                         longAxis * longAxis <= kMaxGlyphStretch * std::abs(device.determinant()));
    const auto draw = [&](QPointF at, const QString& part) {
        if (asText) {
            m_painter.drawText(at, part);
            return;
        }
        QPainterPath outline;
        outline.addText(at, font, part);
        m_painter.fillPath(outline, s.textColor);
    };
    if (advances.isEmpty()) {
        draw(QPointF(x0 / unit, y), text);
    } else {
        double x = x0;
        for (qsizetype i = 0; i < text.size(); ++i) {
            // A surrogate pair is one character with the advances of both halves.
            const qsizetype n = (text[i].isHighSurrogate() && i + 1 < text.size()) ? 2 : 1;
            draw(QPointF(x / unit, y), text.mid(i, n));
            for (qsizetype k = 0; k < n; ++k)
                x += advances[i + k];
            i += n - 1;
        }
    }
    if ((options & Gdi::EtoClipped) && !box.isEmpty())
        m_clipDirty = true; // drop the text's own clip
    if (updateCp) {
        const double move = (s.textAlign & Gdi::TaCenter) == Gdi::TaCenter ? 0
                            : (s.textAlign & Gdi::TaRight)                 ? -width
                                                                           : width;
        const QPointF end = frame.map(QPointF(move, 0));
        m_state.position = toPainter.inverted().map(end);
    }
}

void TMetafileDC::StretchBits(const QRectF& destination, const TDibImage& bitmap, const QRectF& source, quint32 rop)
{
    if (!UsesSource(rop)) {
        PatBlt(destination, rop);
        return;
    }
    const QImage& image = bitmap.image;
    if (m_pathOpen || image.isNull() || source.width() == 0 || source.height() == 0)
        return;
    QRectF from = source;
    if (bitmap.bottomUp)
        from.moveTop(image.height() - source.top() - source.height());
    const double sx = destination.width() / from.width();
    const double sy = destination.height() / from.height();
    const QTransform place(sx, 0, 0, sy, destination.left() - from.left() * sx, destination.top() - from.top() * sy);
    const QRectF shown = from.normalized().intersected(QRectF(image.rect()));
    if (shown.isEmpty() || !Prepare(place * LogicalToPainter()) ||
        !Afford(1 + AreaCost((place * LogicalToPainter()).mapRect(shown))))
        return;
    m_painter.setCompositionMode(ModeOfRop3(rop));
    m_painter.drawImage(shown, image, shown);
}

void TMetafileDC::CombineClip(const QPainterPath& device, int mode)
{
    if (m_state.clip.elementCount() + device.elementCount() > kMaxClipElements)
        return;
    QPainterPath everything;
    everything.addRect(m_frame.adjusted(-1e7, -1e7, 1e7, 1e7));
    const QPainterPath current = m_state.clipped ? m_state.clip : everything;
    switch (mode) {
    case Gdi::RgnAnd:
        m_state.clip = m_state.clipped ? current.intersected(device) : device;
        break;
    case Gdi::RgnOr:
        if (!m_state.clipped)
            return;
        m_state.clip = current.united(device);
        break;
    case Gdi::RgnXor:
        m_state.clip = current.united(device).subtracted(current.intersected(device));
        break;
    case Gdi::RgnDiff:
        m_state.clip = current.subtracted(device);
        break;
    case Gdi::RgnCopy:
        m_state.clip = device;
        break;
    default:
        return;
    }
    m_state.clipped = true;
    m_clipDirty = true;
}

void TMetafileDC::IntersectClipRect(const QRectF& box)
{
    CombineClip(LogicalToDevice().map(RectPath(box)), Gdi::RgnAnd);
}

void TMetafileDC::ExcludeClipRect(const QRectF& box)
{
    CombineClip(LogicalToDevice().map(RectPath(box)), Gdi::RgnDiff);
}

void TMetafileDC::OffsetClip(QPointF offset)
{
    if (!m_state.clipped)
        return;
    const QTransform t = LogicalToDevice();
    m_state.clip.translate(t.map(offset) - t.map(QPointF()));
    m_clipDirty = true;
}

void TMetafileDC::SelectClip(const QPainterPath& region, bool deviceUnits, int mode)
{
    if (mode == Gdi::RgnCopy && region.isEmpty()) {
        ResetClip();
        return;
    }
    CombineClip(deviceUnits ? region : LogicalToDevice().map(region), mode);
}

void TMetafileDC::ResetClip()
{
    m_state.clipped = false;
    m_state.clip = QPainterPath();
    m_clipDirty = true;
}

void TMetafileDC::BeginPath()
{
    m_pathOpen = true;
    m_path = QPainterPath();
}

void TMetafileDC::EndPath()
{
    m_pathOpen = false;
}

void TMetafileDC::AbortPath()
{
    m_pathOpen = false;
    m_path = QPainterPath();
}

void TMetafileDC::CloseFigure()
{
    if (m_pathOpen)
        m_path.closeSubpath();
}

void TMetafileDC::FillPath()
{
    if (m_pathOpen)
        return;
    const QPainterPath path = std::exchange(m_path, QPainterPath());
    DrawShape(path, true, false);
}

void TMetafileDC::StrokePath()
{
    if (m_pathOpen)
        return;
    const QPainterPath path = std::exchange(m_path, QPainterPath());
    DrawShape(path, false, true);
}

void TMetafileDC::StrokeAndFillPath()
{
    if (m_pathOpen)
        return;
    const QPainterPath path = std::exchange(m_path, QPainterPath());
    DrawShape(path, true, true);
}

void TMetafileDC::SelectClipPath(int mode)
{
    if (m_pathOpen)
        return;
    CombineClip(LogicalToDevice().map(std::exchange(m_path, QPainterPath())), mode);
}
