#include "platform/datearithmetic.h"
#include "recurring/recurringentry.h"
#include "recurring/recurringmatch.h"

#include <QDate>

#include <gtest/gtest.h>

#include <climits>

namespace {

QString entry(const char* formula)
{
    return MakeEntryLine(QStringLiteral("Event"), QString::fromLatin1(formula));
}

QString keywordEntry(const char* keyword)
{
    return PadField(QStringLiteral("Feast"), kEventTextWidth) + QString::fromLatin1(keyword);
}

} // namespace

TEST(DateArithmetic, MonthLengthsAndLeapYears)
{
    EXPECT_EQ(DaysInMonth(2000, 2), 29);
    EXPECT_EQ(DaysInMonth(1900, 2), 28);
    EXPECT_EQ(DaysInMonth(2024, 2), 29);
    EXPECT_EQ(DaysInMonth(2023, 4), 30);
    EXPECT_EQ(DaysInMonth(2023, 12), 31);
    EXPECT_EQ(DaysInMonth(2023, 0), 0);
    EXPECT_EQ(DaysInMonth(2023, 13), 0);
}

TEST(DateArithmetic, WeekdaysAgreeWithQDate)
{
    for (int year : {1, 1582, 1900, 1970, 1999, 2000, 2024, 2100, 9999}) {
        for (int month = 1; month <= 12; ++month) {
            for (int day : {1, 15, DaysInMonth(year, month)}) {
                const int qt = QDate(year, month, day).dayOfWeek() % 7 + 1;
                ASSERT_EQ(DayOfWeek({year, month, day}), qt) << year << '-' << month << '-' << day;
            }
        }
    }
    EXPECT_EQ(PreviousDay({2024, 3, 1}), (CivilDate{2024, 2, 29}));
    EXPECT_EQ(PreviousDay({2024, 1, 1}), (CivilDate{2023, 12, 31}));
}

TEST(Easter, KnownDates)
{
    EXPECT_EQ(EasterSunday(2024), (CivilDate{2024, 3, 31}));
    EXPECT_EQ(EasterSunday(2025), (CivilDate{2025, 4, 20}));
    EXPECT_EQ(EasterSunday(1999), (CivilDate{1999, 4, 4}));
    EXPECT_EQ(EasterSunday(2018), (CivilDate{2018, 4, 1}));
    EXPECT_EQ(GoodFriday(2024), (CivilDate{2024, 3, 29}));
    EXPECT_EQ(PalmSunday(2025), (CivilDate{2025, 4, 13}));
}

TEST(Easter, FeastsTestedAgainstTheirOwnMonth)
{
    EXPECT_EQ(EasterDayInMonth(2024, 3), 31);
    EXPECT_EQ(GoodFridayDayInMonth(2024, 3), 29);
    EXPECT_EQ(EasterDayInMonth(2024, 4), 0);
    EXPECT_EQ(GoodFridayDayInMonth(2024, 4), 0);
    // Easter on April 1st: Good Friday and Palm Sunday fall in March.
    EXPECT_EQ(EasterDayInMonth(2018, 4), 1);
    EXPECT_EQ(GoodFridayDayInMonth(2018, 3), 30);
    EXPECT_EQ(PalmSundayDayInMonth(2018, 3), 25);
    EXPECT_EQ(PalmSundayDayInMonth(2018, 4), 0);
}

TEST(Easter, AnyYearGivesADateInSpring)
{
    for (int year : {INT_MIN, -1, 0, 1, 1583, 1899, 2100, 3000, INT_MAX}) {
        const CivilDate easter = EasterSunday(year);
        EXPECT_TRUE((easter.month == 3 && easter.day >= 22) || (easter.month == 4 && easter.day <= 30)) << year;
        const CivilDate friday = GoodFriday(year);
        EXPECT_EQ(DayOfWeek(friday), 6) << year;
        EXPECT_EQ(DayOfWeek(PalmSunday(year)), 1) << year;
    }
}

TEST(MonthFilter, ByRuleType)
{
    EXPECT_TRUE(EntryConcernsMonth(entry("@1225"), 12, 2024));
    EXPECT_FALSE(EntryConcernsMonth(entry("@1225"), 6, 2024));
    EXPECT_TRUE(EntryConcernsMonth(entry("@0015"), 6, 2024));
    EXPECT_TRUE(EntryConcernsMonth(entry("$2 6 5"), 5, 2024));
    EXPECT_FALSE(EntryConcernsMonth(entry("$2 6 5"), 4, 2024));
    EXPECT_TRUE(EntryConcernsMonth(entry("$0 7 0"), 4, 2024));
    EXPECT_TRUE(EntryConcernsMonth(entry("%"), 4, 2024));
    EXPECT_TRUE(EntryConcernsMonth(keywordEntry("#EASTER"), 3, 2024));
    EXPECT_FALSE(EntryConcernsMonth(keywordEntry("#EASTER"), 4, 2024));
    EXPECT_TRUE(EntryConcernsMonth(keywordEntry("#easter   "), 3, 2024));
    EXPECT_TRUE(EntryConcernsMonth(keywordEntry("#WHITSUN"), 4, 2024));
    EXPECT_TRUE(EntryConcernsMonth(QStringLiteral("short"), 4, 2024));
    // Fields that are not numbers concern no month.
    EXPECT_FALSE(EntryConcernsMonth(entry("@xx01"), 4, 2024));
    EXPECT_FALSE(EntryConcernsMonth(entry("$a b c"), 4, 2024));
}

TEST(DayRules, FixedDates)
{
    EXPECT_EQ(DaysOfEntry(entry("@1225"), 12, 2024), QList<int>{25});
    EXPECT_EQ(DaysOfEntry(entry("@1225"), 11, 2024), QList<int>{});
    EXPECT_EQ(DaysOfEntry(entry("@0031"), 4, 2024), QList<int>{31}) << "the page has no cell for it";
    EXPECT_EQ(DaysOfEntry(entry("@0230"), 2, 2024), QList<int>{30});
    EXPECT_EQ(DaysOfEntry(entry("@02x0"), 2, 2024), QList<int>{});
}

TEST(DayRules, NthWeekday)
{
    EXPECT_EQ(DaysOfEntry(entry("$2 6 5"), 5, 2024), QList<int>{18});   // third Saturday
    EXPECT_EQ(DaysOfEntry(entry("$5 1 5"), 5, 2024), QList<int>{27});   // last Monday
    EXPECT_EQ(DaysOfEntry(entry("$3 4 11"), 11, 2024), QList<int>{28}); // fourth Thursday
    EXPECT_EQ(DaysOfEntry(entry("$4 5 2"), 2, 2024), QList<int>{}) << "February 2024 has four Fridays";
    EXPECT_EQ(DaysOfEntry(entry("$4 5 3"), 3, 2024), QList<int>{29});
    EXPECT_EQ(DaysOfEntry(entry("$5 5 2"), 2, 2024), QList<int>{23});
    EXPECT_EQ(DaysOfEntry(entry("$5 7 0"), 2, 2000), QList<int>{29});
    EXPECT_EQ(DaysOfEntry(entry("$5 7 0"), 2, 1900), QList<int>{28});
    EXPECT_EQ(DaysOfEntry(entry("$1 7 0"), 7, 2024), QList<int>{2});
    EXPECT_EQ(DaysOfEntry(entry("$4 7 0"), 7, 2024), QList<int>{5});
    EXPECT_EQ(DaysOfEntry(entry("$2 6 5"), 6, 2024), QList<int>{});
    // Out-of-range fields from a hand-edited file give nothing rather than a wild day.
    EXPECT_EQ(DaysOfEntry(entry("$9 1 0"), 7, 2024), QList<int>{});
    EXPECT_EQ(DaysOfEntry(entry("$0 8 0"), 7, 2024), QList<int>{});
    EXPECT_EQ(DaysOfEntry(entry("$-3 7 0"), 7, 2024), QList<int>{});
}

TEST(DayRules, WeekdaySets)
{
    const QList<int> sundays = DaysOfEntry(entry("%1"), 6, 2024);
    EXPECT_EQ(sundays, (QList<int>{2, 9, 16, 23, 30}));
    EXPECT_EQ(DaysOfEntry(entry("%1234567"), 2, 2024).size(), 29);
    EXPECT_EQ(DaysOfEntry(entry("%71"), 6, 2024), (QList<int>{1, 2, 8, 9, 15, 16, 22, 23, 29, 30}));
    EXPECT_EQ(DaysOfEntry(entry("%"), 6, 2024), QList<int>{});
}

TEST(DayRules, EasterFeastsAndUnknownTypes)
{
    EXPECT_EQ(DaysOfEntry(keywordEntry("#EASTER"), 3, 2024), QList<int>{31});
    EXPECT_EQ(DaysOfEntry(keywordEntry("#GOODFRIDAY"), 3, 2024), QList<int>{29});
    EXPECT_EQ(DaysOfEntry(keywordEntry("#GOODFRIDAY"), 4, 2024), QList<int>{});
    EXPECT_EQ(DaysOfEntry(keywordEntry("#PALMSUNDAY"), 3, 2018), QList<int>{25});
    EXPECT_EQ(DaysOfEntry(keywordEntry("#WHITSUN"), 5, 2024), QList<int>{});
    EXPECT_EQ(DaysOfEntry(QStringLiteral("short"), 5, 2024), QList<int>{});
    EXPECT_EQ(DaysOfEntry(PadField(QStringLiteral("x"), 120) + QStringLiteral("!0101"), 1, 2024), QList<int>{});
}
