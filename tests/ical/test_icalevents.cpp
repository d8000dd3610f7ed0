// Reading iCalendar files onto a span of days: a file written the way calendar services write them,
// damaged files named by their line, and files built to cost unbounded time or memory.
#include "ical/icalevents.h"

#include <QFile>
#include <QLocale>

#include <gtest/gtest.h>

#include <ctime>

namespace {

// Local time is Berlin (CET, CEST from 29 March 2026); the file's "Eastern Standard Time" is New York's
// (EDT from 8 March 2026), its "Tokyo Standard Time" (UTC+9) has no VTIMEZONE and is known by name.
struct IcalEventsTest : ::testing::Test
{
    QByteArray previousZone = qgetenv("TZ");
    void SetUp() override
    {
        qputenv("TZ", "Europe/Berlin");
        tzset();
    }
    void TearDown() override
    {
        if (previousZone.isEmpty())
            qunsetenv("TZ");
        else
            qputenv("TZ", previousZone);
        tzset();
    }
};

QByteArray Fixture()
{
    QFile file(QStringLiteral(ALMARIN_SOURCE_DIR "/tests/ical/events.ics"));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return file.readAll();
}

QByteArray Calendar(const QByteArray& events)
{
    return QByteArray("BEGIN:VCALENDAR\r\nVERSION:2.0\r\n") + events + "END:VCALENDAR\r\n";
}

QString Listed(const IcalEvent& event)
{
    return event.firstDay.toString(Qt::ISODate) + QLatin1Char('/') + event.lastDay.toString(Qt::ISODate) +
           QLatin1Char(' ') + (event.time.isNull() ? QStringLiteral("all-day") : event.time.toString(u"HH:mm")) +
           QLatin1Char(' ') + event.summary;
}

QStringList ListedEvents(const QByteArray& bytes, QDate first, QDate last)
{
    const IcalEvents read = ReadIcalEvents(bytes, first, last);
    EXPECT_EQ(read.error, QString());
    QStringList listed;
    for (const IcalEvent& event : read.events)
        listed << Listed(event);
    return listed;
}

} // namespace

TEST_F(IcalEventsTest, ServiceFileGivesTheMonthsOccurrencesInLocalTime)
{
    // Times worked out by hand from the zone rules; the standup's third week is excluded and its fourth
    // moved to the Tuesday, the dentist is cancelled, the hike and "Later" lie in April.
    EXPECT_EQ(ListedEvents(Fixture(), QDate(2026, 3, 1), QDate(2026, 3, 31)),
              QStringList({
                  QStringLiteral("2026-02-28/2026-03-01 all-day Trip"),
                  QStringLiteral("2026-03-02/2026-03-02 15:00 Standup"),
                  QStringLiteral("2026-03-05/2026-03-07 all-day Conference"),
                  QStringLiteral("2026-03-09/2026-03-09 14:00 Standup"),
                  QStringLiteral("2026-03-12/2026-03-12 18:30 Dinner, Ann"),
                  QStringLiteral("2026-03-15/2026-03-15 19:00 Book club"),
                  QStringLiteral("2026-03-17/2026-03-17 all-day St Patrick's Day"),
                  QStringLiteral("2026-03-20/2026-03-21 22:00 Party"),
                  QStringLiteral("2026-03-24/2026-03-24 15:00 Standup (moved)"),
                  QStringLiteral("2026-03-26/2026-03-26 09:00 Call Tokyo"),
                  QStringLiteral("2026-03-30/2026-03-30 10:00 Flight"),
              }));
    EXPECT_EQ(ListedEvents(Fixture(), QDate(2026, 4, 1), QDate(2026, 4, 30)),
              QStringList({QStringLiteral("2026-04-02/2026-04-02 all-day Easter hike"),
                           QStringLiteral("2026-04-10/2026-04-10 11:00 Later"),
                           QStringLiteral("2026-04-15/2026-04-15 19:00 Book club")}));

    const QLocale british(QLocale::English, QLocale::UnitedKingdom);
    const IcalEvent party{QDate(2026, 3, 20), QDate(2026, 3, 21), QTime(22, 0), QStringLiteral("Party")};
    EXPECT_EQ(IcalEventParagraph(party, QDate(2026, 3, 20), british), QStringLiteral("22:00 Party"));
    EXPECT_EQ(IcalEventParagraph(party, QDate(2026, 3, 21), british), QStringLiteral("Party"));
    // The C locale's short format has seconds; an event time has none.
    EXPECT_EQ(IcalEventParagraph(party, QDate(2026, 3, 20), QLocale::c()), QStringLiteral("22:00 Party"));
}

TEST_F(IcalEventsTest, DamagedOrHostileFilesAreRefusedNamingTheLine)
{
    const struct
    {
        QByteArray bytes;
        const char* error;
    } cases[] = {
        {QByteArray(), "line 1: this is not an iCalendar file"},
        {"Dear diary,\r\ntoday nothing happened.\r\n", "line 1: \"Dear diary,\" cannot be read"},
        {"BEGIN:VEVENT\r\nDTSTART:20260301T100000Z\r\nEND:VEVENT\r\n", "line 1: an iCalendar file holds calendars"},
        {Calendar("BEGIN:VEVENT\r\nSUMMARY:A\r\n long one\r\nDTSTART:tomorrow\r\nEND:VEVENT\r\n"),
         "line 6: \"DTSTART:tomorrow\" cannot be read"},
        {"BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nDTSTART:20260301T100000Z\r\n",
         "line 3: the file ends before the calendar that begins at line 1"},
        // Every second since 1900: the steps to reach the page are not taken.
        {Calendar("BEGIN:VEVENT\r\nDTSTART:19000101T000000Z\r\nRRULE:FREQ=SECONDLY;COUNT=2000000000\r\nEND:VEVENT\r\n"),
         "line 3: the event repeats too often"},
        // Every minute of the month: more than a page can take.
        {Calendar("BEGIN:VEVENT\r\nDTSTART:20200101T000000Z\r\nRRULE:FREQ=MINUTELY\r\nEND:VEVENT\r\n"),
         "line 3: more than 10000 events"},
        {QByteArray(16 * 1024 * 1024 + 1, '\n'), "the file is larger than 16 MB"},
        {Calendar(QByteArray("X-NOTE:x\r\n").repeated(250000)), "line 250001: the file has more than 250000 lines"},
    };
    for (const auto& c : cases) {
        const IcalEvents read = ReadIcalEvents(c.bytes, QDate(2026, 3, 1), QDate(2026, 3, 31));
        EXPECT_TRUE(read.error.startsWith(QLatin1String(c.error))) << read.error.toStdString();
        EXPECT_TRUE(read.events.isEmpty());
    }
    // A summary of megabytes is cut to what a day cell could ever show.
    const IcalEvents huge =
        ReadIcalEvents(Calendar("BEGIN:VEVENT\r\nDTSTART:20260301T100000Z\r\nSUMMARY:" + QByteArray(100000, 'x') +
                                "\r\nEND:VEVENT\r\n"),
                       QDate(2026, 3, 1), QDate(2026, 3, 31));
    ASSERT_EQ(huge.events.size(), 1);
    EXPECT_EQ(huge.events[0].summary.size(), 1000);
}
