#include "pagepreparation.h"

#include "eventimport.h"
#include "recurringcommands.h"

#include "calendardraw/layoutkind.h"
#include "document/calendarpagemodel.h"
#include "document/pagedays.h"
#include "document/pagedocument.h"
#include "recurring/recurringfill.h"

#include <QDate>
#include <QFile>
#include <QFileInfo>
#include <QLocale>

#include <algorithm>

void ShowMonth(TCalendarPageModel& page, int month, int year)
{
    if (page.Settings().MainCalMonth == month && page.Settings().MainCalYear == year)
        return;
    const bool hasCells = page.Geometry().ShowMainCalendar || page.Geometry().ShowPlanner;
    page.SetLayoutValue(&CalendarSettings::MainCalMonth, month);
    page.SetLayoutValue(&CalendarSettings::MainCalYear, year);
    page.SetLayoutValue(&CalendarSettings::MainCalDay,
                        std::clamp(page.Settings().MainCalDay, 1, QDate(year, month, 1).daysInMonth()));
    if (hasCells)
        page.ClearAllCells();
}

QString FillWithRecurringDates(TPageDocument& page, const QStringList& lines, const FontDescription& font)
{
    if (!page.Model().Geometry().ShowMainCalendar && !page.Model().Geometry().ShowPlanner)
        return QStringLiteral("its layout has no day cells to fill");
    const int month = page.Model().Settings().MainCalMonth;
    const int year = page.Model().Settings().MainCalYear;
    ApplyRecurringDates(EntriesForMonth(lines, month, year), month, year,
                        [&](int day, const QString& text) { AppendTextToDay(page, day, text, font); });
    return QString();
}

QByteArray ReadEventsFile(const QString& fileName, QString* error)
{
    // A device or a pipe has no size to check first and may never end.
    if (!QFileInfo(fileName).isFile()) {
        *error = QStringLiteral("%1: not a regular file").arg(fileName);
        return QByteArray();
    }
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("%1: %2").arg(fileName, file.errorString());
        return QByteArray();
    }
    // At most one byte more than the limit is read: enough to tell a file that grew past it.
    const QByteArray bytes = file.read(IcalMaxFileBytes() + 1);
    *error = file.error() != QFileDevice::NoError ? file.errorString() : IcalSizeError(bytes.size());
    if (!error->isEmpty())
        *error = QStringLiteral("%1: %2").arg(fileName, *error);
    return error->isEmpty() ? bytes : QByteArray();
}

QString ImportEventsIntoPage(TPageDocument& page, const QString& fileName, const QByteArray& bytes,
                             const FontDescription& font, QString* warning)
{
    if (!HoldsDayText(page.Model().Settings().CalendarLayout))
        return QStringLiteral("%1: the page's layout has no day cells").arg(fileName);
    const PageDays days = DaysOfPage(page.Model().Settings());
    const IcalEvents read = ReadIcalEvents(bytes, days.first, days.last);
    if (!read.error.isEmpty())
        return QStringLiteral("%1: %2").arg(fileName, read.error);
    if (read.skippedLines > 0)
        *warning = QStringLiteral("%1: %2").arg(fileName, IcalSkippedLinesNotice(read));
    const QMap<int, QStringList> paragraphs = NewEventParagraphs(page, read.events, QLocale());
    for (auto it = paragraphs.cbegin(); it != paragraphs.cend(); ++it)
        AppendTextToCell(page, it.key(), it.value(), font);
    return QString();
}
