#include "checkrowdelegate.h"

#include <QAbstractItemView>
#include <QPainter>

namespace {

QPixmap checkMark(const QColor& color)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    QPen pen(color, 2);
    painter.setPen(pen);
    painter.drawPolyline(QPolygon({QPoint(3, 8), QPoint(6, 11), QPoint(12, 4)}));
    return pixmap;
}

} // namespace

CheckRowDelegate::CheckRowDelegate(QObject* parent)
    : QStyledItemDelegate(parent), CheckBmp(checkMark(Qt::black)), RevCheckBmp(checkMark(Qt::white))
{
}

void CheckRowDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    const auto* view = qobject_cast<const QAbstractItemView*>(option.widget);
    const bool focused = view && view->currentIndex() == index;
    const bool selected = option.state & QStyle::State_Selected;

    painter->save();
    painter->fillRect(option.rect, focused ? QColor(Qt::black) : option.palette.color(QPalette::Base));
    if (selected)
        painter->drawPixmap(option.rect.topLeft(), focused ? RevCheckBmp : CheckBmp);
    painter->setPen(focused ? Qt::white : Qt::black);
    painter->setFont(option.font);
    const QRect textRect = option.rect.adjusted(CheckBmp.width() + kTextGap, 0, 0, 0);
    const QStringList columns = index.data(kColumnsRole).toStringList();
    if (columns.isEmpty()) {
        painter->drawText(textRect, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                          index.data(Qt::DisplayRole).toString());
    } else {
        for (int i = 0; i < columns.size(); ++i) {
            QRect cell = textRect;
            if (i > 0)
                cell.setLeft(textRect.left() + m_stops.value(i - 1));
            if (i < m_stops.size())
                cell.setRight(textRect.left() + m_stops[i] - kTextGap);
            painter->drawText(cell, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, columns[i]);
        }
    }
    painter->restore();
}

QSize CheckRowDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    return {QStyledItemDelegate::sizeHint(option, index).width() + CheckBmp.width() + kTextGap, kRowHeight};
}
