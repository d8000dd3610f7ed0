// Recurring-date matching checked against computations written independently of it.
#include "platform/datearithmetic.h"
#include "recurring/recurringentry.h"
#include "recurring/recurringmatch.h"

#include <QDate>

#include <gtest/gtest.h>

namespace {

// The short method that is exact from 1900 to 2099.
CivilDate shortMethodEaster(int y)
{
    const int b = 225 - 11 * (y % 19);
    int d = ((b - 21) % 30) + 21;
    if (d > 48)
        --d;
    const int e = (y + y / 4 + d + 1) % 7;
    const int q = d + 7 - e;
    return q < 32 ? CivilDate{y, 3, q} : CivilDate{y, 4, q - 31};
}

// Gauss's Easter formula with Lichtenberg's secular corrections.
CivilDate lichtenbergEaster(int y)
{
    const int k = y / 100;
    const int m = 15 + (3 * k + 3) / 4 - (8 * k + 13) / 25;
    const int s = 2 - (3 * k + 3) / 4;
    const int a = y % 19;
    const int d = (19 * a + m) % 30;
    const int r = (d + a / 11) / 29;
    const int og = 21 + d - r;
    const int sz = 7 - (y + y / 4 + s) % 7;
    const int oe = 7 - (og - sz) % 7;
    const int os = og + oe;
    return os <= 31 ? CivilDate{y, 3, os} : CivilDate{y, 4, os - 31};
}

// The day an nth-weekday rule gives, by plain QDate arithmetic. occurrence 0..4 = 1st..5th, 5 = last;
// weekday 0..6 = Sunday..Saturday, 7 = any day.
QList<int> expectedDays(int occurrence, int weekday, int month, int year)
{
    const QDate first(year, month, 1);
    const int n = first.daysInMonth();
    if (weekday == 7)
        return {occurrence == 5 ? n : occurrence + 1};
    const int qtWeekday = weekday == 0 ? 7 : weekday; // Qt counts Monday = 1 .. Sunday = 7
    if (occurrence == 5) {
        QDate d(year, month, n);
        while (d.dayOfWeek() != qtWeekday)
            d = d.addDays(-1);
        return {d.day()};
    }
    QDate d = first;
    while (d.dayOfWeek() != qtWeekday)
        d = d.addDays(1);
    d = d.addDays(7 * occurrence);
    if (d.month() != month)
        return {};
    return {d.day()};
}

} // namespace

TEST(EasterOracle, AgreesWithTheShortMethodFrom1900To2099)
{
    for (int year = 1900; year <= 2099; ++year)
        EXPECT_EQ(EasterSunday(year), shortMethodEaster(year)) << year;
}

TEST(EasterOracle, AgreesWithGaussEverywhereElse)
{
    for (int year = 1583; year <= 9999; ++year)
        EXPECT_EQ(EasterSunday(year), lichtenbergEaster(year)) << year;
    // Years where the short method goes wrong.
    EXPECT_EQ(EasterSunday(2100), (CivilDate{2100, 3, 28}));
    EXPECT_EQ(EasterSunday(1876), (CivilDate{1876, 4, 16}));
}

TEST(NthWeekdayOracle, EveryRuleOfEveryMonthFrom1900To2100)
{
    int checked = 0;
    for (int year = 1900; year <= 2100; ++year) {
        for (int month = 1; month <= 12; ++month) {
            for (int occurrence = 0; occurrence <= 5; ++occurrence) {
                for (int weekday = 0; weekday <= 7; ++weekday) {
                    const QString line = MakeEntryLine(
                        QStringLiteral("Event"), QStringLiteral("$%1 %2 %3").arg(occurrence).arg(weekday).arg(month));
                    const QList<int> want = expectedDays(occurrence, weekday, month, year);
                    ASSERT_EQ(DaysOfEntry(line, month, year), want)
                        << occurrence << ' ' << weekday << ' ' << month << '/' << year;
                    ++checked;
                }
            }
        }
    }
    EXPECT_EQ(checked, 201 * 12 * 6 * 8);
}
