// The continental European holiday tables checked against the lists their governments publish: every
// day of a few whole years, typed from the official calendars, and the names of a few of them.
#include "recurring/countryholidays.h"

#include <QFile>
#include <QStringList>

#include <gtest/gtest.h>

#include <set>
#include <utility>

namespace {

const char* const kCountries[] = {"at", "be", "ch", "cz", "de", "dk", "es", "fi",
                                  "fr", "it", "nl", "no", "pl", "pt", "se"};

TCountryHolidays table(const QString& place)
{
    const QString path = QStringLiteral(ALMARIN_SOURCE_DIR "/assets/holidays/%1.txt").arg(place.left(2).toLower());
    QString error;
    const std::optional<TCountryHolidays> parsed = TCountryHolidays::Load(path, &error);
    EXPECT_TRUE(parsed) << path.toStdString() << ": " << error.toStdString();
    return parsed.value_or(TCountryHolidays());
}

// "MM-DD MM-DD ..." of every holiday of `place` in `year`.
QString days(const QString& place, int year)
{
    QStringList out;
    for (const PublicHoliday& holiday : table(place).InYear(year, place))
        out << holiday.date.toString(QStringLiteral("MM-dd"));
    return out.join(QLatin1Char(' '));
}

} // namespace

TEST(EuropeanHolidays, WholeYearsMatchThePublishedCalendars)
{
    struct Case
    {
        const char* place;
        int year;
        const char* days;
    };
    const Case cases[] = {
        {"FR", 2019, "01-01 04-22 05-01 05-08 05-30 06-10 07-14 08-15 11-01 11-11 12-25"},
        {"FR", 2024, "01-01 04-01 05-01 05-08 05-09 05-20 07-14 08-15 11-01 11-11 12-25"},
        {"FR", 2025, "01-01 04-21 05-01 05-08 05-29 06-09 07-14 08-15 11-01 11-11 12-25"},
        {"FR-67", 2024, "01-01 03-29 04-01 05-01 05-08 05-09 05-20 07-14 08-15 11-01 11-11 12-25 12-26"},
        {"DE", 2017, "01-01 04-14 04-17 05-01 05-25 06-05 10-03 10-31 12-25 12-26"},
        {"DE", 2019, "01-01 04-19 04-22 05-01 05-30 06-10 10-03 12-25 12-26"},
        {"DE", 2024, "01-01 03-29 04-01 05-01 05-09 05-20 10-03 12-25 12-26"},
        {"DE-BY", 2024, "01-01 01-06 03-29 04-01 05-01 05-09 05-20 05-30 08-15 10-03 11-01 12-25 12-26"},
        {"DE-BE", 2025, "01-01 03-08 04-18 04-21 05-01 05-08 05-29 06-09 10-03 12-25 12-26"},
        {"DE-SN", 2024, "01-01 03-29 04-01 05-01 05-09 05-20 10-03 10-31 11-20 12-25 12-26"},
        {"DE-NI", 2017, "01-01 04-14 04-17 05-01 05-25 06-05 10-03 10-31 12-25 12-26"},
        {"AT", 2019, "01-01 01-06 04-22 05-01 05-30 06-10 06-20 08-15 10-26 11-01 12-08 12-25 12-26"},
        {"AT", 2024, "01-01 01-06 04-01 05-01 05-09 05-20 05-30 08-15 10-26 11-01 12-08 12-25 12-26"},
        {"AT-8", 2025, "01-01 01-06 04-21 05-01 05-29 06-09 06-19 08-15 10-26 11-01 12-08 12-25 12-26"},
        {"CH", 2024, "01-01 05-09 08-01 12-25"},
        {"CH-ZH", 2024, "01-01 03-29 04-01 05-01 05-09 05-20 08-01 12-25 12-26"},
        {"CH-SO", 2024, "01-01 03-29 05-09 05-30 08-01 08-15 11-01 12-25"},
        {"CH-BE", 2024, "01-01 01-02 03-29 04-01 05-09 05-20 08-01 12-25 12-26"},
        {"CH-GE", 2024, "01-01 03-29 04-01 05-09 05-20 08-01 09-05 12-25 12-31"},
        {"CH-VD", 2025, "01-01 01-02 04-18 04-21 05-29 06-09 08-01 09-22 12-25"},
        {"CH-NE", 2023, "01-01 01-02 03-01 04-07 05-01 05-18 08-01 12-25"},
        {"CH-GL", 2026, "01-01 04-03 04-06 04-09 05-14 05-25 08-01 11-01 12-25 12-26"},
        {"CH-ZG", 2024, "01-01 03-29 05-09 05-30 08-01 08-15 11-01 12-08 12-25"},
        {"CH-NW", 2024, "01-01 03-19 03-29 05-09 05-30 08-01 08-15 11-01 12-08 12-25"},
        {"CH-OW", 2024, "01-01 03-29 05-09 05-30 08-01 08-15 09-25 11-01 12-08 12-25"},
        {"CH-LU", 2024, "01-01 03-29 05-09 05-30 08-01 08-15 11-01 12-08 12-25 12-26"},
        {"CH-JU", 2024, "01-01 01-02 03-29 04-01 05-01 05-09 05-20 05-30 06-23 08-01 08-15 11-01 12-25"},
        {"CH-AI", 2023, "01-01 04-07 04-10 05-18 05-29 06-08 08-01 08-15 11-01 12-08 12-25"},
        {"CH-AR", 2024, "01-01 03-29 04-01 05-09 05-20 08-01 12-25 12-26"},
        {"CH-AR", 2026, "01-01 04-03 04-06 05-14 05-25 08-01 12-25"},
        {"IT", 2024, "01-01 01-06 03-31 04-01 04-25 05-01 06-02 08-15 11-01 12-08 12-25 12-26"},
        {"IT", 2025, "01-01 01-06 04-20 04-21 04-25 05-01 06-02 08-15 11-01 12-08 12-25 12-26"},
        {"IT", 2027, "01-01 01-06 03-28 03-29 04-25 05-01 06-02 08-15 10-04 11-01 12-08 12-25 12-26"},
        {"ES", 2025, "01-01 01-06 04-18 05-01 08-15 10-12 11-01 12-06 12-08 12-25"},
        {"ES-MD", 2023, "01-01 01-02 01-06 04-06 04-07 05-01 05-02 08-15 10-12 11-01 12-06 12-08 12-25"},
        {"ES-MD", 2024, "01-01 01-06 03-28 03-29 05-01 05-02 07-25 08-15 10-12 11-01 12-06 12-08 12-25"},
        {"ES-MD", 2025, "01-01 01-06 04-17 04-18 05-01 05-02 07-25 08-15 10-12 11-01 12-06 12-08 12-25"},
        {"ES-MD", 2026, "01-01 01-06 04-02 04-03 05-01 05-02 08-15 10-12 11-01 11-02 12-06 12-07 12-08 12-25"},
        {"ES-CT", 2024, "01-01 01-06 03-29 04-01 05-01 06-24 08-15 09-11 10-12 11-01 12-06 12-08 12-25 12-26"},
        {"ES-CT", 2025, "01-01 01-06 04-18 04-21 05-01 06-24 08-15 09-11 10-12 11-01 12-06 12-08 12-25 12-26"},
        {"PT", 2014, "01-01 04-18 04-20 04-25 05-01 06-10 08-15 12-08 12-25"},
        {"PT", 2024, "01-01 03-29 03-31 04-25 05-01 05-30 06-10 08-15 10-05 11-01 12-01 12-08 12-25"},
        {"PT-30", 2025, "01-01 04-18 04-20 04-25 05-01 06-10 06-19 07-01 08-15 10-05 11-01 12-01 12-08 12-25 12-26"},
        {"NL", 2024, "01-01 03-31 04-01 04-27 05-05 05-09 05-19 05-20 12-25 12-26"},
        {"NL", 2025, "01-01 04-20 04-21 04-26 05-05 05-29 06-08 06-09 12-25 12-26"},
        {"NL", 2026, "01-01 04-05 04-06 04-27 05-05 05-14 05-24 05-25 12-25 12-26"},
        {"BE", 2023, "01-01 04-10 05-01 05-18 05-29 07-21 08-15 11-01 11-11 12-25"},
        {"BE", 2024, "01-01 04-01 05-01 05-09 05-20 07-21 08-15 11-01 11-11 12-25"},
        {"BE", 2025, "01-01 04-21 05-01 05-29 06-09 07-21 08-15 11-01 11-11 12-25"},
        {"DK", 2023, "01-01 04-06 04-07 04-09 04-10 05-05 05-18 05-28 05-29 12-25 12-26"},
        {"DK", 2024, "01-01 03-28 03-29 03-31 04-01 05-09 05-19 05-20 12-25 12-26"},
        {"DK", 2025, "01-01 04-17 04-18 04-20 04-21 05-29 06-08 06-09 12-25 12-26"},
        {"NO", 2023, "01-01 04-06 04-07 04-09 04-10 05-01 05-17 05-18 05-28 05-29 12-25 12-26"},
        {"NO", 2024, "01-01 03-28 03-29 03-31 04-01 05-01 05-09 05-17 05-19 05-20 12-25 12-26"},
        {"NO", 2025, "01-01 04-17 04-18 04-20 04-21 05-01 05-17 05-29 06-08 06-09 12-25 12-26"},
        {"SE", 2004, "01-01 01-06 04-09 04-11 04-12 05-01 05-20 05-30 05-31 06-25 06-26 11-06 12-24 12-25 12-26 12-31"},
        {"SE", 2024, "01-01 01-06 03-29 03-31 04-01 05-01 05-09 05-19 06-06 06-21 06-22 11-02 12-24 12-25 12-26 12-31"},
        {"SE", 2025, "01-01 01-06 04-18 04-20 04-21 05-01 05-29 06-06 06-08 06-20 06-21 11-01 12-24 12-25 12-26 12-31"},
        {"FI", 2023, "01-01 01-06 04-07 04-09 04-10 05-01 05-18 05-28 06-23 06-24 11-04 12-06 12-24 12-25 12-26"},
        {"FI", 2024, "01-01 01-06 03-29 03-31 04-01 05-01 05-09 05-19 06-21 06-22 11-02 12-06 12-24 12-25 12-26"},
        {"FI", 2025, "01-01 01-06 04-18 04-20 04-21 05-01 05-29 06-08 06-20 06-21 11-01 12-06 12-24 12-25 12-26"},
        {"PL", 2018, "01-01 01-06 04-01 04-02 05-01 05-03 05-20 05-31 08-15 11-01 11-11 11-12 12-25 12-26"},
        {"PL", 2024, "01-01 01-06 03-31 04-01 05-01 05-03 05-19 05-30 08-15 11-01 11-11 12-25 12-26"},
        {"PL", 2025, "01-01 01-06 04-20 04-21 05-01 05-03 06-08 06-19 08-15 11-01 11-11 12-24 12-25 12-26"},
        {"CZ", 2015, "01-01 04-06 05-01 05-08 07-05 07-06 09-28 10-28 11-17 12-24 12-25 12-26"},
        {"CZ", 2024, "01-01 03-29 04-01 05-01 05-08 07-05 07-06 09-28 10-28 11-17 12-24 12-25 12-26"},
        {"CZ", 2025, "01-01 04-18 04-21 05-01 05-08 07-05 07-06 09-28 10-28 11-17 12-24 12-25 12-26"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(days(QString::fromLatin1(c.place), c.year).toStdString(), c.days) << c.place << " " << c.year;
}

TEST(EuropeanHolidays, NamesAreInThePlacesLanguage)
{
    struct Case
    {
        const char* place;
        const char* date;
        const char* name;
    };
    const Case cases[] = {
        {"DE-BY", "2024-05-30", "Fronleichnam"},
        {"DE-BE", "2025-03-08", "Internationaler Frauentag"},
        {"AT", "2024-10-26", "Nationalfeiertag"},
        {"CH-GE", "2024-12-31", "Restauration de la République"},
        {"CH-TI", "2024-06-29", "San Pietro e Paolo"},
        {"ES-CT", "2025-09-11", "Diada Nacional de Catalunya"},
        {"IT", "2027-10-04", "San Francesco d'Assisi"},
        {"NL", "2025-04-26", "Koningsdag"},
        {"DK", "2023-05-05", "Store bededag"},
        {"SE", "2024-06-21", "Midsommarafton"},
        {"PL", "2025-12-24", "Wigilia Bożego Narodzenia"},
        {"CZ", "2024-03-29", "Velký pátek"},
    };
    for (const Case& c : cases) {
        const QString place = QString::fromLatin1(c.place);
        const QDate date = QDate::fromString(QString::fromLatin1(c.date), Qt::ISODate);
        QStringList names;
        for (const PublicHoliday& holiday : table(place).InYear(date.year(), place))
            if (holiday.date == date)
                names << holiday.name;
        EXPECT_EQ(names.join(QStringLiteral("; ")).toStdString(), c.name) << c.place << " " << c.date;
    }
}

// Every country and region lists its year from 1990 to 2100 inside that year and never twice the same day
// under the same name.
TEST(EuropeanHolidays, EveryPlaceListsEveryYear)
{
    for (const char* country : kCountries) {
        const TCountryHolidays holidays = table(QString::fromLatin1(country));
        QStringList places{holidays.Country().code};
        for (const HolidayPlace& region : holidays.Regions())
            places << region.code;
        for (const QString& place : places)
            for (int year = 1990; year <= 2100; ++year) {
                std::set<std::pair<QDate, QString>> seen;
                for (const PublicHoliday& holiday : holidays.InYear(year, place)) {
                    EXPECT_EQ(holiday.date.year(), year) << place.toStdString() << " " << holiday.name.toStdString();
                    EXPECT_TRUE(seen.insert({holiday.date, holiday.name}).second)
                        << place.toStdString() << " " << holiday.date.toString(Qt::ISODate).toStdString();
                }
                EXPECT_GE(holidays.InYear(year, place).size(), 4) << place.toStdString() << " " << year;
            }
    }
}
