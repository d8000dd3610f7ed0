#include "eventimport.h"

#include "pagepreparation.h"

#include "document/calendarpagemodel.h"
#include "document/pagedays.h"
#include "document/pagedocument.h"
#include "richtext/wprtfstorage.h"

#include <QHash>
#include <QLocale>
#include <QSet>

#include <algorithm>

IcalEvents ReadEventsForPage(const TPageDocument& page, const QString& fileName)
{
    IcalEvents result;
    const QByteArray bytes = ReadEventsFile(fileName, &result.error);
    if (!result.error.isEmpty())
        return result;
    const PageDays days = DaysOfPage(page.Model().Settings());
    result = ReadIcalEvents(bytes, days.first, days.last);
    if (!result.error.isEmpty())
        result.error = QStringLiteral("%1: %2").arg(fileName, result.error);
    return result;
}

QMap<int, QStringList> NewEventParagraphs(const TPageDocument& page, const QList<IcalEvent>& events,
                                          const QLocale& locale)
{
    const PageDays days = DaysOfPage(page.Model().Settings());
    QHash<int, QSet<QString>> held;
    QMap<int, QStringList> added;
    for (const IcalEvent& event : events) {
        const QDate from = std::max(event.firstDay, days.first);
        const QDate to = std::min(event.lastDay, days.last);
        for (QDate day = from; day.isValid() && day <= to; day = day.addDays(1)) {
            const QString text = IcalEventParagraph(event, day, locale);
            const int cell = CellOfEvent(page.Model().Settings(), day, day == event.firstDay ? event.time : QTime());
            TWPRtfStorage* storage = page.Model().CellStorage(cell);
            if (text.isEmpty() || !storage)
                continue;
            if (!held.contains(cell)) {
                QSet<QString>& paragraphs = held[cell];
                for (const QString& paragraph : storage->PlainText().split(QLatin1Char('\n')))
                    paragraphs.insert(paragraph.trimmed());
            }
            if (held[cell].contains(text))
                continue;
            held[cell].insert(text);
            added[cell].append(text);
        }
    }
    return added;
}
