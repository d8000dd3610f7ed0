#include "calendardraw/monthgeometry.h"
#include "calendardraw/moonphase.h"
#include "platform/deviceprofile.h"

#include <QTimeZone>

#include <gtest/gtest.h>

#include <ctime>
#include <map>

namespace {

// Runs the rest of a test in a time zone of the C library, which local times follow.
struct TimeZoneScope
{
    explicit TimeZoneScope(const char* zone) : had(qEnvironmentVariableIsSet("TZ")), old(qgetenv("TZ"))
    {
        qputenv("TZ", zone);
        tzset();
    }
    ~TimeZoneScope()
    {
        had ? qputenv("TZ", old) : qunsetenv("TZ");
        tzset();
    }
    bool had;
    QByteArray old;
};

struct PublishedPhase
{
    const char* utc; // yyyy-MM-dd HH:mm, Universal Time
    MoonPhase phase;
};

constexpr MoonPhase N = MoonPhase::New;
constexpr MoonPhase Q1 = MoonPhase::FirstQuarter;
constexpr MoonPhase F = MoonPhase::Full;
constexpr MoonPhase Q3 = MoonPhase::LastQuarter;

// Fred Espenak (NASA Goddard), "Phases of the Moon: 1901 to 2000" and "Phases of the Moon: 2001 to 2100"
// (Six Millennium Catalog of Phases of the Moon, also at astropixels.com/ephemeris/phasescat/), times in UT
// to the minute.
const PublishedPhase kPublished[] = {
    {"1900-01-01 13:52", N},  {"1900-01-08 05:40", Q1}, {"1900-01-15 19:07", F},  {"1900-01-23 23:53", Q3},
    {"1900-06-27 01:27", N},  {"1900-07-05 00:13", Q1}, {"1900-07-12 13:22", F},  {"1900-07-19 05:31", Q3},
    {"1901-03-20 12:53", N},  {"1901-03-27 04:39", Q1}, {"1901-04-04 01:20", F},  {"1901-04-12 03:57", Q3},
    {"1908-12-23 11:50", N},  {"1908-12-30 05:40", Q1}, {"1909-01-06 14:12", F},  {"1909-01-14 18:11", Q3},
    {"1913-09-30 04:57", N},  {"1913-10-07 01:46", Q1}, {"1913-10-15 06:06", F},  {"1913-10-22 22:53", Q3},
    {"1956-02-11 21:38", N},  {"1956-02-19 09:21", Q1}, {"1956-02-26 01:41", F},  {"1956-03-04 11:53", Q3},
    {"1962-02-05 00:10", N},  {"1962-02-11 15:43", Q1}, {"1962-02-19 13:18", F},  {"1962-02-27 15:50", Q3},
    {"1969-07-14 14:11", N},  {"1969-07-22 12:09", Q1}, {"1969-07-29 02:45", F},  {"1969-08-05 01:38", Q3},
    {"2020-01-24 21:42", N},  {"2020-02-02 01:42", Q1}, {"2020-02-09 07:33", F},  {"2020-02-15 22:17", Q3},
    {"2020-02-23 15:32", N},  {"2026-12-09 00:52", N},  {"2026-12-17 05:43", Q1}, {"2026-12-24 01:28", F},
    {"2026-12-30 19:00", Q3}, {"2027-01-07 20:24", N},  {"2027-01-15 20:34", Q1}, {"2027-01-22 12:17", F},
    {"2027-01-29 10:56", Q3}, {"2027-06-04 19:40", N},  {"2027-06-11 10:56", Q1}, {"2027-06-19 00:44", F},
    {"2027-06-27 04:54", Q3}, {"2027-08-31 17:41", N},  {"2027-09-07 18:31", Q1}, {"2027-09-15 23:04", F},
    {"2027-09-23 10:20", Q3}, {"2027-12-27 20:12", N},  {"2100-01-10 12:57", N},  {"2100-01-18 12:35", Q1},
    {"2100-01-26 02:51", F},  {"2100-02-01 21:17", Q3}, {"2100-02-09 04:56", N},
};

} // namespace

// Meeus' worked examples: the New Moon of 1977 February and the last quarter of 2044 January.
TEST(MoonPhase, MeeusWorkedExamples)
{
    EXPECT_NEAR(MoonPhaseJde(-283, MoonPhase::New), 2443192.65118, 0.00002);
    EXPECT_NEAR(MoonPhaseJde(544, MoonPhase::LastQuarter), 2467636.49186, 0.00002);
}

TEST(MoonPhase, AgreesWithThePublishedTableWithinTwoMinutes)
{
    TimeZoneScope utc("UTC");
    ASSERT_GE(std::size(kPublished), 50u);
    for (const PublishedPhase& published : kPublished) {
        QDateTime expected =
            QDateTime::fromString(QString::fromLatin1(published.utc), QStringLiteral("yyyy-MM-dd HH:mm"));
        expected.setTimeZone(QTimeZone::utc());
        bool found = false;
        for (const MoonPhaseTime& computed : MoonPhasesOfMonth(expected.date().year(), expected.date().month())) {
            if (computed.phase == published.phase && std::abs(computed.when.secsTo(expected)) <= 120)
                found = true;
        }
        EXPECT_TRUE(found) << published.utc << ' ' << MoonPhaseName(published.phase).toStdString();
    }
}

// The New Moon of 2026 December 9, 00:52 UT, is still December 8 in New York.
TEST(MoonPhase, DateFollowsTheLocalTimeZone)
{
    const auto newMoon = [] {
        for (const MoonPhaseTime& phase : MoonPhasesOfMonth(2026, 12))
            if (phase.phase == MoonPhase::New)
                return phase.when.toString(QStringLiteral("yyyy-MM-dd HH:mm"));
        return QString();
    };
    {
        TimeZoneScope zone("UTC");
        EXPECT_EQ(newMoon(), QStringLiteral("2026-12-09 00:52"));
    }
    {
        TimeZoneScope zone("America/New_York");
        EXPECT_EQ(newMoon(), QStringLiteral("2026-12-08 19:52"));
    }
}

// December 2024 in UTC: new moons on the 1st and the 30th, first quarter on the 8th, full moon on the
// 15th, last quarter on the 22nd. Each symbol sits in its cell's lower left corner, and the day's text
// stops above it.
TEST(MoonPhase, SymbolsGoToTheLowerLeftCornersOfTheirDays)
{
    TimeZoneScope utc("UTC");
    CalendarDrawParams p;
    p.Month = 12;
    p.Year = 2024;
    p.Rect = {0, 0, 700, 600};
    p.HeadersFont = {QStringLiteral("Times New Roman"), 21, fsBold, clBlack};
    p.CellFont = p.HeadersFont;
    p.ShowMoonPhases = true;
    const std::map<int, MoonPhase> expected = {{1, N}, {8, Q1}, {15, F}, {22, Q3}, {30, N}};
    const MonthGeometry g = ComputeMonthGeometry(p, DeviceProfile::Screen(1.0));
    int symbols = 0;
    for (int i = 1; i <= kCellCount; ++i) {
        const TCellInfo& cell = g.Cells[i];
        const auto phase = expected.find(cell.iDay);
        if (cell.iDay == 0 || phase == expected.end()) {
            EXPECT_EQ(g.MoonPhases[i], 0) << i;
            continue;
        }
        ++symbols;
        EXPECT_EQ(g.MoonPhases[i], 1 + int(phase->second)) << cell.iDay;
        const TRect& symbol = g.MoonSymbols[i];
        EXPECT_GE(symbol.width(), 8);
        EXPECT_LE(symbol.left - cell.rTotal.left, 3);
        EXPECT_LE(cell.rTotal.bottom - symbol.bottom, 3);
        EXPECT_LE(cell.rFree.bottom, symbol.top);
    }
    EXPECT_EQ(symbols, 5);
    p.ShowMoonPhases = false;
    const MonthGeometry plain = ComputeMonthGeometry(p, DeviceProfile::Screen(1.0));
    for (int i = 1; i <= kCellCount; ++i)
        EXPECT_EQ(plain.MoonPhases[i], 0);
}
