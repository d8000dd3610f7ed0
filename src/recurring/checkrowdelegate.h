// Draws one row of the check-list choosers: the focused row white on black, the others black on the
// window colour, a check mark before each selected row and then the row's text, or its columns.
#pragma once

#include <QList>
#include <QPixmap>
#include <QStyledItemDelegate>

class CheckRowDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    static constexpr int kRowHeight = 16;
    static constexpr int kTextGap = 5;
    // A row may hold its text as columns (a QStringList), drawn at the stops given.
    static constexpr int kColumnsRole = Qt::UserRole + 1;

    explicit CheckRowDelegate(QObject* parent = nullptr);

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    // Left edges of the columns after the first, in pixels from the text's start.
    void setColumnStops(const QList<int>& stops) { m_stops = stops; }

private:
    QPixmap CheckBmp;    // dark mark for ordinary rows
    QPixmap RevCheckBmp; // light mark for the focused row
    QList<int> m_stops;
};
