// The recurring date entry: one line holding the event text (columns 1-120) and the rule formula
// (from column 121). Columns in comments count from 1; the functions take and give QString text.
#pragma once

#include <QChar>
#include <QString>

constexpr int kEventTextWidth = 120;
constexpr int kFormulaWidth = 10;
// "#" keywords may run one column further ("#GOODFRIDAY" is 11 characters).
constexpr int kKeywordWidth = 11;

// Left-justified in exactly `width` characters: padded with spaces, cut at `width`.
QString PadField(const QString& text, int width);

// The line the editors write: event text padded to 120, then the formula padded to 10; a "#" keyword
// of 11 characters stands unpadded.
QString MakeEntryLine(const QString& eventText, const QString& formula);

// Columns 1-120 with spaces trimmed at both ends.
QString EntryEventText(const QString& line);
// Columns 121-130 as they stand (empty for a line shorter than 121 characters).
QString EntryFormula(const QString& line);
// Column 121, or a null QChar when the line is shorter than 121 characters.
QChar EntryRuleType(const QString& line);
// For "#" rules: columns 121-131 trimmed and in upper case ("#EASTER").
QString EntryKeyword(const QString& line);
