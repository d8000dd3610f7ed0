#include "graphicpanel.h"

#include <QMetaMethod>
#include <QMouseEvent>
#include <QPainter>

namespace {

constexpr TColor clBtnHighlight = static_cast<TColor>(0xFF000014);
constexpr TColor clBtnShadow = static_cast<TColor>(0xFF000010);

// One bevel line per step: top and left edges in `topLeft`, bottom and right in `bottomRight`;
// `rect` shrinks by one pixel each step.
void drawFrame3D(QPainter& p, QRect& rect, const QColor& topLeft, const QColor& bottomRight, int width)
{
    for (int i = 0; i < width && rect.width() > 0 && rect.height() > 0; ++i) {
        const int l = rect.left(), t = rect.top(), r = rect.right(), b = rect.bottom();
        p.fillRect(QRect(l, t, r - l, 1), topLeft);
        p.fillRect(QRect(l, t, 1, b - t), topLeft);
        p.fillRect(QRect(r, t, 1, b - t + 1), bottomRight);
        p.fillRect(QRect(l, b, r - l + 1, 1), bottomRight);
        rect.adjust(1, 1, -1, -1);
    }
}

void drawBevel(QPainter& p, QRect& rect, TGraphicPanel::TBevelCut cut, int width)
{
    if (cut == TGraphicPanel::bvNone)
        return;
    const QColor light = ToQColor(clBtnHighlight);
    const QColor shadow = ToQColor(clBtnShadow);
    if (cut == TGraphicPanel::bvRaised)
        drawFrame3D(p, rect, light, shadow, width);
    else
        drawFrame3D(p, rect, shadow, light, width);
}

} // namespace

TGraphicPanel::TGraphicPanel(QWidget* parent) : QWidget(parent)
{
    resize(185, 41);
}

template <typename T> void TGraphicPanel::change(T& field, const T& value)
{
    if (field == value)
        return;
    field = value;
    update();
}

void TGraphicPanel::setAlignment(TAlignment value)
{
    change(m_alignment, value);
}

void TGraphicPanel::setBevelInner(TBevelCut value)
{
    change(m_bevelInner, value);
}

void TGraphicPanel::setBevelOuter(TBevelCut value)
{
    change(m_bevelOuter, value);
}

void TGraphicPanel::setBevelWidth(int value)
{
    change(m_bevelWidth, value);
}

void TGraphicPanel::setBorderWidth(int value)
{
    change(m_borderWidth, value);
}

void TGraphicPanel::setBorderStyle(TBorderStyle value)
{
    change(m_borderStyle, value);
}

void TGraphicPanel::setColor(TColor value)
{
    change(m_color, value);
}

void TGraphicPanel::setCaption(const QString& value)
{
    change(m_caption, value);
}

void TGraphicPanel::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing, false);
    QRect rect = this->rect();
    if (m_borderStyle == bsSingle) {
        drawFrame3D(p, rect, Qt::black, Qt::black, 1);
    }
    drawBevel(p, rect, m_bevelOuter, m_bevelWidth);
    const QColor fill = ToQColor(m_color);
    drawFrame3D(p, rect, fill, fill, m_borderWidth);
    drawBevel(p, rect, m_bevelInner, m_bevelWidth);
    if (rect.isEmpty())
        return;
    p.fillRect(rect, fill);

    // The text box is one line of "W" high, centred in what is left.
    p.setFont(font());
    p.setPen(palette().color(QPalette::WindowText));
    const int lineHeight = p.fontMetrics().size(0, QStringLiteral("W")).height();
    QRect textRect = rect;
    textRect.setTop(rect.top() + (rect.height() - lineHeight) / 2);
    textRect.setHeight(lineHeight);
    int flags = Qt::AlignVCenter | Qt::TextExpandTabs | Qt::TextDontClip;
    switch (m_alignment) {
    case taLeftJustify:
        flags |= Qt::AlignLeft;
        break;
    case taRightJustify:
        flags |= Qt::AlignRight;
        break;
    case taCenter:
        flags |= Qt::AlignHCenter;
        break;
    }
    p.setClipRect(rect);
    p.drawText(textRect, flags, m_caption);
}

void TGraphicPanel::mousePressEvent(QMouseEvent* event)
{
    m_pressed = event->button() == Qt::LeftButton;
    QWidget::mousePressEvent(event);
}

void TGraphicPanel::mouseReleaseEvent(QMouseEvent* event)
{
    const bool click = m_pressed && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    m_pressed = false;
    QWidget::mouseReleaseEvent(event);
    if (click)
        emit clicked();
}

TCanvasPanel::TCanvasPanel(QWidget* parent) : QWidget(parent) {}

void TCanvasPanel::paintEvent(QPaintEvent*)
{
    if (!isSignalConnected(QMetaMethod::fromSignal(&TCanvasPanel::paint)))
        return;
    QPainter p(this);
    emit paint(&p);
}
