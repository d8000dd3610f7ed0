#include "iconlistbox.h"

#include <QScrollBar>
#include <QStyle>

TIconListBox::TIconListBox(QWidget* parent) : TCustomIconListBox(6, parent)
{
    setFlow(QListView::TopToBottom);
    setWrapping(true);
    setResizeMode(QListView::Adjust);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerItem);
    UpdateColumns();
}

void TIconListBox::SetXIcons(int value)
{
    if (value == m_xIcons || value <= 0)
        return;
    m_xIcons = value;
    ResizeToIcons();
}

void TIconListBox::SetYIcons(int value)
{
    if (value == m_yIcons || value <= 0)
        return;
    m_yIcons = value;
    ResizeToIcons();
}

void TIconListBox::ResizeToIcons()
{
    // The height depends on whether the list was too narrow for its columns before it is widened.
    const int width = CellWidth() * m_xIcons + 2;
    const int scrollBar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    const int height = this->width() < width ? RowHeight() * m_yIcons + scrollBar + 1 : RowHeight() * m_yIcons + 3;
    resize(width, height);
    UpdateColumns();
}

void TIconListBox::resizeEvent(QResizeEvent* event)
{
    TCustomIconListBox::resizeEvent(event);
    UpdateColumns();
}

// Like a multi-column list box: the visible width is shared by XIcons columns.
void TIconListBox::UpdateColumns()
{
    setGridSize(QSize(qMax(1, viewport()->width() / m_xIcons), RowHeight()));
}
