#include "checklistdialog.h"

#include "checkrowdelegate.h"
#include "recurringdescription.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

CheckListDialog::CheckListDialog(QWidget* parent, const QString& caption, QSize clientSize)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::CustomizeWindowHint),
      m_list(new QListWidget(this)), m_ok(new QPushButton(QStringLiteral("&Ok"), this)),
      m_all(new QPushButton(QStringLiteral("&All"), this)), m_none(new QPushButton(QStringLiteral("&None"), this)),
      m_cancel(new QPushButton(QStringLiteral("&Cancel"), this))
{
    setWindowTitle(caption);
    setFixedSize(clientSize);
    setFont(QFont(QStringLiteral("Arial"), 8));

    QFont listFont(QStringLiteral("Arial"));
    listFont.setPixelSize(12);
    m_list->setFont(listFont);
    m_list->setSelectionMode(QAbstractItemView::MultiSelection);
    m_list->setUniformItemSizes(true);
    m_list->setItemDelegate(new CheckRowDelegate(m_list));

    auto* panel = new QWidget(this);
    panel->setFixedHeight(43);
    auto* buttons = new QHBoxLayout(panel);
    buttons->setContentsMargins(10, 10, 10, 10);
    for (QPushButton* button : {m_ok, m_all, m_none, m_cancel})
        buttons->addWidget(button);
    buttons->addStretch();
    m_ok->setDefault(true);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_list);
    layout->addWidget(panel);

    connect(m_ok, &QPushButton::clicked, this, &CheckListDialog::okbuttonClick);
    connect(m_all, &QPushButton::clicked, this, &CheckListDialog::selectAllRows);
    connect(m_none, &QPushButton::clicked, this, &CheckListDialog::clearAllRows);
    connect(m_cancel, &QPushButton::clicked, this, &CheckListDialog::CancelButtonClick);
}

void CheckListDialog::addLine(const QString& line)
{
    auto* item = new QListWidgetItem(EntryDisplayText(line), m_list);
    item->setData(kLineRole, line);
}

QStringList CheckListDialog::lines() const
{
    QStringList all;
    for (int row = 0; row < m_list->count(); ++row)
        all << m_list->item(row)->data(kLineRole).toString();
    return all;
}

QStringList CheckListDialog::selectedLines() const
{
    QStringList chosen;
    for (int row = 0; row < m_list->count(); ++row) {
        if (m_list->item(row)->isSelected())
            chosen << m_list->item(row)->data(kLineRole).toString();
    }
    return chosen;
}

void CheckListDialog::selectAllRows()
{
    m_list->selectAll();
}

void CheckListDialog::clearAllRows()
{
    m_list->clearSelection();
}

void CheckListDialog::okbuttonClick()
{
    if (m_list->selectedItems().isEmpty()) {
        QApplication::beep();
        return;
    }
    accept();
}

void CheckListDialog::CancelButtonClick()
{
    reject();
}
