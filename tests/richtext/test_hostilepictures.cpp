// Rich text from strangers: pictures decoded only as their control word says, within the picture budget,
// bytes that could not be read kept for saving, and long texts read without being laid out.
#include "graphics/picturebudget.h"
#include "richtext/droppedimages.h"
#include "richtext/richdocument.h"
#include "richtext/rtfreader.h"
#include "richtext/wprichtext.h"
#include "richtext/wprtfstorage.h"

#include <QBuffer>
#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextImageFormat>
#include <QTextLayout>
#include <QUrl>

#include <gtest/gtest.h>

namespace {

QByteArray Encoded(const QImage& image, const char* format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

QImage Filled(int width, int height, QImage::Format format = QImage::Format_RGB32)
{
    QImage image(width, height, format);
    image.fill(0);
    return image;
}

QByteArray Pict(const char* words, const QByteArray& data)
{
    return "{\\pict" + QByteArray(words) + " " + data.toHex() + "}";
}

QByteArray Rtf(const QByteArray& body)
{
    return "{\\rtf1\\ansi a" + body + "b}";
}

QList<QTextImageFormat> Pictures(const QTextDocument& doc)
{
    QList<QTextImageFormat> pictures;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            if (it.fragment().charFormat().isImageFormat())
                pictures.append(it.fragment().charFormat().toImageFormat());
        }
    }
    return pictures;
}

// An SVG that would read a file of the user's if it were ever rendered.
const QByteArray kSvg = "<svg xmlns=\"http://www.w3.org/2000/svg\" xmlns:xlink=\"http://www.w3.org/1999/xlink\" "
                        "width=\"4000\" height=\"4000\"><image xlink:href=\"/nonexistent/photo.png\" "
                        "width=\"4000\" height=\"4000\"/></svg>";

// Over 40 megapixels, as one bit a pixel: a few kilobytes.
const QByteArray& HugePng()
{
    static const QByteArray png = Encoded(Filled(8000, 5001, QImage::Format_Mono), "PNG");
    return png;
}

// A small JPEG whose frame header claims 5600 × 5600 pixels: 700 bytes that would decode to 125 MB.
QByteArray JpegClaiming(int width, int height)
{
    QByteArray jpeg = Encoded(Filled(8, 8), "JPEG");
    const qsizetype sof = jpeg.indexOf("\xFF\xC0");
    jpeg[sof + 5] = char(height >> 8);
    jpeg[sof + 6] = char(height & 0xFF);
    jpeg[sof + 7] = char(width >> 8);
    jpeg[sof + 8] = char(width & 0xFF);
    return jpeg;
}

} // namespace

TEST(HostilePictures, DecodedOnlyAsTheControlWordSays)
{
    const QImage image = Filled(4, 4);
    const QByteArray png = Encoded(image, "PNG");
    const QByteArray jpeg = Encoded(image, "JPEG");
    const QByteArray dib = Encoded(image, "BMP").mid(14);
    const struct
    {
        QByteArray group;
        bool shown;
    } cases[] = {{Pict("\\pngblip", png), true},   {Pict("\\jpegblip", jpeg), true},
                 {Pict("\\dibitmap0", dib), true}, {Pict("\\jpegblip", png), false},
                 {Pict("\\pngblip", jpeg), false}, {Pict("\\dibitmap0", png), false},
                 {Pict("\\pngblip", kSvg), false}, {Pict("\\wmetafile8", png), false},
                 {Pict("\\emfblip", png), false},  {Pict("", png), false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.group.left(24).toStdString());
        QTextDocument doc;
        TRtfReadInfo info;
        ASSERT_TRUE(ReadRtf(Rtf(c.group), doc, info));
        EXPECT_EQ(Pictures(doc).size(), c.shown ? 1 : 0);
        EXPECT_EQ(info.picturesNotShown, c.shown ? 0 : 1);
        EXPECT_EQ(info.Whole(), c.shown);
    }
}

TEST(HostilePictures, PicturesBeyondTheLimitsAreEmptyFramesAndNotDecoded)
{
    TPictureBudget budget;
    QTextDocument doc;
    TRtfReadInfo info;
    // Over 40 megapixels: a frame of its display size.
    ASSERT_TRUE(ReadRtf(Rtf(Pict("\\pngblip\\picwgoal1500\\pichgoal750", HugePng())), doc, info));
    ASSERT_EQ(Pictures(doc).size(), 1);
    EXPECT_EQ(Pictures(doc)[0].width(), 100);
    EXPECT_EQ(Pictures(doc)[0].height(), 50);
    EXPECT_LT(RichPicture(doc, Pictures(doc)[0]).width(), 8000);
    // A header claiming more pixels than its bytes can hold is damage.
    ASSERT_TRUE(ReadRtf(Rtf(Pict("\\jpegblip", JpegClaiming(5600, 5600))), doc, info));
    EXPECT_TRUE(Pictures(doc).isEmpty());
    EXPECT_EQ(info.picturesNotShown, 1);
    EXPECT_EQ(budget.Spent(), 0);

    // What is left of the budget is shared by all the reads while it is open.
    for (const QSize charged : {QSize(8000, 5000), QSize(5000, 5000), QSize(2000, 1000)})
        ASSERT_TRUE(budget.Take(charged, 32));
    const qint64 spent = budget.Spent();
    ASSERT_LT(TPictureBudget::kMaxDecodedBytes - spent, 400 * 400 * 4);
    ASSERT_TRUE(ReadRtf(
        Rtf(Pict("\\pngblip", Encoded(Filled(400, 400), "PNG")) + Pict("\\pngblip", Encoded(Filled(16, 16), "PNG"))),
        doc, info));
    const QList<QTextImageFormat> pictures = Pictures(doc);
    ASSERT_EQ(pictures.size(), 2);
    EXPECT_EQ(pictures[0].width(), 400); // the stated size, without a goal size
    EXPECT_EQ(info.picturesNotShown, 1);
    EXPECT_EQ(RichPicture(doc, pictures[1]).size(), QSize(16, 16));
    EXPECT_EQ(budget.Spent(), spent + 16 * 16 * 4);
}

TEST(HostilePictures, BytesThatCouldNotBeReadWholeAreKeptUntilTheTextChanges)
{
    const QByteArray tooLong = "{\\rtf1 " + QByteArray(16 * 1024 * 1024, 'x') + "}";
    const QByteArray cases[] = {"<html>not rtf</html>",
                                "{\\rtf1 cut {\\b off",
                                Rtf(Pict("\\wmetafile8", "0102")),
                                Rtf(Pict("\\jpegblip", Encoded(Filled(4, 4), "PNG"))),
                                Rtf(Pict("\\pngblip", HugePng())),
                                tooLong};
    TWPRichText editor;
    for (const QByteArray& bytes : cases) {
        SCOPED_TRACE(bytes.left(24).toStdString());
        TWPRtfStorage storage;
        storage.SetRtfData(bytes);
        EXPECT_TRUE(storage.KeepsUnreadBytes());
        EXPECT_EQ(storage.RtfData(), bytes);
        TWPRtfStorage copy;
        copy.Assign(storage);
        EXPECT_EQ(copy.RtfData(), bytes);
        // Opened in the editor and left unchanged: still the same bytes.
        editor.LoadFrom(storage);
        editor.SaveTo(storage);
        EXPECT_EQ(storage.RtfData(), bytes);
        // Edited: the text as it now stands.
        editor.AppendParagraph(QStringLiteral("new"), FontDescription());
        editor.SaveTo(storage);
        EXPECT_FALSE(storage.KeepsUnreadBytes());
        EXPECT_NE(storage.RtfData(), bytes);
        EXPECT_TRUE(storage.PlainText().endsWith(QStringLiteral("new")));
    }
    TWPRtfStorage whole;
    whole.SetRtfData("{\\rtf1 fine}");
    EXPECT_FALSE(whole.KeepsUnreadBytes());
}

TEST(HostilePictures, ReadingLaysNothingOut)
{
    // Laying out while reading made a long text cost the square of its length.
    QByteArray rtf = "{\\rtf1\\ansi ";
    for (int i = 0; i < 100000; ++i)
        rtf += "x\\par\n";
    rtf += "}";
    TWPRtfStorage storage;
    ASSERT_TRUE(storage.SetRtfData(rtf));
    EXPECT_EQ(storage.Document().blockCount(), 100000);
    int laidOut = 0;
    for (QTextBlock block = storage.Document().begin(); block.isValid(); block = block.next())
        laidOut += block.layout()->lineCount() > 0 ? 1 : 0;
    EXPECT_EQ(laidOut, 0);
}

// Two million paragraphs in any text (a day, a rich label) stop at the most a text may have; the bytes
// stay as they were.
TEST(HostilePictures, TextsStopAtTheMostParagraphsAnyoneWrites)
{
    QByteArray rtf = "{\\rtf1\\ansi ";
    for (int i = 0; i < 2000000; ++i)
        rtf += "x\\par\n";
    rtf += "}";
    TWPRtfStorage storage;
    ASSERT_TRUE(storage.SetRtfData(rtf));
    EXPECT_EQ(storage.Document().blockCount(), 200000);
    EXPECT_FALSE(storage.LastError().isEmpty());
    EXPECT_TRUE(storage.KeepsUnreadBytes());
    EXPECT_EQ(storage.RtfData(), rtf);
}

TEST(HostilePictures, DropsTakeOnlyPicturesOfTheirNamedKind)
{
    QTemporaryDir dir;
    const QByteArray png = Encoded(Filled(4, 4), "PNG");
    auto file = [&](const char* name, const QByteArray& bytes) {
        QFile out(dir.filePath(QLatin1String(name)));
        EXPECT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(bytes);
        return QUrl::fromLocalFile(out.fileName());
    };
    const struct
    {
        const char* type; // image data of this type, or a file of this name
        QByteArray bytes;
        bool taken;
    } cases[] = {{"image/png", png, true}, {"image/jpeg", png, false},   {"image/svg+xml", kSvg, false},
                 {"dot.png", png, true},   {"drawing.png", kSvg, false}, {"drawing.svg", kSvg, false},
                 {"photo.jpg", png, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.type);
        QMimeData mime;
        if (QByteArray(c.type).startsWith("image/"))
            mime.setData(QLatin1String(c.type), c.bytes);
        else
            mime.setUrls({file(c.type, c.bytes)});
        EXPECT_EQ(DroppedImages(&mime).size(), c.taken ? 1 : 0);
        if (c.taken) {
            EXPECT_TRUE(CarriesImages(&mime));
        }
    }
}

TEST(HostilePictures, HtmlPastedIntoTheEditorReadsNoFileAndNoDataAddress)
{
    QTemporaryDir dir;
    QFile picture(dir.filePath(QStringLiteral("photo.png")));
    ASSERT_TRUE(picture.open(QIODevice::WriteOnly));
    picture.write(Encoded(Filled(30, 20), "PNG"));
    picture.close();
    const QString fileAddress = QUrl::fromLocalFile(picture.fileName()).toString();
    const QString dataAddress =
        QStringLiteral("data:image/png;base64,") + QString::fromLatin1(Encoded(Filled(30, 20), "PNG").toBase64());
    TWPRichText editor;
    editor.show();
    auto* mime = new QMimeData;
    mime->setHtml(QStringLiteral("<p>Hi<img src=\"%1\"><img src=\"%2\"></p>").arg(fileAddress, dataAddress));
    QGuiApplication::clipboard()->setMimeData(mime);
    QTest::keyClick(editor.viewport(), Qt::Key_V, Qt::ControlModifier);
    editor.grab();
    ASSERT_TRUE(editor.PlainText().startsWith(QStringLiteral("Hi")));
    const QTextDocument& text = editor.Document();
    for (const QString& address : {fileAddress, dataAddress})
        EXPECT_FALSE(text.resource(QTextDocument::ImageResource, QUrl(address)).isValid())
            << address.left(40).toStdString();
}
