#include "emfplayer.h"

#include "bytereader.h"
#include "metafiledc.h"
#include "picturereading.h"

#include "platform/screenmetrics.h"
#include "platform/windows1252.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

constexpr quint32 kSignature = 0x464D4520; // " EMF"
constexpr qint64 kMinHeaderSize = 88;
// What one picture may cost to draw: real clip art stays far below.
constexpr qint64 kMaxRecords = 500'000;
constexpr qint64 kMaxRegionRects = 10000;
constexpr int kMaxMonoPattern = 64;

enum : quint32 {
    EmrHeader = 1,
    EmrPolyBezier = 2,
    EmrPolygon = 3,
    EmrPolyline = 4,
    EmrPolyBezierTo = 5,
    EmrPolylineTo = 6,
    EmrPolyPolyline = 7,
    EmrPolyPolygon = 8,
    EmrSetWindowExtEx = 9,
    EmrSetWindowOrgEx = 10,
    EmrSetViewportExtEx = 11,
    EmrSetViewportOrgEx = 12,
    EmrEof = 14,
    EmrSetPixelV = 15,
    EmrSetMapMode = 17,
    EmrSetBkMode = 18,
    EmrSetPolyFillMode = 19,
    EmrSetRop2 = 20,
    EmrSetTextAlign = 22,
    EmrSetTextColor = 24,
    EmrSetBkColor = 25,
    EmrOffsetClipRgn = 26,
    EmrMoveToEx = 27,
    EmrExcludeClipRect = 29,
    EmrIntersectClipRect = 30,
    EmrScaleViewportExtEx = 31,
    EmrScaleWindowExtEx = 32,
    EmrSaveDc = 33,
    EmrRestoreDc = 34,
    EmrSetWorldTransform = 35,
    EmrModifyWorldTransform = 36,
    EmrSelectObject = 37,
    EmrCreatePen = 38,
    EmrCreateBrushIndirect = 39,
    EmrDeleteObject = 40,
    EmrAngleArc = 41,
    EmrEllipse = 42,
    EmrRectangle = 43,
    EmrRoundRect = 44,
    EmrArc = 45,
    EmrChord = 46,
    EmrPie = 47,
    EmrCreatePalette = 49,
    EmrLineTo = 54,
    EmrArcTo = 55,
    EmrPolyDraw = 56,
    EmrSetArcDirection = 57,
    EmrBeginPath = 59,
    EmrEndPath = 60,
    EmrCloseFigure = 61,
    EmrFillPath = 62,
    EmrStrokeAndFillPath = 63,
    EmrStrokePath = 64,
    EmrSelectClipPath = 67,
    EmrAbortPath = 68,
    EmrFillRgn = 71,
    EmrInvertRgn = 73,
    EmrPaintRgn = 74,
    EmrExtSelectClipRgn = 75,
    EmrBitBlt = 76,
    EmrStretchBlt = 77,
    EmrSetDiBitsToDevice = 80,
    EmrStretchDiBits = 81,
    EmrExtCreateFontIndirectW = 82,
    EmrExtTextOutA = 83,
    EmrExtTextOutW = 84,
    EmrPolyBezier16 = 85,
    EmrPolygon16 = 86,
    EmrPolyline16 = 87,
    EmrPolyBezierTo16 = 88,
    EmrPolylineTo16 = 89,
    EmrPolyPolyline16 = 90,
    EmrPolyPolygon16 = 91,
    EmrPolyDraw16 = 92,
    EmrCreateMonoBrush = 93,
    EmrCreateDibPatternBrushPt = 94,
    EmrExtCreatePen = 95,
    EmrSmallTextOut = 108,
    EmrAlphaBlend = 114,
};

constexpr quint32 kEtoNoRect = 0x100;
constexpr quint32 kEtoSmallChars = 0x200;
constexpr quint32 kEtoPdy = 0x2000;
constexpr quint32 kDibPalColors = 1;

// One record; offsets count from the record's first byte and never reach past its end.
class TRecord
{
public:
    TRecord(const TByteReader& file, qint64 at, qint64 size) : m_in(file.Mid(at, size)) {}
    quint32 Type() const { return m_in.U32(0); }
    bool Has(qint64 end) const { return m_in.Holds(0, end); }
    qint32 I(qint64 at) const { return m_in.I32(at); }
    quint32 U(qint64 at) const { return m_in.U32(at); }
    float F(qint64 at) const { return m_in.F32(at); }
    QPointF Point(qint64 at) const { return QPointF(I(at), I(at + 4)); }
    QSizeF Size(qint64 at) const { return QSizeF(I(at), I(at + 4)); }
    QRectF Box(qint64 at) const { return QRectF(Point(at), Point(at + 8)); }
    QByteArrayView Bytes(qint64 at, qint64 count) const { return m_in.Mid(at, count); }
    // Points of 32-bit or, when `small`, 16-bit coordinates.
    QPolygonF Points(qint64 at, qint64 count, bool small) const
    {
        const qint64 size = small ? 4 : 8;
        QPolygonF points;
        if (count < 0 || !m_in.Holds(at, count * size))
            return points;
        points.reserve(count);
        for (qint64 i = 0; i < count; ++i) {
            const qint64 p = at + i * size;
            points.append(small ? QPointF(m_in.I16(p), m_in.I16(p + 2)) : Point(p));
        }
        return points;
    }
    QTransform Transform(qint64 at) const
    {
        return QTransform(F(at), F(at + 4), F(at + 8), F(at + 12), F(at + 16), F(at + 20));
    }

private:
    TByteReader m_in;
};

// Region data: a 32-byte header whose third field counts the rectangles that follow, in device units.
QPainterPath Region(QByteArrayView data)
{
    const TByteReader in(data);
    QPainterPath path;
    const qint64 count = std::min<qint64>({in.U32(8), kMaxRegionRects, (data.size() - 32) / 16});
    for (qint64 i = 0; i < count; ++i) {
        const qint64 p = 32 + 16 * i;
        path.addRect(QRectF(QPointF(in.I32(p), in.I32(p + 4)), QPointF(in.I32(p + 8), in.I32(p + 12))));
    }
    return path;
}

TDibImage Dib(const TRecord& r, qint64 usageAt, qint64 fieldsAt)
{
    if (r.U(usageAt) == kDibPalColors)
        return {};
    return DecodeDib(r.Bytes(r.U(fieldsAt), r.U(fieldsAt + 4)), r.Bytes(r.U(fieldsAt + 8), r.U(fieldsAt + 12)));
}

TGdiBrush PatternBrush(const TRecord& r, bool monochrome)
{
    TGdiBrush brush;
    brush.style = Gdi::BsDibPatternPt;
    const QImage pattern = Dib(r, 12, 16).image;
    if (!monochrome || pattern.isNull()) {
        brush.pattern = pattern;
        return brush;
    }
    const int width = std::min(pattern.width(), kMaxMonoPattern);
    const int height = std::min(pattern.height(), kMaxMonoPattern);
    const bool indexedSource = pattern.colorCount() > 0;
    QImage indexed(width, height, QImage::Format_Indexed8);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const bool set = indexedSource ? pattern.pixelIndex(x, y) > 0 : qGray(pattern.pixel(x, y)) >= 128;
            indexed.setPixel(x, y, set ? 1 : 0);
        }
    }
    brush.pattern = indexed;
    brush.monochrome = true;
    return brush;
}

QString Utf16(QByteArrayView bytes)
{
    QString text;
    text.reserve(bytes.size() / 2);
    for (qsizetype i = 0; i + 1 < bytes.size(); i += 2)
        text.append(
            QChar(static_cast<char16_t>(static_cast<quint8>(bytes[i]) | static_cast<quint8>(bytes[i + 1]) << 8)));
    return text;
}

TGdiFont Font(const TRecord& r)
{
    TGdiFont font;
    font.height = r.I(12);
    font.width = r.I(16);
    font.escapement = r.I(20);
    font.weight = r.I(28);
    const QByteArrayView flags = r.Bytes(32, 4);
    if (flags.size() == 4) {
        font.italic = flags[0];
        font.underline = flags[1];
        font.strikeout = flags[2];
        font.charset = static_cast<quint8>(flags[3]);
    }
    QString name = Utf16(r.Bytes(40, 64));
    if (const qsizetype end = name.indexOf(QChar(0)); end >= 0)
        name.truncate(end);
    font.face = name;
    return font;
}

void ExtTextOut(TMetafileDC& dc, const TRecord& r, bool wide)
{
    const int graphicsMode = static_cast<int>(r.U(24));
    const QPointF reference = r.Point(36);
    const qint64 count = r.U(44);
    const quint32 options = r.U(52);
    const QRectF box = (options & kEtoNoRect) ? QRectF() : r.Box(56);
    const QByteArrayView bytes = r.Bytes(r.U(48), count * (wide ? 2 : 1));
    if (bytes.isEmpty() && count > 0)
        return;
    const QString text = wide ? Utf16(bytes) : FromWindows1252(bytes.toByteArray());
    QList<double> dx;
    const qint64 step = (options & kEtoPdy) ? 8 : 4;
    const qint64 dxAt = r.U(72);
    if (dxAt > 0 && r.Bytes(dxAt, count * step).size() == count * step) {
        dx.reserve(count);
        for (qint64 i = 0; i < count; ++i)
            dx.append(r.I(dxAt + i * step));
    }
    dc.Text(reference, text, dx, options, box, graphicsMode);
}

void SmallTextOut(TMetafileDC& dc, const TRecord& r)
{
    const qint64 count = r.U(16);
    const quint32 options = r.U(20);
    const bool hasBox = !(options & kEtoNoRect);
    const qint64 textAt = hasBox ? 52 : 36;
    const bool small = options & kEtoSmallChars;
    const QByteArrayView bytes = r.Bytes(textAt, count * (small ? 1 : 2));
    if (bytes.isEmpty() && count > 0)
        return;
    dc.Text(r.Point(8), small ? FromWindows1252(bytes.toByteArray()) : Utf16(bytes), {}, options,
            hasBox ? r.Box(36) : QRectF(), static_cast<int>(r.U(24)));
}

void PolyDraw(TMetafileDC& dc, const TRecord& r, bool small)
{
    const qint64 count = r.U(24);
    const QPolygonF points = r.Points(28, count, small);
    const QByteArrayView types = r.Bytes(28 + count * (small ? 4 : 8), count);
    if (points.isEmpty() || types.size() != count)
        return;
    for (qint64 i = 0; i < count; ++i) {
        const quint8 type = static_cast<quint8>(types[i]);
        if ((type & 6) == 6) { // move
            dc.MoveTo(points[i]);
        } else if ((type & 6) == 4 && i + 2 < count) { // Bezier: three points
            dc.PolyBezierTo(points.mid(i, 3));
            i += 2;
        } else {
            dc.LineTo(points[i]);
        }
        if (type & 1)
            dc.CloseFigure();
    }
}

void PolyPoly(TMetafileDC& dc, const TRecord& r, bool small, bool polygon)
{
    const qint64 polys = r.U(24);
    const qint64 total = r.U(28);
    if (!r.Has(32 + polys * 4))
        return;
    const QPolygonF points = r.Points(32 + polys * 4, total, small);
    if (points.size() != total)
        return;
    QList<QPolygonF> shapes;
    qint64 at = 0;
    for (qint64 i = 0; i < polys; ++i) {
        const qint64 n = r.U(32 + i * 4);
        if (n > total - at)
            return;
        shapes.append(points.mid(at, n));
        at += n;
    }
    if (polygon)
        dc.PolyPolygon(shapes);
    else
        dc.PolyPolyline(shapes);
}

void Poly(TMetafileDC& dc, const TRecord& r, quint32 type, bool small)
{
    const QPolygonF points = r.Points(28, r.U(24), small);
    switch (type) {
    case EmrPolyBezier:
        dc.PolyBezier(points);
        break;
    case EmrPolygon:
        dc.Polygon(points);
        break;
    case EmrPolyline:
        dc.Polyline(points);
        break;
    case EmrPolyBezierTo:
        dc.PolyBezierTo(points);
        break;
    default:
        dc.PolylineTo(points);
        break;
    }
}

void Blt(TMetafileDC& dc, const TRecord& r, bool stretch)
{
    const QRectF destination(r.Point(24), r.Size(32));
    // An alpha blend keeps its blend function where the others keep a raster operation: it copies.
    const quint32 rop = r.Type() == EmrAlphaBlend ? 0x00CC0020 : r.U(40);
    if (r.U(88) == 0) { // no source bitmap
        dc.PatBlt(destination, rop);
        return;
    }
    const TDibImage dib = Dib(r, 80, 84);
    const QSizeF sourceSize = stretch ? r.Size(100) : destination.size();
    dc.StretchBits(destination, dib, QRectF(r.Point(44), sourceSize), rop);
}

void PlayRecord(TMetafileDC& dc, const TRecord& r)
{
    TMetafileDC::State& s = dc.Current();
    const quint32 type = r.Type();
    switch (type) {
    case EmrPolyBezier:
    case EmrPolygon:
    case EmrPolyline:
    case EmrPolyBezierTo:
    case EmrPolylineTo:
        Poly(dc, r, type, false);
        break;
    case EmrPolyBezier16:
    case EmrPolygon16:
    case EmrPolyline16:
    case EmrPolyBezierTo16:
    case EmrPolylineTo16:
        Poly(dc, r, type - EmrPolyBezier16 + EmrPolyBezier, true);
        break;
    case EmrPolyPolyline:
    case EmrPolyPolygon:
        PolyPoly(dc, r, false, type == EmrPolyPolygon);
        break;
    case EmrPolyPolyline16:
    case EmrPolyPolygon16:
        PolyPoly(dc, r, true, type == EmrPolyPolygon16);
        break;
    case EmrPolyDraw:
    case EmrPolyDraw16:
        PolyDraw(dc, r, type == EmrPolyDraw16);
        break;
    case EmrSetWindowExtEx:
        dc.SetWindowExt(r.Size(8));
        break;
    case EmrSetWindowOrgEx:
        dc.SetWindowOrg(r.Point(8));
        break;
    case EmrSetViewportExtEx:
        dc.SetViewportExt(r.Size(8));
        break;
    case EmrSetViewportOrgEx:
        dc.SetViewportOrg(r.Point(8));
        break;
    case EmrScaleViewportExtEx:
        dc.ScaleViewportExt(r.I(8), r.I(12), r.I(16), r.I(20));
        break;
    case EmrScaleWindowExtEx:
        dc.ScaleWindowExt(r.I(8), r.I(12), r.I(16), r.I(20));
        break;
    case EmrSetMapMode:
        dc.SetMapMode(static_cast<int>(r.U(8)));
        break;
    case EmrSetBkMode:
        s.bkMode = static_cast<int>(r.U(8));
        break;
    case EmrSetPolyFillMode:
        s.polyFillMode = static_cast<int>(r.U(8));
        break;
    case EmrSetRop2:
        s.rop2 = static_cast<int>(r.U(8));
        break;
    case EmrSetTextAlign:
        s.textAlign = r.U(8);
        break;
    case EmrSetTextColor:
        s.textColor = GdiColor(r.U(8));
        break;
    case EmrSetBkColor:
        s.bkColor = GdiColor(r.U(8));
        break;
    case EmrSetArcDirection:
        s.arcDirection = static_cast<int>(r.U(8));
        break;
    case EmrSetWorldTransform:
        dc.SetWorldTransform(r.Transform(8));
        break;
    case EmrModifyWorldTransform:
        dc.ModifyWorldTransform(r.Transform(8), static_cast<int>(r.U(32)));
        break;
    case EmrSaveDc:
        dc.Save();
        break;
    case EmrRestoreDc:
        dc.Restore(r.I(8));
        break;
    case EmrSelectObject:
        dc.SelectObject(r.U(8));
        break;
    case EmrDeleteObject:
        dc.DeleteObject(r.U(8));
        break;
    case EmrCreatePen: {
        TGdiPen pen;
        pen.style = r.U(12);
        pen.width = std::abs(r.I(16));
        pen.color = GdiColor(r.U(24));
        dc.SetObject(r.U(8), pen);
        break;
    }
    case EmrExtCreatePen: {
        TGdiPen pen;
        pen.style = r.U(28);
        pen.width = (pen.style & Gdi::PsGeometric) ? r.U(32) : 0;
        pen.color = GdiColor(r.U(40));
        if (r.U(36) == Gdi::BsNull)
            pen.style = Gdi::PsNull;
        const qint64 entries = std::min<qint64>(r.U(48), 16);
        const double unit = std::max(1.0, pen.width);
        for (qint64 i = 0; i < entries && r.Has(52 + 4 * (i + 1)); ++i)
            pen.dashes.append(std::max<qreal>(r.U(52 + 4 * i), 1) / unit);
        dc.SetObject(r.U(8), pen);
        break;
    }
    case EmrCreateBrushIndirect: {
        TGdiBrush brush;
        brush.style = r.U(12);
        brush.color = GdiColor(r.U(16));
        brush.hatch = r.U(20);
        if (brush.style != Gdi::BsSolid && brush.style != Gdi::BsNull && brush.style != Gdi::BsHatched)
            brush.style = Gdi::BsSolid;
        dc.SetObject(r.U(8), brush);
        break;
    }
    case EmrCreateMonoBrush:
    case EmrCreateDibPatternBrushPt:
        dc.SetObject(r.U(8), PatternBrush(r, type == EmrCreateMonoBrush));
        break;
    case EmrExtCreateFontIndirectW:
        dc.SetObject(r.U(8), Font(r));
        break;
    case EmrCreatePalette:
        dc.SetObject(r.U(8), std::monostate());
        break;
    case EmrMoveToEx:
        dc.MoveTo(r.Point(8));
        break;
    case EmrLineTo:
        dc.LineTo(r.Point(8));
        break;
    case EmrSetPixelV:
        dc.SetPixel(r.Point(8), GdiColor(r.U(16)));
        break;
    case EmrRectangle:
        dc.Rectangle(r.Box(8));
        break;
    case EmrEllipse:
        dc.Ellipse(r.Box(8));
        break;
    case EmrRoundRect:
        dc.RoundRect(r.Box(8), r.Size(24));
        break;
    case EmrArc:
    case EmrArcTo:
    case EmrChord:
    case EmrPie: {
        const auto kind = type == EmrArc     ? TMetafileDC::ArcKind::Arc
                          : type == EmrArcTo ? TMetafileDC::ArcKind::ArcTo
                          : type == EmrPie   ? TMetafileDC::ArcKind::Pie
                                             : TMetafileDC::ArcKind::Chord;
        dc.Arc(kind, r.Box(8), r.Point(24), r.Point(32));
        break;
    }
    case EmrAngleArc:
        dc.AngleArc(r.Point(8), r.U(16), r.F(20), r.F(24));
        break;
    case EmrExcludeClipRect:
        dc.ExcludeClipRect(r.Box(8));
        break;
    case EmrIntersectClipRect:
        dc.IntersectClipRect(r.Box(8));
        break;
    case EmrOffsetClipRgn:
        dc.OffsetClip(r.Point(8));
        break;
    case EmrExtSelectClipRgn:
        dc.SelectClip(Region(r.Bytes(16, r.U(8))), true, static_cast<int>(r.U(12)));
        break;
    case EmrSelectClipPath:
        dc.SelectClipPath(static_cast<int>(r.U(8)));
        break;
    case EmrBeginPath:
        dc.BeginPath();
        break;
    case EmrEndPath:
        dc.EndPath();
        break;
    case EmrCloseFigure:
        dc.CloseFigure();
        break;
    case EmrFillPath:
        dc.FillPath();
        break;
    case EmrStrokeAndFillPath:
        dc.StrokeAndFillPath();
        break;
    case EmrStrokePath:
        dc.StrokePath();
        break;
    case EmrAbortPath:
        dc.AbortPath();
        break;
    case EmrFillRgn:
        if (const TGdiObject* brush = dc.Object(r.U(28)); brush && std::holds_alternative<TGdiBrush>(*brush))
            dc.FillRegion(Region(r.Bytes(32, r.U(24))), true, std::get<TGdiBrush>(*brush));
        break;
    case EmrPaintRgn:
        dc.FillRegion(Region(r.Bytes(28, r.U(24))), true, s.brush);
        break;
    case EmrInvertRgn:
        dc.InvertRegion(Region(r.Bytes(28, r.U(24))), true);
        break;
    case EmrBitBlt:
        Blt(dc, r, false);
        break;
    case EmrStretchBlt:
    case EmrAlphaBlend:
        Blt(dc, r, true);
        break;
    case EmrStretchDiBits:
        dc.StretchBits(QRectF(r.Point(24), r.Size(72)), Dib(r, 64, 48), QRectF(r.Point(32), r.Size(40)), r.U(68));
        break;
    case EmrSetDiBitsToDevice:
        dc.StretchBits(QRectF(r.Point(24), r.Size(40)), Dib(r, 64, 48), QRectF(r.Point(32), r.Size(40)), 0x00CC0020);
        break;
    case EmrExtTextOutA:
    case EmrExtTextOutW:
        ExtTextOut(dc, r, type == EmrExtTextOutW);
        break;
    case EmrSmallTextOut:
        SmallTextOut(dc, r);
        break;
    default:
        break; // comments, palettes, colour management and unknown records change nothing here
    }
}

} // namespace

bool TEmfPlayer::Recognises(const QByteArray& bytes)
{
    const TByteReader in(bytes);
    return in.U32(0) == EmrHeader && in.U32(40) == kSignature;
}

bool TEmfPlayer::Load(const QByteArray& bytes, QString* error)
{
    *this = TEmfPlayer();
    const TByteReader in(bytes);
    const qint64 headerSize = in.U32(4);
    if (!Recognises(bytes) || headerSize < kMinHeaderSize || !in.Holds(0, headerSize))
        return Refuse(error, QStringLiteral("Not an enhanced metafile"));
    // Walk every record once: each must lie inside the file, and the walk must end.
    qint64 at = headerSize;
    qint64 records = 1;
    while (in.Holds(at, 8)) {
        const qint64 size = in.U32(at + 4);
        if (size < 8 || !in.Holds(at, size))
            return Refuse(error, QStringLiteral("The metafile is damaged"));
        if (++records > kMaxRecords)
            return Refuse(error, QStringLiteral("The metafile has too many records"));
        if (in.U32(at) == EmrEof)
            break;
        at += size;
    }
    const QRectF bounds = QRectF(QPointF(in.I32(8), in.I32(12)), QPointF(in.I32(16), in.I32(20))).normalized();
    const QRectF frame = QRectF(QPointF(in.I32(24), in.I32(28)), QPointF(in.I32(32), in.I32(36))).normalized();
    const double deviceWidth = in.I32(72), deviceHeight = in.I32(76);
    const double mmWidth = in.I32(80), mmHeight = in.I32(84);
    const double screenPerMm = kScreenPixelsPerInch / 25.4;
    m_unitsPerMm = deviceWidth > 0 && deviceHeight > 0 && mmWidth > 0 && mmHeight > 0
                       ? QSizeF(deviceWidth / mmWidth, deviceHeight / mmHeight)
                       : QSizeF(screenPerMm, screenPerMm);
    if (frame.width() > 0 && frame.height() > 0) {
        // The frame is in hundredths of a millimetre.
        m_frame = QRectF(frame.left() / 100 * m_unitsPerMm.width(), frame.top() / 100 * m_unitsPerMm.height(),
                         frame.width() / 100 * m_unitsPerMm.width(), frame.height() / 100 * m_unitsPerMm.height());
        m_naturalSize = frame.size() / 100 * screenPerMm;
    } else if (bounds.width() > 0 && bounds.height() > 0) {
        m_frame = bounds;
        m_naturalSize = QSizeF(bounds.width() / m_unitsPerMm.width() * screenPerMm,
                               bounds.height() / m_unitsPerMm.height() * screenPerMm);
    } else {
        return Refuse(error, QStringLiteral("The metafile gives no size"));
    }
    if (!std::isfinite(m_frame.width()) || !std::isfinite(m_frame.height()) || m_frame.isEmpty())
        return Refuse(error, QStringLiteral("The metafile gives no size"));
    m_bytes = bytes;
    return true;
}

QSizeF TEmfPlayer::NaturalSize() const
{
    return m_naturalSize;
}

bool TEmfPlayer::Play(QPainter& painter, const QRectF& target) const
{
    if (m_bytes.isEmpty() || target.isEmpty())
        return true;
    TMetafileDC dc(painter, m_frame, target, m_unitsPerMm);
    const TByteReader in(m_bytes);
    qint64 at = in.U32(4);
    while (in.Holds(at, 8)) {
        const qint64 size = in.U32(at + 4);
        const TRecord record(in, at, size);
        if (record.Type() == EmrEof)
            break;
        PlayRecord(dc, record);
        if (dc.Exhausted())
            return false;
        at += size;
    }
    return true;
}
