#include "surfacetesting.h"

#include "document/image/qimage.h"
#include "editor/image/qimagebrowser.h"

#include "editor/image/imagemenu.h"
#include "editor/objectmenu.h"
#include "editor/qbasepanel.h"
#include "platform/messages.h"
#include "report/reportprinter.h"
#include "stream/componentio.h"
#include "stream/streamerror.h"
#include "support/testsupport.h"

#include <QAction>
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QMenu>
#include <QPainter>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace {

const QByteArray kSvg = QByteArrayLiteral(
    "<svg xmlns='http://www.w3.org/2000/svg' width='60' height='20' viewBox='0 0 60 20'>"
    "<rect width='30' height='20' fill='#ff0000'/><rect x='30' width='30' height='20' fill='#0000ff'/></svg>");

QByteArray GraphicsData(const char* name)
{
    QFile file(QStringLiteral(ALMARIN_SOURCE_DIR "/tests/graphics/data/") + QLatin1String(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A bitmap whose four quarters differ, so that any mirroring shows.
QImage Quarters(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.fillRect(0, 0, width / 2, height / 2, Qt::red);
    painter.fillRect(width / 2, 0, width - width / 2, height / 2, Qt::green);
    painter.fillRect(0, height / 2, width / 2, height - height / 2, Qt::blue);
    painter.fillRect(width / 2, height / 2, width - width / 2, height - height / 2, Qt::yellow);
    return image;
}

TPicture Bitmap(int width, int height)
{
    TPicture picture;
    picture.SetBitmap(Quarters(width, height));
    return picture;
}

TPicture FromData(const QByteArray& bytes)
{
    TPicture picture;
    EXPECT_TRUE(picture.LoadFromData(bytes));
    return picture;
}

TQImage* AddImage(SurfaceWindow& w, QRect bounds)
{
    auto* image = new TQImage;
    w.surface->PlaceObject(image, TRect::fromQRect(bounds));
    QCoreApplication::processEvents();
    return image;
}

QImage Painted(TQImage& image)
{
    QImage canvas(image.size(), QImage::Format_RGB32);
    canvas.fill(Qt::gray);
    QPainter painter(&canvas);
    image.PaintTo(painter, 0, 0);
    return canvas;
}

TEST(ImageObject, AutoSizeTakesThePictureSizeAtTheZoomAndStretchLeavesTheBounds)
{
    SurfaceWindow w;
    TQImage* image = AddImage(w, QRect(10, 10, 105, 105));
    image->SetPicture(Bitmap(40, 30));
    EXPECT_EQ(image->size(), QSize(105, 105)); // stretched, the picture fills the object
    QSignalSpy changed(w.surface, &TQBasePanel::LabelChangedEvent);
    image->SetAutoSize(true);
    EXPECT_EQ(image->ScreenRect(), QRect(10, 10, 40, 30));
    EXPECT_FALSE(image->Stretch());
    EXPECT_GE(changed.count(), 1);

    SurfaceOf(*image)->SetScale(0.5f);
    EXPECT_EQ(image->ScreenRect().size(), QSize(20, 15));
    image->SetAutoSize(false);
    SurfaceOf(*image)->SetScale(1.0f);
    image->resize(80, 90);
    image->SetAutoSize(true);
    SurfaceOf(*image)->SetScale(0.5f);
    EXPECT_EQ(image->ScreenRect().size(), QSize(20, 15));

    // "Stretch to Fit" clears AutoSize and keeps the size: one change of the document.
    SurfaceOf(*image)->SetScale(1.0f);
    QCoreApplication::processEvents();
    changed.clear();
    QAction* stretch = MenuItem(ObjectMenu(image), QStringLiteral("Stretch to Fit"));
    ASSERT_NE(stretch, nullptr);
    stretch->trigger();
    EXPECT_TRUE(image->Stretch());
    EXPECT_FALSE(image->AutoSize());
    EXPECT_EQ(image->size(), QSize(40, 30));
    EXPECT_EQ(changed.count(), 1);
}

TEST(ImageObject, MenuChecksAndMirroringOnlyForBitmaps)
{
    SurfaceWindow w;
    TQImage* image = AddImage(w, QRect(0, 0, 60, 40));
    QMenu* menu = ObjectMenu(image);
    const QList<QAction*> items = menu->actions();
    QStringList own;
    for (qsizetype i = items.size() - 8; i < items.size(); ++i)
        own << (items[i]->isSeparator() ? QStringLiteral("-") : items[i]->text());
    EXPECT_EQ(own,
              Texts({"-", "Load Image From Disk", "-", "Border", "Stretch to Fit", "AutoSize", "Flip", "Reverse"}));

    struct
    {
        const char* kind;
        TPicture picture;
        bool mirrors;
    } const cases[] = {
        {"bitmap", Bitmap(4, 4), true},
        {"metafile", FromData(GraphicsData("shapes.wmf")), false},
        {"enhanced metafile", FromData(GraphicsData("shapes.emf")), false},
        {"svg", FromData(kSvg), false},
        {"none", TPicture(), false},
    };
    image->SetBorderStyle(TQImage::bsSingle);
    image->SetFlip(true);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.kind);
        image->SetPicture(c.picture);
        RefreshMenu(menu);
        EXPECT_EQ(MenuItem(menu, QStringLiteral("Flip"))->isEnabled(), c.mirrors);
        EXPECT_EQ(MenuItem(menu, QStringLiteral("Reverse"))->isEnabled(), c.mirrors);
        EXPECT_TRUE(MenuItem(menu, QStringLiteral("Border"))->isChecked());
        EXPECT_TRUE(MenuItem(menu, QStringLiteral("Flip"))->isChecked());
        EXPECT_FALSE(MenuItem(menu, QStringLiteral("Reverse"))->isChecked());
    }
}

TEST(ImageObject, PaintsThePictureMirroredFramedOrAsAnEmptyBox)
{
    SurfaceWindow w;
    TQImage* image = AddImage(w, QRect(0, 0, 40, 30));
    const QImage source = Quarters(40, 30);
    image->SetPicture(Bitmap(40, 30));
    for (const bool flip : {false, true}) {
        for (const bool reverse : {false, true}) {
            SCOPED_TRACE(testing::Message() << "flip " << flip << " reverse " << reverse);
            image->SetFlip(flip);
            image->SetReverse(reverse);
            EXPECT_EQ(Painted(*image), source.mirrored(reverse, flip));
        }
    }
    image->SetBorderStyle(TQImage::bsSingle);
    const QImage framed = Painted(*image);
    for (const QPoint p : {QPoint(0, 0), QPoint(39, 29), QPoint(20, 0), QPoint(0, 15), QPoint(39, 15)})
        EXPECT_EQ(framed.pixel(p), qRgb(0, 0, 0)) << p.x() << "," << p.y();
    EXPECT_EQ(framed.pixel(1, 1), source.mirrored(true, true).pixel(1, 1));

    image->SetPicture(TPicture());
    image->SetBorderStyle(TQImage::bsNone);
    const QImage empty = Painted(*image);
    EXPECT_EQ(empty.pixel(0, 0), qRgb(0, 0, 0));
    EXPECT_EQ(empty.pixel(39, 29), qRgb(0, 0, 0));
    EXPECT_EQ(empty.pixel(20, 15), qRgb(255, 255, 255));
}

TEST(ImageObject, StoredAsPictureDataAndCheckedWhenRead)
{
    SurfaceWindow w;
    TQImage* image = AddImage(w, QRect(10, 20, 40, 30));
    image->SetPicture(FromData(kSvg));
    image->SetAutoSize(true);
    image->SetBorderStyle(TQImage::bsSingle);
    image->SetReverse(true);
    SurfaceOf(*image)->SetScale(0.5f); // as the clipboard keeps objects: at the zoom they were copied at
    TStreamWriter writer;
    WriteComponent(writer, *image);
    const QByteArray bytes = writer.Data();
    // The picture's entry stands where its property does, before the switches.
    const qsizetype data = bytes.indexOf("\x0CPicture.Data"), autoSize = bytes.indexOf("\x08"
                                                                                       "AutoSize");
    EXPECT_TRUE(data > 0 && autoSize > data) << data << " " << autoSize;

    TStreamReader reader(bytes);
    QSignalSpy changed(w.surface, &TQBasePanel::LabelChangedEvent);
    std::unique_ptr<QObject> read(ReadComponent(reader, TQBasePanel::ObjectClasses(), w.surface));
    auto* copy = qobject_cast<TQImage*>(read.get());
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->ScreenRect(), QRect(5, 10, 30, 10));
    EXPECT_EQ(copy->Picture().GraphicKind(), TPicture::Kind::Svg);
    EXPECT_EQ(copy->Picture().WriteData(), image->Picture().WriteData());
    EXPECT_TRUE(copy->AutoSize() && !copy->Stretch());
    EXPECT_EQ(copy->BorderStyle(), TQImage::bsSingle);
    EXPECT_TRUE(copy->Reverse() && !copy->Flip());
    EXPECT_EQ(changed.count(), 0);

    // A picture that cannot be read leaves an empty frame and is saved back as it was; a border style out
    // of range gives way to none and is noted. The rest of the record is read either way.
    const struct
    {
        QByteArray from, to;
        bool pictureKept;
        QStringList ignored;
    } damage[] = {
        {"TSvgGraphic", "TSvgGraphix", false, {}},
        {"</svg>", "</svh>", false, {}},
        {QByteArray("\x07\x08"
                    "bsSingle"),
         QByteArray("\x02\x07"),
         true,
         {QStringLiteral("BorderStyle 7")}},
    };
    for (const auto& d : damage) {
        QByteArray broken = bytes;
        const qsizetype at = broken.indexOf(d.from);
        ASSERT_GE(at, 0) << d.from.constData();
        broken.replace(at, d.from.size(), d.to);
        TStreamReader brokenReader(broken);
        std::unique_ptr<TQImage> read(
            qobject_cast<TQImage*>(ReadComponent(brokenReader, TQBasePanel::ObjectClasses(), w.surface)));
        ASSERT_NE(read, nullptr) << d.from.constData();
        EXPECT_TRUE(read->Reverse());
        EXPECT_EQ(read->IgnoredValues(), d.ignored);
        EXPECT_EQ(read->Picture().IsEmpty(), !d.pictureKept);
        EXPECT_EQ(read->PicturesNotShown(), d.pictureKept ? 0 : 1);
        if (!d.pictureKept) {
            TStreamWriter again;
            WriteComponent(again, *read);
            EXPECT_EQ(again.Data(), broken);
        }
    }
}

// Answers the next image browser: goes to the folder, chooses the file (if any), ticks the boxes and
// ends with OK or Cancel.
void AnswerBrowser(const QString& folder, const QString& file, bool stretch, bool autoSize, bool ok)
{
    WhenModalShown<TQImageBrowser>([=](TQImageBrowser* browser) {
        browser->SetDirectory(folder);
        auto* files = browser->findChild<QListWidget*>(QStringLiteral("FileListBox1"));
        const QList<QListWidgetItem*> found = files->findItems(file, Qt::MatchExactly);
        if (!file.isEmpty() && !found.isEmpty())
            files->setCurrentItem(found.first());
        browser->SetStretch(stretch);
        browser->SetAutoSize(autoSize);
        browser->findChild<QPushButton*>(QString::fromLatin1(ok ? "OKButton" : "Cancelbutton"))->click();
    });
}

TEST(ImageObject, BrowserChoicesAndTheCurrentFolder)
{
    QTemporaryDir folder;
    const auto write = [&folder](const char* name, const QByteArray& bytes) {
        QFile file(folder.filePath(QLatin1String(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    };
    write("photo.JPG", GraphicsData("baseline.jpg"));
    write("shapes.wmf", GraphicsData("shapes.wmf"));
    write("drawing.svg", kSvg);
    write("broken.bmp", "BM not really");
    write("notes.txt", "not a picture");
    QStringList errors;
    SetMessageResponder([&errors](MessageKind kind, const QString& text, const QString&) {
        if (kind == MessageKind::Error)
            errors << text;
        return true;
    });
    const QString currentFolder = QDir::currentPath();

    SurfaceWindow w;
    TQImage* image = AddImage(w, QRect(5, 5, 105, 105));
    image->SetPicture(Bitmap(8, 8));
    const QByteArray before = image->Picture().WriteData();
    struct
    {
        const char* file;
        bool ok;
        TPicture::Kind kind; // Empty: the object keeps its picture
    } const cases[] = {
        {"photo.JPG", false, TPicture::Kind::Empty},
        {"", true, TPicture::Kind::Empty},
        {"broken.bmp", true, TPicture::Kind::Empty},
        {"notes.txt", true, TPicture::Kind::Empty}, // not offered at all
        {"shapes.wmf", true, TPicture::Kind::Metafile},
        {"drawing.svg", true, TPicture::Kind::Svg},
        {"photo.JPG", true, TPicture::Kind::Bitmap},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        AnswerBrowser(folder.path(), QLatin1String(c.file), false, false, c.ok);
        TImageMenu::LoadImageFromDisk(*image);
        EXPECT_EQ(QDir::currentPath(), currentFolder);
        if (c.kind == TPicture::Kind::Empty) {
            EXPECT_EQ(image->Picture().WriteData(), before);
            continue;
        }
        EXPECT_EQ(image->Picture().GraphicKind(), c.kind);
        EXPECT_FALSE(image->Stretch() || image->AutoSize()); // both kept as the browser had them
    }
    EXPECT_EQ(errors, Texts({"Error loading file!"}));
    // A JPEG is placed as a 256-colour bitmap.
    EXPECT_EQ(image->Picture().Image().format(), QImage::Format_Indexed8);
    EXPECT_EQ(image->size(), QSize(105, 105));
    // Both switches off, as the browser left them, are read back off.
    TStreamWriter writer;
    WriteComponent(writer, *image);
    TStreamReader reader(writer.Data());
    std::unique_ptr<QObject> read(ReadComponent(reader, TQBasePanel::ObjectClasses(), w.surface));
    auto* copy = qobject_cast<TQImage*>(read.get());
    ASSERT_NE(copy, nullptr);
    EXPECT_FALSE(copy->Stretch() || copy->AutoSize());

    // AutoSize ticked in the browser sizes the object to the picture.
    AnswerBrowser(folder.path(), QStringLiteral("drawing.svg"), false, true, true);
    TImageMenu::LoadImageFromDisk(*image);
    EXPECT_EQ(image->size(), QSize(60, 20));

    // A new object whose browser is cancelled leaves the page; one given a picture stays.
    for (const bool ok : {false, true}) {
        auto* fresh = new TQImage;
        w.surface->PlaceObject(fresh, {200, 200, 305, 305});
        QPointer<TQImage> watch(fresh);
        AnswerBrowser(folder.path(), QStringLiteral("shapes.wmf"), true, false, ok);
        TImageMenu::AskForPicture(fresh);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_EQ(!watch.isNull(), ok);
        EXPECT_EQ(w.surface->PlacedObjects().contains(fresh), ok);
    }
    SetMessageResponder({});
}

} // namespace

TEST(ImageObject, PrintsDrawingsAsVectorsAndIconsAsImages)
{
    SurfaceWindow w;
    AddImage(w, QRect(10, 10, 200, 60))->SetPicture(FromData(kSvg));
    AddImage(w, QRect(220, 10, 100, 80))->SetPicture(FromData(GraphicsData("shapes.wmf")));
    QImage red(32, 32, QImage::Format_ARGB32);
    red.fill(Qt::red);
    QByteArray ico;
    QBuffer buffer(&ico);
    buffer.open(QIODevice::WriteOnly);
    red.save(&buffer, "ICO");
    TQImage* icon = AddImage(w, QRect(10, 100, 64, 64));
    icon->SetPicture(FromData(ico));
    ASSERT_EQ(icon->Picture().GraphicKind(), TPicture::Kind::Icon);

    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("images.pdf"));
    {
        TReportPrinter report;
        report.SetOutputFileName(pdf);
        ASSERT_TRUE(report.Execute([&](TReportPrinter& r) { w.surface->PrintObjects(r, 0, 0); }));
    }
    // The icon is the one image in the file: the drawing and the metafile are vectors.
    QProcess images;
    images.start(QStringLiteral("pdfimages"), {QStringLiteral("-list"), pdf});
    ASSERT_TRUE(images.waitForFinished());
    const QList<QByteArray> rows = images.readAllStandardOutput().trimmed().split('\n');
    ASSERT_EQ(rows.size(), 3) << "two header lines and one image";
    EXPECT_TRUE(rows[2].simplified().split(' ').value(3) == "32") << rows[2].constData(); // its width
}
