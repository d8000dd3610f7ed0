// Light-weight bevelled panels: TGraphicPanel paints border, bevels and caption itself (the time
// picker's cells are made of it); TCanvasPanel hands its whole painting to whoever listens.
#pragma once

#include "platform/colorvalue.h"

#include <QWidget>

class TGraphicPanel : public QWidget
{
    Q_OBJECT
public:
    enum TAlignment { taLeftJustify, taRightJustify, taCenter };
    Q_ENUM(TAlignment)
    enum TBevelCut { bvNone, bvLowered, bvRaised };
    Q_ENUM(TBevelCut)
    enum TBorderStyle { bsNone, bsSingle };
    Q_ENUM(TBorderStyle)

    Q_PROPERTY(TAlignment Alignment READ Alignment WRITE setAlignment)
    Q_PROPERTY(TBevelCut BevelInner READ BevelInner WRITE setBevelInner)
    Q_PROPERTY(TBevelCut BevelOuter READ BevelOuter WRITE setBevelOuter)
    Q_PROPERTY(int BevelWidth READ BevelWidth WRITE setBevelWidth)
    Q_PROPERTY(int BorderWidth READ BorderWidth WRITE setBorderWidth)
    Q_PROPERTY(TBorderStyle BorderStyle READ BorderStyle WRITE setBorderStyle)
    Q_PROPERTY(int Color READ Color WRITE setColor)
    Q_PROPERTY(QString Caption READ Caption WRITE setCaption)
    Q_PROPERTY(int Tag READ Tag WRITE setTag)

    // The system colour "button face", the default fill.
    static constexpr TColor clBtnFace = static_cast<TColor>(0xFF00000F);

    explicit TGraphicPanel(QWidget* parent = nullptr);

    TAlignment Alignment() const { return m_alignment; }
    TBevelCut BevelInner() const { return m_bevelInner; }
    TBevelCut BevelOuter() const { return m_bevelOuter; }
    int BevelWidth() const { return m_bevelWidth; }
    int BorderWidth() const { return m_borderWidth; }
    TBorderStyle BorderStyle() const { return m_borderStyle; }
    TColor Color() const { return m_color; }
    QString Caption() const { return m_caption; }
    int Tag() const { return m_tag; }

    void setAlignment(TAlignment value);
    void setBevelInner(TBevelCut value);
    void setBevelOuter(TBevelCut value);
    void setBevelWidth(int value);
    void setBorderWidth(int value);
    void setBorderStyle(TBorderStyle value);
    void setColor(TColor value);
    void setCaption(const QString& value);
    void setTag(int value) { m_tag = value; }

signals:
    // A press and release of the left button inside the panel.
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    template <typename T> void change(T& field, const T& value);

    TAlignment m_alignment = taCenter;
    TBevelCut m_bevelInner = bvNone;
    TBevelCut m_bevelOuter = bvRaised;
    int m_bevelWidth = 1;
    int m_borderWidth = 0;
    TBorderStyle m_borderStyle = bsNone;
    TColor m_color = clBtnFace;
    QString m_caption;
    int m_tag = 0;
    bool m_pressed = false;
};

// A panel whose paint step only raises paint; nothing is drawn when no one is connected.
class TCanvasPanel : public QWidget
{
    Q_OBJECT
public:
    explicit TCanvasPanel(QWidget* parent = nullptr);

signals:
    void paint(QPainter* painter);

protected:
    void paintEvent(QPaintEvent* event) override;
};
