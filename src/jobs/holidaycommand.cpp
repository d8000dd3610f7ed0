#include "holidaycommand.h"

#include "recurring/countryholidays.h"

#include <QTextStream>

int ListPublicHolidays(const QString& place, int year, QTextStream& out, QTextStream& err)
{
    const QList<TCountryHolidays> tables = LoadHolidayTables(HolidayTablesFolder());
    for (const TCountryHolidays& table : tables) {
        if (place.isEmpty()) {
            out << table.Country().code << '\t' << table.Country().name << Qt::endl;
            for (const HolidayPlace& region : table.Regions())
                out << region.code << '\t' << region.name << Qt::endl;
        } else if (table.HasPlace(place)) {
            for (const PublicHoliday& day : table.InYear(year, place))
                out << day.date.toString(Qt::ISODate) << '\t' << day.name << Qt::endl;
            return 0;
        }
    }
    if (place.isEmpty())
        return 0;
    err << QStringLiteral("almarin: unknown country or region %1 (see almarin --help)").arg(place) << Qt::endl;
    return 2;
}
