// A placed line of plain text in one font, with an optional drop shadow and highlight, turned by 0,
// 90, 180 or 270 degrees, aligned, on an optional background with an optional thin border.
#pragma once

#include "document/qgraphiccontrol.h"
#include "labellayout.h"

#include "platform/colorvalue.h"
#include "platform/fontdescription.h"

class TQBaseLabel : public TQGraphicControl
{
    Q_OBJECT
    Q_PROPERTY(TAlignment Alignment READ Alignment WRITE SetAlignment)
    Q_PROPERTY(int DepthHighlight READ DepthHighlight WRITE SetDepthHighlight)
    Q_PROPERTY(int DepthShadow READ DepthShadow WRITE SetDepthShadow)
    Q_PROPERTY(THighlightDirection DirectionHighlight READ DirectionHighlight WRITE SetDirectionHighlight)
    Q_PROPERTY(TShadowDirection DirectionShadow READ DirectionShadow WRITE SetDirectionShadow)
    Q_PROPERTY(TColor colorHighlight READ colorHighlight WRITE SetcolorHighlight)
    Q_PROPERTY(TColor colorShadow READ colorShadow WRITE SetcolorShadow)
    Q_PROPERTY(int Angle READ Angle WRITE SetAngle)
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(FontDescription Font READ Font WRITE SetFont)
    Q_PROPERTY(bool Transparent READ Transparent WRITE SetTransparent)
    Q_PROPERTY(TColor BackColor READ BackColor WRITE SetBackColor)
    Q_PROPERTY(TBorderStyle BorderStyle READ BorderStyle WRITE SetBorderStyle)
    Q_CLASSINFO("default:Alignment", "taLeftJustify")
    Q_CLASSINFO("default:DepthHighlight", "0")
    Q_CLASSINFO("default:DepthShadow", "0")
    Q_CLASSINFO("default:DirectionHighlight", "hdUpLeft")
    Q_CLASSINFO("default:DirectionShadow", "sdDownRight")
    Q_CLASSINFO("default:colorHighlight", "clAqua")
    Q_CLASSINFO("default:colorShadow", "clGray")
    Q_CLASSINFO("default:Angle", "0")

public:
    enum TAlignment : int { taLeftJustify, taRightJustify, taCenter };
    Q_ENUM(TAlignment)
    enum THighlightDirection : int { hdNone, hdright, hdLeft, hdUpRight, hdUpLeft, hdUp };
    Q_ENUM(THighlightDirection)
    enum TShadowDirection : int { sdNone, sdRight, sdLeft, sdDownRight, sdDownLeft, sdDown };
    Q_ENUM(TShadowDirection)
    enum TBorderStyle : int { bsNone, bsSingle };
    Q_ENUM(TBorderStyle)

    explicit TQBaseLabel(QObject* parent = nullptr);

    TAlignment Alignment() const { return m_alignment; }
    void SetAlignment(TAlignment v);
    int DepthHighlight() const { return m_depthHighlight; }
    void SetDepthHighlight(int v);
    int DepthShadow() const { return m_depthShadow; }
    void SetDepthShadow(int v);
    THighlightDirection DirectionHighlight() const { return m_directionHighlight; }
    void SetDirectionHighlight(THighlightDirection v);
    TShadowDirection DirectionShadow() const { return m_directionShadow; }
    void SetDirectionShadow(TShadowDirection v);
    TColor colorHighlight() const { return m_colorHighlight; }
    void SetcolorHighlight(TColor v);
    TColor colorShadow() const { return m_colorShadow; }
    void SetcolorShadow(TColor v);
    // Only 0, 90, 180 and 270 are taken; a turn across swaps width and height, and any turn left-aligns.
    int Angle() const { return m_angle; }
    void SetAngle(int v);
    QString Caption() const { return m_caption; }
    void SetCaption(const QString& v);
    FontDescription Font() const { return m_font; }
    void SetFont(const FontDescription& v);
    bool Transparent() const { return m_transparent; }
    void SetTransparent(bool v);
    TColor BackColor() const { return m_backColor; }
    void SetBackColor(TColor v);
    TBorderStyle BorderStyle() const { return m_borderStyle; }
    void SetBorderStyle(TBorderStyle v);

    // Takes the font and the six shadow and highlight values of another label.
    void AssignEffects(const TQBaseLabel& source);

    QPoint ShadowOffset() const { return m_shadowOffset; }
    QPoint HighlightOffset() const { return m_highlightOffset; }
    bool LayoutDirty() const { return m_layoutDirty; }
    // The layout of the last CalculateLayout.
    const TLabelLayout& Layout() const { return m_layout; }
    // Measures the caption in the font at Scale, adapts the size and places text and effects.
    void CalculateLayout();
    void SettleBounds() override;
    // The font the label draws with: its points times Scale, truncated.
    QFont CanvasFont() const;

    // Before a stream's properties: the label takes only what the stream holds.
    Q_INVOKABLE void Loading();
    // After reading: stored values out of range give way to the label's usual ones (a caption over
    // the longest a label takes is refused as damaged, EStreamError).
    void Loaded() override;
    void BoundsChanged() override;
    void ApplyFont(const FontDescription& font) override;
    void Paint(QPainter& canvas, float zoom) override;
    void Draw(QPainter& canvas, const QRect& target, const DeviceProfile& device) override;
    // Printed in the bounds the layout adapts to, stretched to the report's resolution.
    void PrintTo(TReportPrinter& report, double x, double y) override;
    // Grows (never shrinks) the label so that the caption and five spaces fit; at angle 0 only.
    void GrowToText();

protected:
    // Background, shadow, highlight, face and border, in the label's own pixels.
    void DrawLabel(QPainter& canvas);

private:
    void ignoreValuesOutOfRange();
    void changed();
    void effectsChanged();
    static QPoint offsetOf(TShadowDirection direction, int depth);
    static QPoint offsetOf(THighlightDirection direction, int depth);

    QPoint m_shadowOffset;
    QPoint m_highlightOffset;
    int m_depthHighlight = 0;
    int m_depthShadow = 0;
    THighlightDirection m_directionHighlight = hdUpLeft;
    TShadowDirection m_directionShadow = sdDownRight;
    TColor m_colorHighlight = RGBValue(0, 255, 255);
    TColor m_colorShadow = RGBValue(128, 128, 128);
    int m_angle = 0;
    TAlignment m_alignment = taLeftJustify;
    QString m_caption = QStringLiteral("Text");
    FontDescription m_font;
    bool m_transparent = true;
    TColor m_backColor = clWhite;
    TBorderStyle m_borderStyle = bsNone;
    TLabelLayout m_layout;
    bool m_layoutDirty = true;
    bool m_readFromStream = false;
};
