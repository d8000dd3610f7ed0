#include "graphics/jpegdecoder.h"
#include "graphics/jpegwriter.h"

#include "imagecompare.h"

#include <gtest/gtest.h>

namespace {

TEST(JpegDecoder, FilesOfEveryKindDecodeTo256Colours)
{
    const QImage source(DataPath(QStringLiteral("jpegsource.png")));
    for (const char* name : {"baseline.jpg", "progressive.jpg", "greyscale.jpg", "cmyk.jpg"}) {
        SCOPED_TRACE(name);
        QString error;
        const QImage image = DecodeJpeg(DataFile(QString::fromLatin1(name)), &error);
        ASSERT_FALSE(image.isNull()) << error.toStdString();
        EXPECT_EQ(image.format(), QImage::Format_Indexed8);
        EXPECT_LE(image.colorCount(), 256);
        EXPECT_EQ(image.size(), source.size());
        // Against the source, in JPEG's own grey for the grey file; dithering averages out over the blocks.
        QImage expected = source.convertToFormat(QImage::Format_RGB32);
        if (QByteArray(name) == "greyscale.jpg") {
            for (int y = 0; y < expected.height(); ++y) {
                for (int x = 0; x < expected.width(); ++x) {
                    const QRgb p = expected.pixel(x, y);
                    const int luma = qRound(0.299 * qRed(p) + 0.587 * qGreen(p) + 0.114 * qBlue(p));
                    expected.setPixel(x, y, qRgb(luma, luma, luma));
                }
            }
        }
        EXPECT_LT(DifferingShare(image, expected, 24), 0.02);
    }
}

TEST(JpegDecoder, DamagedCutOrOversizedFilesAreRefused)
{
    const QByteArray whole = DataFile(QStringLiteral("baseline.jpg"));
    QString error;
    EXPECT_TRUE(DecodeJpeg(whole.left(whole.size() / 2), &error).isNull());
    EXPECT_EQ(error, QStringLiteral("There are warnings"));

    // 10000 x 5000 in the frame header: refused before the pixels are allocated.
    QByteArray oversized = whole;
    const qsizetype frame = oversized.indexOf("\xFF\xC0");
    ASSERT_GT(frame, 0);
    oversized.replace(frame + 5, 4, QByteArray("\x13\x88\x27\x10", 4));
    EXPECT_TRUE(DecodeJpeg(oversized, &error).isNull());
    EXPECT_EQ(error, QStringLiteral("The picture is too large"));

    for (const QByteArray& bytes : {QByteArray(), QByteArray("not a JPEG file"), whole.left(20)}) {
        error.clear();
        EXPECT_TRUE(DecodeJpeg(bytes, &error).isNull());
        EXPECT_FALSE(error.isEmpty());
    }
}

TEST(JpegDecoder, QualityHundredRoundTripsVisually)
{
    const QImage source(DataPath(QStringLiteral("jpegsource.png")));
    const QImage decoded = DecodeJpeg(EncodeJpeg(source, 100));
    EXPECT_LT(DifferingShare(decoded, source, 24), 0.02);
}

} // namespace
