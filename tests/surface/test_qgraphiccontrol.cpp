#include "surfacetesting.h"

#include "editor/qhandle.h"
#include "editor/tickcount.h"

#include "editor/objectmenu.h"
#include "report/reportprinter.h"
#include "stream/componentio.h"
#include "stream/namedcursors.h"
#include "support/testsupport.h"

#include <QAction>
#include <QMenu>
#include <QPainter>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// Counts the deferred calls posted to the surface (the refits of the handle).
class PostedCalls : public QObject
{
public:
    explicit PostedCalls(QObject* target) { target->installEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::MetaCall)
            ++count;
        return false;
    }
};

QStringList storedPropertyNames(const QObject& object)
{
    TStreamWriter writer;
    WriteComponent(writer, object);
    TStreamReader reader(writer.Data());
    reader.ReadComponentHeader();
    QStringList names;
    while (!reader.EndOfList()) {
        names.append(reader.ReadPropertyName());
        reader.SkipValue();
    }
    return names;
}

} // namespace

TEST(PlacedObject, MenuCaptionsInOrder)
{
    SurfaceWindow w;
    TTestBox* box = w.AddBox(10, 10, 50, 30);
    ASSERT_NE(ObjectMenu(box), nullptr);
    QStringList captions;
    for (QAction* action : ObjectMenu(box)->actions())
        captions.append(action->isSeparator() ? QStringLiteral("-") : action->text());
    EXPECT_EQ(captions, Texts({"Bring To Front", "Send To Back", "Cut", "Copy", "Delete", "Clone", "-", "Locked",
                               "Unselectable", "-", "Center Vertically", "Center Horizontally"}));
    EXPECT_TRUE(LockedMenuItem(box)->isCheckable());
    EXPECT_EQ(box->LoadedCount, 1);
}

TEST(PlacedObject, LockedAndUnselectableFromTheMenu)
{
    SurfaceWindow w;
    TTestBox* box = w.AddBox(40, 40, 60, 30);
    QSignalSpy changed(w.surface, &TQBasePanel::LabelChangedEvent);
    TQHandle* handle = w.Select({box});

    MenuItem(ObjectMenu(box), QStringLiteral("Locked"))->trigger();
    EXPECT_TRUE(box->Locked());
    EXPECT_TRUE(LockedMenuItem(box)->isChecked());
    box->SetLocked(false);
    EXPECT_FALSE(LockedMenuItem(box)->isChecked());
    EXPECT_GE(changed.count(), 2);

    // Unselectable takes the squares away at once; a second time changes nothing.
    EXPECT_EQ(w.surface->grab().toImage().pixelColor(38, 38), QColor(Qt::black));
    MenuItem(ObjectMenu(box), QStringLiteral("Unselectable"))->trigger();
    EXPECT_TRUE(box->Unselectable());
    EXPECT_EQ(handle->Count(), 0);
    EXPECT_FALSE(handle->isVisible());
    const QImage shot = w.surface->grab().toImage();
    EXPECT_EQ(shot.pixelColor(38, 38), QColor(Qt::white)); // where the top-left square was
    MenuItem(ObjectMenu(box), QStringLiteral("Unselectable"))->trigger();
    EXPECT_TRUE(box->Unselectable());
    handle->Select(box);
    EXPECT_EQ(handle->Count(), 0);

    MenuItem(w.surface->SurfaceMenu(), QStringLiteral("Mark All Selectable"))->trigger();
    EXPECT_FALSE(box->Unselectable());
    handle->Select(box);
    EXPECT_EQ(handle->Count(), 1);
}

TEST(PlacedObject, CentringUsesIntegerHalves)
{
    SurfaceWindow w;
    TTestBox* box = w.AddBox(7, 9, 101, 33);
    MenuItem(ObjectMenu(box), QStringLiteral("Center Horizontally"))->trigger();
    EXPECT_EQ(box->Left(), 250);
    MenuItem(ObjectMenu(box), QStringLiteral("Center Vertically"))->trigger();
    EXPECT_EQ(box->Top(), 200 - 16);

    // Without a surface the centring commands do nothing.
    QWidget plain;
    plain.resize(600, 400);
    auto* loose = new TTestBox(&plain);
    loose->SetScreenRect(QRect(7, 9, 101, 33));
    loose->CenterHorizontally();
    EXPECT_EQ(loose->Left(), 7);
}

TEST(PlacedObject, CloneLiesBelowOnTopAndTakesOverASelectedSource)
{
    SurfaceWindow w;
    TTestBox* source = w.AddBox(30, 40, 80, 20);
    source->SetColor(clNavy);
    w.AddBox(35, 60, 50, 50);
    TQHandle* handle = w.surface->SelectionHandle();

    TQGraphicControl* copy = source->CloneObject();
    ASSERT_NE(copy, nullptr);
    auto* box = qobject_cast<TTestBox*>(copy);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->ScreenRect(), QRect(30, 65, 80, 20));
    EXPECT_EQ(box->Color(), clNavy);
    EXPECT_EQ(box->objectName(), QStringLiteral("Component0"));
    EXPECT_EQ(w.surface->PlacedObjects().last(), copy);
    EXPECT_EQ(handle->Count(), 0); // the source was not selected
    EXPECT_NE(ObjectMenu(copy), nullptr);

    handle->Select(source);
    TQGraphicControl* second = source->CloneObject();
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->objectName(), QStringLiteral("Component1"));
    EXPECT_EQ(handle->Selection(), QList<TQGraphicControl*>({second}));
}

TEST(PlacedObject, TheZoomMapsTheStoredBoundsAndOnlyAnEditChangesThem)
{
    SurfaceWindow w;
    TTestBox* box = w.AddBox(10, 10, 101, 33);
    QSignalSpy changed(w.surface, &TQBasePanel::LabelChangedEvent);
    // Halves round to even on screen; no zoom, however many, touches what is stored.
    w.surface->SetScale(1.5f);
    EXPECT_EQ(box->ScreenRect(), QRect(15, 15, 152, 50));
    for (const float zoom : {0.9f, 0.7f, 0.6f, 0.3f, 0.25f, 0.6f, 1.0f})
        w.surface->SetScale(zoom);
    EXPECT_EQ(box->Bounds(), QRect(10, 10, 101, 33));
    EXPECT_EQ(changed.count(), 0);
    // Moved at 60%, the object keeps its size; the side moved takes the screen value over the zoom.
    w.surface->SetScale(0.6f);
    const QRect shown = box->ScreenRect();
    box->SetScreenRect(shown.translated(6, 0));
    EXPECT_EQ(box->Bounds(), QRect(20, 10, 101, 33));
    box->SetScreenRect(QRect(shown.topLeft() + QPoint(6, 0), QSize(90, shown.height())));
    EXPECT_EQ(box->Bounds(), QRect(20, 10, 150, 33));
    EXPECT_EQ(changed.count(), 2);
}

TEST(PlacedObject, OneNotificationAndOneRefitPerDistinctBounds)
{
    SurfaceWindow w;
    TTestBox* box = w.AddBox(10, 10, 40, 40);
    w.surface->SelectionHandle()->Select(box);
    QSignalSpy changed(w.surface, &TQBasePanel::LabelChangedEvent);
    PostedCalls posted(w.surface);

    box->SetScreenRect(QRect(20, 30, 60, 50)); // position and size in one step
    EXPECT_EQ(changed.count(), 1);
    EXPECT_EQ(posted.count, 0); // deferred
    box->SetScreenRect(QRect(20, 30, 60, 50));
    EXPECT_EQ(changed.count(), 1);
    QCoreApplication::processEvents();
    EXPECT_EQ(posted.count, 1);
    // The refit covers the object with 2 pixels left and top and 4 right and bottom.
    EXPECT_EQ(w.surface->SelectionHandle()->geometry(), QRect(18, 28, 66, 56));

    box->SetLeft(21);
    box->SetLeft(22);
    QCoreApplication::processEvents();
    EXPECT_EQ(changed.count(), 3);
    EXPECT_EQ(posted.count, 3);
}

TEST(PlacedObject, PrintingSilencesChanges)
{
    SurfaceWindow w;
    TTestBox* box = w.AddBox(10, 10, 40, 40);
    QSignalSpy changed(w.surface, &TQBasePanel::LabelChangedEvent);
    w.surface->SetPrinting(true);
    box->SetLeft(30);
    box->SetLocked(true);
    MenuItem(ObjectMenu(box), QStringLiteral("Center Horizontally"))->trigger();
    EXPECT_EQ(changed.count(), 0);
    w.surface->SetPrinting(false);
    box->SetLeft(31);
    EXPECT_EQ(changed.count(), 1);
}

TEST(PlacedObject, SettersOnlyStoreWhileLoading)
{
    SurfaceWindow w;
    auto* box = new TTestBox(w.surface);
    QSignalSpy changed(w.surface, &TQBasePanel::LabelChangedEvent);
    EXPECT_TRUE(box->IsLoading());
    box->SetLocked(true);
    box->SetUnselectable(true);
    box->SetScreenRect(QRect(5, 5, 20, 20));
    EXPECT_EQ(changed.count(), 0);
    w.surface->HookAllObjects();
    EXPECT_FALSE(box->IsLoading());
    ASSERT_NE(ObjectMenu(box), nullptr);
    ASSERT_NE(LockedMenuItem(box), nullptr);
    EXPECT_TRUE(LockedMenuItem(box)->isChecked());
}

TEST(PlacedObject, StoredPropertiesAndDefaults)
{
    SurfaceWindow w;
    TTestBox* box = w.AddBox(10, 20, 30, 40);
    EXPECT_EQ(storedPropertyNames(*box), Texts({"Left", "Top", "Width", "Height", "Locked", "Unselectable"}));
    box->SetTag(7);
    box->SetCursor(*IdentToCursor(QStringLiteral("crHandPoint")));
    box->SetHint(QStringLiteral("note"));
    box->SetColor(clWhite);
    EXPECT_EQ(storedPropertyNames(*box),
              Texts({"Left", "Top", "Width", "Height", "Tag", "Cursor", "Hint", "Locked", "Unselectable", "Color"}));

    // Read back, the values come through the meta-object and the setters only store them.
    box->SetLocked(true);
    TStreamWriter writer;
    WriteComponent(writer, *box);
    TStreamReader reader(writer.Data());
    QSignalSpy changed(w.surface, &TQBasePanel::LabelChangedEvent);
    QObject* read = ReadComponent(reader, TQBasePanel::ObjectClasses(), w.surface);
    auto* copy = qobject_cast<TTestBox*>(read);
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->ScreenRect(), QRect(10, 20, 30, 40));
    EXPECT_EQ(copy->Tag(), 7);
    EXPECT_EQ(copy->Cursor(), box->Cursor());
    EXPECT_EQ(copy->Hint(), QStringLiteral("note"));
    EXPECT_TRUE(copy->Locked());
    EXPECT_EQ(copy->LoadedCount, 1);
    EXPECT_EQ(changed.count(), 0);
    delete copy;
}

TEST(PlacedObject, PaintToAndPrintToPlaceObjectsAtTheirBounds)
{
    SurfaceWindow w;
    TTestBox* yellow = w.AddBox(10, 20, 30, 40);
    TTestBox* navy = w.AddBox(100, 50, 20, 10);
    navy->SetColor(clNavy);
    w.surface->SelectionHandle()->Select(yellow);

    QImage image(w.surface->size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        w.surface->PaintObjects(painter);
    }
    EXPECT_EQ(image.pixelColor(10, 20), QColor(Qt::yellow));
    EXPECT_EQ(image.pixelColor(39, 59), QColor(Qt::yellow));
    EXPECT_EQ(image.pixelColor(40, 60), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(8, 18), QColor(Qt::white)); // no selection squares in an export
    EXPECT_EQ(image.pixelColor(119, 59), ToQColor(clNavy));

    QTemporaryDir dir;
    TReportPrinter report;
    report.SetOutputFileName(dir.filePath(QStringLiteral("objects.pdf")));
    ASSERT_TRUE(report.Execute([&](TReportPrinter& r) { w.surface->PrintObjects(r, 0.5, 0.25); }));
    const double dpi = report.XPixelsPerInch();
    EXPECT_NEAR(navy->PrintedRect.left(), (100 / 96.0 + 0.5) * dpi, 1.0);
    EXPECT_NEAR(navy->PrintedRect.top(), (50 / 96.0 + 0.25) * report.YPixelsPerInch(), 1.0);
    EXPECT_NEAR(yellow->PrintedRect.width(), 30 / 96.0 * dpi, 1.0);
    EXPECT_GT(QFileInfo(dir.filePath(QStringLiteral("objects.pdf"))).size(), 0);
}
