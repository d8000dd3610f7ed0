#include "recurringentry.h"

#include "platform/textutil.h"

QString PadField(const QString& text, int width)
{
    if (width <= 0)
        return {};
    return text.left(width).leftJustified(width, QLatin1Char(' '));
}

QString MakeEntryLine(const QString& eventText, const QString& formula)
{
    if (formula.startsWith(QLatin1Char('#')) && formula.size() > kFormulaWidth)
        return PadField(eventText, kEventTextWidth) + formula.left(kKeywordWidth);
    return PadField(eventText, kEventTextWidth) + PadField(formula, kFormulaWidth);
}

QString EntryEventText(const QString& line)
{
    return TrimSpaces(line.left(kEventTextWidth));
}

QString EntryFormula(const QString& line)
{
    return line.mid(kEventTextWidth, kFormulaWidth);
}

QChar EntryRuleType(const QString& line)
{
    return line.size() > kEventTextWidth ? line.at(kEventTextWidth) : QChar();
}

QString EntryKeyword(const QString& line)
{
    return TrimSpaces(line.mid(kEventTextWidth, kKeywordWidth)).toUpper();
}
