#include "colorbutton.h"

#include <QColorDialog>
#include <QFrame>
#include <QGridLayout>
#include <QStyleOptionButton>
#include <QStylePainter>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int kSwatchSize = 18;
constexpr int kColumns = 8;
constexpr int kArrowWidth = 12;

// The sixteen colours of the classic system palette.
const QList<TColor> kPalette = {
    RGBValue(0, 0, 0),       RGBValue(128, 0, 0),   RGBValue(0, 128, 0),   RGBValue(128, 128, 0),
    RGBValue(0, 0, 128),     RGBValue(128, 0, 128), RGBValue(0, 128, 128), RGBValue(128, 128, 128),
    RGBValue(192, 192, 192), RGBValue(255, 0, 0),   RGBValue(0, 255, 0),   RGBValue(255, 255, 0),
    RGBValue(0, 0, 255),     RGBValue(255, 0, 255), RGBValue(0, 255, 255), RGBValue(255, 255, 255),
};

QIcon swatchIcon(TColor color, int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(ToQColor(color));
    QPainter p(&pixmap);
    p.setPen(Qt::darkGray);
    p.drawRect(0, 0, size - 1, size - 1);
    return QIcon(pixmap);
}

} // namespace

TColorButton::TColorButton(const QString& caption, QWidget* parent) : QPushButton(caption, parent)
{
    ChooseOther = [this](TColor& color) {
        const QColor chosen = QColorDialog::getColor(ToQColor(color), window(), QStringLiteral("Color"));
        if (!chosen.isValid())
            return false;
        color = FromQColor(chosen);
        return true;
    };
    connect(this, &QPushButton::clicked, this, &TColorButton::ShowPalette);
}

const QList<TColor>& TColorButton::PaletteColors()
{
    return kPalette;
}

void TColorButton::SetColor(TColor value)
{
    if (value == m_color)
        return;
    m_color = value;
    update();
}

QToolButton* TColorButton::Swatch(int index) const
{
    return index >= 0 && index < m_swatches.size() ? m_swatches[index] : nullptr;
}

void TColorButton::buildPalette()
{
    m_palette = new QFrame(this, Qt::Popup);
    m_palette->setFrameShape(QFrame::StyledPanel);
    m_palette->setFrameShadow(QFrame::Raised);
    auto* column = new QVBoxLayout(m_palette);
    column->setContentsMargins(4, 4, 4, 4);
    column->setSpacing(4);
    auto* grid = new QGridLayout;
    grid->setSpacing(2);
    for (int i = 0; i < kPalette.size(); ++i) {
        auto* swatch = new QToolButton(m_palette);
        swatch->setAutoRaise(true);
        swatch->setIcon(swatchIcon(kPalette[i], kSwatchSize));
        swatch->setIconSize(QSize(kSwatchSize, kSwatchSize));
        swatch->setFocusPolicy(Qt::NoFocus);
        connect(swatch, &QToolButton::clicked, this, [this, i] { choose(kPalette[i]); });
        grid->addWidget(swatch, i / kColumns, i % kColumns);
        m_swatches.append(swatch);
    }
    column->addLayout(grid);
    m_other = new QPushButton(QStringLiteral("Other..."), m_palette);
    connect(m_other, &QPushButton::clicked, this, &TColorButton::otherClick);
    column->addWidget(m_other);
}

void TColorButton::ShowPalette()
{
    if (!m_palette)
        buildPalette();
    m_palette->adjustSize();
    m_palette->move(mapToGlobal(QPoint(0, height())));
    m_palette->show();
}

void TColorButton::choose(TColor color)
{
    if (m_palette)
        m_palette->hide();
    if (color == m_color)
        return;
    m_color = color;
    update();
    emit ColorChanged(color);
}

void TColorButton::otherClick()
{
    // The popup would sit above the modal colour dialog, so it goes first.
    m_palette->hide();
    TColor color = m_color;
    if (ChooseOther && ChooseOther(color))
        choose(color);
}

QSize TColorButton::sizeHint() const
{
    const QSize base = QPushButton::sizeHint();
    return QSize(base.width() + kSwatchSize + kArrowWidth + 12, base.height());
}

void TColorButton::paintEvent(QPaintEvent*)
{
    QStylePainter p(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text.clear();
    p.drawControl(QStyle::CE_PushButton, option);

    const QRect inner = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
    const int swatchHeight = qMin(inner.height() - 4, 14);
    const QRect swatch(inner.left() + 4, inner.center().y() - swatchHeight / 2, kSwatchSize + 6, swatchHeight);
    p.fillRect(swatch, ToQColor(m_color));
    p.setPen(isEnabled() ? palette().color(QPalette::WindowText) : palette().color(QPalette::Mid));
    p.drawRect(swatch.adjusted(0, 0, -1, -1));

    const QRect arrow(inner.right() - kArrowWidth, inner.top(), kArrowWidth, inner.height());
    QStyleOption arrowOption = option;
    arrowOption.rect = arrow.adjusted(2, inner.height() / 2 - 4, -2, -(inner.height() / 2 - 4));
    p.drawPrimitive(QStyle::PE_IndicatorArrowDown, arrowOption);

    const QRect textRect(swatch.right() + 6, inner.top(), arrow.left() - swatch.right() - 8, inner.height());
    p.drawItemText(textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextShowMnemonic, palette(), isEnabled(), text(),
                   QPalette::ButtonText);
}
