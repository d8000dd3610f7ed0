// Imports five years of a busy calendar (2,000 events: meetings in a zone of the file's own, UTC calls,
// all-day days and weekly series with exceptions) into one month page.
#include "app/eventimport.h"
#include "app/recurringcommands.h"
#include "editor/calendarpanel32.h"
#include "ical/icalevents.h"
#include "platform/fontdescription.h"

#include <QFile>
#include <QLocale>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

constexpr int kEvents = 2000;

QByteArray BusyCalendar()
{
    QByteArray ics = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nBEGIN:VTIMEZONE\r\nTZID:Office\r\n"
                     "BEGIN:STANDARD\r\nDTSTART:16011028T030000\r\nRRULE:FREQ=YEARLY;BYDAY=-1SU;BYMONTH=10\r\n"
                     "TZOFFSETFROM:+0200\r\nTZOFFSETTO:+0100\r\nEND:STANDARD\r\n"
                     "BEGIN:DAYLIGHT\r\nDTSTART:16010325T020000\r\nRRULE:FREQ=YEARLY;BYDAY=-1SU;BYMONTH=3\r\n"
                     "TZOFFSETFROM:+0100\r\nTZOFFSETTO:+0200\r\nEND:DAYLIGHT\r\nEND:VTIMEZONE\r\n";
    const QDate first(2022, 1, 3);
    for (int i = 0; i < kEvents; ++i) {
        const QDate day = first.addDays(i * 1826 / kEvents);
        const QByteArray date = day.toString(u"yyyyMMdd").toLatin1();
        const QByteArray hour = QByteArray::number(8 + i % 10).rightJustified(2, '0');
        ics += "BEGIN:VEVENT\r\nUID:event" + QByteArray::number(i) + "@bench\r\nSUMMARY:Event " +
               QByteArray::number(i) + "\r\n";
        switch (i % 10) {
        case 0:
            ics += "DTSTART;TZID=Office:" + date + "T" + hour +
                   "0000\r\nDURATION:PT1H\r\n"
                   "RRULE:FREQ=WEEKLY;BYDAY=MO,TH;UNTIL=" +
                   day.addMonths(6).toString(u"yyyyMMdd").toLatin1() +
                   "T235959Z\r\nEXDATE;TZID=Office:" + day.addDays(7).toString(u"yyyyMMdd").toLatin1() + "T" + hour +
                   "0000\r\n";
            break;
        case 1:
            ics += "DTSTART;VALUE=DATE:" + date +
                   "\r\nDTEND;VALUE=DATE:" + day.addDays(3).toString(u"yyyyMMdd").toLatin1() + "\r\n";
            break;
        case 2:
            ics += "DTSTART:" + date + "T" + hour + "3000Z\r\nRRULE:FREQ=MONTHLY;COUNT=24\r\n";
            break;
        default:
            ics += "DTSTART;TZID=Office:" + date + "T" + hour + "0000\r\nDTEND;TZID=Office:" + date + "T" + hour +
                   "4500\r\n";
        }
        ics += "END:VEVENT\r\n";
    }
    return ics + "END:VCALENDAR\r\n";
}

void ImportIntoMonth(benchmark::State& state)
{
    QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("busy.ics"));
    QFile out(file);
    out.open(QIODevice::WriteOnly);
    out.write(BusyCalendar());
    out.close();
    for (auto _ : state) {
        state.PauseTiming();
        TCalendarPanel32 page;
        page.SetCalendarLayout(loFullCalendar);
        page.SetMainCalMonth(3);
        page.SetMainCalYear(2026);
        state.ResumeTiming();
        const IcalEvents read = ReadEventsForPage(page, file);
        if (!read.error.isEmpty())
            state.SkipWithError(read.error.toUtf8().constData());
        const QMap<int, QStringList> paragraphs = NewEventParagraphs(page, read.events, QLocale());
        for (auto it = paragraphs.cbegin(); it != paragraphs.cend(); ++it)
            AppendTextToCell(page, it.key(), it.value(), FontDescription());
        benchmark::DoNotOptimize(read.events.size());
    }
}
BENCHMARK(ImportIntoMonth)->Unit(benchmark::kMillisecond);

// Calendars built to cost without end: a zone that changes every second from 1601, 500 events on the
// 30th of February, and 500 events whose rules never occur though their days exist (the sixth Monday of
// a month, week 53's Monday in January, every twelfth month from January in March). Each must be
// answered within the budget of any file.
void ReadHostileCalendar(benchmark::State& state)
{
    QByteArray body;
    if (state.range(0) == 0) {
        body = "BEGIN:VTIMEZONE\r\nTZID:Tick\r\nBEGIN:STANDARD\r\nDTSTART:16010101T000000\r\n"
               "RRULE:FREQ=SECONDLY\r\nTZOFFSETFROM:+0000\r\nTZOFFSETTO:+0100\r\nEND:STANDARD\r\n"
               "END:VTIMEZONE\r\nBEGIN:VEVENT\r\nDTSTART;TZID=Tick:20260310T100000\r\nEND:VEVENT\r\n";
    } else if (state.range(0) == 1) {
        for (int i = 0; i < 500; ++i)
            body += "BEGIN:VEVENT\r\nDTSTART:20000101T100000Z\r\nRRULE:FREQ=YEARLY;BYMONTH=2;BYMONTHDAY=30\r\n"
                    "END:VEVENT\r\n";
    } else {
        const char* const never[] = {"FREQ=MONTHLY;BYDAY=MO;BYSETPOS=6", "FREQ=YEARLY;BYWEEKNO=53;BYDAY=MO;BYMONTH=1",
                                     "FREQ=MONTHLY;INTERVAL=12;BYMONTH=3"};
        for (int i = 0; i < 500; ++i)
            body +=
                "BEGIN:VEVENT\r\nDTSTART:20100101T100000Z\r\nRRULE:" + QByteArray(never[i % 3]) + "\r\nEND:VEVENT\r\n";
    }
    const QByteArray ics = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\n" + body + "END:VCALENDAR\r\n";
    for (auto _ : state)
        benchmark::DoNotOptimize(ReadIcalEvents(ics, QDate(2026, 3, 1), QDate(2026, 3, 31)).events.size());
}
BENCHMARK(ReadHostileCalendar)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

} // namespace
