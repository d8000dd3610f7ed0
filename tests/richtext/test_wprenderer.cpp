#include "richtext/wprenderer.h"
#include "richtext/wprtfstorage.h"

#include "support/testsupport.h"

#include "graphics/imagecompare.h"

#include <QDir>
#include <QFile>
#include <QPaintEngine>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextDocument>

#include <gtest/gtest.h>

namespace {

const QByteArray kNote = "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red0\\green0\\blue0;}"
                         "\\f0\\fs40\\cf1 Birthday\\par\\b Party at noon\\par}";

// The bounding box of all non-white pixels.
QRect InkExtent(const QImage& image)
{
    QRect extent;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) != qRgb(255, 255, 255))
                extent |= QRect(x, y, 1, 1);
        }
    }
    return extent;
}

// Counts the text a painting hands to the device, to prove it stays text.
class TextCountingEngine : public QPaintEngine
{
public:
    TextCountingEngine() : QPaintEngine(AllFeatures) {}
    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState&) override {}
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override { ++pictures; }
    void drawPath(const QPainterPath&) override { ++shapes; }
    void drawTextItem(const QPointF&, const QTextItem& item) override { text += item.text(); }
    Type type() const override { return User; }
    QString text;
    int pictures = 0;
    int shapes = 0;
};

class TextCountingDevice : public QPaintDevice
{
public:
    QPaintEngine* paintEngine() const override { return &engine; }
    int metric(PaintDeviceMetric metric) const override
    {
        switch (metric) {
        case PdmWidth:
        case PdmHeight:
            return 1000;
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY:
            return 96;
        case PdmDepth:
            return 32;
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return 1 * QPaintDevice::devicePixelRatioFScale();
        default:
            return 1000;
        }
    }
    mutable TextCountingEngine engine;
};

} // namespace

TEST(WPRenderer, PaintedTextScalesWithTheZoom)
{
    TWPRtfStorage storage;
    ASSERT_TRUE(storage.SetRtfData(kNote));
    TWPRenderer renderer;
    // The same page (300 pixels wide at zoom 100) in a cell of half the size at zoom 50.
    const QImage full = renderer.Image(storage, QSize(300, 120), 100);
    const QImage half = renderer.Image(storage, QSize(150, 60), 50);
    full.save(TestOutputDir(QStringLiteral("richtext")) + QStringLiteral("/zoom100.png"));
    half.save(TestOutputDir(QStringLiteral("richtext")) + QStringLiteral("/zoom50.png"));
    const QRect a = InkExtent(full);
    const QRect b = InkExtent(half);
    ASSERT_FALSE(a.isEmpty());
    ASSERT_FALSE(b.isEmpty());
    EXPECT_NEAR(b.width(), a.width() / 2.0, 3);
    EXPECT_NEAR(b.height(), a.height() / 2.0, 3);
    EXPECT_NEAR(b.left(), a.left() / 2.0, 2);
    EXPECT_NEAR(b.top(), a.top() / 2.0, 2);
}

TEST(WPRenderer, PaintIsClippedToTheTargetAndLaidOutAtThePageWidth)
{
    TWPRtfStorage storage;
    ASSERT_TRUE(storage.SetRtfData("{\\rtf1\\fs48 one two three four five six seven eight nine ten}"));
    QImage image(400, 200, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    // A page 96 pixels wide at zoom 100, of no set height: the words wrap into several lines.
    TWPRenderer::Paint(painter, storage, QRectF(100, 50, 200, 60), 1.0, QSizeF(96, 0));
    painter.end();
    const QRect ink = InkExtent(image);
    ASSERT_FALSE(ink.isEmpty());
    EXPECT_GE(ink.left(), 100);
    EXPECT_GE(ink.top(), 50);
    EXPECT_LE(ink.right(), 100 + 96 + 2); // wrapped at the page width
    EXPECT_GE(ink.bottom(), 100);         // several lines, cut at the target's bottom
    EXPECT_LE(ink.bottom(), 109);
}

// A page that cuts a line shows the lines above it whole and nothing of that line, at every scale, and
// tells that the text does not fit.
TEST(WPRenderer, OnlyLinesThatFitWholeAreDrawn)
{
    TWPRtfStorage storage;
    ASSERT_TRUE(storage.SetRtfData("{\\rtf1\\fs48 one\\par two\\par three\\par four\\par}"));
    const QSizeF tall(200, 400);
    ASSERT_TRUE(TWPRenderer::Fits(storage, tall));
    const auto inkAt = [&](double scale, QSizeF page) {
        QImage image(QSize(200, 400) * scale, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        TWPRenderer::Paint(painter, storage, QRectF(image.rect()), scale, page);
        painter.end();
        return InkExtent(image);
    };
    TWPRtfStorage twoLines;
    ASSERT_TRUE(twoLines.SetRtfData("{\\rtf1\\fs48 one\\par two\\par}"));
    const double line = twoLines.LaidOutDocument(200).size().height() / 2; // lines of one font
    QImage whole(200, 400, QImage::Format_RGB32);
    whole.fill(Qt::white);
    QPainter onWhole(&whole);
    TWPRenderer::Paint(onWhole, twoLines, QRectF(whole.rect()), 1.0, tall);
    onWhole.end();
    const int twoLinesBottom = InkExtent(whole).bottom();
    for (const double fraction : {2.1, 2.5, 2.9}) {
        const QSizeF page(200, line * fraction);
        EXPECT_FALSE(TWPRenderer::Fits(storage, page)) << fraction;
        for (const double scale : {0.6, 1.0, 3.125}) {
            const QRect ink = inkAt(scale, page);
            // Two whole lines: the second line's ink ends where it does on the uncut page.
            EXPECT_NEAR(ink.bottom() / scale, twoLinesBottom, 1.5 + 1 / scale) << fraction << " " << scale;
        }
    }
}

TEST(WPRenderer, CachedImageIsReusedUntilTextSizeOrZoomChanges)
{
    TWPRtfStorage storage;
    ASSERT_TRUE(storage.SetRtfData(kNote));
    TWPRenderer renderer;
    const qint64 first = renderer.Image(storage, QSize(100, 50), 100).cacheKey();
    EXPECT_EQ(renderer.Image(storage, QSize(100, 50), 100).cacheKey(), first);
    EXPECT_NE(renderer.Image(storage, QSize(100, 50), 60).cacheKey(), first);
    EXPECT_NE(renderer.Image(storage, QSize(101, 50), 100).cacheKey(), first);
    ASSERT_TRUE(storage.SetRtfData(kNote));
    EXPECT_NE(renderer.Image(storage, QSize(100, 50), 100).cacheKey(), first);

    // An empty storage paints nothing at all over the cell.
    TWPRtfStorage empty;
    QImage cell(100, 50, QImage::Format_RGB32);
    cell.fill(Qt::red);
    QPainter painter(&cell);
    renderer.PaintCached(painter, empty, QRect(0, 0, 100, 50), 100);
    painter.end();
    EXPECT_EQ(cell.pixel(50, 25), qRgb(255, 0, 0));
}

TEST(WPRenderer, RecordedPictureKeepsTextAsText)
{
    TWPRtfStorage storage;
    ASSERT_TRUE(storage.SetRtfData(kNote));
    const QPicture picture = TWPRenderer::Record(storage, QSize(200, 80));
    EXPECT_EQ(picture.boundingRect(), QRect(0, 0, 200, 80));

    TextCountingDevice device;
    QPainter painter(&device);
    painter.drawPicture(0, 0, picture);
    painter.end();
    EXPECT_TRUE(device.engine.text.contains(QStringLiteral("Birthday")));
    EXPECT_TRUE(device.engine.text.contains(QStringLiteral("Party")));

    // Replayed, the picture covers what the screen image shows.
    QImage replay(200, 80, QImage::Format_RGB32);
    replay.fill(Qt::white);
    QPainter onImage(&replay);
    onImage.drawPicture(0, 0, picture);
    onImage.end();
    TWPRenderer renderer;
    const QRect direct = InkExtent(renderer.Image(storage, QSize(200, 80), 100));
    const QRect replayed = InkExtent(replay);
    EXPECT_NEAR(replayed.left(), direct.left(), 2);
    EXPECT_NEAR(replayed.right(), direct.right(), 3);
    EXPECT_NEAR(replayed.bottom(), direct.bottom(), 3);
}

TEST(WPRenderer, PrintedPictureAppearsInThePdfText)
{
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (pdftotext.isEmpty())
        GTEST_SKIP() << "pdftotext is not installed";
    TWPRtfStorage storage;
    ASSERT_TRUE(storage.SetRtfData(kNote));
    const QPicture picture = TWPRenderer::Record(storage, QSize(300, 120));
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("day.pdf"));
    {
        QPdfWriter writer(pdf);
        writer.setResolution(600);
        QPainter painter(&writer);
        // Stretched into a cell of a printed page, as the report does.
        const QRect cell(600, 600, 1250, 500);
        painter.translate(cell.topLeft());
        painter.scale(cell.width() / 300.0, cell.height() / 120.0);
        painter.drawPicture(0, 0, picture);
    }
    QProcess process;
    process.start(pdftotext, {pdf, QStringLiteral("-")});
    ASSERT_TRUE(process.waitForFinished(20000));
    const QString text = QString::fromUtf8(process.readAllStandardOutput());
    EXPECT_TRUE(text.contains(QStringLiteral("Birthday"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Party at noon"))) << text.toStdString();
}

// A metafile in rich text reaches PDF and printers as the vectors it holds; screens get its picture.
TEST(WPRenderer, RecordedMetafileStaysVectors)
{
    const QByteArray emf = DataFile(QStringLiteral("shapes.emf"));
    ASSERT_FALSE(emf.isEmpty());
    TWPRtfStorage storage;
    ASSERT_TRUE(storage.SetRtfData("{\\rtf1 {\\pict\\emfblip\\picw8000\\pich6000 " + emf.toHex() + "}}"));
    const QPicture picture = TWPRenderer::Record(storage, QSize(400, 300));
    TextCountingDevice device;
    QPainter painter(&device);
    painter.drawPicture(0, 0, picture);
    painter.end();
    EXPECT_EQ(device.engine.pictures, 0);
    EXPECT_GT(device.engine.shapes, 3);
    // On screen it shows as on paper.
    TWPRenderer renderer;
    const QImage screen = renderer.Image(storage, QSize(400, 300), 100);
    QImage replay(400, 300, QImage::Format_RGB32);
    replay.fill(Qt::white);
    QPainter onImage(&replay);
    onImage.drawPicture(0, 0, picture);
    onImage.end();
    EXPECT_LT(DifferingShare(screen, replay), 0.02);
}
