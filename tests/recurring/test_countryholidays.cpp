// Country holiday tables: the reader, every rule kind against days worked out by hand, and the
// Easter and equinox computations against published dates and independent formulas.
#include "recurring/countryholidays.h"
#include "recurring/eastercomputus.h"
#include "recurring/equinox.h"

#include <gtest/gtest.h>

namespace {

TCountryHolidays parsed(const char* text)
{
    QString error;
    const std::optional<TCountryHolidays> table = TCountryHolidays::Parse(QByteArray(text), &error);
    EXPECT_TRUE(table.has_value()) << error.toStdString();
    return table.value_or(TCountryHolidays());
}

using Lines = std::vector<std::string>;

Lines listed(const TCountryHolidays& table, int year, const QString& place)
{
    Lines lines;
    for (const PublicHoliday& day : table.InYear(year, place))
        lines.push_back((day.date.toString(Qt::ISODate) + QLatin1Char(' ') + day.name).toStdString());
    return lines;
}

bool contains(const Lines& lines, const std::string& line)
{
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

// Gauss's Easter formula; Julian with M = 15, N = 6 and no exceptions.
QDate gaussEaster(int year, bool julian)
{
    const int k = year / 100;
    const int m = julian ? 15 : (15 + k - (13 + 8 * k) / 25 - k / 4) % 30;
    const int n = julian ? 6 : (4 + k - k / 4) % 7;
    const int d = (19 * (year % 19) + m) % 30;
    const int e = (2 * (year % 4) + 4 * (year % 7) + 6 * d + n) % 7;
    int day = 22 + d + e; // of March
    if (!julian && d == 29 && e == 6)
        day = 19 + 31;
    else if (!julian && d == 28 && e == 6 && (11 * m + 11) % 30 < 19)
        day = 18 + 31;
    if (!julian)
        return QDate(year, 3, 1).addDays(day - 1);
    // A Julian calendar date to its day number, then to the Gregorian date.
    const int month = day > 31 ? 4 : 3;
    const int dom = day > 31 ? day - 31 : day;
    const qint64 jdn = 367LL * year - (7 * (year + 5001 + (month - 9) / 7)) / 4 + (275 * month) / 9 + dom + 1729777;
    return QDate::fromJulianDay(jdn);
}

} // namespace

TEST(CountryHolidays, EveryRuleKindGivesTheDaysWorkedOutByHand)
{
    const TCountryHolidays table = parsed("# Source: worked by hand\n"
                                          "country XX Testland\n"
                                          "region XX-A Alpha\n"
                                          "utc-offset +09:00\n"
                                          "holiday 12-25 | Fixed\n"
                                          "holiday 2022-09-19 | One-off\n"
                                          "holiday thu#4/11 | Fourth Thursday\n"
                                          "holiday mon#L/05 | Last Monday\n"
                                          "holiday thu#5/02 | Fifth Thursday\n"
                                          "holiday fri>=06-19 | On or after\n"
                                          "holiday mon<=05-24 | On or before\n"
                                          "holiday mon~12-01 | Nearest\n"
                                          "holiday easter-2 in=XX-A | Before Easter\n"
                                          "holiday easter+39 | After Easter\n"
                                          "holiday oeaster+1 from=2023 except=2025 | Orthodox\n"
                                          "holiday equinox-03 until=2022 | Equinox\n");
    EXPECT_EQ(listed(table, 2022, QStringLiteral("XX")),
              Lines({"2022-03-21 Equinox", "2022-05-23 On or before", "2022-05-26 After Easter",
                     "2022-05-30 Last Monday", "2022-06-24 On or after", "2022-09-19 One-off",
                     "2022-11-24 Fourth Thursday", "2022-11-28 Nearest", "2022-12-25 Fixed"}));
    EXPECT_EQ(
        listed(table, 2024, QStringLiteral("xx-a")),
        Lines({"2024-02-29 Fifth Thursday", "2024-03-29 Before Easter", "2024-05-06 Orthodox",
               "2024-05-09 After Easter", "2024-05-20 On or before", "2024-05-27 Last Monday", "2024-06-21 On or after",
               "2024-11-28 Fourth Thursday", "2024-12-02 Nearest", "2024-12-25 Fixed"}));
    EXPECT_FALSE(contains(listed(table, 2025, QStringLiteral("XX")), "2025-04-21 Orthodox"));
    EXPECT_TRUE(contains(listed(table, 2026, QStringLiteral("XX")), "2026-04-13 Orthodox"));
    EXPECT_TRUE(table.InYear(2024, QStringLiteral("XX-B")).isEmpty());
}

TEST(CountryHolidays, SubstituteAndBridgeDays)
{
    const TCountryHolidays table = parsed("country XX Testland\n"
                                          "substitute-name %s (observed)\n"
                                          "bridge Between\n"
                                          "holiday 01-01 sub=sat-fri,sun-mon | New Year\n"
                                          "holiday 05-03 sub=jp | Three\n"
                                          "holiday 05-04 sub=jp | Four\n"
                                          "holiday 05-05 sub=jp | Five\n"
                                          "holiday 07-04 sub=sun-mon | Fourth\n"
                                          "holiday 08-01 sub=sat-mon,sun-mon | August\n"
                                          "holiday mon#3/09 | Monday\n"
                                          "holiday 09-23 | Wednesday\n"
                                          "holiday 12-25 sub=next-workday | Christmas\n"
                                          "holiday 12-26 sub=next-workday | Boxing\n");
    // 2021: Christmas on Saturday, Boxing Day on Sunday, and 1 January 2022 a Saturday.
    EXPECT_EQ(
        listed(table, 2021, QStringLiteral("XX")),
        Lines({"2021-01-01 New Year", "2021-05-03 Three", "2021-05-04 Four", "2021-05-05 Five", "2021-07-04 Fourth",
               "2021-07-05 Fourth (observed)", "2021-08-01 August", "2021-08-02 August (observed)", "2021-09-20 Monday",
               "2021-09-23 Wednesday", "2021-12-25 Christmas", "2021-12-26 Boxing", "2021-12-27 Christmas (observed)",
               "2021-12-28 Boxing (observed)", "2021-12-31 New Year (observed)"}));
    // 2015: 3 May a Sunday moves past the holidays to the 6th; 22 September lies between two holidays.
    // 2022: Christmas on Sunday moves past Boxing Day on Monday.
    const Lines y2015 = listed(table, 2015, QStringLiteral("XX"));
    EXPECT_TRUE(contains(y2015, "2015-05-06 Three (observed)"));
    EXPECT_TRUE(contains(y2015, "2015-09-22 Between"));
    const Lines y2022 = listed(table, 2022, QStringLiteral("XX"));
    EXPECT_TRUE(contains(y2022, "2022-12-27 Christmas (observed)"));
    EXPECT_FALSE(contains(y2022, "2022-12-31 New Year (observed)"));
}

TEST(CountryHolidays, RefusesBrokenLinesNamingThem)
{
    const char* const kBroken[] = {
        "holiday 12-25 | Before the country",
        "country XX Testland\nholiday 02-30 | No such day",
        "country XX Testland\nholiday 13-01 | No such month",
        "country XX Testland\nholiday thu#6/11 | Sixth",
        "country XX Testland\nholiday xyz>=06-19 | Weekday",
        "country XX Testland\nholiday 12-25 in=XX-Z | Undeclared region",
        "country XX Testland\nholiday 12-25 sub=sometimes | Substitute",
        "country XX Testland\nholiday 12-25 from=2000 until=1999 | Years",
        "country XX Testland\nholiday 12-25 colour=red | Option",
        "country XX Testland\nholiday 12-25 except=20x5 | Except",
        "country XX Testland\nholiday 12-25 No bar",
        "country XX Testland\nregion YY-A Elsewhere",
        "country XX Testland\nfeast 12-25 | Keyword",
        "country xx lower case",
        "# nothing but comments",
    };
    for (const char* text : kBroken) {
        QString error;
        EXPECT_FALSE(TCountryHolidays::Parse(QByteArray(text), &error).has_value()) << text;
        EXPECT_TRUE(error.startsWith(QStringLiteral("line "))) << error.toStdString();
    }
    QString error;
    TCountryHolidays::Parse("country XX Testland\n\n# comment\nholiday 12-25 | Fine\nholiday 99-99 | Bad\n", &error);
    EXPECT_EQ(error.section(u':', 0, 0), QStringLiteral("line 5"));
}

TEST(CountryHolidays, EasterAgreesWithGaussAndPublishedDatesFrom1900To2100)
{
    // Published Western and Orthodox Easter Sundays (Gregorian dates) that check the oracle itself.
    const struct
    {
        int year;
        const char* western;
        const char* orthodox;
    } kPublished[] = {
        {1900, "04-15", "04-22"}, {1943, "04-25", "04-25"}, {1954, "04-18", "04-25"}, {1981, "04-19", "04-26"},
        {1990, "04-15", "04-15"}, {2000, "04-23", "04-30"}, {2001, "04-15", "04-15"}, {2002, "03-31", "05-05"},
        {2003, "04-20", "04-27"}, {2004, "04-11", "04-11"}, {2005, "03-27", "05-01"}, {2006, "04-16", "04-23"},
        {2007, "04-08", "04-08"}, {2008, "03-23", "04-27"}, {2009, "04-12", "04-19"}, {2010, "04-04", "04-04"},
        {2011, "04-24", "04-24"}, {2012, "04-08", "04-15"}, {2013, "03-31", "05-05"}, {2014, "04-20", "04-20"},
        {2015, "04-05", "04-12"}, {2016, "03-27", "05-01"}, {2017, "04-16", "04-16"}, {2018, "04-01", "04-08"},
        {2019, "04-21", "04-28"}, {2020, "04-12", "04-19"}, {2021, "04-04", "05-02"}, {2022, "04-17", "04-24"},
        {2023, "04-09", "04-16"}, {2024, "03-31", "05-05"}, {2025, "04-20", "04-20"}, {2026, "04-05", "04-12"},
        {2027, "03-28", "05-02"}, {2028, "04-16", "04-16"}, {2029, "04-01", "04-08"}, {2030, "04-21", "04-28"},
        {2038, "04-25", "04-25"}, {2100, "03-28", "05-02"},
    };
    for (const auto& p : kPublished) {
        const QString year = QString::number(p.year) + QLatin1Char('-');
        EXPECT_EQ(gaussEaster(p.year, false), QDate::fromString(year + QLatin1String(p.western), Qt::ISODate))
            << p.year;
        EXPECT_EQ(gaussEaster(p.year, true), QDate::fromString(year + QLatin1String(p.orthodox), Qt::ISODate))
            << p.year;
    }
    for (int year = 1900; year <= 2100; ++year) {
        EXPECT_EQ(WesternEaster(year), gaussEaster(year, false)) << year;
        EXPECT_EQ(OrthodoxEaster(year), gaussEaster(year, true)) << year;
    }
}

TEST(CountryHolidays, JapaneseEquinoxDaysFrom2000To2050)
{
    // The March and September days of the equinoxes in Japan, 2000 to 2050 (National Astronomical
    // Observatory of Japan; from 2027 on its predictions).
    const char kMarch[] = "001100110011001100110011000100010001000100010001000";
    const char kSeptember[] = "111111111111011101110111011101110111011101110011001";
    for (int year = 2000; year <= 2050; ++year) {
        EXPECT_EQ(EquinoxDay(year, 3, 9 * 60), QDate(year, 3, kMarch[year - 2000] == '1' ? 21 : 20)) << year;
        EXPECT_EQ(EquinoxDay(year, 9, 9 * 60), QDate(year, 9, kSeptember[year - 2000] == '1' ? 23 : 22)) << year;
    }
}
