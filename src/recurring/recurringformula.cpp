#include "recurringformula.h"

#include "recurringentry.h"

#include "platform/textutil.h"

namespace {

QString twoDigits(int n)
{
    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

// The field at formula columns first..first+1 (1-based) as a decimal integer.
bool readField(const QString& formula, int first, int& value)
{
    const QString text = TrimSpaces(formula.mid(first - 1, 2));
    bool ok = false;
    const int n = text.toInt(&ok, 10);
    if (!ok)
        return false;
    value = n;
    return true;
}

} // namespace

QString FixedDateFormula(int day, int month)
{
    return QString(kFixedDateRule) + twoDigits(month) + twoDigits(day);
}

QString NthWeekdayFormula(int occurrence, int weekday, int month)
{
    return QString(kNthWeekdayRule) + PadField(QString::number(occurrence), 2) + PadField(QString::number(weekday), 2) +
           PadField(QString::number(month), 2);
}

QString WeekdaySetFormula(const std::array<bool, 7>& sundayToSaturday)
{
    QString formula(kWeekdaySetRule);
    for (int i = 0; i < 7; ++i) {
        if (sundayToSaturday[i])
            formula += QChar(QLatin1Char(char('1' + i)));
    }
    return formula;
}

bool ParseFixedDateFormula(const QString& formula, FixedDateFields& fields)
{
    FixedDateFields read;
    if (!readField(formula, 4, read.day) || !readField(formula, 2, read.month))
        return false;
    fields = read;
    return true;
}

bool ParseNthWeekdayFormula(const QString& formula, NthWeekdayFields& fields)
{
    NthWeekdayFields read;
    if (!readField(formula, 2, read.occurrence) || !readField(formula, 4, read.weekday) ||
        !readField(formula, 6, read.month))
        return false;
    fields = read;
    return true;
}

std::array<bool, 7> WeekdaySetFlags(const QString& formula)
{
    std::array<bool, 7> flags{};
    for (int i = 0; i < 7; ++i)
        flags[i] = formula.contains(QLatin1Char(char('1' + i)));
    return flags;
}
