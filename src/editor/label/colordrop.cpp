#include "colordrop.h"

#include <QAbstractItemView>
#include <QEvent>
#include <QFontInfo>
#include <QPainter>
#include <QStyleOptionComboBox>
#include <QStylePainter>
#include <QStyledItemDelegate>

#include <iterator>

namespace {

struct TDropColor
{
    const char* name;
    int r, g, b;
};

const TDropColor kColors[] = {
    {"Black", 0, 0, 0},           {"Maroon", 128, 0, 0},    {"Green", 0, 128, 0},  {"Olive", 128, 128, 0},
    {"Navy", 0, 0, 128},          {"Purple", 128, 0, 128},  {"Teal", 0, 128, 128}, {"Gray", 128, 128, 128},
    {"Silver", 192, 192, 192},    {"Red", 255, 0, 0},       {"Lime", 0, 255, 0},   {"Yellow", 255, 255, 0},
    {"Blue", 0, 0, 255},          {"Fuchsia", 255, 0, 255}, {"Aqua", 0, 255, 255}, {"Light Gray", 192, 192, 192},
    {"Dark Gray", 128, 128, 128}, {"White", 255, 255, 255},
};

class TColorEntryDelegate : public QStyledItemDelegate
{
public:
    explicit TColorEntryDelegate(TColorDrop* drop) : QStyledItemDelegate(drop), m_drop(drop) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        TColorDrop::PaintEntry(*painter, option.rect, TColorDrop::EntryColor(index.row()), index.data().toString(),
                               option.state & QStyle::State_Selected, option.palette);
    }
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        return {QStyledItemDelegate::sizeHint(option, index).width(), m_drop->ItemHeight()};
    }

private:
    TColorDrop* m_drop;
};

} // namespace

void TColorDrop::PaintEntry(QPainter& painter, const QRect& rect, TColor color, const QString& name, bool selected,
                            const QPalette& palette)
{
    painter.save();
    painter.fillRect(rect, palette.color(selected ? QPalette::Highlight : QPalette::Base));
    const int h = rect.height();
    const QRect swatch(rect.left() + 4, rect.top() + 2, h - 4, h - 4);
    const QColor text = palette.color(selected ? QPalette::HighlightedText : QPalette::Text);
    painter.setPen(text);
    painter.setBrush(ToQColor(color));
    painter.drawRect(swatch.adjusted(0, 0, -1, -1));
    painter.drawText(QRect(rect.left() + h + 4, rect.top(), rect.width() - h - 4, h), Qt::AlignVCenter, name);
    painter.restore();
}

TColorDrop::TColorDrop(QWidget* parent) : QComboBox(parent)
{
    for (const TDropColor& c : kColors)
        addItem(QLatin1String(c.name));
    setItemDelegate(new TColorEntryDelegate(this));
    setCurrentIndex(0);
    applyItemHeight();
    connect(this, &QComboBox::activated, this, [this](int index) {
        m_selected = EntryColor(index);
        emit OnChange();
    });
}

TColor TColorDrop::EntryColor(int index)
{
    if (index < 0 || index >= int(std::size(kColors)))
        return clBlack;
    const TDropColor& c = kColors[index];
    return RGBValue(c.r, c.g, c.b);
}

void TColorDrop::SetSelectedColor(TColor color)
{
    for (int i = 0; i < count(); ++i) {
        if (EntryColor(i) == color) {
            m_selected = color;
            setCurrentIndex(i);
            return;
        }
    }
}

int TColorDrop::ItemHeight() const
{
    return QFontInfo(font()).pixelSize() + 4;
}

void TColorDrop::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    option.currentText.clear();
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    const QRect field = style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
    PaintEntry(painter, field, EntryColor(currentIndex()), currentText(), hasFocus(), palette());
}

void TColorDrop::changeEvent(QEvent* event)
{
    QComboBox::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        applyItemHeight();
}

void TColorDrop::applyItemHeight()
{
    setMinimumHeight(ItemHeight() + 4);
    view()->doItemsLayout();
}
