#include "selectrecurringdates.h"

#include <QListWidget>
#include <QShowEvent>

TSelectRecurringDates::TSelectRecurringDates(QWidget* parent)
    : CheckListDialog(parent, QStringLiteral("Select Recurring Dates To Use"), QSize(420, 308))
{
    list()->setObjectName(QStringLiteral("Dates"));
}

void TSelectRecurringDates::setLines(const QStringList& lines)
{
    list()->clear();
    for (const QString& line : lines)
        addLine(line);
}

void TSelectRecurringDates::FormActivate()
{
    selectAllRows();
}

// Every row starts chosen when the dialog opens; switching to another window and back keeps the
// user's choice.
void TSelectRecurringDates::showEvent(QShowEvent* event)
{
    CheckListDialog::showEvent(event);
    if (!event->spontaneous())
        FormActivate();
}
