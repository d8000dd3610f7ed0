#include "dayparagraph.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

QTextCharFormat LastCharacterFormat(const QTextDocument& document, const QTextCharFormat& defaultFormat)
{
    if (document.isEmpty())
        return defaultFormat;
    for (QTextBlock block = document.lastBlock(); block.isValid(); block = block.previous()) {
        QTextCharFormat found;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            // A picture has no look for text to continue in.
            if (fragment.isValid() && !fragment.charFormat().isImageFormat() &&
                !fragment.charFormat().properties().isEmpty())
                found = fragment.charFormat();
        }
        if (!found.properties().isEmpty())
            return found;
    }
    return defaultFormat;
}

void AppendDayParagraph(QTextDocument& document, const QString& text, const QTextCharFormat& defaultFormat)
{
    const bool empty = document.isEmpty();
    const QTextCharFormat format = LastCharacterFormat(document, defaultFormat);
    QTextCursor cursor(&document);
    cursor.movePosition(QTextCursor::End);
    if (empty)
        cursor.setBlockCharFormat(format);
    else
        cursor.insertBlock(cursor.blockFormat(), format);
    cursor.insertText(text, format);
}
