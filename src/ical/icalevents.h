// Events read from an iCalendar file and laid onto a span of days: recurrences expanded, time zones
// converted to the local one, cancelled events and instances left out.
#pragma once

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QString>
#include <QTime>

class QLocale;

// One occurrence of an event that touches the span of days asked for.
struct IcalEvent
{
    QDate firstDay; // local; may lie before the span when the event runs into it
    QDate lastDay;  // local, inclusive
    QTime time;     // local start time; null for an all-day event
    QString summary;
};

struct IcalEvents
{
    // By first day, all-day events before timed ones, then by time and file order.
    QList<IcalEvent> events;
    // Empty when the file was read; else what failed, naming the line ("line 12: ...").
    QString error;
    // Lines of a file that was read which could not be read themselves and were left out; an event whose
    // rule would cost more than its share of the work is left out and counted by its BEGIN line.
    int skippedLines = 0;
    int firstSkippedLine = 0;
    // Steps libical's recurrence iterators were made to take (and recurrence dates read): bounded per
    // rule and per file, whatever the file holds.
    qint64 recurrenceSteps = 0;
};

// What to tell the user about the lines left out; empty when none were.
QString IcalSkippedLinesNotice(const IcalEvents& read);

// Empty when a file of `size` bytes may be read; larger files are refused rather than read.
QString IcalSizeError(qint64 size);
// The most bytes a file may have.
qint64 IcalMaxFileBytes();

// The occurrences in `bytes` that cover any day from `first` to `last`. Lines that cannot be read are
// left out and counted; only bytes that hold no calendar at all are refused.
IcalEvents ReadIcalEvents(const QByteArray& bytes, QDate first, QDate last);

// A start time in the locale's short format, to the minute: some locales' short format shows seconds,
// which no event time needs.
QString IcalTimeText(QTime time, const QLocale& locale);

// The paragraph an occurrence puts on `day`: the locale's short start time and the summary on its first
// day, the summary alone on the days after it and for all-day events.
QString IcalEventParagraph(const IcalEvent& event, QDate day, const QLocale& locale);
