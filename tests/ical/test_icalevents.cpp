// Reading iCalendar files onto a span of days: a file written the way calendar services write them,
// damaged files named by their line, and files built to cost unbounded time or memory.
#include "ical/icalevents.h"
#include "ical/recurrencebounds.h"

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
        {"Dear diary,\r\ntoday nothing happened.\r\n", "line 1: this is not an iCalendar file"},
        {"BEGIN:VEVENT\r\nDTSTART:20260301T100000Z\r\nEND:VEVENT\r\n", "line 1: an iCalendar file holds calendars"},
        {"BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nDTSTART:20260301T100000Z\r\n",
         "line 3: the file ends before the calendar that begins at line 1"},
        // Every minute of the month: more than a page can take.
        {Calendar("BEGIN:VEVENT\r\nDTSTART:20200101T000000Z\r\nRRULE:FREQ=MINUTELY\r\nEND:VEVENT\r\n"),
         "line 3: more than 10000 events"},
        {QByteArray(16 * 1024 * 1024 + 1, '\n'), "the file is larger than 16 MB"},
        // A zone whose offset changes every second since 1601: libical would expand it without end.
        {Calendar("BEGIN:VTIMEZONE\r\nTZID:Tick\r\nBEGIN:STANDARD\r\nDTSTART:16010101T000000\r\n"
                  "RRULE:FREQ=SECONDLY\r\nTZOFFSETFROM:+0000\r\nTZOFFSETTO:+0100\r\nEND:STANDARD\r\n"
                  "END:VTIMEZONE\r\nBEGIN:VEVENT\r\nDTSTART;TZID=Tick:20260301T100000\r\nEND:VEVENT\r\n"),
         "line 3: the time zone changes too often"},
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

TEST_F(IcalEventsTest, ServiceExportsWithEmptyValuesAreReadAndUnreadableLinesLeftOut)
{
    // As a web calendar exports: CR LF, an empty calendar description, events without description or
    // location, and its zone's rules; New York is on summer time from 8 March.
    const QByteArray web = "BEGIN:VCALENDAR\r\nPRODID:-//Web Calendar//EN\r\nVERSION:2.0\r\nCALSCALE:GREGORIAN\r\n"
                           "METHOD:PUBLISH\r\nX-WR-CALNAME:Family\r\nX-WR-TIMEZONE:America/New_York\r\n"
                           "X-WR-CALDESC:\r\nBEGIN:VTIMEZONE\r\nTZID:America/New_York\r\n"
                           "X-LIC-LOCATION:America/New_York\r\nBEGIN:DAYLIGHT\r\nTZOFFSETFROM:-0500\r\n"
                           "TZOFFSETTO:-0400\r\nTZNAME:EDT\r\nDTSTART:19700308T020000\r\n"
                           "RRULE:FREQ=YEARLY;BYMONTH=3;BYDAY=2SU\r\nEND:DAYLIGHT\r\nBEGIN:STANDARD\r\n"
                           "TZOFFSETFROM:-0400\r\nTZOFFSETTO:-0500\r\nTZNAME:EST\r\nDTSTART:19701101T020000\r\n"
                           "RRULE:FREQ=YEARLY;BYMONTH=11;BYDAY=1SU\r\nEND:STANDARD\r\nEND:VTIMEZONE\r\n"
                           "BEGIN:VEVENT\r\nDTSTART;TZID=America/New_York:20260305T090000\r\n"
                           "DTEND;TZID=America/New_York:20260305T093000\r\nRRULE:FREQ=WEEKLY;COUNT=2\r\n"
                           "DTSTAMP:20260201T120000Z\r\nUID:standup@example.com\r\nDESCRIPTION:\r\n"
                           "LOCATION:\r\nSEQUENCE:0\r\nSTATUS:CONFIRMED\r\nSUMMARY:Standup\r\n"
                           "TRANSP:OPAQUE\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";
    // As a desktop calendar exports: LF alone, blank lines, its own properties with quoted parameters,
    // an empty value with a parameter, and a zone given by its changes (summer time from 15 March).
    const QByteArray desktop = "BEGIN:VCALENDAR\nVERSION:2.0\nPRODID:-//Desktop Calendar//EN\n\n"
                               "X-APPLE-CALENDAR-COLOR:#1BADF8\nBEGIN:VTIMEZONE\nTZID:Island Time\n"
                               "BEGIN:STANDARD\nDTSTART:19700101T000000\nTZOFFSETFROM:+0100\nTZOFFSETTO:+0100\n"
                               "END:STANDARD\nBEGIN:DAYLIGHT\nDTSTART:20260315T020000\n"
                               "RDATE:20260315T020000,20270314T020000\nTZOFFSETFROM:+0100\nTZOFFSETTO:+0200\n"
                               "END:DAYLIGHT\nBEGIN:STANDARD\nDTSTART:20261025T030000\nRDATE:20261025T030000\n"
                               "TZOFFSETFROM:+0200\nTZOFFSETTO:+0100\nEND:STANDARD\nEND:VTIMEZONE\n\n"
                               "BEGIN:VEVENT\nDTSTART;TZID=Island Time:20260314T100000\nSUMMARY:Walk\n"
                               "LOCATION;LANGUAGE=en:\nX-APPLE-STRUCTURED-LOCATION;VALUE=URI;X-TITLE=\"Pool: east\":\n"
                               "END:VEVENT\n\nBEGIN:VEVENT\nDTSTART;TZID=Island Time:20260316T100000\n"
                               "SUMMARY:Swim\nDESCRIPTION:\nEND:VEVENT\nEND:VCALENDAR\n";
    // Lines 4 and 8 cannot be read; the rest of the calendar can.
    const QByteArray damaged = Calendar("BEGIN:VEVENT\r\nSUMMARY=x\r\nDTSTART:20260302T100000Z\r\nEND:VEVENT\r\n"
                                        "BEGIN:VEVENT\r\nDTSTART:tomorrow\r\nSUMMARY:Later\r\nEND:VEVENT\r\n"
                                        "BEGIN:VEVENT\r\nDTSTART:20260303T100000Z\r\nSUMMARY:Lunch\r\nEND:VEVENT\r\n");
    const struct
    {
        QByteArray bytes;
        QStringList events;
        int skipped, first;
        const char* notice;
    } cases[] = {
        {web,
         {QStringLiteral("2026-03-05/2026-03-05 15:00 Standup"), QStringLiteral("2026-03-12/2026-03-12 14:00 Standup")},
         0,
         0,
         ""},
        {desktop,
         {QStringLiteral("2026-03-14/2026-03-14 10:00 Walk"), QStringLiteral("2026-03-16/2026-03-16 09:00 Swim")},
         0,
         0,
         ""},
        {damaged,
         {QStringLiteral("2026-03-02/2026-03-02 11:00 "), QStringLiteral("2026-03-03/2026-03-03 11:00 Lunch")},
         2,
         4,
         "2 lines could not be read and were left out, the first at line 4"},
    };
    for (const auto& c : cases) {
        const IcalEvents read = ReadIcalEvents(c.bytes, QDate(2026, 3, 1), QDate(2026, 3, 31));
        EXPECT_EQ(read.error, QString());
        QStringList listed;
        for (const IcalEvent& event : read.events)
            listed << Listed(event);
        EXPECT_EQ(listed, c.events);
        EXPECT_EQ(read.skippedLines, c.skipped);
        EXPECT_EQ(read.firstSkippedLine, c.first);
        EXPECT_EQ(IcalSkippedLinesNotice(read), QLatin1String(c.notice));
    }
}

TEST(RecurrenceBounds, RulesThatCannotFallOnTheDaysOrSearchHourByHourAreToldApart)
{
    const QDate march(2026, 3, 1), endOfMarch(2026, 3, 31);
    const struct
    {
        const char* rule;
        QDate first, last;
        bool mayFallIn, searchesTooFar;
    } cases[] = {
        {"FREQ=YEARLY;BYMONTH=2;BYMONTHDAY=30", QDate(2000, 1, 1), QDate(3000, 1, 1), false, false},
        {"FREQ=MONTHLY;BYMONTH=4,6,9,11;BYMONTHDAY=31", QDate(2000, 1, 1), QDate(3000, 1, 1), false, false},
        {"FREQ=YEARLY;BYMONTH=2;BYMONTHDAY=-30", QDate(2000, 1, 1), QDate(3000, 1, 1), false, false},
        {"FREQ=YEARLY;BYMONTH=2;BYMONTHDAY=29", QDate(2026, 1, 1), QDate(2027, 12, 31), false, false},
        {"FREQ=YEARLY;BYMONTH=2;BYMONTHDAY=29", QDate(2026, 1, 1), QDate(2028, 12, 31), true, false},
        {"FREQ=MONTHLY;BYDAY=5MO;BYMONTHDAY=1,2,3,4,5,6,7", QDate(2000, 1, 1), QDate(3000, 1, 1), false, false},
        {"FREQ=MONTHLY;BYDAY=FR;BYMONTHDAY=13", march, endOfMarch, true, false},
        {"FREQ=MONTHLY;BYDAY=FR;BYMONTHDAY=13", QDate(2026, 4, 1), QDate(2026, 4, 30), false, false},
        {"FREQ=YEARLY;BYMONTH=11;BYDAY=4TH", QDate(2026, 11, 1), QDate(2026, 11, 25), false, false},
        {"FREQ=YEARLY;BYMONTH=11;BYDAY=4TH", QDate(2026, 11, 1), QDate(2026, 11, 30), true, false},
        {"FREQ=YEARLY;BYDAY=-1SU", QDate(2026, 12, 1), QDate(2026, 12, 26), false, false},
        {"FREQ=YEARLY;BYDAY=-1SU", QDate(2026, 12, 1), QDate(2026, 12, 31), true, false},
        // Month days do not apply to weekly rules; week numbers are left to libical.
        {"FREQ=WEEKLY;BYDAY=MO;BYMONTHDAY=30", march, endOfMarch, true, false},
        {"FREQ=YEARLY;BYWEEKNO=20;BYDAY=1MO", march, endOfMarch, true, false},
        {"FREQ=SECONDLY", march, endOfMarch, true, false},
        {"FREQ=HOURLY;BYDAY=MO", march, endOfMarch, true, true},
        {"FREQ=MINUTELY;BYMONTH=2", march, endOfMarch, false, true},
        {"FREQ=DAILY;BYMONTH=2", march, endOfMarch, false, false},
    };
    for (const auto& c : cases) {
        const icalrecurrencetype rule = icalrecurrencetype_from_string(c.rule);
        qint64 budget = 1000000;
        EXPECT_EQ(RuleMayFallIn(rule, c.first, c.last, budget), c.mayFallIn) << c.rule;
        EXPECT_EQ(RuleSearchesTooFar(rule), c.searchesTooFar) << c.rule;
    }
    const struct
    {
        const char* rule;
        bool canBeMet;
    } positions[] = {
        {"FREQ=MONTHLY;BYDAY=MO", true},
        {"FREQ=MONTHLY;BYDAY=MO;BYSETPOS=5", true},
        {"FREQ=MONTHLY;BYDAY=MO;BYSETPOS=6", false},
        {"FREQ=MONTHLY;BYDAY=MO;BYSETPOS=-6,6", false},
        {"FREQ=MONTHLY;BYDAY=MO,TU;BYSETPOS=11", false},
        {"FREQ=MONTHLY;BYDAY=MO,TU,WE,TH,FR;BYSETPOS=-1", true},
        {"FREQ=MONTHLY;BYDAY=MO,TU,WE,TH,FR;BYSETPOS=23", true},
        {"FREQ=MONTHLY;BYDAY=MO,TU,WE,TH,FR;BYSETPOS=24", false},
        {"FREQ=MONTHLY;BYDAY=MO;BYMONTHDAY=1,2,3,4,5,6,7;BYSETPOS=2", false},
        {"FREQ=MONTHLY;BYDAY=MO;BYHOUR=9,17;BYSETPOS=10", true},
        {"FREQ=MONTHLY;BYDAY=MO;BYHOUR=9,9,9;BYSETPOS=6", false},
        // Five Mondays in February once in 28 years, when a leap year begins on a Thursday.
        {"FREQ=YEARLY;BYMONTH=2;BYDAY=MO;BYSETPOS=5", true},
        {"FREQ=YEARLY;BYMONTH=2;BYDAY=MO;BYSETPOS=6", false},
        {"FREQ=YEARLY;BYDAY=SU;BYSETPOS=53", true},
        {"FREQ=YEARLY;BYDAY=SU;BYSETPOS=54", false},
        {"FREQ=WEEKLY;BYDAY=MO,WE;BYSETPOS=-2", true},
        {"FREQ=WEEKLY;BYDAY=MO,WE;BYSETPOS=3", false},
        {"FREQ=DAILY;BYSETPOS=2", false},
        {"FREQ=YEARLY;BYWEEKNO=20;BYSETPOS=300", true},
        {"FREQ=YEARLY;BYYEARDAY=1;BYSETPOS=367", false},
    };
    for (const auto& c : positions) {
        qint64 budget = 1000000;
        EXPECT_EQ(SetPositionsCanBeMet(icalrecurrencetype_from_string(c.rule), budget), c.canBeMet) << c.rule;
    }
    // Days looked at are counted: a spent budget answers at once.
    qint64 budget = 10;
    EXPECT_TRUE(RuleMayFallIn(icalrecurrencetype_from_string("FREQ=YEARLY;BYMONTH=2;BYMONTHDAY=30"), march, endOfMarch,
                              budget));
    EXPECT_LT(budget, 0);
}

TEST_F(IcalEventsTest, RealRulesAreExpandedAndCostlyOnesLeftOutWithinBoundedSteps)
{
    const QDate february(2028, 2, 1), endOfFebruary(2028, 2, 29);
    // Each rule alone in a file: its occurrences (first day and local time), whether it was left out, and
    // the steps libical was made to take.
    const struct
    {
        const char* start;
        const char* rule;
        QDate first, last;
        const char* days;
        int leftOut;
        qint64 steps;
    } cases[] = {
        {"20260130T090000Z", "FREQ=MONTHLY;BYDAY=MO,TU,WE,TH,FR;BYSETPOS=-1", february, endOfFebruary,
         "2028-02-29 10:00", 0, 4},
        {"20260113T100000Z", "FREQ=MONTHLY;BYDAY=2TU", february, endOfFebruary, "2028-02-08 11:00", 0, 3},
        {"20260113T100000Z", "FREQ=WEEKLY;INTERVAL=2;BYDAY=TU", february, endOfFebruary,
         "2028-02-08 11:00, 2028-02-22 11:00", 0, 4},
        {";VALUE=DATE:20000229", "FREQ=YEARLY;BYMONTH=2;BYMONTHDAY=29", february, endOfFebruary, "2028-02-29", 0, 3},
        {";VALUE=DATE:20001123", "FREQ=YEARLY;BYMONTH=11;BYDAY=4TH", QDate(2026, 11, 1), QDate(2026, 11, 30),
         "2026-11-26", 0, 3},
        {"20280207T080000Z", "FREQ=WEEKLY;COUNT=3", february, endOfFebruary,
         "2028-02-07 09:00, 2028-02-14 09:00, 2028-02-21 09:00", 0, 5},
        {"20280201T080000Z", "FREQ=WEEKLY;UNTIL=20280215T000000Z", february, endOfFebruary,
         "2028-02-01 09:00, 2028-02-08 09:00", 0, 4},
        {"20280101T070000Z", "FREQ=DAILY;INTERVAL=10", february, endOfFebruary, "2028-02-10 08:00, 2028-02-20 08:00", 0,
         6},
        // No period holds these: libical is not asked.
        {"20100101T100000Z", "FREQ=MONTHLY;BYDAY=MO;BYSETPOS=6", february, endOfFebruary, "", 0, 0},
        {"20100101T100000Z", "FREQ=MONTHLY;BYDAY=MO,TU;BYSETPOS=11", february, endOfFebruary, "", 0, 0},
        {"20100101T100000Z", "FREQ=YEARLY;BYMONTH=2;BYDAY=MO;BYSETPOS=6", february, endOfFebruary, "", 0, 0},
        {"20100101T100000Z", "FREQ=YEARLY;BYMONTH=2;BYMONTHDAY=-30", february, endOfFebruary, "", 0, 0},
        {"20100101T100000Z", "FREQ=MONTHLY;BYMONTHDAY=31;BYMONTH=4,6,9,11", february, endOfFebruary, "", 0, 0},
        {"20100101T100000Z", "FREQ=MONTHLY;BYDAY=MO;BYMONTHDAY=1,2,3,4,5,6,7;BYSETPOS=2", february, endOfFebruary, "",
         0, 0},
        // Left to libical: one search (with the iterator made, or in the making), which finds nothing.
        {"20100101T100000Z", "FREQ=MONTHLY;INTERVAL=12;BYMONTH=3", QDate(2028, 3, 1), QDate(2028, 3, 31), "", 0, 2},
        {"20100101T100000Z", "FREQ=YEARLY;BYWEEKNO=53;BYDAY=MO;BYMONTH=1", QDate(2028, 1, 1), QDate(2028, 1, 31), "", 0,
         1},
        // Every second since 1900: the steps to reach the page are not taken, the event is left out.
        {"19000101T000000Z", "FREQ=SECONDLY;COUNT=2000000000", february, endOfFebruary, "", 1, 50001},
        // Every hour, but only on the 30th of February: each answer would be searched for hour by hour.
        {"20280201T100000Z", "FREQ=HOURLY;BYMONTH=2;BYMONTHDAY=30", february, endOfFebruary, "", 1, 0},
    };
    for (const auto& c : cases) {
        const QByteArray start = c.start[0] == ';' ? QByteArray(c.start) : ':' + QByteArray(c.start);
        const IcalEvents read = ReadIcalEvents(
            Calendar("BEGIN:VEVENT\r\nDTSTART" + start + "\r\nRRULE:" + c.rule + "\r\nSUMMARY:x\r\nEND:VEVENT\r\n"),
            c.first, c.last);
        EXPECT_EQ(read.error, QString()) << c.rule;
        QStringList days;
        for (const IcalEvent& event : read.events)
            days << (event.firstDay.toString(Qt::ISODate) + QLatin1Char(' ') + event.time.toString(u"HH:mm")).trimmed();
        EXPECT_EQ(days.join(QLatin1String(", ")), QLatin1String(c.days)) << c.rule;
        EXPECT_EQ(read.skippedLines, c.leftOut) << c.rule;
        EXPECT_EQ(read.firstSkippedLine, c.leftOut ? 3 : 0) << c.rule;
        EXPECT_EQ(read.recurrenceSteps, c.steps) << c.rule;
    }

    // 500 events whose rules never occur, then real ones: the real ones are kept, and libical is asked
    // for a few of the impossible rules only.
    const char* const never[] = {
        "FREQ=MONTHLY;BYDAY=MO;BYSETPOS=6",
        "FREQ=YEARLY;BYMONTH=2;BYMONTHDAY=-30",
        "FREQ=YEARLY;BYWEEKNO=53;BYDAY=MO;BYMONTH=1",
        "FREQ=MONTHLY;BYMONTHDAY=31;BYMONTH=4,6,9,11",
        "FREQ=YEARLY;BYYEARDAY=366;BYMONTH=1",
        "FREQ=YEARLY;BYWEEKNO=20;BYMONTHDAY=15",
        "FREQ=YEARLY;INTERVAL=4;BYMONTH=2;BYMONTHDAY=29",
    };
    QByteArray events;
    for (int i = 0; i < 500; ++i)
        events += "BEGIN:VEVENT\r\nDTSTART:20100101T100000Z\r\nRRULE:" + QByteArray(never[i % std::size(never)]) +
                  "\r\nSUMMARY:never\r\nEND:VEVENT\r\n";
    events += "BEGIN:VEVENT\r\nDTSTART:20260130T090000Z\r\nRRULE:FREQ=MONTHLY;BYDAY=MO,TU,WE,TH,FR;BYSETPOS=-1\r\n"
              "SUMMARY:last\r\nEND:VEVENT\r\nBEGIN:VEVENT\r\nDTSTART;VALUE=DATE:20000229\r\n"
              "RRULE:FREQ=YEARLY;BYMONTH=2;BYMONTHDAY=29\r\nSUMMARY:leap\r\nEND:VEVENT\r\n";
    const IcalEvents many = ReadIcalEvents(Calendar(events), QDate(2028, 1, 1), endOfFebruary);
    QStringList listed;
    for (const IcalEvent& event : many.events)
        listed << Listed(event);
    EXPECT_EQ(listed, QStringList({QStringLiteral("2028-01-31/2028-01-31 10:00 last"),
                                   QStringLiteral("2028-02-29/2028-02-29 all-day leap"),
                                   QStringLiteral("2028-02-29/2028-02-29 10:00 last")}));
    // 285 of them have week numbers, year days or an interval that misses every leap year: libical
    // looks for the first three, the rest are left out.
    EXPECT_EQ(many.skippedLines, 285 - 3);
    EXPECT_EQ(many.firstSkippedLine, 3 + 6 * 5);
    // The three searches, and the real rules' own eight steps.
    EXPECT_EQ(many.recurrenceSteps, 3 + 8);
    EXPECT_FALSE(IcalSkippedLinesNotice(many).isEmpty());

    // At most 5,000 rules of a file are expanded at all.
    const IcalEvents yearly = ReadIcalEvents(
        Calendar(QByteArray("BEGIN:VEVENT\r\nDTSTART:20280210T100000Z\r\nRRULE:FREQ=YEARLY\r\nEND:VEVENT\r\n")
                     .repeated(5001)),
        february, endOfFebruary);
    EXPECT_EQ(yearly.events.size(), 5000);
    EXPECT_EQ(yearly.skippedLines, 1);
    EXPECT_EQ(yearly.firstSkippedLine, 3 + 5000 * 4);
}
