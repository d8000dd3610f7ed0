#include "surfacetesting.h"

#include "document/qgraphiccontrol.h"
#include "editor/qbasepanel.h"

#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class TestObject : public TQGraphicControl
{
public:
    using TQGraphicControl::TQGraphicControl;
};

} // namespace

TEST(DesignSurface, UniqueNameTakesTheFirstFreeNumber)
{
    QWidget owner;
    auto* surface = new TQBasePanel(&owner);
    auto* a = new TestObject(surface);
    a->setObjectName(QStringLiteral("Special1"));
    auto* b = new QObject(&owner);
    b->setObjectName(QStringLiteral("special2"));
    EXPECT_EQ(surface->UniqueName(QStringLiteral("Special")), QStringLiteral("Special3"));
}

TEST(DesignSurface, PlaceObjectKeepsAMinimumSizeAndNotifies)
{
    QWidget owner;
    auto* surface = new TQBasePanel(&owner);
    surface->resize(600, 400);
    QSignalSpy changed(surface, &TQBasePanel::LabelChangedEvent);
    auto* object = new TestObject;
    surface->PlaceObject(object, {30, 40, 30, 40});
    EXPECT_EQ(object->ScreenRect(), QRect(30, 40, 10, 15));
    EXPECT_EQ(object->parent(), surface);
    EXPECT_EQ(changed.count(), 1);
    EXPECT_TRUE(surface->HasObjectAt(35, 50));
    EXPECT_FALSE(surface->HasObjectAt(40, 50));
    {
        // Pauses nest: the inner one ending leaves the outer one in force.
        const TQBasePanel::TSuspension quiet = surface->SuspendNotifications();
        {
            const TQBasePanel::TSuspension inner = surface->SuspendNotifications();
        }
        surface->NotifyChange();
        EXPECT_EQ(changed.count(), 1);
    }
    surface->NotifyChange();
    EXPECT_EQ(changed.count(), 2);
    surface->ClearObjects();
    EXPECT_TRUE(surface->PlacedObjects().isEmpty());
    EXPECT_FALSE(surface->HasObjectAt(35, 50));
}

TEST(DesignSurface, ScaleResizesSurfaceAndObjects)
{
    TQBasePanel surface;
    surface.resize(200, 100);
    auto* object = new TestObject(&surface);
    object->SetScreenRect(QRect(10, 10, 101, 33));
    QSignalSpy changed(&surface, &TQBasePanel::LabelChangedEvent);
    surface.SetScale(1.5f);
    EXPECT_EQ(surface.size(), QSize(300, 150));
    EXPECT_EQ(object->ScreenRect(), QRect(15, 15, 152, 50));
    EXPECT_EQ(changed.count(), 0);
}

TEST(DesignSurface, ToolBandEitherWayGivesTheSameRectangle)
{
    TQBasePanel surface;
    surface.resize(300, 300);
    surface.SetPointing(false);
    surface.show();
    QSignalSpy dropped(&surface, &TQBasePanel::DroppedObjectEvent);
    QTest::mousePress(&surface, Qt::LeftButton, {}, QPoint(150, 120));
    QTest::mouseMove(&surface, QPoint(50, 60));
    QTest::mouseRelease(&surface, Qt::LeftButton, {}, QPoint(50, 60));
    QTest::mousePress(&surface, Qt::LeftButton, {}, QPoint(50, 60));
    QTest::mouseMove(&surface, QPoint(150, 120));
    QTest::mouseRelease(&surface, Qt::LeftButton, {}, QPoint(150, 120));
    ASSERT_EQ(dropped.count(), 2);
    const TRect first = dropped[0][0].value<TRect>();
    const TRect second = dropped[1][0].value<TRect>();
    EXPECT_EQ(first, (TRect{50, 60, 150, 120}));
    EXPECT_EQ(second, first);
    EXPECT_FALSE(surface.BandActive());
}

TEST(DesignSurface, ScratchFilesAreRemovedWithTheOwningSurfaceOnly)
{
    QString clip;
    {
        TQBasePanel surface;
        surface.SetOwnsScratchFiles(true);
        clip = surface.ClipboardFile();
        QFile f(clip);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        delete new TQBasePanel; // a preview page leaves the clipboard alone
        EXPECT_TRUE(QFile::exists(clip));
    }
    EXPECT_FALSE(QFile::exists(clip));
}
