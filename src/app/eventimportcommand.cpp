// The File menu's "Import Events (iCalendar)..." command.
#include "calendarmain.h"
#include "dialogfolder.h"

#include "editor/calendarpanel32.h"
#include "ical/selectevents.h"
#include "jobs/eventimport.h"

#include "platform/centerform.h"
#include "platform/messages.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QLocale>

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
