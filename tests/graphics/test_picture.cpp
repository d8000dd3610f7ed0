#include "graphics/picture.h"
#include "graphics/picturebudget.h"

#include "imagecompare.h"

#include <QBuffer>
#include <QImageWriter>
#include <QPainter>
#include <QTemporaryDir>

#include <functional>

#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

namespace {

QByteArray Le32(quint32 value)
{
    QByteArray bytes;
    for (int i = 0; i < 4; ++i)
        bytes.append(static_cast<char>(value >> (8 * i) & 0xFF));
    return bytes;
}

QByteArray ShortString(const QByteArray& text)
{
    return static_cast<char>(text.size()) + text;
}

// A BMP file of two pixels, red then blue, written out by hand.
const QByteArray kBmp = QByteArray("BM") + Le32(62) + Le32(0) + Le32(54) + Le32(40) + Le32(2) + Le32(1) +
                        QByteArray("\x01\x00\x18\x00", 4) + QByteArray(24, '\0') +
                        QByteArray("\x00\x00\xFF\xFF\x00\x00\x00\x00", 8);
// A placeable metafile of 20 x 10 units at 96 per inch holding nothing but its end.
const QByteArray kWmf = QByteArray("\xD7\xCD\xC6\x9A\0\0\0\0\0\0\x14\0\x0A\0\x60\0\0\0\0\0\0\0", 22) +
                        QByteArray("\x01\0\x09\0\0\x03\x0C\0\0\0\0\0\x03\0\0\0\0\0", 18) +
                        QByteArray("\x03\0\0\0\0\0", 6);
// An icon (type 1) or cursor (type 2) of one red pixel with 32-bit colour and an empty mask.
QByteArray Icon(char type)
{
    return QByteArray("\0\0", 2) + type + QByteArray("\0\x01\0", 3) + QByteArray("\x01\x01\0\0\x01\0\x20\0", 8) +
           Le32(48) + Le32(22) + Le32(40) + Le32(1) + Le32(2) + QByteArray("\x01\0\x20\0", 4) + QByteArray(24, '\0') +
           QByteArray("\0\0\xFF\xFF", 4) + QByteArray(4, '\0');
}

// A drawing of 30 x 20 pixels, kept as vectors.
const QByteArray kSvg = QByteArrayLiteral("<svg xmlns='http://www.w3.org/2000/svg' width='30' height='20' "
                                          "viewBox='0 0 3 2'><rect width='3' height='2' fill='red'/></svg>");

QByteArray Encoded(const QImage& image, const char* format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter(&buffer, format).write(image);
    return bytes;
}

TEST(Picture, DataRoundTripsForEveryKind)
{
    QImage icon(32, 32, QImage::Format_ARGB32);
    icon.fill(qRgba(0, 128, 255, 200));
    struct
    {
        QByteArray file;
        TPicture::Kind kind;
        QByteArray className;
        QSize size;
    } const cases[] = {
        {DataFile(QStringLiteral("baseline.jpg")), TPicture::Kind::Bitmap, "TBitmap", QSize(64, 48)},
        {DataFile(QStringLiteral("shapes.wmf")), TPicture::Kind::Metafile, "TMetafile", QSize(302, 227)},
        {DataFile(QStringLiteral("shapes.emf")), TPicture::Kind::Metafile, "TMetafile", QSize(302, 227)},
        {Encoded(icon, "ico"), TPicture::Kind::Icon, "TIcon", QSize(32, 32)},
        {kSvg, TPicture::Kind::Svg, "TSvgGraphic", QSize(30, 20)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.className.constData());
        TPicture picture;
        ASSERT_TRUE(picture.LoadFromData(c.file));
        EXPECT_EQ(picture.GraphicKind(), c.kind);
        EXPECT_EQ(QSize(picture.Width(), picture.Height()), c.size);
        const QByteArray data = picture.WriteData();
        EXPECT_TRUE(data.startsWith(ShortString(c.className)));
        if (c.kind == TPicture::Kind::Metafile || c.kind == TPicture::Kind::Svg) { // kept exactly as read
            EXPECT_EQ(data, ShortString(c.className) + Le32(c.file.size()) + c.file);
        }
        TPicture again;
        QString error;
        ASSERT_TRUE(again.ReadData(data, &error)) << error.toStdString();
        EXPECT_EQ(again.GraphicKind(), c.kind);
        EXPECT_EQ(QSize(again.Width(), again.Height()), c.size);
        EXPECT_EQ(again.WriteData(), data);
        EXPECT_EQ(again.Image(), picture.Image());
        if (c.kind == TPicture::Kind::Bitmap) { // still 256 colours once stored
            EXPECT_EQ(again.Image().format(), QImage::Format_Indexed8);
        }
    }
}

TEST(Picture, HandBuiltDataReads)
{
    const QRgb red = qRgb(255, 0, 0), blue = qRgb(0, 0, 255);
    TPicture picture;
    ASSERT_TRUE(picture.ReadData(ShortString("TBitmap") + Le32(kBmp.size()) + kBmp));
    EXPECT_EQ(picture.GraphicKind(), TPicture::Kind::Bitmap);
    QImage drawn(100, 50, QImage::Format_RGB32);
    QPainter painter(&drawn);
    picture.StretchDraw(painter, QRectF(0, 0, 100, 50));
    painter.end();
    EXPECT_EQ(drawn.pixel(10, 25), red);
    EXPECT_EQ(drawn.pixel(90, 25), blue);

    ASSERT_TRUE(picture.ReadData(ShortString("TMetafile") + Le32(kWmf.size()) + kWmf));
    EXPECT_EQ(picture.GraphicKind(), TPicture::Kind::Metafile);
    EXPECT_EQ(QSize(picture.Width(), picture.Height()), QSize(20, 10));

    for (char type : {'\x01', '\x02'}) {
        ASSERT_TRUE(picture.ReadData(ShortString("TIcon") + Icon(type))) << int(type);
        EXPECT_EQ(picture.GraphicKind(), TPicture::Kind::Icon);
        EXPECT_EQ(picture.Image().size(), QSize(1, 1));
        EXPECT_EQ(picture.Image().pixel(0, 0), qRgba(255, 0, 0, 255));
    }

    EXPECT_TRUE(picture.ReadData(QByteArray(1, '\0')));
    EXPECT_TRUE(picture.IsEmpty());
    EXPECT_TRUE(picture.WriteData().isEmpty());
}

TEST(Picture, DataIsDecodedOnlyAsTheClassItNames)
{
    // 10000 x 5000 pixels in the header of a file far too short for them.
    QByteArray huge = kBmp;
    huge.replace(18, 8, Le32(10000) + Le32(5000));
    const QByteArray png = Encoded(QImage(2, 2, QImage::Format_RGB32), "png");
    const QByteArray refused[] = {
        ShortString("TJunk") + Le32(kBmp.size()) + kBmp,
        ShortString("TBitmap") + Le32(kBmp.size() + 1) + kBmp,
        ShortString("TBitmap") + Le32(png.size()) + png,
        ShortString("TBitmap") + Le32(huge.size()) + huge,
        ShortString("TMetafile") + Le32(kBmp.size()) + kBmp,
        ShortString("TIcon") + kBmp,
        ShortString("TBitmap").left(4),
        ShortString("TSvgGraphic") + Le32(kBmp.size()) + kBmp,
    };
    TPicture picture;
    ASSERT_TRUE(picture.LoadFromData(kWmf));
    int changes = 0;
    picture.SetOnChange([&changes] { ++changes; });
    for (const QByteArray& data : refused) {
        QString error;
        EXPECT_FALSE(picture.ReadData(data, &error)) << data.left(12).toHex().constData();
        EXPECT_FALSE(error.isEmpty());
    }
    EXPECT_EQ(picture.GraphicKind(), TPicture::Kind::Metafile);
    EXPECT_EQ(changes, 0);
}

// Whether anything opened the file while `action` ran, as the kernel saw it.
bool OpenedDuring(const QString& path, const std::function<void()>& action)
{
    const int watch = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    EXPECT_GE(inotify_add_watch(watch, QFile::encodeName(path).constData(), IN_OPEN), 0);
    action();
    char events[4096];
    const bool opened = read(watch, events, sizeof events) > 0;
    close(watch);
    return opened;
}

QByteArray SvgDataUrl(const QByteArray& svg)
{
    return "data:image/svg+xml;base64," + svg.toBase64();
}

TEST(Picture, SvgDrawingsDrawWithoutWhatLiesOutsideThem)
{
    QTemporaryDir dir;
    const QString secret = dir.filePath(QStringLiteral("secret.svg"));
    const QString fifo = dir.filePath(QStringLiteral("fifo"));
    {
        QFile file(secret);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("<svg xmlns='http://www.w3.org/2000/svg' width='9' height='9'/>");
    }
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QByteArray head = "<svg xmlns='http://www.w3.org/2000/svg' xmlns:xlink='http://www.w3.org/1999/xlink' "
                            "width='20' height='10' viewBox='0 0 20 10'>";
    const QByteArray red = "<rect x='2' width='18' height='10' fill='#f00'/>";
    const auto naming = [&](const QString& path) {
        return head + "<image width='9' height='9' xlink:href='" + QFile::encodeName(path) + "'/></svg>";
    };
    QByteArray huge = kBmp;
    huge.replace(18, 8, Le32(10000) + Le32(5000));
    // Each draws its red part and leaves out one part that reaches outside it or costs too much.
    const QByteArray leavingOut[] = {
        head + red + "<image width='2' height='9' xlink:href='" + QFile::encodeName(secret) + "'/></svg>",
        head + red + "<image width='2' height='9' href='https://example.org/a.png'/></svg>",
        head + red + "<rect width='2' height='9' fill='url(other.svg#g)' stroke='none'/></svg>",
        head + "<style>@import url(a.css);</style>" + red + "</svg>",
        "<?xml-stylesheet type='text/css' href='" + QFile::encodeName(secret) + "'?>" + head + red + "</svg>",
        // Pictures inside pictures that name a file, a FIFO and standard input.
        head + red + "<image width='2' height='9' xlink:href='" + SvgDataUrl(naming(secret)) + "'/></svg>",
        head + red + "<image width='2' height='9' xlink:href='" + SvgDataUrl(naming(fifo)) + "'/></svg>",
        head + red + "<image width='2' height='9' xlink:href='" + SvgDataUrl(naming(QStringLiteral("/dev/stdin"))) +
            "'/></svg>",
        // An inline picture claiming 10000 x 5000 pixels.
        head + red + "<image width='2' height='9' href='data:image/bmp;base64," + huge.toBase64() + "'/></svg>",
    };
    for (const QByteArray& svg : leavingOut) {
        TPictureBudget budget;
        TPicture picture;
        QString error;
        EXPECT_FALSE(OpenedDuring(secret, [&] {
            EXPECT_TRUE(picture.LoadFromData(svg, &error)) << error.toStdString();
        })) << svg.constData();
        EXPECT_EQ(budget.PicturesLeftOutInPart(), 1) << svg.constData();
        QImage drawn(20, 10, QImage::Format_RGB32);
        drawn.fill(Qt::white);
        QPainter painter(&drawn);
        picture.StretchDraw(painter, QRectF(0, 0, 20, 10));
        painter.end();
        EXPECT_EQ(drawn.pixel(10, 5), qRgb(255, 0, 0)) << svg.constData();
    }
    for (const QByteArray& damaged :
         {QByteArray("<svg xmlns='http://www.w3.org/2000/svg' width='9' height='9'><rect></svg>"),
          QByteArray("<svg xmlns='http://www.w3.org/2000/svg'/>")}) {
        QString error;
        EXPECT_FALSE(TPicture().LoadFromData(damaged, &error)) << damaged.constData();
        EXPECT_FALSE(error.isEmpty());
    }
    // References inside the document are fine, raster pictures inside it too.
    TPictureBudget budget;
    TPicture picture;
    ASSERT_TRUE(picture.LoadFromData(
        head +
        "<defs><linearGradient id='g'><stop offset='0' stop-color='#00f'/></linearGradient>"
        "<rect id='r' width='5' height='10' fill='url(#g)'/></defs><use xlink:href='#r'/>"
        "<image x='10' width='10' height='10' preserveAspectRatio='none' xlink:href='data:image/bmp;base64," +
        kBmp.toBase64() + "'/></svg>"));
    EXPECT_EQ(budget.PicturesLeftOutInPart(), 0);
    QImage drawn(40, 20, QImage::Format_RGB32);
    drawn.fill(Qt::white);
    QPainter painter(&drawn);
    picture.StretchDraw(painter, QRectF(0, 0, 40, 20));
    painter.end();
    EXPECT_EQ(drawn.pixel(5, 10), qRgb(0, 0, 255));
    EXPECT_EQ(drawn.pixel(23, 10), qRgb(255, 0, 0));
    EXPECT_EQ(drawn.pixel(37, 10), qRgb(0, 0, 255));
}

// An SVG drawing is vectors drawn at the size of its box: a large own size costs nothing.
TEST(Picture, SvgDrawingOfAnyOwnSizeFillsItsBox)
{
    TPicture picture;
    QString error;
    ASSERT_TRUE(picture.LoadFromData("<svg xmlns='http://www.w3.org/2000/svg' viewBox='0 0 10562 16000'>"
                                     "<rect width='10562' height='16000' fill='#f00'/></svg>",
                                     &error))
        << error.toStdString();
    EXPECT_EQ(QSize(picture.Width(), picture.Height()), QSize(10562, 16000));
    QImage drawn(40, 40, QImage::Format_RGB32);
    drawn.fill(Qt::white);
    QPainter painter(&drawn);
    picture.StretchDraw(painter, QRectF(0, 0, 40, 40));
    painter.end();
    EXPECT_EQ(drawn.pixel(1, 1), qRgb(255, 0, 0));
    EXPECT_EQ(drawn.pixel(38, 38), qRgb(255, 0, 0));
}

TEST(Picture, FilesLoadByContentAndTellTheListener)
{
    QTemporaryDir dir;
    const auto write = [&dir](const QString& name, const QByteArray& bytes) {
        QFile file(dir.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    };
    TPicture picture;
    int changes = 0;
    picture.SetOnChange([&changes] { ++changes; });
    ASSERT_TRUE(picture.LoadFromFile(write(QStringLiteral("clip.bmp"), kWmf)));
    EXPECT_EQ(picture.GraphicKind(), TPicture::Kind::Metafile);
    ASSERT_TRUE(picture.LoadFromFile(write(QStringLiteral("photo.dat"), DataFile(QStringLiteral("cmyk.jpg")))));
    EXPECT_EQ(picture.GraphicKind(), TPicture::Kind::Bitmap);
    EXPECT_EQ(picture.Image().format(), QImage::Format_Indexed8); // JPEG becomes a 256-colour bitmap
    EXPECT_EQ(changes, 2);

    QString error;
    EXPECT_FALSE(picture.LoadFromFile(write(QStringLiteral("notes.wmf"), "plain text"), &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(picture.GraphicKind(), TPicture::Kind::Bitmap);
    EXPECT_EQ(changes, 2);

    TPicture copy(picture);
    EXPECT_EQ(copy.Image(), picture.Image());
    copy.Clear();
    EXPECT_EQ(changes, 2); // the copy has no listener of its own
    picture.Assign(copy);
    EXPECT_TRUE(picture.IsEmpty());
    EXPECT_EQ(changes, 3);
}

} // namespace

TEST(Picture, PicturesOfADocumentShareItsBudget)
{
    // A bitmap and a JPEG, each charged to the document's budget when decoded.
    for (const QByteArray& bytes : {kBmp, Encoded(QImage(64, 64, QImage::Format_RGB32), "JPEG")}) {
        TPictureBudget budget;
        TPicture picture;
        EXPECT_TRUE(picture.LoadFromData(bytes));
        EXPECT_GT(budget.Spent(), 0);
        // Once the document has spent what it may, no further picture is decoded.
        for (int side = 4096; side >= 1; side /= 2) {
            while (budget.Take(QSize(side, side), 32)) {
            }
        }
        EXPECT_FALSE(TPicture().LoadFromData(bytes));
    }
}
