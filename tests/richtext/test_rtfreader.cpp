#include "richtext/charattributes.h"
#include "richtext/richdocument.h"
#include "richtext/rtfreader.h"

#include "graphics/imagecompare.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QFile>
#include <QPainter>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFragment>
#include <QTextImageFormat>

#include <gtest/gtest.h>

namespace {

QString s(const char* text)
{
    return QString::fromUtf8(text);
}

// The text as stored: line breaks and no-break spaces stay themselves, paragraphs end in '\n'.
QString RawText(const QTextDocument& doc)
{
    return doc.toRawText().replace(QChar(QChar::ParagraphSeparator), QLatin1Char('\n'));
}

QString Read(const QByteArray& rtf, QTextDocument& doc)
{
    QString error;
    EXPECT_TRUE(ReadRtf(rtf, doc, &error)) << error.toStdString();
    return RawText(doc);
}

QString TextOf(const QByteArray& rtf)
{
    QTextDocument doc;
    return Read(rtf, doc);
}

QByteArray Sample(const char* name)
{
    QFile file(QStringLiteral(ALMARIN_SOURCE_DIR "/tests/richtext/data/") + QLatin1String(name));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name;
    return file.readAll();
}

int PositionOf(const QTextDocument& doc, const QString& text)
{
    return static_cast<int>(doc.toRawText().indexOf(text));
}

QList<QTextImageFormat> Pictures(const QTextDocument& doc)
{
    QList<QTextImageFormat> pictures;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat f = it.fragment().charFormat();
            if (f.isImageFormat())
                pictures.append(f.toImageFormat());
        }
    }
    return pictures;
}

QByteArray Hex(const QByteArray& bytes)
{
    return bytes.toHex();
}

} // namespace

TEST(RtfReaderSnippets, UnicodeSkipCountsAndEscapes)
{
    EXPECT_EQ(TextOf("{\\rtf1 a\\u269?b}"), s("ačb"));
    EXPECT_EQ(TextOf("{\\rtf1\\uc2 a\\u269\\'63\\'3fb}"), s("ačb"));    // two fallback bytes
    EXPECT_EQ(TextOf("{\\rtf1\\uc0 a\\u269 b}"), s("ačb"));             // no fallback at all
    EXPECT_EQ(TextOf("{\\rtf1 {\\uc2 \\u269 xy}\\u270 ?z}"), s("čĎz")); // \uc is scoped to its group
    EXPECT_EQ(TextOf("{\\rtf1 \\u-10179?\\u-8704?}"), s("😀"));          // surrogates as negative numbers
    EXPECT_EQ(TextOf("{\\rtf1 \\{x\\}\\\\ \\~\\endash\\emdash\\lquote\\rquote}"), s("{x}\\ \u00a0–—‘’"));
}

TEST(RtfReaderSnippets, StarDestinationsAndUnreadGroupsAreSkippedWhole)
{
    EXPECT_EQ(TextOf("{\\rtf1 a{\\*\\unknowndest hidden {\\b nested} text}b}"), s("ab"));
    EXPECT_EQ(TextOf("{\\rtf1{\\info{\\title T}{\\author A}}{\\stylesheet{\\s1 Heading;}}x"
                     "{\\header head}{\\footnote note}y}"),
              s("xy"));
    // A field shows its result, not its instruction.
    EXPECT_EQ(TextOf("{\\rtf1 {\\field{\\*\\fldinst HYPERLINK \"x\"}{\\fldrslt link}}}"), s("link"));
    // Unknown control words are ignored, their text kept.
    EXPECT_EQ(TextOf("{\\rtf1\\madeupword12 \\another-5 text}"), s("text"));
}

TEST(RtfReaderSnippets, CodePagesOfTheDocumentAndOfFonts)
{
    // "Привет" in Windows-1251 through the document's code page.
    EXPECT_EQ(TextOf("{\\rtf1\\ansi\\ansicpg1251 \\'cf\\'f0\\'e8\\'e2\\'e5\\'f2}"), s("Привет"));
    // Through the charset of the font in use, next to a Western font.
    const QByteArray fonts = "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0 Arial;}{\\f1\\fcharset204 Arial CYR;}"
                             "{\\f2\\fcharset161 Arial Greek;}{\\f3\\fcharset238 Arial CE;}}";
    EXPECT_EQ(TextOf(fonts + "\\'e9 {\\f1 \\'e4\\'e0} {\\f2 \\'e1\\'e5} {\\f3 \\'b9\\'bf}}"), s("é да αε ąż"));
    EXPECT_EQ(TextOf("{\\rtf1\\ansi\\ansicpg1253 \\'c1\\'e8\\'de\\'ed\\'e1}"), s("Αθήνα"));
    EXPECT_EQ(TextOf("{\\rtf1\\ansi\\ansicpg1250 \\'8a\\'e8}"), s("Šč"));
    // A font name in its own code page.
    QTextDocument doc;
    Read("{\\rtf1{\\fonttbl{\\f1\\fcharset204 \\'c0\\'f0\\'e8\\'e0\\'eb;}}{\\f1 x}}", doc);
    EXPECT_EQ(CharAttributesAt(doc, 0).name, s("Ариал"));
}

TEST(RtfReaderSnippets, NestedGroupsRestoreTheOuterState)
{
    QTextDocument doc;
    Read("{\\rtf1{\\fonttbl{\\f0 Arial;}{\\f1 Times New Roman;}}{\\colortbl;\\red255\\green0\\blue0;}"
         "a{\\b b{\\i\\f1\\fs40\\cf1 c}d}e\\plain\\b f\\cf1 g\\cf0 h}",
         doc);
    EXPECT_EQ(RawText(doc), QStringLiteral("abcdefgh"));
    bool own = true;
    CharAttributesAt(doc, 0, &own);
    EXPECT_FALSE(own);
    EXPECT_EQ(CharAttributesAt(doc, 1).style, fsBold);
    const FontDescription c = CharAttributesAt(doc, 2);
    EXPECT_EQ(c.style, fsBold | fsItalic);
    EXPECT_EQ(c.name, QStringLiteral("Times New Roman"));
    EXPECT_EQ(c.size, 20);
    EXPECT_EQ(c.color, RGBValue(255, 0, 0));
    EXPECT_EQ(CharAttributesAt(doc, 3).style, fsBold);
    EXPECT_EQ(CharAttributesAt(doc, 3).size, 12);
    EXPECT_EQ(CharAttributesAt(doc, 4).style, 0);
    EXPECT_EQ(CharAttributesAt(doc, 6).color, RGBValue(255, 0, 0));
    EXPECT_EQ(CharAttributesAt(doc, 7).color, clBlack); // \cf0 is the default colour
    EXPECT_EQ(doc.defaultFont().family(), QStringLiteral("Arial"));
}

TEST(RtfReaderSnippets, ParagraphPropertiesAndClosingParagraphMark)
{
    QTextDocument doc;
    Read("{\\rtf1\\pard\\qc one\\par\\pard\\qr two\\par\\qj three\\par\\pard four\\par}", doc);
    ASSERT_EQ(doc.blockCount(), 4); // the last \par closes "four"; it opens no empty paragraph
    EXPECT_EQ(doc.findBlockByNumber(0).blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    EXPECT_EQ(doc.findBlockByNumber(1).blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
    EXPECT_EQ(doc.findBlockByNumber(2).blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignJustify);
    EXPECT_EQ(doc.findBlockByNumber(3).blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
    EXPECT_EQ(TextOf("{\\rtf1 a\\line b\\tab c\\par\\par d}"), s("a\u2028b\tc\n\nd"));
}

TEST(RtfReaderSnippets, PictureKinds)
{
    QImage image(6, 4, QImage::Format_RGB32);
    image.fill(QColor(0, 0, 255));
    image.setPixel(0, 0, qRgb(255, 0, 0));
    QByteArray png, jpeg, bmp;
    {
        QBuffer b(&png);
        b.open(QIODevice::WriteOnly);
        image.save(&b, "PNG");
    }
    {
        QBuffer b(&jpeg);
        b.open(QIODevice::WriteOnly);
        image.save(&b, "JPEG", 100);
    }
    {
        QBuffer b(&bmp);
        b.open(QIODevice::WriteOnly);
        image.convertToFormat(QImage::Format_RGB888).save(&b, "BMP");
    }
    const QByteArray dib = bmp.mid(14); // a DIB is a BMP file without its file header
    // A 1-bit device-dependent bitmap, 8 pixels by 2 rows of 2 bytes each.
    const QByteArray ddb = QByteArray::fromHex("f0000f00");

    QTextDocument doc;
    Read("{\\rtf1 a{\\pict\\pngblip\\picw6\\pich4\\picwgoal180\\pichgoal120 " + Hex(png) +
             "}b{\\pict\\jpegblip\\picscalex200\\picscaley50 " + Hex(jpeg) + "}c{\\pict\\dibitmap0\\picw6\\pich4 " +
             Hex(dib) + "}d{\\pict\\wbitmap0\\picw8\\pich2\\wbmbitspixel1\\wbmplanes1\\wbmwidthbytes2 " + Hex(ddb) +
             "}e{\\pict\\pngblip\\bin" + QByteArray::number(png.size()) + " " + png + "}f}",
         doc);
    EXPECT_EQ(RawText(doc).size(), 11);
    const QList<QTextImageFormat> pictures = Pictures(doc);
    ASSERT_EQ(pictures.size(), 5);
    EXPECT_EQ(pictures[0].width(), 12); // 180 twips
    EXPECT_EQ(pictures[0].height(), 8);
    EXPECT_EQ(pictures[1].width(), 12); // scaled by percent
    EXPECT_EQ(pictures[1].height(), 2);
    const QImage fromPng = RichPicture(doc, pictures[0]);
    EXPECT_EQ(fromPng.pixel(0, 0), qRgb(255, 0, 0));
    EXPECT_EQ(fromPng.pixel(3, 2), qRgb(0, 0, 255));
    const QImage fromDib = RichPicture(doc, pictures[2]);
    ASSERT_EQ(fromDib.size(), QSize(6, 4));
    EXPECT_EQ(fromDib.pixel(0, 0), qRgb(255, 0, 0));
    const QImage fromDdb = RichPicture(doc, pictures[3]);
    ASSERT_EQ(fromDdb.size(), QSize(8, 2));
    EXPECT_EQ(fromDdb.pixel(0, 0), qRgb(255, 255, 255));
    EXPECT_EQ(fromDdb.pixel(7, 0), qRgb(0, 0, 0));
    EXPECT_EQ(fromDdb.pixel(7, 1), qRgb(255, 255, 255));
    EXPECT_EQ(RichPicture(doc, pictures[4]).pixel(0, 0), qRgb(255, 0, 0));
}

TEST(RtfReaderSnippets, MetafilePicturesLookAsLibreOfficeDrawsThem)
{
    // A metafile in RTF is a plain WMF (no placeable header) or an EMF, sized by its goal in twips or by
    // its extent in hundredths of a millimetre.
    const QByteArray wmf = DataFile(QStringLiteral("shapes.wmf")).mid(22);
    const QByteArray emf = DataFile(QStringLiteral("shapes.emf"));
    const QImage reference(DataPath(QStringLiteral("shapes.png")));
    ASSERT_FALSE(reference.isNull());
    const QByteArray goal = "\\picwgoal" + QByteArray::number(reference.width() * 15) + "\\pichgoal" +
                            QByteArray::number(reference.height() * 15);
    const QByteArray extent = "\\picw" + QByteArray::number(qRound(reference.width() * 2540.0 / 96)) + "\\pich" +
                              QByteArray::number(qRound(reference.height() * 2540.0 / 96));
    QTextDocument doc;
    Read("{\\rtf1 {\\pict\\wmetafile8" + goal + " " + Hex(wmf) + "}{\\pict\\wmetafile8" + extent + " " + Hex(wmf) +
             "}{\\pict\\emfblip" + extent + " " + Hex(emf) + "}}",
         doc);
    const QList<QTextImageFormat> pictures = Pictures(doc);
    ASSERT_EQ(pictures.size(), 3);
    for (const QTextImageFormat& picture : pictures) {
        EXPECT_NEAR(picture.width(), reference.width(), 1);
        EXPECT_NEAR(picture.height(), reference.height(), 1);
        QImage drawn(reference.size(), QImage::Format_RGB32);
        drawn.fill(Qt::white);
        QPainter painter(&drawn);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(QRect(QPoint(), reference.size()), RichPicture(doc, picture));
        painter.end();
        EXPECT_LT(DifferingShare(drawn, reference), 0.01);
    }
}

TEST(RtfReaderSnippets, ShapePictureIsTakenAndItsFallbackSkipped)
{
    QImage image(2, 2, QImage::Format_RGB32);
    image.fill(Qt::green);
    QByteArray png;
    QBuffer b(&png);
    b.open(QIODevice::WriteOnly);
    image.save(&b, "PNG");
    QTextDocument doc;
    Read("{\\rtf1 x{\\*\\shppict{\\pict\\pngblip " + Hex(png) + "}}{\\nonshppict{\\pict\\wmetafile8 0102}}y}", doc);
    EXPECT_EQ(Pictures(doc).size(), 1);
    EXPECT_EQ(RawText(doc).size(), 3);
    // A picture kind Almarin cannot draw is left out rather than shown broken.
    EXPECT_EQ(TextOf("{\\rtf1 x{\\pict\\wmetafile8 0102}y}"), s("xy"));
}

TEST(RtfReaderSnippets, GarbageAndCutOffInputNeverCrash)
{
    QTextDocument doc;
    QString error;
    EXPECT_FALSE(ReadRtf("plain text", doc, &error));
    EXPECT_TRUE(doc.isEmpty());
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(ReadRtf(QByteArray("\x00\x01\x02{\\rtf", 8), doc, &error));
    // Cut off in the middle: what came before is kept.
    EXPECT_EQ(TextOf("{\\rtf1{\\fonttbl{\\f0 Ari"), QString());
    EXPECT_EQ(TextOf("{\\rtf1 Hello {\\b wor"), s("Hello wor"));
    EXPECT_EQ(TextOf("{\\rtf1 a\\'"), s("a"));
    EXPECT_EQ(TextOf("{\\rtf1 a\\'4"), s("a"));
    EXPECT_EQ(TextOf("{\\rtf1 a\\u"), s("a"));
    EXPECT_EQ(TextOf("{\\rtf1 a\\"), s("a"));
    EXPECT_EQ(TextOf("{\\rtf1 a{\\pict\\pngblip 89504e47"), s("a"));
    EXPECT_EQ(TextOf("{\\rtf1 a{\\pict\\pngblip\\bin999999 xx}"), s("a"));
    EXPECT_EQ(TextOf("{\\rtf1 a\\fs99999999999999999999 b\\u99999999999?c}"), s("ab\uFFFDc"));
    // Text after the document's closing brace does not belong to it.
    EXPECT_EQ(TextOf("{\\rtf1 a}}}b{c"), s("a"));
}

TEST(RtfReaderSnippets, DeepNestingIsBoundedAndLinear)
{
    const int depth = 200000;
    QByteArray rtf = "{\\rtf1 start";
    rtf += QByteArray(depth, '{') + "\\b deep" + QByteArray(depth, '}') + " end}";
    QElapsedTimer timer;
    timer.start();
    const QString text = TextOf(rtf);
    EXPECT_TRUE(text.startsWith(QStringLiteral("start")));
    EXPECT_TRUE(text.endsWith(QStringLiteral(" end")));
    EXPECT_LT(timer.elapsed(), 5000);
}

TEST(RtfReaderLibreOffice, AttributesFontsColoursAndAlignment)
{
    QTextDocument doc;
    Read(Sample("libreoffice-attributes.rtf"), doc);
    EXPECT_EQ(RawText(doc), s("Plain bold italic underlined struck\nred text and big blue\nSerif fourteen mono nine\n"
                              "Centred line\nRight line\nJustified line\u2028after a break\tafter a tab"));
    EXPECT_EQ(CharAttributesAt(doc, PositionOf(doc, s("Plain"))).style, 0);
    EXPECT_EQ(CharAttributesAt(doc, PositionOf(doc, s("Plain"))).name, s("Liberation Sans"));
    EXPECT_EQ(CharAttributesAt(doc, PositionOf(doc, s("bold"))).style, fsBold);
    EXPECT_EQ(CharAttributesAt(doc, PositionOf(doc, s("italic"))).style, fsItalic);
    EXPECT_EQ(CharAttributesAt(doc, PositionOf(doc, s("underlined"))).style, fsUnderline);
    EXPECT_EQ(CharAttributesAt(doc, PositionOf(doc, s("struck"))).style, fsStrikeOut);
    EXPECT_EQ(CharAttributesAt(doc, PositionOf(doc, s("red"))).color, RGBValue(255, 0, 0));
    const FontDescription blue = CharAttributesAt(doc, PositionOf(doc, s("big blue")));
    EXPECT_EQ(blue.color, RGBValue(0, 0, 255));
    EXPECT_EQ(blue.size, 18);
    const FontDescription serif = CharAttributesAt(doc, PositionOf(doc, s("Serif")));
    EXPECT_EQ(serif.name, s("Liberation Serif"));
    EXPECT_EQ(serif.size, 14);
    const FontDescription mono = CharAttributesAt(doc, PositionOf(doc, s("mono")));
    EXPECT_EQ(mono.name, s("Liberation Mono"));
    EXPECT_EQ(mono.size, 9);
    EXPECT_EQ(doc.findBlockByNumber(3).blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    EXPECT_EQ(doc.findBlockByNumber(4).blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
    EXPECT_EQ(doc.findBlockByNumber(5).blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignJustify);
    EXPECT_EQ(doc.findBlockByNumber(0).blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
}

TEST(RtfReaderLibreOffice, PolishGreekRussianAndWesternPunctuation)
{
    QTextDocument doc;
    Read(Sample("libreoffice-scripts.rtf"), doc);
    EXPECT_EQ(RawText(doc), s("Polski: Zażółć gęślą jaźń\nΕλληνικά: Καλημέρα κόσμε\n"
                              "Русский: Съешь же ещё этих мягких французских булок\n"
                              "Euro € and “quotes” — dash"));
    EXPECT_EQ(CharAttributesAt(doc, PositionOf(doc, s("Καλημέρα"))).name, s("Liberation Serif"));
}

TEST(RtfReaderLibreOffice, PicturesFromShapePicturesWithTheirDisplaySize)
{
    QTextDocument doc;
    Read(Sample("libreoffice-pictures.rtf"), doc);
    EXPECT_EQ(RawText(doc), s("Before \uFFFC after\nPhoto \uFFFC end"));
    const QList<QTextImageFormat> pictures = Pictures(doc);
    ASSERT_EQ(pictures.size(), 2);
    EXPECT_EQ(pictures[0].width(), 48);
    EXPECT_EQ(pictures[0].height(), 24);
    const QImage red = RichPicture(doc, pictures[0]);
    ASSERT_EQ(red.size(), QSize(24, 12));
    EXPECT_EQ(red.pixel(3, 3), qRgb(255, 0, 0));
    const QImage blue = RichPicture(doc, pictures[1]);
    ASSERT_EQ(blue.size(), QSize(20, 10));
    EXPECT_GT(qBlue(blue.pixel(5, 5)), 200);
    EXPECT_EQ(doc.findBlockByNumber(1).blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
}
