#include "holidays.h"

#include "countryholidays.h"
#include "recurringentry.h"
#include "recurringformula.h"

QStringList BuiltInHolidayLines()
{
    static const char* const kHolidays[][2] = {
        {"April Fools's Day", "@0401"},
        {"Armed Forces Day", "$2 6 5"},
        {"Christmas Day", "@1225"},
        {"Daylight Savings time begins", "$0 0 4"},
        {"Daylight Savings Time ends", "$5 0 10"},
        {"Easter", "#EASTER"},
        {"Father's Day", "$2 0 6"},
        {"Flag Day", "@0614"},
        {"Good Friday", "#GOODFRIDAY"},
        {"Groundhog Day", "@0202"},
        {"Halloween", "@1031"},
        {"Independence Day", "@0704"},
        {"Labor Day", "$0 1 9"},
        {"Lincoln's Birthday", "@0212"},
        {"Martin Luther King Day", "$2 1 1"},
        {"Memorial Day", "$5 1 5"},
        {"Mother's Day", "$1 0 5"},
        {"New Year's Day", "@0101"},
        {"Palm Sunday", "#PALMSUNDAY"},
        {"President's Day", "$2 1 2"},
        {"St. Patrick's Day", "@0317"},
        {"Thanksgiving Day", "$3 4 11"},
        {"United Nations Day", "@1024"},
        {"Valentine's Day", "@0214"},
        {"Veterans Day", "@1111"},
        {"Washington's Birthday", "@0222"},
    };
    QStringList lines;
    for (const auto& holiday : kHolidays) {
        const QString event = QLatin1String(holiday[0]);
        const QString formula = QLatin1String(holiday[1]);
        // The keyword rules were stored without padding; their lines are 127 or 131 long.
        if (formula.startsWith(kEasterRule))
            lines << PadField(event, kEventTextWidth) + formula;
        else
            lines << MakeEntryLine(event, formula);
    }
    return lines;
}

QStringList CountryHolidayLines(const TCountryHolidays& table, const QString& place, int fromYear)
{
    QStringList lines;
    const QString formula = CountryHolidayFormula(place);
    for (const QString& name : table.HolidayNames(place, fromYear))
        lines << MakeEntryLine(name, formula);
    return lines;
}
