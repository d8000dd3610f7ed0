#include "customiconlistbox.h"

#include <QApplication>
#include <QDrag>
#include <QFileInfo>
#include <QMimeData>
#include <QPainter>
#include <QStyledItemDelegate>

namespace {

// Fills the cell (highlighted when selected) and centres the icon in it; no text is drawn.
class TIconCellDelegate : public QStyledItemDelegate
{
public:
    explicit TIconCellDelegate(TCustomIconListBox* list) : QStyledItemDelegate(list), m_list(list) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        const bool selected = option.state & QStyle::State_Selected;
        painter->fillRect(option.rect, selected ? option.palette.highlight() : option.palette.base());
        const QImage icon = m_list->Icon(index.row());
        if (icon.isNull())
            return;
        const QRect r = option.rect;
        painter->drawImage(r.left() + (r.width() - icon.width()) / 2, r.top() + (r.height() - icon.height()) / 2, icon);
    }

    QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const override
    {
        return {m_list->CellWidth(), m_list->RowHeight()};
    }

private:
    TCustomIconListBox* m_list;
};

} // namespace

TCustomIconListBox::TCustomIconListBox(int margin, QWidget* parent) : QListWidget(parent), m_margin(margin)
{
    setItemDelegate(new TIconCellDelegate(this));
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setDragEnabled(true);
    setDragDropMode(QAbstractItemView::DragOnly);
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(RowHeight());
    setFont(font);
    UpdateEnabled();
}

void TCustomIconListBox::SetFileName(const QString& name)
{
    if (name == m_fileName)
        return;
    m_fileName = name;
    LoadFile();
    emit FileChange();
}

void TCustomIconListBox::SetAutoDisable(bool value)
{
    if (value == m_autoDisable)
        return;
    m_autoDisable = value;
    UpdateEnabled();
}

void TCustomIconListBox::SetEnableCaching(bool value)
{
    if (value == m_enableCaching)
        return;
    m_enableCaching = value;
    if (!value)
        LoadFile();
}

void TCustomIconListBox::UpdateEnabled()
{
    setEnabled(!m_autoDisable || QFileInfo(m_fileName).isFile());
}

void TCustomIconListBox::LoadFile()
{
    m_icons.clear();
    m_attached.clear();
    m_numberOfIcons = -1;
    clear();
    m_library = TIconLibrary();
    UpdateEnabled();
    if (!QFileInfo(m_fileName).isFile())
        return;
    if (!m_enableCaching)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    m_library = TIconLibrary::FromFile(m_fileName);
    m_numberOfIcons = m_library.Count();
    for (int i = 0; i < m_numberOfIcons; ++i) {
        m_icons.append(m_enableCaching ? QImage() : m_library.Icon(i));
        m_attached.append(!m_enableCaching);
        addItem(QString::number(i));
    }
    setCurrentRow(0);
    if (!m_enableCaching)
        QApplication::restoreOverrideCursor();
}

QImage TCustomIconListBox::Icon(int i)
{
    if (i < 0 || i >= m_icons.size())
        return {};
    if (m_enableCaching && !m_attached[i]) {
        m_icons[i] = m_library.Icon(i);
        m_attached[i] = true;
    }
    return m_icons[i];
}

bool TCustomIconListBox::IconAttached(int i) const
{
    return i >= 0 && i < m_attached.size() && m_attached[i];
}

QImage TCustomIconListBox::SelectedIconBitmap()
{
    const QImage icon = Icon(currentRow());
    if (icon.isNull())
        return {};
    QImage bitmap(icon.size(), QImage::Format_RGB32);
    bitmap.fill(Qt::white);
    QPainter painter(&bitmap);
    painter.drawImage(0, 0, icon);
    return bitmap;
}

QMimeData* TCustomIconListBox::CreateDragData()
{
    const QImage bitmap = SelectedIconBitmap();
    if (bitmap.isNull())
        return nullptr;
    auto* mime = new QMimeData;
    mime->setImageData(bitmap);
    return mime;
}

void TCustomIconListBox::startDrag(Qt::DropActions)
{
    QMimeData* mime = CreateDragData();
    if (!mime)
        return;
    auto* drag = new QDrag(this);
    drag->setMimeData(mime);
    drag->setPixmap(QPixmap::fromImage(Icon(currentRow())));
    drag->setHotSpot(QPoint(kSystemIconSize / 2, kSystemIconSize / 2));
    drag->exec(Qt::CopyAction);
}
