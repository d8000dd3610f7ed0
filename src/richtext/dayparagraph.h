// How the fill command adds an event to a day's rich text: a new last paragraph that continues in
// the look of the text before it, or in the default day-text font when the day is empty.
#pragma once

#include <QString>
#include <QTextCharFormat>

class QTextDocument;

// The attributes of the last character that has attributes of its own, pictures passed over;
// `defaultFormat` when the document is empty or no character has any.
QTextCharFormat LastCharacterFormat(const QTextDocument& document, const QTextCharFormat& defaultFormat);
// Appends `text` as a new paragraph after the last one (as the only paragraph of an empty document).
void AppendDayParagraph(QTextDocument& document, const QString& text, const QTextCharFormat& defaultFormat);
