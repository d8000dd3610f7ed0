#include "recurringformula.h"

#include "recurringentry.h"

#include "platform/textutil.h"

#include <QRegularExpression>

#include <algorithm>
#include <cstdlib>

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

QString EasterOffsetFormula(bool orthodox, int days)
{
    QString formula = orthodox ? QStringLiteral("#OEASTER") : QStringLiteral("#EASTER");
    days = std::clamp(days, -kMaxEasterOffset, kMaxEasterOffset);
    if (days != 0)
        formula += (days > 0 ? QLatin1Char('+') : QLatin1Char('-')) + QString::number(std::abs(days));
    return formula;
}

bool ParseEasterOffsetFormula(const QString& keyword, EasterOffsetFields& fields)
{
    static const QRegularExpression kForm(QStringLiteral("^#(O?)EASTER(?:([+-])([1-9]\\d?))?$"));
    const QRegularExpressionMatch m = kForm.match(keyword);
    if (!m.hasMatch() || (m.captured(1).isEmpty() && m.captured(2).isEmpty()))
        return false;
    fields.orthodox = !m.captured(1).isEmpty();
    fields.days = m.captured(3).toInt() * (m.captured(2) == QLatin1String("-") ? -1 : 1);
    return true;
}

QString CountryHolidayFormula(const QString& place)
{
    return QStringLiteral("#H:") + place.toUpper();
}

QString CountryHolidayPlace(const QString& keyword)
{
    static const QRegularExpression kForm(QStringLiteral("^#H:([A-Z]{2}(?:-[A-Z0-9]{1,3})?)$"));
    const QRegularExpressionMatch m = kForm.match(keyword.toUpper());
    return m.hasMatch() ? m.captured(1) : QString();
}
