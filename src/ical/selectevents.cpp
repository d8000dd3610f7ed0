#include "selectevents.h"

#include "recurring/checkrowdelegate.h"

#include <QListWidget>
#include <QLocale>
#include <QShowEvent>

namespace {

// Column edges after the date and after the time, in pixels of the list's 12-pixel font.
constexpr int kTimeStop = 170;
constexpr int kSummaryStop = 230;

} // namespace

TSelectEvents::TSelectEvents(QWidget* parent)
    : CheckListDialog(parent, QStringLiteral("Select Events To Import"), QSize(520, 308))
{
    list()->setObjectName(QStringLiteral("Events"));
    if (auto* delegate = qobject_cast<CheckRowDelegate*>(list()->itemDelegate()))
        delegate->setColumnStops({kTimeStop, kSummaryStop});
}

void TSelectEvents::setEvents(const QList<IcalEvent>& events)
{
    m_events = events;
    list()->clear();
    const QLocale locale;
    for (int i = 0; i < events.size(); ++i) {
        const IcalEvent& event = events[i];
        QString date = locale.toString(event.firstDay, QLocale::ShortFormat);
        if (event.lastDay != event.firstDay)
            date += QStringLiteral(" - ") + locale.toString(event.lastDay, QLocale::ShortFormat);
        const QString time = event.time.isNull() ? QString() : IcalTimeText(event.time, locale);
        const QStringList columns{date, time, event.summary};
        auto* item = new QListWidgetItem(columns.join(QLatin1Char(' ')), list());
        item->setData(CheckRowDelegate::kColumnsRole, columns);
        item->setData(kLineRole, i);
    }
}

QList<IcalEvent> TSelectEvents::selectedEvents() const
{
    QList<IcalEvent> chosen;
    for (int row = 0; row < list()->count(); ++row) {
        if (list()->item(row)->isSelected())
            chosen << m_events.value(list()->item(row)->data(kLineRole).toInt());
    }
    return chosen;
}

// Every row starts chosen when the dialog opens; switching to another window and back keeps the
// user's choice.
void TSelectEvents::showEvent(QShowEvent* event)
{
    CheckListDialog::showEvent(event);
    if (!event->spontaneous())
        selectAllRows();
}
