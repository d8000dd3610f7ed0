// "Select Events To Import": the events an iCalendar file puts on the page's days, one row each with its
// date, start time and summary; every row is chosen when it opens.
#pragma once

#include "icalevents.h"

#include "recurring/checklistdialog.h"

class TSelectEvents : public CheckListDialog
{
    Q_OBJECT
public:
    explicit TSelectEvents(QWidget* parent = nullptr);
    void setEvents(const QList<IcalEvent>& events);
    // The chosen events, first row first.
    QList<IcalEvent> selectedEvents() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    QList<IcalEvent> m_events;
};
