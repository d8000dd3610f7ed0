#include "wmfplayer.h"

#include "bytereader.h"
#include "metafiledc.h"
#include "picturereading.h"

#include "platform/screenmetrics.h"
#include "platform/windows1252.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <optional>

namespace {

constexpr quint32 kPlaceableKey = 0x9AC6CDD7;
constexpr int kPlaceableSize = 22;
constexpr int kHeaderSize = 18;
// What one picture may cost to draw: real clip art stays far below.
constexpr qint64 kMaxRecords = 500'000;

enum : quint16 {
    MetaEof = 0x0000,
    MetaSaveDc = 0x001E,
    MetaRealizePalette = 0x0035,
    MetaSetPalEntries = 0x0037,
    MetaSetBkMode = 0x0102,
    MetaSetMapMode = 0x0103,
    MetaSetRop2 = 0x0104,
    MetaSetRelAbs = 0x0105,
    MetaSetPolyFillMode = 0x0106,
    MetaSetStretchBltMode = 0x0107,
    MetaSetTextCharExtra = 0x0108,
    MetaRestoreDc = 0x0127,
    MetaInvertRegion = 0x012A,
    MetaPaintRegion = 0x012B,
    MetaSelectClipRegion = 0x012C,
    MetaSelectObject = 0x012D,
    MetaSetTextAlign = 0x012E,
    MetaDibCreatePatternBrush = 0x0142,
    MetaDeleteObject = 0x01F0,
    MetaCreatePatternBrush = 0x01F9,
    MetaSetBkColor = 0x0201,
    MetaSetTextColor = 0x0209,
    MetaSetWindowOrg = 0x020B,
    MetaSetWindowExt = 0x020C,
    MetaSetViewportOrg = 0x020D,
    MetaSetViewportExt = 0x020E,
    MetaOffsetWindowOrg = 0x020F,
    MetaOffsetViewportOrg = 0x0211,
    MetaLineTo = 0x0213,
    MetaMoveTo = 0x0214,
    MetaOffsetClipRgn = 0x0220,
    MetaFillRegion = 0x0228,
    MetaCreatePenIndirect = 0x02FA,
    MetaCreateFontIndirect = 0x02FB,
    MetaCreateBrushIndirect = 0x02FC,
    MetaCreatePalette = 0x00F7,
    MetaPolygon = 0x0324,
    MetaPolyline = 0x0325,
    MetaScaleWindowExt = 0x0410,
    MetaScaleViewportExt = 0x0412,
    MetaExcludeClipRect = 0x0415,
    MetaIntersectClipRect = 0x0416,
    MetaEllipse = 0x0418,
    MetaRectangle = 0x041B,
    MetaSetPixel = 0x041F,
    MetaFrameRegion = 0x0429,
    MetaTextOut = 0x0521,
    MetaPolyPolygon = 0x0538,
    MetaRoundRect = 0x061C,
    MetaPatBlt = 0x061D,
    MetaCreateRegion = 0x06FF,
    MetaArc = 0x0817,
    MetaPie = 0x081A,
    MetaChord = 0x0830,
    MetaBitBlt = 0x0922,
    MetaDibBitBlt = 0x0940,
    MetaExtTextOut = 0x0A32,
    MetaStretchBlt = 0x0B23,
    MetaDibStretchBlt = 0x0B41,
    MetaSetDibToDev = 0x0D33,
    MetaStretchDib = 0x0F43,
};

// One record: its parameters are 16-bit words, many of them stored last field first.
class TRecord
{
public:
    TRecord(const TByteReader& in, qint64 at, qint64 words)
        : m_in(in), m_at(at + 6), m_words(words - 3), m_function(in.U16(at + 4))
    {
    }
    quint16 Function() const { return m_function; }
    qint64 Words() const { return m_words; }
    bool Has(qint64 words) const { return m_words >= words; }
    double W(qint64 i) const { return m_in.I16(m_at + 2 * i); }
    quint16 U(qint64 i) const { return m_in.U16(m_at + 2 * i); }
    quint32 U32(qint64 i) const { return m_in.U32(m_at + 2 * i); }
    QPointF Point(qint64 i) const { return QPointF(W(i + 1), W(i)); } // y stored before x
    // left, top, right, bottom stored bottom first
    QRectF Box(qint64 i) const { return QRectF(QPointF(W(i + 3), W(i + 2)), QPointF(W(i + 1), W(i))); }
    QByteArrayView Bytes(qint64 fromWord) const
    {
        return fromWord <= m_words ? m_in.Mid(m_at + 2 * fromWord, 2 * (m_words - fromWord)) : QByteArrayView();
    }
    QPolygonF Points(qint64 i, qint64 count) const
    {
        QPolygonF points;
        if (count < 0 || !Has(i + 2 * count))
            return points;
        points.reserve(count);
        for (qint64 k = 0; k < count; ++k)
            points.append(QPointF(W(i + 2 * k), W(i + 2 * k + 1)));
        return points;
    }

private:
    const TByteReader& m_in;
    qint64 m_at;
    qint64 m_words;
    quint16 m_function;
};

TGdiFont ReadFont(const TRecord& r)
{
    TGdiFont font;
    font.height = r.W(0);
    font.width = r.W(1);
    font.escapement = static_cast<int>(r.W(2));
    font.weight = static_cast<int>(r.W(4));
    const QByteArrayView bytes = r.Bytes(5);
    const TByteReader in(bytes);
    font.italic = in.U8(0);
    font.underline = in.U8(1);
    font.strikeout = in.U8(2);
    font.charset = in.U8(3);
    QByteArrayView face = in.Mid(8, std::clamp<qsizetype>(bytes.size() - 8, 0, 32));
    if (const qsizetype end = face.indexOf('\0'); end >= 0)
        face = face.first(end);
    font.face = FromWindows1252(face.toByteArray());
    return font;
}

// The old device-dependent pattern bitmap: only its one-bit form has a meaning without the recording device.
TGdiBrush ReadBitmap16Pattern(QByteArrayView bytes)
{
    const TByteReader in(bytes);
    TGdiBrush brush;
    brush.style = Gdi::BsPattern;
    const int width = in.I16(2), height = in.I16(4), stride = in.I16(6);
    if (in.U8(8) != 1 || in.U8(9) != 1 || width <= 0 || height <= 0 || width > 64 || height > 64 ||
        stride * 8 < width || !in.Holds(10, qint64(stride) * height))
        return brush;
    QImage image(width, height, QImage::Format_Indexed8);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, in.U8(10 + y * stride + x / 8) >> (7 - x % 8) & 1);
    }
    brush.pattern = image;
    brush.monochrome = true;
    return brush;
}

TGdiRegion ReadRegion(const TRecord& r)
{
    // Header of ten words, then scans: count, top, bottom, count / 2 pairs of left and right, count again.
    TGdiRegion region;
    const qint64 scans = r.U(5);
    qint64 at = 11;
    for (qint64 i = 0; i < scans && r.Has(at + 3); ++i) {
        const qint64 count = r.U(at);
        const double top = r.W(at + 1), bottom = r.W(at + 2);
        if (!r.Has(at + 3 + count + 1))
            break;
        for (qint64 k = 0; k + 1 < count; k += 2)
            region.path.addRect(QRectF(QPointF(r.W(at + 3 + k), top), QPointF(r.W(at + 4 + k), bottom)));
        at += 4 + count;
    }
    return region;
}

QString RecordText(QByteArrayView bytes)
{
    return FromWindows1252(bytes.toByteArray());
}

const TGdiRegion* RegionAt(const TMetafileDC& dc, quint32 index)
{
    const TGdiObject* object = dc.Object(index);
    return object ? std::get_if<TGdiRegion>(object) : nullptr;
}

void Bitmap(TMetafileDC& dc, const TRecord& r, qint64 dibWord, QRectF destination, QRectF source, quint32 rop)
{
    const TDibImage dib = DecodePackedDib(r.Bytes(dibWord));
    if (dib.image.isNull())
        return;
    if (source.width() == 0 || source.height() == 0)
        source = QRectF(0, 0, dib.image.width(), dib.image.height());
    dc.StretchBits(destination, dib, source, rop);
}

void PlayRecord(TMetafileDC& dc, const TRecord& r)
{
    TMetafileDC::State& s = dc.Current();
    switch (r.Function()) {
    case MetaSetBkMode:
        s.bkMode = r.U(0);
        break;
    case MetaSetMapMode:
        dc.SetMapMode(r.U(0));
        break;
    case MetaSetRop2:
        s.rop2 = r.U(0);
        break;
    case MetaSetPolyFillMode:
        s.polyFillMode = r.U(0);
        break;
    case MetaSetTextCharExtra:
        s.charExtra = r.W(0);
        break;
    case MetaSetTextAlign:
        s.textAlign = r.U(0);
        break;
    case MetaSetBkColor:
        s.bkColor = GdiColor(r.U32(0));
        break;
    case MetaSetTextColor:
        s.textColor = GdiColor(r.U32(0));
        break;
    case MetaSetWindowOrg:
        dc.SetWindowOrg(r.Point(0));
        break;
    case MetaSetWindowExt:
        dc.SetWindowExt(QSizeF(r.W(1), r.W(0)));
        break;
    case MetaSetViewportOrg:
        dc.SetViewportOrg(r.Point(0));
        break;
    case MetaSetViewportExt:
        dc.SetViewportExt(QSizeF(r.W(1), r.W(0)));
        break;
    case MetaOffsetWindowOrg:
        dc.SetWindowOrg(s.windowOrg + r.Point(0));
        break;
    case MetaOffsetViewportOrg:
        dc.SetViewportOrg(s.viewportOrg + r.Point(0));
        break;
    case MetaScaleWindowExt:
        dc.ScaleWindowExt(r.W(3), r.W(2), r.W(1), r.W(0));
        break;
    case MetaScaleViewportExt:
        dc.ScaleViewportExt(r.W(3), r.W(2), r.W(1), r.W(0));
        break;
    case MetaSaveDc:
        dc.Save();
        break;
    case MetaRestoreDc:
        dc.Restore(static_cast<int>(r.W(0)));
        break;
    case MetaSelectObject:
        dc.SelectObject(r.U(0));
        break;
    case MetaDeleteObject:
        dc.DeleteObject(r.U(0));
        break;
    case MetaCreatePenIndirect: {
        TGdiPen pen;
        pen.style = r.U(0);
        pen.width = std::abs(r.W(1));
        pen.color = GdiColor(r.U32(3));
        dc.AddObject(pen);
        break;
    }
    case MetaCreateBrushIndirect: {
        TGdiBrush brush;
        brush.style = r.U(0);
        brush.color = GdiColor(r.U32(1));
        brush.hatch = r.U(3);
        if (brush.style != Gdi::BsSolid && brush.style != Gdi::BsNull && brush.style != Gdi::BsHatched)
            brush.style = Gdi::BsSolid;
        dc.AddObject(brush);
        break;
    }
    case MetaDibCreatePatternBrush: {
        TGdiBrush brush;
        if (r.U(0) == Gdi::BsPattern) {
            brush = ReadBitmap16Pattern(r.Bytes(2));
        } else {
            brush.style = Gdi::BsDibPattern;
            brush.pattern = DecodePackedDib(r.Bytes(2)).image;
        }
        dc.AddObject(brush);
        break;
    }
    case MetaCreatePatternBrush:
        dc.AddObject(ReadBitmap16Pattern(r.Bytes(0)));
        break;
    case MetaCreateFontIndirect:
        dc.AddObject(ReadFont(r));
        break;
    case MetaCreateRegion:
        dc.AddObject(ReadRegion(r));
        break;
    case MetaCreatePalette:
        dc.AddObject(std::monostate());
        break;
    case MetaSelectClipRegion:
        if (const TGdiRegion* region = RegionAt(dc, r.U(0)))
            dc.SelectClip(region->path, false, Gdi::RgnCopy);
        else
            dc.ResetClip();
        break;
    case MetaFillRegion:
        if (const TGdiRegion* region = RegionAt(dc, r.U(0))) {
            const TGdiObject* brush = dc.Object(r.U(1));
            if (brush && std::holds_alternative<TGdiBrush>(*brush))
                dc.FillRegion(region->path, false, std::get<TGdiBrush>(*brush));
        }
        break;
    case MetaPaintRegion:
        if (const TGdiRegion* region = RegionAt(dc, r.U(0)))
            dc.FillRegion(region->path, false, s.brush);
        break;
    case MetaInvertRegion:
        if (const TGdiRegion* region = RegionAt(dc, r.U(0)))
            dc.InvertRegion(region->path, false);
        break;
    case MetaIntersectClipRect:
        dc.IntersectClipRect(r.Box(0));
        break;
    case MetaExcludeClipRect:
        dc.ExcludeClipRect(r.Box(0));
        break;
    case MetaOffsetClipRgn:
        dc.OffsetClip(r.Point(0));
        break;
    case MetaMoveTo:
        dc.MoveTo(r.Point(0));
        break;
    case MetaLineTo:
        dc.LineTo(r.Point(0));
        break;
    case MetaPolyline:
    case MetaPolygon: {
        const QPolygonF points = r.Points(1, r.U(0));
        if (r.Function() == MetaPolygon)
            dc.Polygon(points);
        else
            dc.Polyline(points);
        break;
    }
    case MetaPolyPolygon: {
        const qint64 count = r.U(0);
        if (!r.Has(1 + count))
            break;
        QList<QPolygonF> polygons;
        qint64 at = 1 + count;
        for (qint64 i = 0; i < count; ++i) {
            const qint64 n = r.U(1 + i);
            if (!r.Has(at + 2 * n))
                return;
            polygons.append(r.Points(at, n));
            at += 2 * n;
        }
        dc.PolyPolygon(polygons);
        break;
    }
    case MetaRectangle:
        dc.Rectangle(r.Box(0));
        break;
    case MetaEllipse:
        dc.Ellipse(r.Box(0));
        break;
    case MetaRoundRect:
        dc.RoundRect(r.Box(2), QSizeF(r.W(1), r.W(0)));
        break;
    case MetaArc:
    case MetaPie:
    case MetaChord: {
        const auto kind = r.Function() == MetaArc   ? TMetafileDC::ArcKind::Arc
                          : r.Function() == MetaPie ? TMetafileDC::ArcKind::Pie
                                                    : TMetafileDC::ArcKind::Chord;
        dc.Arc(kind, r.Box(4), r.Point(2), r.Point(0));
        break;
    }
    case MetaSetPixel:
        dc.SetPixel(r.Point(2), GdiColor(r.U32(0)));
        break;
    case MetaPatBlt:
        dc.PatBlt(QRectF(r.W(5), r.W(4), r.W(3), r.W(2)), r.U32(0));
        break;
    case MetaTextOut: {
        const qint64 length = r.U(0);
        const qint64 words = (length + 1) / 2;
        if (!r.Has(1 + words + 2))
            break;
        dc.Text(r.Point(1 + words), RecordText(r.Bytes(1).first(length)), {}, 0, QRectF(), Gdi::GmCompatible);
        break;
    }
    case MetaExtTextOut: {
        const qint64 length = r.U(2);
        const quint32 options = r.U(3);
        qint64 at = 4;
        QRectF box;
        // Some writers leave the rectangle out although an option asks for it: trust the record's size.
        const bool hasBox = (options & (Gdi::EtoOpaque | Gdi::EtoClipped)) && r.Has(4 + 4 + (length + 1) / 2);
        if (hasBox) {
            box = QRectF(QPointF(r.W(4), r.W(5)), QPointF(r.W(6), r.W(7)));
            at += 4;
        }
        const qint64 words = (length + 1) / 2;
        if (!r.Has(at + words))
            break;
        QList<double> dx;
        if (r.Has(at + words + length)) {
            for (qint64 i = 0; i < length; ++i)
                dx.append(r.W(at + words + i));
        }
        dc.Text(r.Point(0), RecordText(r.Bytes(at).first(length)), dx, options, box, Gdi::GmCompatible);
        break;
    }
    case MetaStretchDib:
        if (r.Has(11))
            Bitmap(dc, r, 11, QRectF(r.W(10), r.W(9), r.W(8), r.W(7)), QRectF(r.W(6), r.W(5), r.W(4), r.W(3)),
                   r.U32(0));
        break;
    case MetaDibStretchBlt:
    case MetaStretchBlt:
        if (r.Words() == 11) // no bitmap: a pattern operation
            dc.PatBlt(QRectF(r.W(10), r.W(9), r.W(8), r.W(7)), r.U32(0));
        else if (r.Function() == MetaDibStretchBlt && r.Has(10))
            Bitmap(dc, r, 10, QRectF(r.W(9), r.W(8), r.W(7), r.W(6)), QRectF(r.W(5), r.W(4), r.W(3), r.W(2)), r.U32(0));
        break;
    case MetaDibBitBlt:
    case MetaBitBlt:
        if (r.Words() == 9)
            dc.PatBlt(QRectF(r.W(8), r.W(7), r.W(6), r.W(5)), r.U32(0));
        else if (r.Function() == MetaDibBitBlt && r.Has(8))
            Bitmap(dc, r, 8, QRectF(r.W(7), r.W(6), r.W(5), r.W(4)), QRectF(r.W(3), r.W(2), r.W(5), r.W(4)), r.U32(0));
        break;
    case MetaSetDibToDev:
        if (r.Has(9))
            Bitmap(dc, r, 9, QRectF(r.W(8), r.W(7), r.W(6), r.W(5)), QRectF(r.W(4), r.W(3), r.W(6), r.W(5)),
                   0x00CC0020);
        break;
    default:
        break; // escapes, palettes, flood fills and unknown records change nothing here
    }
}

} // namespace

bool TWmfPlayer::Recognises(const QByteArray& bytes)
{
    const TByteReader in(bytes);
    if (in.U32(0) == kPlaceableKey)
        return true;
    return (in.U16(0) == 1 || in.U16(0) == 2) && in.U16(2) == 9 && (in.U16(4) == 0x0100 || in.U16(4) == 0x0300);
}

bool TWmfPlayer::Load(const QByteArray& bytes, QString* error)
{
    *this = TWmfPlayer();
    const TByteReader in(bytes);
    const bool placeable = in.U32(0) == kPlaceableKey;
    const qint64 header = placeable ? kPlaceableSize : 0;
    if (!in.Holds(header, kHeaderSize) || (in.U16(header) != 1 && in.U16(header) != 2) || in.U16(header + 2) != 9)
        return Refuse(error, QStringLiteral("Not a Windows metafile"));
    QRectF frame;
    if (placeable) {
        frame = QRectF(QPointF(in.I16(6), in.I16(8)), QPointF(in.I16(10), in.I16(12))).normalized();
        m_unitsPerInch = in.U16(14);
        if (m_unitsPerInch == 0)
            return Refuse(error, QStringLiteral("The metafile's header is damaged"));
    }
    // Walk every record once: each must lie inside the file, and the walk must end.
    std::optional<QPointF> windowOrg;
    std::optional<QSizeF> windowExt;
    qint64 at = header + kHeaderSize;
    qint64 records = 0;
    while (in.Holds(at, 6)) {
        const qint64 words = in.U32(at);
        if (words < 3 || words > (in.Size() - at) / 2)
            return Refuse(error, QStringLiteral("The metafile is damaged"));
        if (++records > kMaxRecords)
            return Refuse(error, QStringLiteral("The metafile has too many records"));
        const quint16 function = in.U16(at + 4);
        if (function == MetaEof)
            break;
        if (function == MetaSetWindowOrg && !windowOrg)
            windowOrg = QPointF(in.I16(at + 8), in.I16(at + 6));
        if (function == MetaSetWindowExt && !windowExt)
            windowExt = QSizeF(in.I16(at + 8), in.I16(at + 6));
        at += 2 * words;
    }
    if (!placeable) {
        // Without the placeable header only the window the file sets says how large it is.
        frame = QRectF(windowOrg.value_or(QPointF()), windowExt.value_or(QSizeF(0, 0))).normalized();
        m_unitsPerInch = kScreenPixelsPerInch;
    }
    if (frame.width() <= 0 || frame.height() <= 0)
        return Refuse(error, QStringLiteral("The metafile gives no size"));
    m_bytes = bytes;
    m_firstRecord = header + kHeaderSize;
    m_frame = frame;
    return true;
}

QSizeF TWmfPlayer::NaturalSize() const
{
    return m_frame.size() * kScreenPixelsPerInch / m_unitsPerInch;
}

bool TWmfPlayer::Play(QPainter& painter, const QRectF& target) const
{
    if (m_bytes.isEmpty() || target.isEmpty())
        return true;
    const double unitsPerMm = m_unitsPerInch / 25.4;
    TMetafileDC dc(painter, m_frame, target, QSizeF(unitsPerMm, unitsPerMm));
    // The player maps the file's window onto the picture's rectangle, as the placeable form expects.
    dc.SetMapMode(Gdi::MmAnisotropic);
    dc.SetWindowOrg(m_frame.topLeft());
    dc.SetWindowExt(m_frame.size());
    dc.SetViewportOrg(m_frame.topLeft());
    dc.SetViewportExt(m_frame.size());
    const TByteReader in(m_bytes);
    qint64 at = m_firstRecord;
    while (in.Holds(at, 6)) {
        const qint64 words = in.U32(at);
        const TRecord record(in, at, words);
        if (record.Function() == MetaEof)
            break;
        PlayRecord(dc, record);
        if (dc.Exhausted())
            return false;
        at += 2 * words;
    }
    return true;
}
