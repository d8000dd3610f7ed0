#include "editrecurringdates.h"

#include "editrecurringdateformula.h"
#include "getholidays.h"
#include "recurringdescription.h"
#include "recurringentry.h"
#include "recurringfile.h"
#include "recurringformula.h"

#include "platform/centerform.h"
#include "platform/messages.h"

#include <QApplication>
#include <QEvent>
#include <QListWidget>
#include <QPushButton>

namespace {

QPushButton* button(const QString& caption, int left, QWidget* parent)
{
    auto* b = new QPushButton(caption, parent);
    b->setGeometry(left, 279, 70, 33);
    return b;
}

// Runs the formula editor; on Ok gives the new line.
std::optional<QString> editEntry(QWidget* parent, const QString& caption, const QString& eventText,
                                 const QString& formula)
{
    TEditRecurringDateFormula editor(parent);
    editor.setWindowTitle(caption);
    editor.setFormula(formula);
    editor.setEventText(eventText);
    CenterForm(&editor);
    if (editor.exec() != QDialog::Accepted)
        return std::nullopt;
    return MakeEntryLine(editor.eventText(), editor.formula());
}

} // namespace

TEditRecurringDates::TEditRecurringDates(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::CustomizeWindowHint),
      DatesList(new QListWidget(this)), okbutton(button(QStringLiteral("Ok"), 14, this)),
      Editbutton(button(QStringLiteral("Edit"), 90, this)), Newbutton(button(QStringLiteral("New"), 166, this)),
      DeleteButton(button(QStringLiteral("Delete"), 242, this)),
      Holidaysbutton(button(QStringLiteral("Holidays"), 318, this)),
      CancelButton(button(QStringLiteral("Cancel"), 394, this))
{
    setWindowTitle(QStringLiteral("Recurring Dates"));
    setFixedSize(477, 321);
    setFont(QFont(QStringLiteral("Arial"), 8));

    DatesList->setGeometry(15, 20, 445, 244);
    QFont listFont(QStringLiteral("Arial"));
    listFont.setPixelSize(12);
    DatesList->setFont(listFont);
    DatesList->setUniformItemSizes(true);
    // Rows show their text as it stands, cut at the list's edge: a "#" entry's padding is no text left out.
    DatesList->setTextElideMode(Qt::ElideNone);
    DatesList->setSelectionMode(QAbstractItemView::SingleSelection);
    okbutton->setDefault(true);

    connect(DatesList, &QListWidget::itemSelectionChanged, this, &TEditRecurringDates::setbuttons);
    connect(DatesList, &QListWidget::itemDoubleClicked, this, &TEditRecurringDates::EditbuttonClick);
    connect(okbutton, &QPushButton::clicked, this, &TEditRecurringDates::okbuttonClick);
    connect(Editbutton, &QPushButton::clicked, this, &TEditRecurringDates::EditbuttonClick);
    connect(Newbutton, &QPushButton::clicked, this, &TEditRecurringDates::NewbuttonClick);
    connect(DeleteButton, &QPushButton::clicked, this, &TEditRecurringDates::DeleteButtonClick);
    connect(Holidaysbutton, &QPushButton::clicked, this, &TEditRecurringDates::HolidaysbuttonClick);
    connect(CancelButton, &QPushButton::clicked, this, &TEditRecurringDates::CancelButtonClick);

    // FormCreate
    setbuttons();
    QStringList stored;
    QString error;
    if (LoadRecurringDates(stored, &error)) {
        for (const QString& line : std::as_const(stored))
            addLine(line);
    } else {
        m_loadFailed = true;
        okbutton->setEnabled(false);
        ShowInformation(error);
    }
    if (DatesList->count() > 0)
        selectRow(0);
    DatesList->setFocus();
}

QStringList TEditRecurringDates::lines() const
{
    QStringList all;
    for (int row = 0; row < DatesList->count(); ++row)
        all << DatesList->item(row)->data(kLineRole).toString();
    return all;
}

int TEditRecurringDates::addLine(const QString& line)
{
    // After the rows that sort equal to it, as a sorted list box adds.
    int row = 0;
    while (row < DatesList->count() &&
           DatesList->item(row)->data(kLineRole).toString().compare(line, Qt::CaseInsensitive) <= 0)
        ++row;
    auto* item = new QListWidgetItem(EntryDisplayText(line));
    item->setData(kLineRole, line);
    DatesList->insertItem(row, item);
    return row;
}

QString TEditRecurringDates::selectedLine() const
{
    const QList<QListWidgetItem*> selected = DatesList->selectedItems();
    return selected.isEmpty() ? QString() : selected.first()->data(kLineRole).toString();
}

int TEditRecurringDates::rowOfLine(const QString& line) const
{
    for (int row = 0; row < DatesList->count(); ++row) {
        if (DatesList->item(row)->data(kLineRole).toString().compare(line, Qt::CaseInsensitive) == 0)
            return row;
    }
    return -1;
}

void TEditRecurringDates::selectRow(int row)
{
    DatesList->clearSelection();
    if (row < 0 || row >= DatesList->count())
        return;
    DatesList->setCurrentRow(row);
    DatesList->item(row)->setSelected(true);
}

void TEditRecurringDates::changeEvent(QEvent* event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        FormActivate();
}

void TEditRecurringDates::FormActivate()
{
    setbuttons();
}

void TEditRecurringDates::setbuttons()
{
    const bool selected = !DatesList->selectedItems().isEmpty();
    Editbutton->setEnabled(selected);
    DeleteButton->setEnabled(selected);
}

void TEditRecurringDates::NewbuttonClick()
{
    const std::optional<QString> line =
        editEntry(this, QStringLiteral("Add Recurring Date"), QStringLiteral("[Enter event]"), QString(kFixedDateRule));
    if (line) {
        addLine(*line);
        selectRow(rowOfLine(*line));
    }
    setbuttons();
}

void TEditRecurringDates::EditbuttonClick()
{
    if (DatesList->selectedItems().isEmpty()) {
        QApplication::beep();
        return;
    }
    const QString line = selectedLine();
    const QChar type = EntryRuleType(line);
    EasterOffsetFields easter;
    if (type == kEasterRule && !ParseEasterOffsetFormula(EntryKeyword(line), easter))
        ShowInformation(QStringLiteral("This entry cannot be edited"));
    else if (type == kNthWeekdayRule || type == kWeekdaySetRule || type == kFixedDateRule || type == kEasterRule)
        DoEditRecurringFormula();
}

void TEditRecurringDates::DoEditRecurringFormula()
{
    QList<QListWidgetItem*> selected = DatesList->selectedItems();
    if (selected.isEmpty()) {
        QApplication::beep();
        return;
    }
    const QString old = selected.first()->data(kLineRole).toString();
    // Days-from-Easter keywords may take the eleventh column.
    const QString formula = EntryRuleType(old) == kEasterRule ? EntryKeyword(old) : EntryFormula(old);
    const std::optional<QString> line =
        editEntry(this, QStringLiteral("Edit Recurring Date Formula"), EntryEventText(old), formula);
    if (line) {
        delete DatesList->takeItem(DatesList->row(selected.first()));
        selectRow(addLine(*line));
    }
    setbuttons();
}

void TEditRecurringDates::DeleteButtonClick()
{
    const QList<QListWidgetItem*> selected = DatesList->selectedItems();
    if (!selected.isEmpty())
        delete DatesList->takeItem(DatesList->row(selected.first()));
    selectRow(0);
    setbuttons();
}

void TEditRecurringDates::HolidaysbuttonClick()
{
    TGetHolidays chooser(this);
    CenterForm(&chooser);
    if (chooser.exec() == QDialog::Accepted) {
        for (const QString& line : chooser.selectedLines()) {
            if (rowOfLine(line) < 0)
                addLine(line);
        }
    }
    if (DatesList->count() > 0 && DatesList->selectedItems().isEmpty())
        selectRow(0);
    setbuttons();
}

void TEditRecurringDates::okbuttonClick()
{
    if (m_loadFailed)
        return;
    QString error;
    if (!SaveRecurringDates(lines(), &error)) {
        ShowInformation(error);
        return;
    }
    accept();
}

void TEditRecurringDates::CancelButtonClick()
{
    reject();
}
