// Draws one row of the recurring-date choosers: the focused row white on black, the others black on
// the window colour, a check mark before each selected row and then the entry's display text.
#pragma once

#include <QPixmap>
#include <QStyledItemDelegate>

class CheckRowDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    static constexpr int kRowHeight = 16;
    static constexpr int kTextGap = 5;

    explicit CheckRowDelegate(QObject* parent = nullptr);

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    QPixmap CheckBmp;    // dark mark for ordinary rows
    QPixmap RevCheckBmp; // light mark for the focused row
};
