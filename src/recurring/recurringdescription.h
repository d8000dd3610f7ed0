// The words the recurring-date lists show for an entry: "Armed Forces Day (3rd Sat of May)".
#pragma once

#include <QLocale>
#include <QString>
#include <QStringList>

// Abbreviated day names (Sunday first) and full month names (January first) from the regional
// settings, read once on first use.
struct RegionalNames
{
    QStringList shortDayNames;
    QStringList longMonthNames;

    static RegionalNames fromLocale(const QLocale& locale);
};
const RegionalNames& CurrentRegionalNames();
// Replaces the names read from the system (tests use a fixed language).
void SetRegionalNames(const RegionalNames& names);

// "1st of April", "3rd Sat of May", "1st Day Each Month", "Sun,Sat", "39 days after Easter"; empty
// when a number does not convert, the rule type is unknown or the keyword is one older lists showed bare.
QString DescribeFormula(const QString& formula);
// Event text + " (" + description + ")" for "@", "$" and "%" entries and the "#" keywords that have a
// description; otherwise columns 1-120 as they stand.
QString EntryDisplayText(const QString& line);
