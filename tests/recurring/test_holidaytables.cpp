// The country holiday tables the program ships: every one reads and gives sound days, and each
// gives the days its official sources list for years with substitute days.
#include "recurring/countryholidays.h"

#include <QDir>

#include <gtest/gtest.h>

namespace {

QString tablesFolder()
{
    return QStringLiteral(ALMARIN_SOURCE_DIR "/assets/holidays");
}

TCountryHolidays table(const char* code)
{
    QString error;
    const std::optional<TCountryHolidays> loaded = TCountryHolidays::Load(
        tablesFolder() + QLatin1Char('/') + QLatin1String(code) + QStringLiteral(".txt"), &error);
    EXPECT_TRUE(loaded.has_value()) << error.toStdString();
    return loaded.value_or(TCountryHolidays());
}

} // namespace

TEST(HolidayTables, EveryPlaceListsSoundDaysFrom1990To2100)
{
    const QStringList files = QDir(tablesFolder()).entryList({QStringLiteral("*.txt")}, QDir::Files);
    ASSERT_GE(files.size(), 9);
    for (const QString& file : files) {
        QString error;
        const std::optional<TCountryHolidays> loaded = TCountryHolidays::Load(tablesFolder() + u'/' + file, &error);
        ASSERT_TRUE(loaded.has_value()) << error.toStdString();
        EXPECT_EQ(loaded->Country().code.toLower() + QStringLiteral(".txt"), file);
        QFile text(tablesFolder() + u'/' + file);
        ASSERT_TRUE(text.open(QIODevice::ReadOnly));
        EXPECT_TRUE(text.readLine().startsWith("# Source: ")) << file.toStdString();
        QStringList places{loaded->Country().code};
        for (const HolidayPlace& region : loaded->Regions())
            places << region.code;
        for (const QString& place : std::as_const(places)) {
            for (int year = 1990; year <= 2100; ++year) {
                const QList<PublicHoliday> days = loaded->InYear(year, place);
                ASSERT_GE(days.size(), 4) << place.toStdString() << ' ' << year;
                for (qsizetype i = 0; i < days.size(); ++i) {
                    ASSERT_TRUE(days[i].date.isValid() && days[i].date.year() == year && !days[i].name.isEmpty())
                        << place.toStdString() << ' ' << year;
                    ASSERT_TRUE(i == 0 || days[i - 1].date <= days[i].date) << place.toStdString() << ' ' << year;
                }
            }
        }
    }
}

TEST(HolidayTables, DaysOfTheOfficialListsWithSubstituteDays)
{
    // Month-day of every holiday in the year, in date order, as the official pages list them.
    const struct
    {
        const char* file;
        const char* place;
        int year;
        const char* days;
    } kLists[] = {
        {"us", "US", 2021, "01-01 01-18 02-15 05-31 06-18 06-19 07-04 07-05 09-06 10-11 11-11 11-25 12-24 12-25 12-31"},
        {"us", "US", 2022, "01-01 01-17 02-21 05-30 06-19 06-20 07-04 09-05 10-10 11-11 11-24 12-25 12-26"},
        {"us", "US", 2023, "01-01 01-02 01-16 02-20 05-29 06-19 07-04 09-04 10-09 11-10 11-11 11-23 12-25"},
        {"gb", "GB-ENG", 2021, "01-01 04-02 04-05 05-03 05-31 08-30 12-25 12-26 12-27 12-28"},
        {"gb", "GB-ENG", 2022, "01-01 01-03 04-15 04-18 05-02 06-02 06-03 08-29 09-19 12-25 12-26 12-27"},
        {"gb", "GB-SCT", 2022, "01-01 01-02 01-03 01-04 04-15 05-02 06-02 06-03 08-01 09-19 11-30 12-25 12-26 12-27"},
        {"gb", "GB-NIR", 2023, "01-01 01-02 03-17 04-07 04-10 05-01 05-08 05-29 07-12 08-28 12-25 12-26"},
        {"ie", "IE", 2023, "01-01 02-06 03-17 04-10 05-01 06-05 08-07 10-30 12-25 12-26"},
        {"ie", "IE", 2022, "01-01 03-17 03-18 04-18 05-02 06-06 08-01 10-31 12-25 12-26"},
        {"ie", "IE", 2030, "01-01 02-01 03-17 04-22 05-06 06-03 08-05 10-28 12-25 12-26"},
        {"ca", "CA", 2018, "01-01 03-30 07-01 07-02 09-03 12-25"},
        {"ca", "CA-QC", 2018, "01-01 03-30 05-21 06-24 06-25 07-01 07-02 09-03 10-08 12-25"},
        {"ca", "CA-ON", 2023, "01-01 02-20 04-07 05-22 07-01 09-04 10-09 12-25 12-26"},
        {"ca", "CA-BC", 2029, "01-01 02-19 03-30 05-21 07-01 07-02 08-06 09-03 09-30 10-08 11-11 12-25"},
        {"ca", "CA-NU", 2019, "01-01 04-19 05-20 07-01 08-05 09-02 10-14 11-11 12-25"},
        {"ca", "CA-NU", 2022, "01-01 04-15 05-23 07-01 07-09 08-01 09-05 09-30 10-10 11-11 12-25"},
        {"mx", "MX", 2023, "01-01 02-06 03-20 05-01 09-16 11-20 12-25"},
        {"mx", "MX", 2024, "01-01 02-05 03-18 05-01 09-16 10-01 11-18 12-25"},
        {"mx", "MX", 2018, "01-01 02-05 03-19 05-01 09-16 11-19 12-01 12-25"},
        {"br", "BR", 2023, "01-01 04-07 04-21 05-01 09-07 10-12 11-02 11-15 12-25"},
        {"br", "BR", 2024, "01-01 03-29 04-21 05-01 09-07 10-12 11-02 11-15 11-20 12-25"},
        {"br", "BR", 2025, "01-01 04-18 04-21 05-01 09-07 10-12 11-02 11-15 11-20 12-25"},
        {"au", "AU", 2021, "01-01 01-26 04-02 04-05 04-25 12-25 12-26 12-27 12-28"},
        {"au", "AU-NSW", 2022, "01-01 01-03 01-26 04-15 04-16 04-17 04-18 04-25 06-13 09-22 10-03 12-25 12-26 12-27"},
        {"au", "AU-VIC", 2023, "01-01 01-02 01-26 03-13 04-07 04-08 04-09 04-10 04-25 06-12 09-29 11-07 12-25 12-26"},
        {"au", "AU-VIC", 2026, "01-01 01-26 03-09 04-03 04-04 04-05 04-06 04-25 06-08 09-25 11-03 12-25 12-26 12-28"},
        {"au", "AU-WA", 2024, "01-01 01-26 03-04 03-29 03-31 04-01 04-25 06-03 09-23 12-25 12-26"},
        {"au", "AU-ACT", 2016, "01-01 01-26 03-14 03-25 03-26 03-27 03-28 04-25 06-13 09-26 10-03 12-25 12-26 12-27"},
        {"au", "AU-SA", 2011, "01-01 01-03 01-26 03-14 04-22 04-23 04-25 04-25 04-26 06-13 10-03 12-25 12-26 12-27"},
        {"au", "AU-SA", 2024, "01-01 01-26 03-11 03-29 03-30 03-31 04-01 04-25 06-10 10-07 12-25 12-26"},
        {"au", "AU-WA", 2021, "01-01 01-26 03-01 04-02 04-05 04-25 04-26 06-07 09-27 12-25 12-26 12-27 12-28"},
        {"au", "AU-WA", 2012, "01-01 01-02 01-26 03-05 04-06 04-09 04-25 06-04 10-01 12-25 12-26"},
        {"au", "AU-QLD", 2004, "01-01 01-26 04-09 04-10 04-12 04-25 04-26 05-03 06-14 12-25 12-26 12-27 12-28"},
        {"au", "AU-QLD", 2012, "01-01 01-02 01-26 04-06 04-07 04-09 04-25 05-07 06-11 10-01 12-25 12-26"},
        {"au", "AU-WA", 2026, "01-01 01-26 03-02 04-03 04-05 04-06 04-25 04-27 06-01 09-28 12-25 12-26 12-28"},
        {"nz", "NZ", 2021, "01-01 01-02 01-04 02-06 02-08 04-02 04-05 04-25 04-26 06-07 10-25 12-25 12-26 12-27 12-28"},
        {"nz", "NZ", 2022,
         "01-01 01-02 01-03 01-04 02-06 02-07 04-15 04-18 04-25 06-06 06-24 09-26 10-24 12-25 12-26 12-27"},
        {"nz", "NZ", 2023, "01-01 01-02 01-03 02-06 04-07 04-10 04-25 06-05 07-14 10-23 12-25 12-26"},
        {"nz", "NZ", 2032, "01-01 01-02 02-06 03-26 03-29 04-25 04-26 06-07 07-02 10-25 12-25 12-26 12-27 12-28"},
        {"jp", "JP", 2019,
         "01-01 01-14 02-11 03-21 04-29 04-30 05-01 05-02 05-03 05-04 05-05 05-06 07-15 08-11 08-12 09-16 09-23 "
         "10-14 10-22 11-03 11-04 11-23"},
        {"jp", "JP", 2020,
         "01-01 01-13 02-11 02-23 02-24 03-20 04-29 05-03 05-04 05-05 05-06 07-23 07-24 08-10 09-21 09-22 11-03 11-23"},
        {"jp", "JP", 2021,
         "01-01 01-11 02-11 02-23 03-20 04-29 05-03 05-04 05-05 07-22 07-23 08-08 08-09 09-20 09-23 "
         "11-03 11-23"},
        {"jp", "JP", 2015,
         "01-01 01-12 02-11 03-21 04-29 05-03 05-04 05-05 05-06 07-20 09-21 09-22 09-23 10-12 11-03 11-23 12-23"},
    };
    for (const auto& list : kLists) {
        QStringList days;
        for (const PublicHoliday& day : table(list.file).InYear(list.year, QLatin1String(list.place)))
            days << day.date.toString(QStringLiteral("MM-dd"));
        EXPECT_EQ(days.join(u' ').toStdString(), list.days) << list.place << ' ' << list.year;
    }
}
