// The File menu's "Import Events (iCalendar)..." command.
#include "eventimport.h"

#include "calendarmain.h"
#include "dialogfolder.h"
#include "pagepreparation.h"

#include "document/pagedays.h"
#include "editor/calendarpanel32.h"
#include "ical/selectevents.h"
#include "richtext/wprtfstorage.h"

#include "platform/centerform.h"
#include "platform/messages.h"

#include <QFileDialog>
#include <QFileInfo>
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

void TCalendarMain::mnuImportEventsClick()
{
    const QString fileName = QFileDialog::getOpenFileName(this, QStringLiteral("Import Events"), DialogFolder(),
                                                          QStringLiteral("iCalendar files (*.ics);;All files (*)"));
    RememberDialogChoice(fileName);
    if (!fileName.isEmpty())
        ImportEventsFile(fileName);
}

void TCalendarMain::ImportEventsFile(const QString& fileName)
{
    const IcalEvents read = ReadEventsForPage(*m_page, fileName);
    if (!read.error.isEmpty()) {
        ShowError(QStringLiteral("The events cannot be imported.\n%1").arg(read.error));
        return;
    }
    if (read.skippedLines > 0)
        ShowInformation(QStringLiteral("%1: %2").arg(QFileInfo(fileName).fileName(), IcalSkippedLinesNotice(read)));
    if (read.events.isEmpty()) {
        ShowInformation(
            QStringLiteral("No events in %1 fall on the days of this page").arg(QFileInfo(fileName).fileName()));
        return;
    }
    QList<IcalEvent> chosen;
    {
        TSelectEvents dialog(this);
        dialog.setEvents(read.events);
        CenterForm(&dialog);
        if (dialog.exec() == QDialog::Accepted)
            chosen = dialog.selectedEvents();
    }
    const QMap<int, QStringList> paragraphs = NewEventParagraphs(*m_page, chosen, QLocale());
    for (auto it = paragraphs.cbegin(); it != paragraphs.cend(); ++it)
        PuttextOnCell(it.key(), it.value());
    if (!paragraphs.isEmpty())
        SetButtons();
    else if (!chosen.isEmpty())
        ShowInformation(QStringLiteral("The chosen events are on the page already"));
}
