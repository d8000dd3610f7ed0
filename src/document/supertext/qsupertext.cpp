#include "qsupertext.h"

#include "captionfit.h"
#include "supertextgradient.h"

#include "graphics/dibimage.h"

#include <QBuffer>
#include <QImageWriter>
#include <QPainter>

#include <cmath>

namespace {

// A value out of range in a document is damage: the reader refuses the object. Set by code, such a
// value is ignored.
Qt::PenStyle ToQtPenStyle(TQSuperText::TPenStyle style)
{
    switch (style) {
    case TQSuperText::psDash:
        return Qt::DashLine;
    case TQSuperText::psDot:
        return Qt::DotLine;
    case TQSuperText::psDashDot:
        return Qt::DashDotLine;
    case TQSuperText::psDashDotDot:
        return Qt::DashDotDotLine;
    case TQSuperText::psClear:
        return Qt::NoPen;
    default:
        return Qt::SolidLine;
    }
}

QByteArray EncodeBmp(const QImage& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "bmp");
    return writer.write(image) ? bytes : QByteArray();
}

// Resets a flag when a scope ends, however it ends.
class FlagScope
{
public:
    explicit FlagScope(bool& flag) : m_flag(flag) { m_flag = true; }
    ~FlagScope() { m_flag = false; }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;

private:
    bool& m_flag;
};

// Larger objects are drawn afresh at every repaint rather than kept as pixels.
constexpr qint64 kMaxCachedPixels = 4'000'000;

} // namespace

TQSuperText::TQSuperText(QObject* parent) : TQGraphicControl(parent)
{
    resize(142, 33);
}

void TQSuperText::SetShadowDepth(int v)
{
    if (v == m_shadowDepth || !AcceptValue(v >= 0 && v <= kMaxDepth, "ShadowDepth", v))
        return;
    m_shadowDepth = v;
    m_layoutDirty = true;
    lookChanged();
}

void TQSuperText::SetShadowOrientation(TShadowOrientation v)
{
    if (v == m_shadowOrientation || !AcceptValue(IsEnumValue(v, sdDown), "ShadowOrientation", v))
        return;
    m_shadowOrientation = v;
    m_layoutDirty = true;
    lookChanged();
}

void TQSuperText::SetShadowcolor(TColor v)
{
    if (v == m_shadowColor || !AcceptValue(IsColorValue(v), "Shadowcolor", v))
        return;
    m_shadowColor = v;
    lookChanged();
}

void TQSuperText::SetBorderStyle(TBorderStyle v)
{
    if (v == m_borderStyle || !AcceptValue(IsEnumValue(v, bsSingle), "BorderStyle", v))
        return;
    m_borderStyle = v;
    lookChanged();
    changed();
}

void TQSuperText::SetControlTransparent(bool v)
{
    if (v == m_controlTransparent)
        return;
    m_controlTransparent = v;
    lookChanged();
    changed();
}

void TQSuperText::SetBGColor(TColor v)
{
    if (v == m_bgColor || !AcceptValue(IsColorValue(v), "BGColor", v))
        return;
    m_bgColor = v;
    lookChanged();
    changed();
}

void TQSuperText::SetCaption(const QString& v)
{
    if (v == m_caption || !AcceptValue(v.size() <= kMaxCaptionLength, "Caption", v.size()))
        return;
    m_caption = v;
    m_layoutDirty = true;
    lookChanged();
    changed();
}

void TQSuperText::SetFont(const FontDescription& v)
{
    if (v == m_font || !AcceptValue(v.size >= 1 && v.size <= kMaxFontPoints, "Font.Size", v.size) ||
        !AcceptValue(IsColorValue(v.color), "Font.Color", v.color))
        return;
    m_font = v;
    m_layoutDirty = true;
    lookChanged();
}

void TQSuperText::SetFillDirection(TFillDirection v)
{
    if (v == m_fillDirection || !AcceptValue(IsEnumValue(v, gdRight), "FillDirection", v))
        return;
    m_fillDirection = v;
    rebuildGradientIfNeeded();
    lookChanged();
}

void TQSuperText::SetGradientToColor(TColor v)
{
    if (v == m_gradientToColor || !AcceptValue(IsColorValue(v), "GradientToColor", v))
        return;
    m_gradientToColor = v;
    rebuildGradientIfNeeded();
    lookChanged();
}

void TQSuperText::SetGradientFromColor(TColor v)
{
    if (v == m_gradientFromColor || !AcceptValue(IsColorValue(v), "GradientFromColor", v))
        return;
    changed();
    m_gradientFromColor = v;
    rebuildGradientIfNeeded();
    lookChanged();
}

void TQSuperText::SetImage(const QImage& v)
{
    m_image = v;
    m_unreadImageData.clear();
    lookChanged();
}

QByteArray TQSuperText::ImageData() const
{
    if (m_image.isNull())
        return m_unreadImageData;
    const QByteArray bmp = EncodeBmp(m_image);
    if (bmp.isEmpty())
        return {};
    QByteArray data(4, '\0');
    const auto size = quint32(bmp.size());
    for (int i = 0; i < 4; ++i)
        data[i] = char(size >> (8 * i) & 0xFF);
    return data + bmp;
}

void TQSuperText::SetImageData(const QByteArray& v)
{
    if (v.isEmpty()) {
        SetImage({});
        return;
    }
    const auto byte = [&v](int i) { return quint32(quint8(v[i])); };
    const quint32 size = v.size() >= 4 ? byte(0) | byte(1) << 8 | byte(2) << 16 | byte(3) << 24 : 0;
    QString error;
    QImage image;
    if (size == quint32(v.size() - 4))
        image = DecodeBmpFile(QByteArrayView(v).sliced(4), &error);
    else
        error = QStringLiteral("length does not match");
    if (image.isNull()) {
        // A document's texture that cannot be shown is kept for saving; the letters get no texture.
        if (IsLoading()) {
            m_image = QImage();
            m_unreadImageData = v;
        }
        return;
    }
    SetImage(image);
}

void TQSuperText::SetOutlineColor(TColor v)
{
    if (v == m_outlineColor || !AcceptValue(IsColorValue(v), "OutlineColor", v))
        return;
    m_outlineColor = v;
    lookChanged();
}

void TQSuperText::SetOutlineStyle(TPenStyle v)
{
    if (v == m_outlineStyle || !AcceptValue(IsEnumValue(v, psInsideFrame), "OutlineStyle", v))
        return;
    m_outlineStyle = v;
    lookChanged();
}

void TQSuperText::SetOutlineWidth(int v)
{
    if (v == m_outlineWidth || !AcceptValue(v >= 0 && v <= kMaxDepth, "OutlineWidth", v))
        return;
    m_outlineWidth = v;
    lookChanged();
}

void TQSuperText::SetSurfaceType(TSurfaceType v)
{
    if (v == m_surfaceType || !AcceptValue(IsEnumValue(v, stGradientFill), "SurfaceType", v))
        return;
    m_surfaceType = v;
    lookChanged();
    if (v != stBrushImage) {
        m_image = QImage();
        m_unreadImageData.clear();
    }
    if (v == stGradientFill)
        BuildGradient();
    // Hollow letters without an outline would vanish.
    if (v == stBrushTransparent && m_outlineStyle == psClear)
        SetOutlineStyle(psSolid);
}

void TQSuperText::lookChanged()
{
    ++m_lookRevision;
    Repaint();
}

void TQSuperText::changed()
{
    if (!IsLoading())
        NotifyChanged();
}

void TQSuperText::rebuildGradientIfNeeded()
{
    if (m_surfaceType == stGradientFill)
        BuildGradient();
}

void TQSuperText::BuildGradient()
{
    buildGradient();
    lookChanged();
}

void TQSuperText::buildGradient()
{
    const bool vertical = verticalGradient();
    const QRgb from = ToQColor(m_gradientFromColor).rgb();
    const QRgb to = ToQColor(m_gradientToColor).rgb();
    const bool forward = m_fillDirection == gdDown || m_fillDirection == gdRight;
    m_gradient = GradientStrip(vertical ? Height() : Width(), vertical, forward ? from : to, forward ? to : from);
}

bool TQSuperText::verticalGradient() const
{
    return m_fillDirection == gdUp || m_fillDirection == gdDown;
}

bool TQSuperText::gradientStale() const
{
    // Moving keeps the gradient; only a new length along its axis needs new bands.
    const QSize strip = m_gradient.size();
    return m_surfaceType == stGradientFill &&
           (verticalGradient() ? strip != QSize(1, Height()) : strip != QSize(Width(), 1));
}

void TQSuperText::Loaded()
{
    TQGraphicControl::Loaded();
    rebuildGradientIfNeeded();
}

void TQSuperText::BoundsChanged()
{
    TQGraphicControl::BoundsChanged();
    m_layoutDirty = true;
    if (Width() <= 0 || Height() <= 0)
        resize(std::max(Width(), 1), std::max(Height(), 1));
    if (gradientStale())
        BuildGradient();
}

void TQSuperText::ApplyFont(const FontDescription& font)
{
    const FontDescription before = m_font;
    SetFont(font);
    m_layoutDirty = true;
    if (m_font != before)
        changed();
}

QPoint TQSuperText::ShadowOffset() const
{
    static constexpr int kDirection[][2] = {{0, 0}, {1, 0}, {-1, 0}, {1, 1}, {-1, 1}, {0, 1}};
    const int d = m_shadowDepth;
    QPoint offset(kDirection[m_shadowOrientation][0] * d, kDirection[m_shadowOrientation][1] * d);
    return offset;
}

QFont TQSuperText::scaledFont() const
{
    const int points = m_font.size;
    return m_font.toQFontPixels(FontPixelSize(std::max(points, 1), 1.0));
}

void TQSuperText::CalculateLayout()
{
    if (!m_layoutDirty || m_inLayout)
        return;
    FlagScope guard(m_inLayout);
    const QPoint s = ShadowOffset();
    const QFontMetrics metrics(scaledFont());
    const int th = metrics.height();
    const int tw = metrics.horizontalAdvance(m_caption + QLatin1Char(' '));
    m_textMargin = QPoint(s.x() < 0 ? -s.x() : 0, s.y() < 0 ? -s.y() : 0);
    if (Width() <= 5)
        SetWidth(tw);
    const int f = std::abs(s.y()) + th;
    // A box or a border keeps the height the user gave.
    if (f * 1.2 < Height() && m_controlTransparent && m_borderStyle == bsNone)
        SetHeight(int(f * 1.2));
    if (Height() < f)
        SetHeight(f);
    m_textRect = TRect{m_textMargin.x() + 5, m_textMargin.y(), Width(), th + m_textMargin.y()}.toQRect();
    m_shadowRect = m_textRect.translated(s);
    m_textOrigin = m_textRect.topLeft();
    m_shadowOrigin = QPoint(m_textRect.left() + s.x(), m_shadowRect.top());
    m_textAscent = metrics.ascent();
    m_layoutDirty = false;
}

void TQSuperText::SettleBounds()
{
    // Too small to show text: laid out afresh, as painting does.
    if (Width() < 5 || Height() < 5)
        m_layoutDirty = true;
    CalculateLayout();
}

QString TQSuperText::FittedCaption() const
{
    const QFontMetrics metrics(scaledFont());
    const int room = Width() - std::max(m_textRect.left(), m_shadowRect.left());
    return m_caption.left(
        FittingLength(m_caption, room, [&metrics](const QString& t) { return metrics.horizontalAdvance(t); }));
}

QPainterPath TQSuperText::textPath(const QString& text, QPoint origin) const
{
    QPainterPath path;
    path.addText(QPointF(origin.x(), origin.y() + m_textAscent), scaledFont(), text);
    return path;
}

const QPainterPath& TQSuperText::outline(TOutline& kept, const QString& text, QPoint origin) const
{
    if (!kept.built || kept.text != text || kept.font != m_font || kept.ascent != m_textAscent ||
        kept.origin != origin) {
        kept.path = textPath(text, origin);
        kept.text = text;
        kept.font = m_font;
        kept.ascent = m_textAscent;
        kept.origin = origin;
        kept.built = true;
    }
    return kept.path;
}

bool TQSuperText::FitToText()
{
    const QFontMetrics metrics(m_font.toQFontPixels(FontPixelSize(m_font.size, 1.0)));
    const int w = metrics.horizontalAdvance(m_caption);
    const int h = metrics.height();
    m_layoutDirty = true;
    CalculateLayout();
    const int c = std::max(m_textRect.left(), m_shadowRect.left());
    const int d = std::max(m_textRect.top(), m_shadowRect.top());
    resize(int(c + w * 1.2), int((h + d) * 1.2));
    if (Height() < h)
        SetHeight(int(h * 1.5));
    if (Width() < w)
        SetWidth(int(w * 1.5));
    return Width() >= w && Height() >= h;
}

void TQSuperText::CopyLookFrom(const TQSuperText& source)
{
    SetCaption(source.Caption());
    SetFont(source.Font());
    SetControlTransparent(source.ControlTransparent());
    SetBGColor(source.BGColor());
    SetBorderStyle(source.BorderStyle());
    SetGradientFromColor(source.GradientFromColor());
    SetFillDirection(source.FillDirection());
    SetGradientToColor(source.GradientToColor());
    SetImage(source.Image());
    SetOutlineColor(source.OutlineColor());
    SetOutlineStyle(source.OutlineStyle());
    SetOutlineWidth(source.OutlineWidth());
    SetShadowcolor(source.Shadowcolor());
    SetShadowDepth(source.ShadowDepth());
    SetShadowOrientation(source.ShadowOrientation());
    SetSurfaceType(source.SurfaceType());
    resize(source.Width(), source.Height());
}

void TQSuperText::fillFace(QPainter& canvas, const QPainterPath& path, const DeviceProfile& device) const
{
    switch (m_surfaceType) {
    case stNormal:
        canvas.fillPath(path, ToQColor(m_font.color));
        return;
    case stBrushImage: {
        if (m_image.isNull())
            return;
        const QSizeF tile = m_image.size();
        if (tile.isEmpty())
            return;
        QBrush brush(m_image);
        brush.setTransform(QTransform::fromScale(tile.width() / m_image.width(), tile.height() / m_image.height()));
        canvas.fillPath(path, brush);
        return;
    }
    case stGradientFill: {
        if (m_gradient.isNull())
            return;
        if (!device.IsPaper()) {
            canvas.fillPath(path, QBrush(m_gradient));
            return;
        }
        // On paper the bands are drawn as shapes, so that the gradient stays vector.
        canvas.save();
        canvas.setClipPath(path, Qt::IntersectClip);
        // One pen for every band, and no band far from the letters: the clip would take it whole. A band
        // next to them may still tint a device pixel they share, so those stay.
        canvas.setPen(Qt::NoPen);
        constexpr int kShared = 4;
        const QRect reach = path.boundingRect().toAlignedRect().adjusted(-kShared, -kShared, kShared, kShared);
        const bool vertical = verticalGradient();
        const int length = vertical ? Height() : Width();
        for (int band = 0; band < 256; ++band) {
            const int from = MulDiv(band, length, 256);
            const int to = MulDiv(band + 1, length, 256);
            if (to <= from)
                continue;
            const QRect r = vertical ? QRect(0, from, Width(), to - from) : QRect(from, 0, to - from, Height());
            if (!r.intersects(reach))
                continue;
            canvas.setBrush(QColor(vertical ? m_gradient.pixel(0, from) : m_gradient.pixel(from, 0)));
            canvas.drawRect(r);
        }
        canvas.restore();
        return;
    }
    case stBrushTransparent:
        return;
    }
}

void TQSuperText::Draw(QPainter& canvas, const QRect& target, const DeviceProfile& device)
{
    if (m_painting)
        return;
    FlagScope guard(m_painting);
    SettleBounds();
    const int w = Width();
    const int h = Height();
    if (w <= 0 || h <= 0)
        return;
    // A hidden object is resized without being told.
    if (gradientStale())
        buildGradient();
    // On screen a repaint shows the object as last drawn, unless its look, size or zoom changed.
    const qreal ratio = canvas.device() ? canvas.device()->devicePixelRatioF() : 1.0;
    const QSize pixels = target.size() * ratio;
    if (device.IsPaper() || canvas.worldTransform().type() > QTransform::TxTranslate ||
        qint64(pixels.width()) * pixels.height() > kMaxCachedPixels) {
        drawLayers(canvas, target, device);
        return;
    }
    const TDrawnKey key{m_lookRevision, size(), ratio, target.size()};
    if (!(key == m_drawnKey)) {
        m_drawn = QImage(pixels, QImage::Format_ARGB32_Premultiplied);
        m_drawn.setDevicePixelRatio(ratio);
        m_drawn.fill(Qt::transparent);
        QPainter drawn(&m_drawn);
        drawLayers(drawn, QRect(QPoint(0, 0), target.size()), device);
        m_drawnKey = key;
    }
    canvas.drawImage(target.topLeft(), m_drawn);
}

void TQSuperText::drawLayers(QPainter& canvas, const QRect& target, const DeviceProfile& device)
{
    const int w = Width();
    const int h = Height();
    canvas.save();
    // Everything is laid out in the object's pixels at 100%; the device maps them onto the target.
    canvas.translate(target.topLeft());
    canvas.scale(double(target.width()) / w, double(target.height()) / h);
    canvas.setRenderHint(QPainter::Antialiasing, false);
    const QPen frame(Qt::black, 1, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
    if (!m_controlTransparent || m_borderStyle == bsSingle) {
        if (!m_controlTransparent)
            canvas.fillRect(QRect(0, 0, w, h), ToQColor(m_bgColor));
        if (m_borderStyle == bsSingle) {
            canvas.setPen(frame);
            canvas.setBrush(Qt::NoBrush);
            canvas.drawRect(QRect(0, 0, w - 1, h - 1));
        }
    }
    const QString t = FittedCaption();
    if (t.isEmpty()) {
        canvas.setPen(frame);
        canvas.setBrush(Qt::NoBrush);
        canvas.drawRect(QRect(0, 0, w - 1, h - 1));
        canvas.drawLine(0, 0, w, h);
        canvas.drawLine(w, 0, 0, h);
        canvas.restore();
        return;
    }
    canvas.setRenderHint(QPainter::Antialiasing, true);
    const QFont font = scaledFont();
    // On paper the layers of plain colour are written as text, so that the text stays text.
    const auto writeText = [&](QPoint origin, TColor color) {
        canvas.setFont(font);
        canvas.setPen(ToQColor(color));
        canvas.drawText(QPointF(origin.x(), origin.y() + m_textAscent), t);
    };
    if (m_shadowDepth >= 1 && m_shadowOrientation != sdNone) {
        if (device.IsPaper())
            writeText(m_shadowOrigin, m_shadowColor);
        else
            canvas.fillPath(outline(m_shadowOutline, t, m_shadowOrigin), ToQColor(m_shadowColor));
    }
    if (m_surfaceType == stNormal && device.IsPaper())
        writeText(m_textOrigin, m_font.color);
    else
        fillFace(canvas, outline(m_faceOutline, t, m_textOrigin), device);
    if (m_outlineStyle != psClear && m_outlineWidth >= 1) {
        canvas.strokePath(
            outline(m_faceOutline, t, m_textOrigin),
            QPen(ToQColor(m_outlineColor), m_outlineWidth, ToQtPenStyle(m_outlineStyle), Qt::FlatCap, Qt::RoundJoin));
    }
    canvas.restore();
}
