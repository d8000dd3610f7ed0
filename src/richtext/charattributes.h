// Character attributes of rich text as Almarin's font descriptions (face, points, style, colour): reading
// them at a position, telling whether a character carries its own, and turning them into formats.
#pragma once

#include "platform/fontdescription.h"

#include <QString>
#include <QTextCharFormat>

class QTextDocument;

QTextCharFormat CharFormatOf(const FontDescription& font);
// Whether the format sets any character attribute itself rather than inheriting the document's default.
bool HasOwnAttributes(const QTextCharFormat& format);
// The attributes a character of this format shows: its own where set, the document's default elsewhere.
FontDescription EffectiveAttributes(const QTextDocument& doc, const QTextCharFormat& format);
// The attributes of the character at a position (0-based; paragraph ends count as characters).
FontDescription CharAttributesAt(const QTextDocument& doc, int position, bool* own = nullptr);
// Number of characters, paragraph ends between paragraphs included, pictures counting one each.
int RichCharacterCount(const QTextDocument& doc);
// Appends the text as a new last paragraph in the given attributes; in an empty document it becomes the
// first and only paragraph.
void AppendRichParagraph(QTextDocument& doc, const QString& text, const FontDescription& font);
