#include "qbaselabel.h"

#include "platform/rounding.h"
#include "platform/screenmetrics.h"
#include "stream/streamerror.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <cstdlib>

namespace {

// Values read from a stream beyond these come only from damaged files; drawing them would make
// labels of absurd sizes or overflow the layout's arithmetic.
constexpr int kMaxDepth = 100;
constexpr int kMaxFontPoints = 2000;
constexpr int kMaxExtent = 32767;
constexpr int kMaxCaptionLength = 32767;
constexpr int kNewWidth = 142;
constexpr int kNewHeight = 33;
constexpr TColor kShadowColor = RGBValue(128, 128, 128);
constexpr TColor kHighlightColor = RGBValue(0, 255, 255);

bool IsColor(TColor c)
{
    // RGB with red in the low byte, or a system colour (high bit set, index in the low byte).
    return (c >= 0 && c <= 0xFFFFFF) || (quint32(c) & 0xFFFFFF00u) == 0x80000000u;
}

// Stores a setter's value; false when it equals the current one.
template <class T> bool Store(T& field, T value)
{
    if (field == value)
        return false;
    field = value;
    return true;
}

void Require(bool ok, const char* what)
{
    if (!ok)
        throw EStreamError(QStringLiteral("Label %1 out of range").arg(QLatin1String(what)));
}

} // namespace

TQBaseLabel::TQBaseLabel(QObject* parent) : TQGraphicControl(parent)
{
    resize(kNewWidth, kNewHeight);
}

QPoint TQBaseLabel::offsetOf(TShadowDirection direction, int d)
{
    switch (direction) {
    case sdRight:
        return {d, 0};
    case sdLeft:
        return {-d, 0};
    case sdDownRight:
        return {d, d};
    case sdDownLeft:
        return {-d, d};
    case sdDown:
        return {0, d};
    case sdNone:
        break;
    }
    return {};
}

QPoint TQBaseLabel::offsetOf(THighlightDirection direction, int d)
{
    switch (direction) {
    case hdright:
        return {d, 0};
    case hdLeft:
        return {-d, 0};
    case hdUpRight:
        return {d, -d};
    case hdUpLeft:
        return {-d, -d};
    case hdUp:
        return {0, -d};
    case hdNone:
        break;
    }
    return {};
}

void TQBaseLabel::changed()
{
    if (!IsLoading())
        NotifyChanged();
}

void TQBaseLabel::effectsChanged()
{
    m_shadowOffset = offsetOf(m_directionShadow, m_depthShadow);
    m_highlightOffset = offsetOf(m_directionHighlight, m_depthHighlight);
    m_layoutDirty = true;
    Repaint();
}

void TQBaseLabel::SetDepthShadow(int v)
{
    if (Store(m_depthShadow, v))
        effectsChanged();
}

void TQBaseLabel::SetDirectionShadow(TShadowDirection v)
{
    if (Store(m_directionShadow, v))
        effectsChanged();
}

void TQBaseLabel::SetDepthHighlight(int v)
{
    if (Store(m_depthHighlight, v))
        effectsChanged();
}

void TQBaseLabel::SetDirectionHighlight(THighlightDirection v)
{
    if (Store(m_directionHighlight, v))
        effectsChanged();
}

void TQBaseLabel::SetcolorShadow(TColor v)
{
    if (Store(m_colorShadow, v))
        Repaint();
}

void TQBaseLabel::SetcolorHighlight(TColor v)
{
    if (Store(m_colorHighlight, v))
        Repaint();
}

void TQBaseLabel::AssignEffects(const TQBaseLabel& source)
{
    SetFont(source.Font());
    SetDirectionShadow(source.DirectionShadow());
    SetDepthShadow(source.DepthShadow());
    SetDirectionHighlight(source.DirectionHighlight());
    SetDepthHighlight(source.DepthHighlight());
    SetcolorShadow(source.colorShadow());
    SetcolorHighlight(source.colorHighlight());
}

void TQBaseLabel::SetAngle(int v)
{
    if (v == m_angle)
        return;
    // Read from a stream, the angle is only stored: the bounds read stay as they were (whatever order
    // the properties come in), and Loaded refuses a damaged value.
    if (m_readFromStream) {
        m_angle = v;
        m_layoutDirty = true;
        return;
    }
    if (v != 0 && v != 90 && v != 180 && v != 270)
        return;
    m_angle = v;
    m_layoutDirty = true;
    if (v != 0)
        m_alignment = taLeftJustify;
    const bool across = v == 90 || v == 270;
    if ((!across && Width() < Height()) || (across && Height() < Width()))
        resize(Height(), Width());
    Repaint();
    changed();
}

void TQBaseLabel::SetAlignment(TAlignment v)
{
    if (!Store(m_alignment, v))
        return;
    m_layoutDirty = true;
    Repaint();
    changed();
}

void TQBaseLabel::SetBorderStyle(TBorderStyle v)
{
    if (!Store(m_borderStyle, v))
        return;
    Repaint();
    changed();
}

void TQBaseLabel::SetBackColor(TColor v)
{
    if (!Store(m_backColor, v))
        return;
    changed();
    Repaint();
}

void TQBaseLabel::SetTransparent(bool v)
{
    if (!Store(m_transparent, v))
        return;
    changed();
    Repaint();
}

void TQBaseLabel::SetCaption(const QString& v)
{
    if (!Store(m_caption, v))
        return;
    // The alignment places the text by its width.
    m_layoutDirty = true;
    Repaint();
    changed();
}

void TQBaseLabel::SetFont(const FontDescription& v)
{
    if (!Store(m_font, v))
        return;
    m_layoutDirty = true;
    Repaint();
}

void TQBaseLabel::ApplyFont(const FontDescription& font)
{
    if (!Store(m_font, font))
        return;
    m_layoutDirty = true;
    Repaint();
    changed();
}

void TQBaseLabel::Loading()
{
    TQGraphicControl::Loading();
    m_readFromStream = true;
    // A stream leaves an empty caption out: a label read without one has none.
    m_caption.clear();
}

void TQBaseLabel::Loaded()
{
    if (m_readFromStream)
        ignoreValuesOutOfRange();
    m_readFromStream = false;
    TQGraphicControl::Loaded();
}

void TQBaseLabel::ignoreValuesOutOfRange()
{
    // Each value no label of Almarin has is noted and gives way to the one a new label has.
    const auto keep = [this](auto& field, bool valid, auto usual, const char* property) {
        if (valid)
            return;
        NoteIgnoredValue(property, qint64(field));
        field = usual;
    };
    keep(m_angle, m_angle == 0 || m_angle == 90 || m_angle == 180 || m_angle == 270, 0, "Angle");
    keep(m_depthShadow, m_depthShadow >= 0 && m_depthShadow <= kMaxDepth, 0, "DepthShadow");
    keep(m_depthHighlight, m_depthHighlight >= 0 && m_depthHighlight <= kMaxDepth, 0, "DepthHighlight");
    keep(m_alignment, IsEnumValue(m_alignment, taCenter), taLeftJustify, "Alignment");
    keep(m_directionShadow, IsEnumValue(m_directionShadow, sdDown), sdDownRight, "DirectionShadow");
    keep(m_directionHighlight, IsEnumValue(m_directionHighlight, hdUp), hdUpLeft, "DirectionHighlight");
    keep(m_borderStyle, IsEnumValue(m_borderStyle, bsSingle), bsNone, "BorderStyle");
    keep(m_colorShadow, IsColor(m_colorShadow), kShadowColor, "colorShadow");
    keep(m_colorHighlight, IsColor(m_colorHighlight), kHighlightColor, "colorHighlight");
    keep(m_backColor, IsColor(m_backColor), TColor(clWhite), "BackColor");
    keep(m_font.color, IsColor(m_font.color), FontDescription().color, "Font.Color");
    keep(m_font.size, m_font.size >= 1 && m_font.size <= kMaxFontPoints, FontDescription().size, "Font.Size");
    int left = Left(), top = Top(), width = Width(), height = Height();
    keep(left, std::abs(left) <= kMaxExtent, 0, "Left");
    keep(top, std::abs(top) <= kMaxExtent, 0, "Top");
    keep(width, width <= kMaxExtent, kNewWidth, "Width");
    keep(height, height <= kMaxExtent, kNewHeight, "Height");
    SetBounds(QRect(left, top, width, height));
    effectsChanged();
    // A caption no one types is damage, not a value to give way.
    Require(m_caption.size() <= kMaxCaptionLength, "caption");
}

void TQBaseLabel::BoundsChanged()
{
    TQGraphicControl::BoundsChanged();
    m_layoutDirty = true;
    if (Width() <= 0 || Height() <= 0)
        resize(std::max(1, Width()), std::max(1, Height()));
}

QFont TQBaseLabel::CanvasFont() const
{
    const int points = m_font.size;
    return m_font.toQFontPixels(std::max(1, RoundHalfEven(points * double(kScreenPixelsPerInch) / 72.0)));
}

void TQBaseLabel::SettleBounds()
{
    if (m_layoutDirty)
        CalculateLayout();
}

void TQBaseLabel::CalculateLayout()
{
    const QFont font = CanvasFont();
    const QFontMetrics metrics(font);
    // Windows' line height: the cell, its internal leading (cell minus em) and the external leading.
    const int cell = metrics.height();
    const int lineHeight = cell + std::max(0, cell - font.pixelSize()) + std::max(0, metrics.leading());
    TLabelLayoutInput in;
    in.width = Width();
    in.height = Height();
    in.angle = m_angle;
    in.alignment = m_alignment == taCenter         ? TLabelAlign::Center
                   : m_alignment == taRightJustify ? TLabelAlign::Right
                                                   : TLabelAlign::Left;
    in.shadowOffset = m_shadowOffset;
    in.highlightOffset = m_highlightOffset;
    in.lineHeight = lineHeight;
    in.textWidth = metrics.horizontalAdvance(m_caption + QLatin1Char(' '));
    m_layout = CalculateLabelLayout(in);
    if (m_layout.width != Width() || m_layout.height != Height())
        resize(m_layout.width, m_layout.height);
    m_layoutDirty = false;
}

namespace {

void DrawCaption(QPainter& canvas, const QString& text, QPoint origin, const TRect& clip, TColor color, int angle,
                 int ascent)
{
    canvas.save();
    canvas.setClipRect(clip.toQRect(), Qt::IntersectClip);
    canvas.translate(origin);
    canvas.rotate(-angle);
    canvas.setPen(ToQColor(color));
    canvas.drawText(QPoint(0, ascent), text);
    canvas.restore();
}

} // namespace

void TQBaseLabel::DrawLabel(QPainter& canvas)
{
    if (m_layoutDirty)
        CalculateLayout();
    const QRect whole(0, 0, Width(), Height());
    if (!m_transparent)
        canvas.fillRect(whole, ToQColor(m_backColor));
    // Text longer than the label ends at its edge on every device, as on screen.
    canvas.save();
    canvas.setClipRect(whole, Qt::IntersectClip);
    const QFont font = CanvasFont();
    canvas.setFont(font);
    canvas.setBrush(Qt::NoBrush);
    canvas.setRenderHint(QPainter::TextAntialiasing);
    const int ascent = QFontMetrics(font).ascent();
    if (m_depthShadow > 0 && m_directionShadow != sdNone)
        DrawCaption(canvas, m_caption, m_layout.shadowOrigin, m_layout.shadowRect, m_colorShadow, m_angle, ascent);
    if (m_depthHighlight > 0 && m_directionHighlight != hdNone)
        DrawCaption(canvas, m_caption, m_layout.highlightOrigin, m_layout.highlightRect, m_colorHighlight, m_angle,
                    ascent);
    DrawCaption(canvas, m_caption, m_layout.textOrigin, m_layout.textRect, m_font.color, m_angle, ascent);
    canvas.restore();
    if (m_borderStyle == bsSingle) {
        canvas.setPen(QPen(Qt::black, 1, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        canvas.drawRect(whole.adjusted(0, 0, -1, -1));
    }
}

void TQBaseLabel::Draw(QPainter& canvas, const QRect& target, const DeviceProfile&)
{
    if (m_layoutDirty)
        CalculateLayout();
    canvas.save();
    canvas.translate(target.topLeft());
    // Paper gets the label stretched into its printed bounds, as vectors and text.
    if (target.size() != size())
        canvas.scale(target.width() / double(Width()), target.height() / double(Height()));
    DrawLabel(canvas);
    canvas.restore();
}

void TQBaseLabel::Paint(QPainter& canvas, float zoom)
{
    if (Width() < 5 || Height() < 5)
        m_layoutDirty = true;
    // The size first: the layout may adapt it, and the drawing fills the adapted bounds.
    if (m_layoutDirty)
        CalculateLayout();
    TQGraphicControl::Paint(canvas, zoom);
}

void TQBaseLabel::PrintTo(TReportPrinter& report, double x, double y)
{
    if (m_layoutDirty)
        CalculateLayout();
    TQGraphicControl::PrintTo(report, x, y);
}

void TQBaseLabel::GrowToText()
{
    if (m_angle != 0)
        return;
    if (m_layoutDirty)
        CalculateLayout();
    const QFontMetrics metrics(CanvasFont());
    const TLabelLayout& l = m_layout;
    const int left = std::max({l.textRect.left, l.shadowRect.left, l.highlightRect.left});
    const int top = std::max({l.textRect.top, l.shadowRect.top, l.highlightRect.top});
    const int width = left + metrics.horizontalAdvance(m_caption + QStringLiteral("     "));
    const int height = top + metrics.height();
    resize(std::max(Width(), width), std::max(Height(), height));
    m_layoutDirty = true;
    Repaint();
}
