#include "recurringdescription.h"

#include "recurringentry.h"
#include "recurringformula.h"

#include "platform/textutil.h"

#include <cstdlib>
#include <optional>

namespace {

std::optional<RegionalNames>& storedNames()
{
    static std::optional<RegionalNames> names;
    return names;
}

// Out-of-range numbers come from hand-edited files; they describe as the bare number rather than
// reading past the name tables.
QString monthPart(int month)
{
    if (month == kEveryMonth)
        return QStringLiteral("Each Month");
    const QStringList& names = CurrentRegionalNames().longMonthNames;
    if (month >= 1 && month <= names.size())
        return names.at(month - 1);
    return QString::number(month);
}

QString dayName(int index)
{
    const QStringList& names = CurrentRegionalNames().shortDayNames;
    if (index >= 0 && index < names.size())
        return names.at(index);
    return QString::number(index);
}

QString describeFixedDate(const QString& formula)
{
    FixedDateFields f;
    if (!ParseFixedDateFormula(formula, f))
        return {};
    return OrdinalText(f.day) + QStringLiteral(" of ") + monthPart(f.month);
}

QString describeNthWeekday(const QString& formula)
{
    NthWeekdayFields f;
    if (!ParseNthWeekdayFormula(formula, f))
        return {};
    QString text =
        f.occurrence == kLastOccurrence ? QStringLiteral("Last ") : OrdinalText(f.occurrence + 1) + QLatin1Char(' ');
    if (f.weekday == kAnyWeekday)
        text += QStringLiteral("Day ");
    else
        text += dayName(f.weekday) + QStringLiteral(" of ");
    return text + monthPart(f.month);
}

QString describeWeekdaySet(const QString& formula)
{
    const QString digits = TrimSpaces(formula.mid(1, 9));
    QStringList days;
    for (int i = 0; i < 7; ++i) {
        if (digits.contains(QLatin1Char(char('1' + i))))
            days << dayName(i);
    }
    return days.join(QLatin1Char(','));
}

// "39 days after Easter", "1 day before Orthodox Easter", "Orthodox Easter"; a country's holiday
// names its place. Empty for the keywords older lists showed without a description.
QString describeKeyword(const QString& keyword)
{
    EasterOffsetFields easter;
    if (ParseEasterOffsetFormula(keyword, easter)) {
        const QString feast = easter.orthodox ? QStringLiteral("Orthodox Easter") : QStringLiteral("Easter");
        if (easter.days == 0)
            return feast;
        const int days = std::abs(easter.days);
        return QString::number(days) + (days == 1 ? QStringLiteral(" day ") : QStringLiteral(" days ")) +
               (easter.days > 0 ? QStringLiteral("after ") : QStringLiteral("before ")) + feast;
    }
    const QString place = CountryHolidayPlace(keyword);
    return place.isEmpty() ? QString() : QStringLiteral("public holiday in ") + place;
}

} // namespace

RegionalNames RegionalNames::fromLocale(const QLocale& locale)
{
    RegionalNames names;
    names.shortDayNames << locale.dayName(7, QLocale::ShortFormat);
    for (int day = 1; day <= 6; ++day)
        names.shortDayNames << locale.dayName(day, QLocale::ShortFormat);
    for (int month = 1; month <= 12; ++month)
        names.longMonthNames << locale.standaloneMonthName(month, QLocale::LongFormat);
    return names;
}

const RegionalNames& CurrentRegionalNames()
{
    if (!storedNames())
        storedNames() = RegionalNames::fromLocale(QLocale::system());
    return *storedNames();
}

void SetRegionalNames(const RegionalNames& names)
{
    storedNames() = names;
}

QString DescribeFormula(const QString& formula)
{
    if (formula.isEmpty())
        return {};
    const QChar type = formula.at(0);
    if (type == kFixedDateRule)
        return describeFixedDate(formula);
    if (type == kNthWeekdayRule)
        return describeNthWeekday(formula);
    if (type == kWeekdaySetRule)
        return describeWeekdaySet(formula);
    if (type == kEasterRule)
        return describeKeyword(TrimSpaces(formula).toUpper());
    return {};
}

QString EntryDisplayText(const QString& line)
{
    const QChar type = EntryRuleType(line);
    if (type == kFixedDateRule || type == kNthWeekdayRule || type == kWeekdaySetRule)
        return EntryEventText(line) + QStringLiteral(" (") + DescribeFormula(EntryFormula(line)) + QLatin1Char(')');
    if (type == kEasterRule) {
        const QString description = describeKeyword(EntryKeyword(line));
        if (!description.isEmpty())
            return EntryEventText(line) + QStringLiteral(" (") + description + QLatin1Char(')');
    }
    return line.left(kEventTextWidth);
}
