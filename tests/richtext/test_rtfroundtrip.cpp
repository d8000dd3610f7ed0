#include "richtext/richdocument.h"
#include "richtext/rtfreader.h"
#include "richtext/rtfwriter.h"
#include "richtext/wprtfstorage.h"

#include <QPainter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFragment>
#include <QTextImageFormat>

#include <gtest/gtest.h>

namespace {

QString s(const char* text)
{
    return QString::fromUtf8(text);
}

// One character of a document with the attributes a reader and writer must carry.
struct CharLook
{
    QChar ch;
    QString family;
    double points;
    bool bold, italic, underline, strike;
    QRgb color; // 0 when the default colour
    bool operator==(const CharLook&) const = default;
};

std::vector<CharLook> Looks(const QTextDocument& doc)
{
    std::vector<CharLook> looks;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const QTextCharFormat f = fragment.charFormat();
            const QStringList families = f.fontFamilies().toStringList();
            for (QChar c : fragment.text()) {
                looks.push_back({c, families.isEmpty() ? QString() : families.first(),
                                 f.hasProperty(QTextFormat::FontPointSize) ? f.fontPointSize() : 0.0,
                                 f.fontWeight() >= QFont::DemiBold, f.fontItalic(), f.fontUnderline(),
                                 f.fontStrikeOut(),
                                 f.hasProperty(QTextFormat::ForegroundBrush) ? f.foreground().color().rgb() : 0u});
            }
        }
        looks.push_back({QChar(QChar::ParagraphSeparator),
                         {},
                         0,
                         false,
                         false,
                         false,
                         false,
                         static_cast<QRgb>(block.blockFormat().alignment() & Qt::AlignHorizontal_Mask)});
    }
    return looks;
}

void ExpectSameDocument(const QTextDocument& a, const QTextDocument& b)
{
    EXPECT_EQ(a.toPlainText(), b.toPlainText());
    const auto la = Looks(a);
    const auto lb = Looks(b);
    ASSERT_EQ(la.size(), lb.size());
    for (size_t i = 0; i < la.size(); ++i) {
        EXPECT_TRUE(la[i] == lb[i]) << "character " << i << " '" << QString(la[i].ch).toStdString() << "' "
                                    << la[i].family.toStdString() << "/" << lb[i].family.toStdString() << " "
                                    << la[i].points << "/" << lb[i].points << " colour " << std::hex << la[i].color
                                    << "/" << lb[i].color;
    }
}

QTextDocument* RoundTrip(const QTextDocument& doc, QByteArray* rtf = nullptr)
{
    const QByteArray bytes = WriteRtf(doc);
    if (rtf)
        *rtf = bytes;
    auto* back = new QTextDocument;
    QString error;
    EXPECT_TRUE(ReadRtf(bytes, *back, &error)) << error.toStdString();
    return back;
}

QTextCharFormat Format(const QString& family, double points, bool bold = false, bool italic = false,
                       bool underline = false, bool strike = false, QColor color = QColor())
{
    QTextCharFormat f;
    if (!family.isEmpty())
        f.setFontFamilies(QStringList{family});
    if (points > 0)
        f.setFontPointSize(points);
    if (bold)
        f.setFontWeight(QFont::Bold);
    if (italic)
        f.setFontItalic(true);
    if (underline)
        f.setFontUnderline(true);
    if (strike)
        f.setFontStrikeOut(true);
    if (color.isValid())
        f.setForeground(color);
    return f;
}

} // namespace

TEST(RtfRoundTrip, EveryCharacterAttributeColourSizeAndFontSurvives)
{
    QTextDocument doc;
    PrepareRichDocument(doc);
    doc.setDefaultFont(RichDefaultFont());
    QTextCursor c(&doc);
    c.insertText(QStringLiteral("plain "), QTextCharFormat());
    c.insertText(QStringLiteral("bold "), Format({}, 0, true));
    c.insertText(QStringLiteral("italic "), Format({}, 0, false, true));
    c.insertText(QStringLiteral("under "), Format({}, 0, false, false, true));
    c.insertText(QStringLiteral("strike "), Format({}, 0, false, false, false, true));
    c.insertText(QStringLiteral("all "),
                 Format(QStringLiteral("Times New Roman"), 7.5, true, true, true, true, QColor(200, 10, 30)));
    c.insertText(QStringLiteral("arial8 "), Format(QStringLiteral("Arial"), 8));
    c.insertText(QStringLiteral("courier36 "),
                 Format(QStringLiteral("Courier New"), 36, false, false, false, false, QColor(0, 0, 255)));
    c.insertText(QStringLiteral("black "), Format({}, 0, false, false, false, false, QColor(0, 0, 0)));
    c.insertText(s("宋体 "), Format(s("宋体"), 11));
    c.insertText(QStringLiteral("braces"), Format(QStringLiteral("Odd {Font} \\ Name"), 10));
    std::unique_ptr<QTextDocument> back(RoundTrip(doc));
    ExpectSameDocument(doc, *back);
}

TEST(RtfRoundTrip, AlignmentLineBreaksTabsAndEmptyParagraphs)
{
    QTextDocument doc;
    PrepareRichDocument(doc);
    QTextCursor c(&doc);
    QTextBlockFormat b;
    b.setAlignment(Qt::AlignHCenter);
    c.setBlockFormat(b);
    c.insertText(QStringLiteral("centre\tafter tab") + QChar(QChar::LineSeparator) + QStringLiteral("second line"));
    b.setAlignment(Qt::AlignRight);
    c.insertBlock(b);
    c.insertText(QStringLiteral("right"));
    b.setAlignment(Qt::AlignJustify);
    c.insertBlock(b);
    c.insertText(QStringLiteral("justified {braces} and \\ backslash"));
    b.setAlignment(Qt::AlignLeft);
    c.insertBlock(b);
    c.insertBlock(b);
    c.insertText(QStringLiteral("after an empty paragraph"));
    c.insertBlock(b); // the document ends in an empty paragraph
    std::unique_ptr<QTextDocument> back(RoundTrip(doc));
    ExpectSameDocument(doc, *back);
    EXPECT_EQ(back->blockCount(), 6);
}

TEST(RtfRoundTrip, EmptyParagraphKeepsTheSizeOfItsMark)
{
    QTextDocument doc;
    PrepareRichDocument(doc);
    QTextCursor c(&doc);
    c.insertText(QStringLiteral("a"));
    QTextCharFormat small;
    small.setFontPointSize(6);
    c.insertBlock(QTextBlockFormat(), small);
    c.insertBlock(QTextBlockFormat(), QTextCharFormat());
    c.insertText(QStringLiteral("b"));
    std::unique_ptr<QTextDocument> back(RoundTrip(doc));
    ASSERT_EQ(back->blockCount(), 3);
    EXPECT_EQ(back->findBlockByNumber(1).charFormat().fontPointSize(), 6);
}

TEST(RtfRoundTrip, TextInManyScriptsAndEmoji)
{
    const QString text =
        s("Zażółć gęślą jaźń ŁÓDŹ · Καλημέρα κόσμε · Съешь же ещё этих булок · "
          "日历和记事 · €‚ƒ„…†‡ˆ‰Š‹ŒŽ‘’“”•–—˜™š›œžŸ · 😀👍🏽 "
          "🇵🇱");
    QTextDocument doc;
    PrepareRichDocument(doc);
    QTextCursor(&doc).insertText(text);
    QByteArray rtf;
    std::unique_ptr<QTextDocument> back(RoundTrip(doc, &rtf));
    EXPECT_EQ(back->toPlainText(), text);
    // Plain 7-bit output: Windows-1252 bytes as \'hh, the rest as signed \uN with a fallback.
    for (char ch : rtf)
        EXPECT_LT(static_cast<uchar>(ch), 0x80);
    EXPECT_TRUE(rtf.contains("\\'80"));      // the euro sign
    EXPECT_TRUE(rtf.contains("\\u-10179?")); // high surrogate of the emoji
    EXPECT_TRUE(rtf.contains("\\u1098?"));   // Cyrillic ъ
}

TEST(RtfRoundTrip, PicturesKeepPixelsAndDisplaySizeAndCountAsOneCharacter)
{
    QImage image(40, 20, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    {
        QPainter p(&image);
        p.fillRect(0, 0, 20, 20, Qt::red);
        p.fillRect(20, 0, 20, 20, QColor(0, 128, 0));
    }
    QTextDocument doc;
    PrepareRichDocument(doc);
    QTextCursor c(&doc);
    c.insertText(QStringLiteral("a"));
    InsertRichPicture(c, image, QSizeF(80, 40));
    c.insertText(QStringLiteral("b"));
    InsertRichPicture(c, image);
    QByteArray rtf;
    std::unique_ptr<QTextDocument> back(RoundTrip(doc, &rtf));
    EXPECT_TRUE(rtf.contains("\\pict\\pngblip\\picw40\\pich20\\picwgoal1200\\pichgoal600"));
    EXPECT_EQ(back->characterCount(), doc.characterCount());
    int pictures = 0;
    for (auto it = back->begin().begin(); !it.atEnd(); ++it) {
        const QTextCharFormat f = it.fragment().charFormat();
        if (!f.isImageFormat())
            continue;
        const QTextImageFormat img = f.toImageFormat();
        const QImage loaded = RichPicture(*back, img);
        ASSERT_FALSE(loaded.isNull());
        EXPECT_EQ(loaded.size(), image.size());
        EXPECT_EQ(loaded.pixel(5, 5), image.pixel(5, 5));
        EXPECT_EQ(loaded.pixel(30, 5), image.pixel(30, 5));
        EXPECT_EQ(img.width(), pictures == 0 ? 80 : 40);
        ++pictures;
    }
    EXPECT_EQ(pictures, 2);
}

TEST(WPRtfStorage, BytesInAndOutAssignAndEmptiness)
{
    TWPRtfStorage a;
    EXPECT_TRUE(a.IsEmpty());
    EXPECT_TRUE(a.RtfData().isEmpty());
    const quint64 r0 = a.Revision();
    ASSERT_TRUE(a.SetRtfData("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\b Hello\\b0  world\\par}"));
    EXPECT_NE(a.Revision(), r0);
    EXPECT_FALSE(a.IsEmpty());
    EXPECT_EQ(a.PlainText(), QStringLiteral("Hello world"));

    TWPRtfStorage b;
    b.Assign(a);
    EXPECT_EQ(b.PlainText(), a.PlainText());
    EXPECT_NE(b.Revision(), a.Revision()); // revisions are unique across storages
    TWPRtfStorage c;
    ASSERT_TRUE(c.SetRtfData(b.RtfData()));
    EXPECT_EQ(c.PlainText(), QStringLiteral("Hello world"));
    EXPECT_EQ(c.Document().begin().begin().fragment().charFormat().fontWeight(), QFont::Bold);

    const quint64 r1 = c.Revision();
    EXPECT_EQ(c.Document().toPlainText(), c.PlainText());
    EXPECT_EQ(c.Revision(), r1); // reading does not change the content
    c.Clear();
    EXPECT_TRUE(c.IsEmpty());
    EXPECT_NE(c.Revision(), r1);
    // Emptied storages, by clearing or by taking an empty one, read as fresh ones do.
    b.Assign(TWPRtfStorage());
    for (const TWPRtfStorage* emptied : {&b, &c}) {
        EXPECT_TRUE(emptied->IsEmpty());
        EXPECT_TRUE(emptied->RtfData().isEmpty());
        EXPECT_TRUE(emptied->PlainText().isEmpty());
        EXPECT_TRUE(emptied->Document().isEmpty());
        EXPECT_EQ(emptied->Document().defaultFont(), RichDefaultFont());
    }
}

TEST(WPRtfStorage, BadBytesGiveAnEmptyDocumentAndAReason)
{
    TWPRtfStorage a;
    ASSERT_TRUE(a.SetRtfData("{\\rtf1 text}"));
    EXPECT_FALSE(a.SetRtfData("<html>not rtf</html>"));
    EXPECT_TRUE(a.IsEmpty());
    EXPECT_FALSE(a.LastError().isEmpty());
    EXPECT_TRUE(a.SetRtfData(QByteArray()));
    EXPECT_TRUE(a.IsEmpty());
    EXPECT_TRUE(a.LastError().isEmpty());
}

TEST(WPRtfStorage, CutOffRtfKeepsItsTextWithANote)
{
    TWPRtfStorage a;
    EXPECT_TRUE(a.SetRtfData("{\\rtf1 Hello {\\b wor"));
    EXPECT_EQ(a.PlainText(), QStringLiteral("Hello wor"));
    EXPECT_FALSE(a.LastError().isEmpty());
    // The cut-off bytes are written back as they came until the text changes; then it is whole RTF.
    EXPECT_EQ(a.RtfData(), QByteArray("{\\rtf1 Hello {\\b wor"));
    QTextDocument edited;
    CopyRichDocument(a.Document(), edited);
    QTextCursor(&edited).insertText(QStringLiteral("Oh "));
    a.SetDocument(edited);
    EXPECT_TRUE(a.RtfData().trimmed().endsWith('}'));
    TWPRtfStorage b;
    EXPECT_TRUE(b.SetRtfData(a.RtfData()));
    EXPECT_TRUE(b.LastError().isEmpty());
    EXPECT_EQ(b.PlainText(), QStringLiteral("Oh Hello wor"));
}

TEST(WPRtfStorage, PictureAloneIsNotEmptyAndSurvivesAssign)
{
    QTextDocument doc;
    PrepareRichDocument(doc);
    QTextCursor c(&doc);
    QImage image(4, 4, QImage::Format_RGB32);
    image.fill(Qt::blue);
    InsertRichPicture(c, image);
    TWPRtfStorage a;
    a.SetDocument(doc);
    EXPECT_FALSE(a.IsEmpty());
    TWPRtfStorage b;
    b.Assign(a);
    TWPRtfStorage d;
    ASSERT_TRUE(d.SetRtfData(b.RtfData()));
    const QTextCharFormat f = d.Document().begin().begin().fragment().charFormat();
    ASSERT_TRUE(f.isImageFormat());
    EXPECT_EQ(RichPicture(d.Document(), f.toImageFormat()).pixel(1, 1), image.pixel(1, 1));
}
