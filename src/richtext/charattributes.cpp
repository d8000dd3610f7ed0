#include "charattributes.h"

#include "platform/rounding.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFragment>

QTextCharFormat CharFormatOf(const FontDescription& font)
{
    QTextCharFormat format;
    format.setFontFamilies(QStringList{font.name});
    format.setFontPointSize(font.size);
    format.setFontWeight(font.style & fsBold ? QFont::Bold : QFont::Normal);
    format.setFontItalic(font.style & fsItalic);
    format.setFontUnderline(font.style & fsUnderline);
    format.setFontStrikeOut(font.style & fsStrikeOut);
    format.setForeground(ToQColor(font.color));
    return format;
}

bool HasOwnAttributes(const QTextCharFormat& format)
{
    static const int properties[] = {QTextFormat::FontFamilies,  QTextFormat::FontFamily,
                                     QTextFormat::FontPointSize, QTextFormat::FontPixelSize,
                                     QTextFormat::FontWeight,    QTextFormat::FontItalic,
                                     QTextFormat::FontUnderline, QTextFormat::TextUnderlineStyle,
                                     QTextFormat::FontStrikeOut, QTextFormat::ForegroundBrush};
    for (int property : properties) {
        if (format.hasProperty(property))
            return true;
    }
    return false;
}

FontDescription EffectiveAttributes(const QTextDocument& doc, const QTextCharFormat& format)
{
    const QFont base = doc.defaultFont();
    FontDescription font;
    const QStringList families = format.fontFamilies().toStringList();
    font.name = families.isEmpty() ? base.family() : families.first();
    const double points = format.hasProperty(QTextFormat::FontPointSize) ? format.fontPointSize() : base.pointSizeF();
    font.size = RoundHalfEven(points);
    const bool bold = format.hasProperty(QTextFormat::FontWeight) ? format.fontWeight() >= QFont::DemiBold
                                                                  : base.weight() >= QFont::DemiBold;
    const bool italic = format.hasProperty(QTextFormat::FontItalic) ? format.fontItalic() : base.italic();
    const bool underline =
        format.hasProperty(QTextFormat::FontUnderline) || format.hasProperty(QTextFormat::TextUnderlineStyle)
            ? format.fontUnderline()
            : base.underline();
    const bool strike = format.hasProperty(QTextFormat::FontStrikeOut) ? format.fontStrikeOut() : base.strikeOut();
    font.style =
        (bold ? fsBold : 0) | (italic ? fsItalic : 0) | (underline ? fsUnderline : 0) | (strike ? fsStrikeOut : 0);
    font.color = format.hasProperty(QTextFormat::ForegroundBrush) ? FromQColor(format.foreground().color()) : clBlack;
    return font;
}

FontDescription CharAttributesAt(const QTextDocument& doc, int position, bool* own)
{
    const QTextBlock block = doc.findBlock(position);
    QTextCharFormat format = block.charFormat();
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment fragment = it.fragment();
        if (fragment.contains(position)) {
            format = fragment.charFormat();
            break;
        }
    }
    if (own)
        *own = HasOwnAttributes(format);
    return EffectiveAttributes(doc, format);
}

int RichCharacterCount(const QTextDocument& doc)
{
    return std::max(0, doc.characterCount() - 1);
}

void AppendRichParagraph(QTextDocument& doc, const QString& text, const FontDescription& font)
{
    QTextCursor cursor(&doc);
    cursor.movePosition(QTextCursor::End);
    if (!doc.isEmpty())
        cursor.insertBlock();
    const QTextCharFormat format = CharFormatOf(font);
    cursor.setBlockCharFormat(format);
    cursor.insertText(text, format);
}
