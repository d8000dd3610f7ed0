// One country's public holidays, read from its plain-text table (assets/holidays/<cc>.txt; the
// format is described in assets/holidays/FORMAT.md), and the days they fall on in a given year.
#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

#include <climits>
#include <optional>

struct PublicHoliday
{
    QDate date;
    QString name;
    bool operator==(const PublicHoliday&) const = default;
};

// A country or a region: its ISO 3166 code and its name in its own language.
struct HolidayPlace
{
    QString code;
    QString name;
};

class TCountryHolidays
{
public:
    // The rule of one table line, as its parts read.
    struct Rule
    {
        enum class Kind { Fixed, OneOff, NthWeekday, OnOrAfter, OnOrBefore, Nearest, Easter, OrthodoxEaster, Equinox };
        Kind kind = Kind::Fixed;
        int year = 0;
        int month = 0;
        int day = 0;
        int weekday = 0; // 1 = Monday .. 7 = Sunday
        int nth = 0;     // 1..5, or -1 for the last
        int offset = 0;  // days from Easter
    };
    enum class Substitute { None, SatFriSunMon, SunMon, SatSunMon, NextWorkday, Japan };
    struct Holiday
    {
        Rule rule;
        QStringList regions; // empty: every region
        int from = INT_MIN;
        int until = INT_MAX;
        QList<int> exceptYears; // years it moved or was left out
        Substitute substitute = Substitute::None;
        QString name;
    };

    // Fails on the first line it cannot read; `error` then names the line ("line 12: ...").
    static std::optional<TCountryHolidays> Parse(const QByteArray& text, QString* error);
    static std::optional<TCountryHolidays> Load(const QString& path, QString* error);

    HolidayPlace Country() const { return m_country; }
    QList<HolidayPlace> Regions() const { return m_regions; }
    // Whether `place` is the country's code or one of its regions' (any letter case).
    bool HasPlace(const QString& place) const;
    // The public holidays of `place` (the country code: the days every region has) in `year`, with
    // the substitute and bridge days, in date order. Empty for a place the table does not have.
    QList<PublicHoliday> InYear(int year, const QString& place) const;

    // The names of the place's holidays that still apply in `fromYear` or later, in table order, each
    // followed by the name of its substitute day when it has one, then the bridge day's; no name twice.
    QStringList HolidayNames(const QString& place, int fromYear) const;

    // The day a rule gives in `year` (invalid when it gives none: a one-off of another year, a fifth
    // weekday the month lacks).
    QDate RuleDate(const Rule& rule, int year) const;
    const QList<Holiday>& Holidays() const { return m_holidays; }

private:
    // The days the rules give in `year`, with their substitutes and bridge days, unsorted.
    QList<PublicHoliday> daysOfYear(int year, const QString& place) const;

    HolidayPlace m_country;
    QList<HolidayPlace> m_regions;
    QString m_substituteName = QStringLiteral("%s");
    QString m_bridgeName;
    int m_utcOffsetMinutes = 0;
    QList<Holiday> m_holidays;
};

// The folder of the country tables: "holidays" in the program folder.
QString HolidayTablesFolder();
// The table of the place's country in HolidayTablesFolder(), read once; null when there is none or
// it does not have the place.
const TCountryHolidays* ShippedHolidayTable(const QString& place);
// Every table of `folder` that reads without error, ordered by country code.
QList<TCountryHolidays> LoadHolidayTables(const QString& folder);
