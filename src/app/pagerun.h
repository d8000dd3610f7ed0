// The pages of a job that makes many at once: one document shown in a run of months, or several
// documents one page each, in their order. Every document is read before the first page is made, so
// one that cannot be read stops the job before anything is written. Nothing is written back to them.
#pragma once

#include "document/calendarsettings.h"
#include "platform/fontdescription.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class TCalendarPage;
class TPageDocument;

class TPageRun
{
public:
    static constexpr int kMaxMonths = 24;

    // Reads a document file; returns why it cannot be read, or an empty string.
    QString AddDocumentFile(const QString& fileName);
    // A document held in memory (the window's open page), named for messages.
    QString AddDocumentBytes(const QString& name, const QByteArray& bytes);
    // The one document shown in `count` months (1 to kMaxMonths) from month/year, as the properties
    // dialog shows another month.
    void SetMonths(int month, int year, int count);
    // Each page gets every recurring date of its month (the fill command with every row chosen).
    void SetRecurringDates(const QStringList& lines);
    // Each page gets the events of these iCalendar bytes that fall on its days.
    void SetEvents(const QString& fileName, const QByteArray& bytes);
    // The look of text put on empty days.
    void SetFont(const FontDescription& font) { m_font = font; }
    // What else each page gets before it is drawn; returns why it cannot, or an empty string.
    void SetPreparation(std::function<QString(TPageDocument&)> prepare) { m_prepare = std::move(prepare); }

    int Count() const;
    // The title of the whole: the year alone for January to December of one year, else the first
    // page's month and year, and the last page's when it differs.
    QString Title() const;
    // Page `index` (from 0) as the job draws it; null with `error` set when it cannot be made. Warnings
    // about what a document holds that cannot be shown come with the first page made from it.
    std::unique_ptr<TCalendarPage> MakePage(int index, QString* error, QStringList* warnings) const;

private:
    struct Document
    {
        QString name;
        QByteArray bytes;
        CalendarSettings settings;
    };
    QList<Document> m_documents;
    int m_month = 0;
    int m_year = 0;
    int m_months = 0;
    bool m_fill = false;
    QStringList m_recurring;
    QString m_eventsFile;
    QByteArray m_events;
    FontDescription m_font;
    std::function<QString(TPageDocument&)> m_prepare;
};
