#include "pagerun.h"

#include "pagepreparation.h"

#include "document/calendardocument.h"
#include "document/calendarpagemodel.h"
#include "document/pagedocument.h"
#include "render/calendarpage.h"

#include <QFileInfo>

namespace {

QString OneLine(const QString& text)
{
    QString line = text;
    line.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return line.simplified();
}

QString UnreadableMessage(const QString& name, const QString& detail)
{
    return OneLine(UnableToOpenDocumentMessage(name)) + QStringLiteral(" (%1)").arg(detail);
}

} // namespace

QString TPageRun::AddDocumentFile(const QString& fileName)
{
    if (!QFileInfo(fileName).isFile())
        return QStringLiteral("%1: no such file").arg(fileName);
    try {
        return AddDocumentBytes(fileName, ReadDocumentFile(fileName));
    } catch (const ECalendarFileError& error) {
        return UnreadableMessage(fileName, error.Detail());
    }
}

QString TPageRun::AddDocumentBytes(const QString& name, const QByteArray& bytes)
{
    // Everything before the placed objects must read; trouble among the objects only ends them.
    try {
        m_documents.append({name, bytes, ParseDocument(bytes, CalendarSettings()).settings});
    } catch (const EStreamError& error) {
        return UnreadableMessage(name, error.Message());
    }
    return QString();
}

void TPageRun::SetMonths(int month, int year, int count)
{
    m_month = month;
    m_year = year;
    m_months = count;
}

void TPageRun::SetRecurringDates(const QStringList& lines)
{
    m_fill = true;
    m_recurring = lines;
}

void TPageRun::SetEvents(const QString& fileName, const QByteArray& bytes)
{
    m_eventsFile = fileName;
    m_events = bytes;
}

int TPageRun::Count() const
{
    return m_months > 0 ? m_months : int(m_documents.size());
}

QString TPageRun::Title() const
{
    if (m_documents.isEmpty())
        return QString();
    const CalendarSettings& first = m_documents.first().settings;
    const CalendarSettings& last = m_documents.last().settings;
    int firstMonth = first.MainCalMonth, firstYear = first.MainCalYear;
    int lastMonth = last.MainCalMonth, lastYear = last.MainCalYear;
    if (m_months > 0) {
        const int months = m_month - 1 + m_months - 1;
        firstMonth = m_month;
        firstYear = m_year;
        lastMonth = months % 12 + 1;
        lastYear = m_year + months / 12;
    }
    if (Count() == 12 && firstMonth == 1 && lastMonth == 12 && firstYear == lastYear)
        return QString::number(firstYear);
    const auto monthText = [](const CalendarSettings& s, int month, int year) {
        const QString name = s.MonthNames[month].isEmpty() ? LocaleMonthNames()[month] : s.MonthNames[month];
        return QStringLiteral("%1 %2").arg(name).arg(year);
    };
    const QString from = monthText(first, firstMonth, firstYear);
    if (firstMonth == lastMonth && firstYear == lastYear)
        return from;
    return from + QStringLiteral(" \u2013 ") + monthText(m_months > 0 ? first : last, lastMonth, lastYear);
}

std::unique_ptr<TCalendarPage> TPageRun::MakePage(int index, QString* error, QStringList* warnings) const
{
    if (index < 0 || index >= Count() || m_documents.isEmpty()) {
        *error = QStringLiteral("there is no page %1").arg(index + 1);
        return nullptr;
    }
    const Document& document = m_documents[m_months > 0 ? 0 : index];
    auto page = std::make_unique<TCalendarPage>();
    TDocumentReadInfo info;
    try {
        info = ReadDocumentBytes(*page, document.bytes, page->ObjectParent());
    } catch (const EStreamError& streamError) {
        *error = UnreadableMessage(document.name, streamError.Message());
        return nullptr;
    }
    if (index == 0 || m_months == 0) {
        if (!info.objectsError.isEmpty())
            warnings->append(QStringLiteral("%1: placed objects after the first %2 were not read (%3)")
                                 .arg(document.name)
                                 .arg(info.objectsRead)
                                 .arg(info.objectsError));
        else if (!info.valuesIgnored.isEmpty() || !info.borderArtMissing.isEmpty())
            warnings->append(OneLine(DocumentReadNotice(document.name, info)));
    }
    if (m_months > 0) {
        const int months = m_month - 1 + index;
        ShowMonth(page->Model(), months % 12 + 1, m_year + months / 12);
    }
    if (m_fill) {
        const QString fillError = FillWithRecurringDates(*page, m_recurring, m_font);
        if (!fillError.isEmpty()) {
            *error = QStringLiteral("cannot fill %1: %2").arg(document.name, fillError);
            return nullptr;
        }
    }
    if (!m_eventsFile.isEmpty()) {
        QString warning;
        const QString importError = ImportEventsIntoPage(*page, m_eventsFile, m_events, m_font, &warning);
        if (!importError.isEmpty()) {
            *error = QStringLiteral("cannot import events from %1").arg(importError);
            return nullptr;
        }
        if (!warning.isEmpty() && index == 0)
            warnings->append(warning);
    }
    if (m_prepare) {
        *error = m_prepare(*page);
        if (!error->isEmpty())
            return nullptr;
    }
    return page;
}
