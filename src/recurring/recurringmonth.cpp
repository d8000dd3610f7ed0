#include "recurringmonth.h"

#include "recurringentry.h"
#include "recurringmatch.h"

QStringList EntriesForMonth(const QStringList& lines, int month, int year)
{
    QStringList offered;
    for (const QString& line : lines) {
        if (EntryConcernsMonth(line, month, year))
            offered << line;
    }
    return offered;
}

void ApplyRecurringDates(const QStringList& chosen, int month, int year,
                         const std::function<void(int day, const QString& text)>& putTextOnDay)
{
    for (const QString& line : chosen) {
        const QString text = EntryEventText(line);
        for (int day : DaysOfEntry(line, month, year))
            putTextOnDay(day, text);
    }
}
