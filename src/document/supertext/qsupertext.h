// Large display text placed on the page: one line whose letter faces are filled with a colour, a
// tiled texture or a two-colour gradient (or left hollow), with an outline, a drop shadow, and an
// optional background box and border. The letters are a clipping path, so fills follow the glyphs.
#pragma once

#include "document/qgraphiccontrol.h"

#include <QImage>
#include <QPainterPath>

class TQSuperText : public TQGraphicControl
{
    Q_OBJECT
    // Documents name the kind so; the C++ name may change.
    Q_CLASSINFO("StoredName", "TQSuperText")
    Q_PROPERTY(int ShadowDepth READ ShadowDepth WRITE SetShadowDepth)
    Q_PROPERTY(TShadowOrientation ShadowOrientation READ ShadowOrientation WRITE SetShadowOrientation)
    Q_PROPERTY(TColor Shadowcolor READ Shadowcolor WRITE SetShadowcolor)
    Q_PROPERTY(TBorderStyle BorderStyle READ BorderStyle WRITE SetBorderStyle)
    Q_PROPERTY(bool ControlTransparent READ ControlTransparent WRITE SetControlTransparent)
    Q_PROPERTY(TColor BGColor READ BGColor WRITE SetBGColor)
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(FontDescription Font READ Font WRITE SetFont)
    Q_PROPERTY(TFillDirection FillDirection READ FillDirection WRITE SetFillDirection)
    Q_PROPERTY(TColor GradientToColor READ GradientToColor WRITE SetGradientToColor)
    Q_PROPERTY(TColor GradientFromColor READ GradientFromColor WRITE SetGradientFromColor)
    Q_PROPERTY(QByteArray ImageData READ ImageData WRITE SetImageData STORED false)
    Q_PROPERTY(TColor OutlineColor READ OutlineColor WRITE SetOutlineColor)
    Q_PROPERTY(TPenStyle OutlineStyle READ OutlineStyle WRITE SetOutlineStyle)
    Q_PROPERTY(int OutlineWidth READ OutlineWidth WRITE SetOutlineWidth)
    Q_PROPERTY(TSurfaceType SurfaceType READ SurfaceType WRITE SetSurfaceType)
    Q_PROPERTY(QString LastBitmapFileNameandPath READ LastBitmapFileNameandPath WRITE SetLastBitmapFileNameandPath)
    Q_CLASSINFO("default:ShadowDepth", "0")
    Q_CLASSINFO("default:ShadowOrientation", "sdDownRight")
    Q_CLASSINFO("default:Shadowcolor", "clGray")
    Q_CLASSINFO("binary:Image.Data", "ImageData")

public:
    enum TShadowOrientation : int { sdNone, sdRight, sdLeft, sdDownRight, sdDownLeft, sdDown };
    Q_ENUM(TShadowOrientation)
    enum TBorderStyle : int { bsNone, bsSingle };
    Q_ENUM(TBorderStyle)
    enum TFillDirection : int { gdUp, gdDown, gdLeft, gdRight };
    Q_ENUM(TFillDirection)
    enum TPenStyle : int { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
    Q_ENUM(TPenStyle)
    enum TSurfaceType : int { stNormal, stBrushTransparent, stBrushImage, stGradientFill };
    Q_ENUM(TSurfaceType)

    // Documents hold no larger shadow or outline, and no larger font; beyond them a value is ignored.
    static constexpr int kMaxDepth = 100;
    static constexpr int kMaxFontPoints = 2000;
    // The text box of the properties dialog holds no more; a longer caption is damage.
    static constexpr int kMaxCaptionLength = 32767;

    explicit TQSuperText(QObject* parent = nullptr);

    int ShadowDepth() const { return m_shadowDepth; }
    void SetShadowDepth(int v);
    TShadowOrientation ShadowOrientation() const { return m_shadowOrientation; }
    void SetShadowOrientation(TShadowOrientation v);
    TColor Shadowcolor() const { return m_shadowColor; }
    void SetShadowcolor(TColor v);
    TBorderStyle BorderStyle() const { return m_borderStyle; }
    void SetBorderStyle(TBorderStyle v);
    bool ControlTransparent() const { return m_controlTransparent; }
    void SetControlTransparent(bool v);
    TColor BGColor() const { return m_bgColor; }
    void SetBGColor(TColor v);
    QString Caption() const { return m_caption; }
    void SetCaption(const QString& v);
    FontDescription Font() const { return m_font; }
    void SetFont(const FontDescription& v);
    TFillDirection FillDirection() const { return m_fillDirection; }
    void SetFillDirection(TFillDirection v);
    TColor GradientToColor() const { return m_gradientToColor; }
    void SetGradientToColor(TColor v);
    TColor GradientFromColor() const { return m_gradientFromColor; }
    void SetGradientFromColor(TColor v);
    // The texture; a null image is an empty one.
    const QImage& Image() const { return m_image; }
    void SetImage(const QImage& v);
    // The texture as documents keep it: a 32-bit length and a BMP file; empty for no texture. Bytes
    // read that are no texture Almarin can show are given back unchanged until the texture changes.
    QByteArray ImageData() const;
    void SetImageData(const QByteArray& v);
    TColor OutlineColor() const { return m_outlineColor; }
    void SetOutlineColor(TColor v);
    TPenStyle OutlineStyle() const { return m_outlineStyle; }
    void SetOutlineStyle(TPenStyle v);
    int OutlineWidth() const { return m_outlineWidth; }
    void SetOutlineWidth(int v);
    TSurfaceType SurfaceType() const { return m_surfaceType; }
    void SetSurfaceType(TSurfaceType v);
    QString LastBitmapFileNameandPath() const { return m_lastBitmapFile; }
    void SetLastBitmapFileNameandPath(const QString& v) { m_lastBitmapFile = v; }

    void Loaded() override;
    int PicturesNotShown() const override { return m_unreadImageData.isEmpty() ? 0 : 1; }
    void BoundsChanged() override;
    void ApplyFont(const FontDescription& font) override;
    void Draw(QPainter& canvas, const QRect& target, const DeviceProfile& device) override;

    // Measures the caption at 100% and places text and shadow; may grow the object so
    // that the text's height fits. Runs only when the layout is dirty.
    void CalculateLayout();
    void SettleBounds() override;
    // Sizes the object around its caption, keeping Left and Top; true when the text then fits.
    bool FitToText();
    // Takes over the look (and size) of another SuperText.
    void CopyLookFrom(const TQSuperText& source);
    // Rebuilds the gradient for the current size, colours and direction, and repaints.
    void BuildGradient();
    // The gradient as one strip along its axis (length × 1 or 1 × length), tiled over the object.
    const QImage& GradientBitmap() const { return m_gradient; }
    // The caption as drawn: shortened from the end until it fits; empty shows the crossed box.
    QString FittedCaption() const;
    // The shadow's displacement at 100%.
    QPoint ShadowOffset() const;
    QRect TextRect() const { return m_textRect; }
    QRect ShadowRect() const { return m_shadowRect; }

private:
    // The font as laid out at 100%.
    QFont scaledFont() const;
    // The outline of `text` with its top-left at `origin`, in the object's pixels.
    QPainterPath textPath(const QString& text, QPoint origin) const;
    // The outline of the caption as drawn at one origin, kept between paints: built again only when the
    // text, the font or the layout changed.
    struct TOutline
    {
        QString text;
        FontDescription font;
        int ascent = 0;
        QPoint origin;
        bool built = false;
        QPainterPath path;
    };
    const QPainterPath& outline(TOutline& kept, const QString& text, QPoint origin) const;
    void fillFace(QPainter& canvas, const QPainterPath& path, const DeviceProfile& device) const;
    void rebuildGradientIfNeeded();
    void buildGradient();
    bool verticalGradient() const;
    bool gradientStale() const;
    void changed();
    // The look changed: repaint, and drop the pixels of the last paint.
    void lookChanged();
    void drawLayers(QPainter& canvas, const QRect& target, const DeviceProfile& device);

    // What the last screen paint was drawn for.
    struct TDrawnKey
    {
        quint64 revision = 0;
        QSize size;
        qreal ratio = 0;
        QSize target;
        bool operator==(const TDrawnKey&) const = default;
    };

    int m_shadowDepth = 0;
    TShadowOrientation m_shadowOrientation = sdDownRight;
    TColor m_shadowColor = 0x808080;
    TBorderStyle m_borderStyle = bsNone;
    bool m_controlTransparent = true;
    TColor m_bgColor = clWhite;
    QString m_caption = QStringLiteral("Text");
    FontDescription m_font{QStringLiteral("Arial"), 48, fsBold, clBlack};
    TFillDirection m_fillDirection = gdRight;
    TColor m_gradientToColor = clYellow;
    TColor m_gradientFromColor = 0xFF0000;
    QImage m_image;
    QByteArray m_unreadImageData;
    TColor m_outlineColor = clBlack;
    TPenStyle m_outlineStyle = psSolid;
    int m_outlineWidth = 1;
    TSurfaceType m_surfaceType = stGradientFill;
    QString m_lastBitmapFile;

    QImage m_gradient;
    QPoint m_textMargin;
    QPoint m_textOrigin;
    QPoint m_shadowOrigin;
    QRect m_shadowRect;
    QRect m_textRect;
    int m_textAscent = 0;
    bool m_layoutDirty = true;
    bool m_inLayout = false;
    bool m_painting = false;
    quint64 m_lookRevision = 1;
    TDrawnKey m_drawnKey;
    QImage m_drawn;
    TOutline m_faceOutline;
    TOutline m_shadowOutline;
};
