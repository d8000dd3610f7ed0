// The recurring dates of one month: which entries concern it, and putting their event texts on
// their days. The fill command and the command line share it.
#pragma once

#include <QString>
#include <QStringList>

#include <functional>

// The lines that concern `month` of `year`, in their order.
QStringList EntriesForMonth(const QStringList& lines, int month, int year);
// Puts the event text of every line on each of its days, line by line.
void ApplyRecurringDates(const QStringList& chosen, int month, int year,
                         const std::function<void(int day, const QString& text)>& putTextOnDay);
