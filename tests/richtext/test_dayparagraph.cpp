#include "richtext/dayparagraph.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextImageFormat>

#include <gtest/gtest.h>

namespace {

QTextCharFormat defaultFont()
{
    QTextCharFormat f;
    f.setFontFamilies({QStringLiteral("Arial")});
    f.setFontPointSize(10);
    return f;
}

QTextCharFormat formatAtEnd(const QTextDocument& doc)
{
    QTextCursor c(const_cast<QTextDocument*>(&doc));
    c.movePosition(QTextCursor::End);
    return c.charFormat();
}

} // namespace

TEST(DayParagraph, EmptyDayGetsTheDefaultFont)
{
    QTextDocument doc;
    AppendDayParagraph(doc, QStringLiteral("Flag Day"), defaultFont());
    EXPECT_EQ(doc.toPlainText(), QStringLiteral("Flag Day"));
    EXPECT_EQ(doc.blockCount(), 1);
    EXPECT_EQ(formatAtEnd(doc).fontPointSize(), 10);
    EXPECT_EQ(formatAtEnd(doc).fontFamilies().toStringList(), QStringList{QStringLiteral("Arial")});
}

TEST(DayParagraph, ContinuesInTheLookOfTheLastCharacter)
{
    QTextDocument doc;
    QTextCursor c(&doc);
    QTextCharFormat plain = defaultFont();
    c.insertText(QStringLiteral("Dentist "), plain);
    QTextCharFormat boldRed = plain;
    boldRed.setFontWeight(QFont::Bold);
    boldRed.setForeground(QColor(Qt::red));
    c.insertText(QStringLiteral("9am"), boldRed);

    AppendDayParagraph(doc, QStringLiteral("Payday"), defaultFont());
    AppendDayParagraph(doc, QStringLiteral("Payday"), defaultFont());
    EXPECT_EQ(doc.toPlainText(), QStringLiteral("Dentist 9am\nPayday\nPayday"));
    const QTextCharFormat last = formatAtEnd(doc);
    EXPECT_EQ(last.fontWeight(), QFont::Bold);
    EXPECT_EQ(last.foreground().color(), QColor(Qt::red));
}

TEST(DayParagraph, APictureAtTheEndIsPassedOver)
{
    QTextDocument doc;
    QTextCursor c(&doc);
    QTextCharFormat italic = defaultFont();
    italic.setFontItalic(true);
    c.insertText(QStringLiteral("Party "), italic);
    QTextImageFormat picture;
    picture.setName(QStringLiteral("balloon"));
    c.insertImage(picture);

    AppendDayParagraph(doc, QStringLiteral("Payday"), defaultFont());
    const QTextCharFormat last = formatAtEnd(doc);
    EXPECT_FALSE(last.isImageFormat());
    EXPECT_TRUE(last.fontItalic());
}
