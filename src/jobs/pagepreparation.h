// What a job does to a page before it draws it: another month shown, the recurring dates put on their
// days, the events of an iCalendar file imported. Shared by one-page and many-page jobs.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

class TCalendarPageModel;
class TPageDocument;
struct FontDescription;

// Shows the month as the properties dialog would: another month or year starts with empty day cells.
void ShowMonth(TCalendarPageModel& page, int month, int year);
// Puts every recurring date of the page's month on its days, as the fill command with every row chosen.
// Returns why not, or an empty string.
QString FillWithRecurringDates(TPageDocument& page, const QStringList& lines, const FontDescription& font);
// The bytes of an iCalendar file, read once for any number of pages; the error names the file.
QByteArray ReadEventsFile(const QString& fileName, QString* error);
// Puts every event of the file's bytes that falls on the page's days on them, as the import command with
// every row chosen. Returns why not, or an empty string; `warning` tells of lines that were left out.
QString ImportEventsIntoPage(TPageDocument& page, const QString& fileName, const QByteArray& bytes,
                             const FontDescription& font, QString* warning);
