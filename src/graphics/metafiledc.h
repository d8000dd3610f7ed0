// The drawing state of a Windows device context as a metafile changes it record by record (mapping,
// pens, brushes, fonts, clipping, paths, saved states), and the drawing of each metafile primitive onto a
// QPainter. The WMF and EMF players decode records into these calls.
#pragma once

#include "dibimage.h"

#include <QColor>
#include <QImage>
#include <QList>
#include <QPainterPath>
#include <QPolygonF>
#include <QRectF>
#include <QString>
#include <QTransform>

#include <optional>
#include <set>
#include <variant>
#include <vector>

class QPainter;

namespace Gdi {
enum MapMode { MmText = 1, MmLoMetric, MmHiMetric, MmLoEnglish, MmHiEnglish, MmTwips, MmIsotropic, MmAnisotropic };
enum BkMode { Transparent = 1, Opaque = 2 };
enum PolyFill { Alternate = 1, Winding = 2 };
enum ArcDirection { CounterClockwise = 1, Clockwise = 2 };
enum PenStyle : quint32 {
    PsSolid = 0,
    PsDash,
    PsDot,
    PsDashDot,
    PsDashDotDot,
    PsNull,
    PsInsideFrame,
    PsUserStyle,
    PsAlternate,
    PsStyleMask = 0xF,
    PsEndCapMask = 0xF00,
    PsEndCapSquare = 0x100,
    PsEndCapFlat = 0x200,
    PsJoinMask = 0xF000,
    PsJoinBevel = 0x1000,
    PsJoinMiter = 0x2000,
    PsGeometric = 0x10000,
};
enum BrushStyle : quint32 { BsSolid = 0, BsNull, BsHatched, BsPattern, BsIndexed, BsDibPattern, BsDibPatternPt };
enum TextAlign : quint32 { TaUpdateCp = 1, TaRight = 2, TaCenter = 6, TaBottom = 8, TaBaseline = 24 };
enum TextOptions : quint32 { EtoOpaque = 2, EtoClipped = 4 };
enum RegionMode { RgnAnd = 1, RgnOr, RgnXor, RgnDiff, RgnCopy };
enum GraphicsMode { GmCompatible = 1, GmAdvanced = 2 };
constexpr quint32 kStockObject = 0x80000000;
} // namespace Gdi

// A colour as metafiles store it: red in the low byte; the high byte (palette flags) is ignored.
inline QColor GdiColor(quint32 colorRef)
{
    return QColor(colorRef & 0xFF, colorRef >> 8 & 0xFF, colorRef >> 16 & 0xFF);
}

struct TGdiPen
{
    quint32 style = Gdi::PsSolid;
    double width = 0; // logical units; 0 draws one device pixel wide
    QColor color = Qt::black;
    QList<qreal> dashes; // of a user style, in pen widths
};

struct TGdiBrush
{
    quint32 style = Gdi::BsSolid;
    QColor color = Qt::white;
    quint32 hatch = 0;
    QImage pattern;
    // An indexed pattern of at most 64 x 64 pixels whose index 0 takes the text colour and 1 the background.
    bool monochrome = false;
};

struct TGdiFont
{
    double height = 0; // negative: character height; positive: cell height; 0: the default size
    double width = 0;
    int escapement = 0; // tenths of a degree, counterclockwise
    int weight = 400;
    bool italic = false;
    bool underline = false;
    bool strikeout = false;
    int charset = 0;
    QString face;
};

// Region objects hold their outline in the units they were made in.
struct TGdiRegion
{
    QPainterPath path;
};

// An empty alternative stands for palettes and objects without drawing meaning: they still take a slot.
using TGdiObject = std::variant<std::monostate, TGdiPen, TGdiBrush, TGdiFont, TGdiRegion>;

class TMetafileDC
{
public:
    struct State
    {
        int mapMode = Gdi::MmText;
        QPointF windowOrg;
        QSizeF windowExt{1, 1};
        QPointF viewportOrg;
        QSizeF viewportExt{1, 1};
        QTransform world;
        TGdiPen pen;
        TGdiBrush brush;
        TGdiFont font;
        QColor textColor = Qt::black;
        QColor bkColor = Qt::white;
        int bkMode = Gdi::Opaque;
        quint32 textAlign = 0;
        int rop2 = 13; // copy pen
        int polyFillMode = Gdi::Alternate;
        int arcDirection = Gdi::CounterClockwise;
        double charExtra = 0;
        QPointF position;
        bool clipped = false;
        QPainterPath clip; // device units
    };
    enum class ArcKind { Arc, ArcTo, Pie, Chord };

    // `frame` is the picture's rectangle in device units, drawn into `target` of the painter's current
    // coordinates; `unitsPerMm` is the device resolution for the metric and English mapping modes.
    TMetafileDC(QPainter& painter, const QRectF& frame, const QRectF& target, QSizeF unitsPerMm);
    ~TMetafileDC();
    TMetafileDC(const TMetafileDC&) = delete;
    TMetafileDC& operator=(const TMetafileDC&) = delete;

    State& Current() { return m_state; }
    // The picture has spent what it may cost at this target: the primitive that would have gone over was
    // left out, and the player draws no more.
    bool Exhausted() const { return m_exhausted; }

    // Object table: a WMF takes the lowest free slot, an EMF names its slot.
    int AddObject(TGdiObject object);
    void SetObject(quint32 index, TGdiObject object);
    const TGdiObject* Object(quint32 index) const;
    void SelectObject(quint32 index);
    void DeleteObject(quint32 index);

    void SetMapMode(int mode);
    void SetWindowOrg(QPointF origin);
    void SetWindowExt(QSizeF extent);
    void SetViewportOrg(QPointF origin);
    void SetViewportExt(QSizeF extent);
    void ScaleWindowExt(double xNum, double xDenom, double yNum, double yDenom);
    void ScaleViewportExt(double xNum, double xDenom, double yNum, double yDenom);
    void SetWorldTransform(const QTransform& transform);
    // Mode 1 identity, 2 left-multiply, 3 right-multiply, 4 set.
    void ModifyWorldTransform(const QTransform& transform, int mode);
    void Save();
    // Negative: that many levels back; positive: back to that saved level.
    void Restore(int which);

    void MoveTo(QPointF point);
    void LineTo(QPointF point);
    void Polyline(const QPolygonF& points);
    void PolylineTo(const QPolygonF& points);
    void PolyBezier(const QPolygonF& points);
    void PolyBezierTo(const QPolygonF& points);
    void Polygon(const QPolygonF& points);
    void PolyPolygon(const QList<QPolygonF>& polygons);
    void PolyPolyline(const QList<QPolygonF>& polylines);
    void Rectangle(const QRectF& box);
    void RoundRect(const QRectF& box, QSizeF corner);
    void Ellipse(const QRectF& box);
    void Arc(ArcKind kind, const QRectF& box, QPointF start, QPointF end);
    void AngleArc(QPointF centre, double radius, double startDegrees, double sweepDegrees);
    void SetPixel(QPointF point, const QColor& color);
    // A raster operation without a source bitmap over a logical rectangle.
    void PatBlt(const QRectF& box, quint32 rop);
    void Text(QPointF reference, const QString& text, const QList<double>& dx, quint32 options, const QRectF& box,
              int graphicsMode);
    // `source` counts rows from the bottom when the bitmap was stored bottom row first, as the files do.
    void StretchBits(const QRectF& destination, const TDibImage& bitmap, const QRectF& source, quint32 rop);
    void FillRegion(const QPainterPath& region, bool deviceUnits, const TGdiBrush& brush);
    void InvertRegion(const QPainterPath& region, bool deviceUnits);

    void IntersectClipRect(const QRectF& box);
    void ExcludeClipRect(const QRectF& box);
    void OffsetClip(QPointF offset);
    void SelectClip(const QPainterPath& region, bool deviceUnits, int mode);
    void ResetClip();

    void BeginPath();
    void EndPath();
    void AbortPath();
    void CloseFigure();
    void FillPath();
    void StrokePath();
    void StrokeAndFillPath();
    void SelectClipPath(int mode);

private:
    QTransform PageTransform() const;
    QTransform LogicalToDevice() const;
    QTransform LogicalToPainter() const;
    bool Prepare(const QTransform& transform);
    void ApplyClip();
    QPen MakePen() const;
    QBrush MakeBrush(const TGdiBrush& brush) const;
    void DrawShape(const QPainterPath& shape, bool fill, bool stroke);
    void FillDevice(const QPainterPath& device, const QBrush& brush, int rop2);
    void CombineClip(const QPainterPath& device, int mode);
    QPainterPath ArcPath(ArcKind kind, const QRectF& box, QPointF start, QPointF end) const;
    double SweepSign() const;
    // Rasterising work in counted pixels: the scan lines each edge crosses, the length stroked times the
    // pen's width, and the area filled, all within the counted rectangle.
    double ShapeCost(const QPainterPath& shape, const QTransform& toDevice, bool fill, double penWidth) const;
    double AreaCost(const QRectF& device) const;
    // Spends the cost when the picture may still afford it; otherwise the picture is exhausted.
    bool Afford(double cost);

    QPainter& m_painter;
    QRectF m_frame;
    QTransform m_deviceToPainter;
    QSizeF m_unitsPerMm;
    State m_state;
    std::vector<State> m_saved;
    std::vector<std::optional<TGdiObject>> m_objects;
    std::set<int> m_freeSlots; // freed slots below the end of the table
    bool m_clipDirty = false;
    bool m_pathOpen = false;
    QPainterPath m_path; // logical units
    double m_unit = 1;   // counted pixels per device pixel
    QRectF m_counted;    // counted pixels: the device's rectangle, or the target's on a vector device
    double m_spent = 0;
    double m_affordable = 0;
    bool m_exhausted = false;
};
