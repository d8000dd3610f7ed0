#include "surfacetesting.h"

#include "editor/qhandle.h"

#include "editor/objectmenu.h"
#include "support/testsupport.h"

#include <QApplication>
#include <QMenu>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// A windowed child of the page (like the day-text editor) that records the presses it gets.
class PressRecorder : public QWidget
{
public:
    using QWidget::QWidget;
    QList<QPair<Qt::MouseButton, QPoint>> presses;

protected:
    void mousePressEvent(QMouseEvent* event) override
    {
        presses.append({event->button(), event->position().toPoint()});
    }
};

} // namespace

TEST(SelectionHandle, SelectGrowsOverEveryObjectAndDeselectShrinks)
{
    SurfaceWindow w;
    TTestBox* a = w.AddBox(20, 30, 40, 10);
    TTestBox* b = w.AddBox(100, 5, 10, 60);
    TQHandle* handle = w.surface->SelectionHandle();
    EXPECT_FALSE(handle->isVisible());
    handle->Select(a);
    EXPECT_EQ(handle->geometry(), QRect(18, 28, 45, 15));
    EXPECT_TRUE(handle->isVisible());
    handle->Select(b);
    EXPECT_EQ(handle->geometry(), QRect(18, 3, 113 - 18, 68 - 3));
    EXPECT_EQ(handle->Selection(), QList<TQGraphicControl*>({a, b}));
    EXPECT_EQ(handle->Items(2), nullptr);
    EXPECT_EQ(handle->Items(-1), nullptr);
    EXPECT_TRUE(handle->HitSelected({18, 28}));
    EXPECT_FALSE(handle->HitSelected({17, 28}));
    EXPECT_EQ(handle->SelectedAt({105, 10}), b);
    handle->Deselect(a);
    EXPECT_EQ(handle->geometry(), QRect(98, 3, 15, 65));
    handle->SetLocked(true);
    handle->Deselect(b);
    EXPECT_FALSE(handle->isVisible());
    EXPECT_FALSE(handle->Locked());
    // Objects freed by anyone leave the selection.
    handle->Select(a);
    delete a;
    EXPECT_EQ(handle->Count(), 0);
}

TEST(SelectionHandle, QuickClickDoesNotMove)
{
    FakeClock clock;
    SurfaceWindow w;
    TTestBox* box = w.AddBox(50, 50, 40, 30);
    w.surface->SelectionHandle()->Select(box);
    Move(w.surface, {70, 60});
    Press(w.surface, {70, 60});
    clock.Advance(100);
    Move(w.surface, {74, 63});
    clock.Advance(40);
    Release(w.surface, {74, 63});
    EXPECT_EQ(box->ScreenRect(), QRect(50, 50, 40, 30));
    EXPECT_FALSE(w.surface->DragOutline().has_value());

    // The same gesture held a moment longer moves the object.
    Press(w.surface, {70, 60});
    clock.Advance(100);
    Move(w.surface, {74, 63});
    clock.Advance(60);
    Release(w.surface, {74, 63});
    EXPECT_EQ(box->ScreenRect(), QRect(54, 53, 40, 30));
}

TEST(SelectionHandle, MoveDragShowsTheOutlineAndSnapsTheNewLeft)
{
    FakeClock clock;
    SurfaceWindow w;
    w.surface->SetGridSize(TQBasePanel::gs8x8);
    w.surface->SetSnapToGrid(true);
    TQHandle* handle = w.surface->SelectionHandle();
    EXPECT_EQ(handle->GridX(), 8);
    TTestBox* box = w.AddBox(15, 42, 40, 30);
    handle->Select(box);
    ASSERT_EQ(handle->x(), 13);
    Move(w.surface, {35, 60});
    Press(w.surface, {35, 60});
    clock.Advance(200);
    Move(w.surface, {41, 60});
    EXPECT_TRUE(handle->Dragging());
    // The outline shows where the objects will go, while they stay put.
    ASSERT_TRUE(w.surface->DragOutline().has_value());
    EXPECT_EQ(*w.surface->DragOutline(), (TRect{18, 42, 16 + 45 - 3, 40 + 35 - 3}));
    EXPECT_EQ(box->Left(), 15);
    // The outline is painted over the objects, dotted, along its top edge.
    const QImage shot = w.surface->grab().toImage();
    int dark = 0;
    for (int x = 18; x < 58; ++x)
        dark += shot.pixelColor(x, 42) == QColor(Qt::black) ? 1 : 0;
    EXPECT_GT(dark, 10);
    EXPECT_LT(dark, 40);
    shot.save(TestOutputDir(QStringLiteral("surface")) + QStringLiteral("/drag-outline.png"));
    Release(w.surface, {41, 60});
    EXPECT_EQ(handle->x(), 16);
    EXPECT_EQ(box->Left(), 18);
    EXPECT_EQ(box->Top(), 42);
    EXPECT_FALSE(w.surface->DragOutline().has_value());
    w.surface->SetSnapToGrid(false);
    EXPECT_EQ(handle->GridX(), 1);
}

TEST(SelectionHandle, ResizeZonesAndBottomRightResize)
{
    FakeClock clock;
    SurfaceWindow w;
    TTestBox* box = w.AddBox(100, 100, 60, 40);
    TQHandle* handle = w.Select({box});
    const QRect h = handle->geometry(); // 98, 98, 65 x 45
    const auto cursorAt = [&](QPoint p) {
        Move(w.surface, p);
        return handle->cursor().shape();
    };
    EXPECT_EQ(cursorAt(h.topLeft() + QPoint(2, 2)), Qt::SizeFDiagCursor);
    EXPECT_EQ(handle->HitZone(), TQHandle::hzTopLeft);
    EXPECT_EQ(cursorAt({h.left() + h.width() - 2, h.top() + 3}), Qt::SizeBDiagCursor);
    EXPECT_EQ(handle->HitZone(), TQHandle::hzTopRight);
    EXPECT_EQ(cursorAt({h.left() + h.width() / 2, h.top() + 1}), Qt::SizeVerCursor);
    EXPECT_EQ(handle->HitZone(), TQHandle::hzTop);
    EXPECT_EQ(cursorAt({h.left() + 1, h.top() + h.height() / 2}), Qt::SizeHorCursor);
    EXPECT_EQ(handle->HitZone(), TQHandle::hzLeft);
    EXPECT_EQ(cursorAt({h.left() + 20, h.top() + 20}), Qt::ClosedHandCursor);
    EXPECT_EQ(handle->HitZone(), TQHandle::hzMove);

    const QPoint corner(h.left() + h.width() - 3, h.top() + h.height() - 3);
    EXPECT_EQ(cursorAt(corner), Qt::SizeFDiagCursor);
    EXPECT_EQ(handle->HitZone(), TQHandle::hzBottomRight);
    Press(w.surface, corner);
    clock.Advance(200);
    Move(w.surface, corner + QPoint(10, 10));
    EXPECT_EQ(handle->FeedbackRect().size(), QSize(h.width() + 9, h.height() + 9));
    Release(w.surface, corner + QPoint(10, 10));
    EXPECT_EQ(box->ScreenRect(), QRect(100, 100, 69, 49));
    QCoreApplication::processEvents();
    EXPECT_EQ(handle->geometry(), QRect(98, 98, 69 + 6, 49 + 6));
}

TEST(SelectionHandle, TwoObjectsHaveNoResizeZoneAndMoveTogether)
{
    FakeClock clock;
    SurfaceWindow w;
    TTestBox* a = w.AddBox(50, 50, 30, 30);
    TTestBox* b = w.AddBox(120, 90, 30, 30);
    TQHandle* handle = w.Select({a, b});
    const QPoint corner = handle->pos() + QPoint(2, 2);
    Move(w.surface, corner);
    EXPECT_EQ(handle->cursor().shape(), Qt::ClosedHandCursor);
    EXPECT_EQ(handle->HitZone(), TQHandle::hzMove);
    Press(w.surface, corner);
    clock.Advance(200);
    Move(w.surface, corner + QPoint(20, 5));
    Release(w.surface, corner + QPoint(20, 5));
    EXPECT_EQ(a->ScreenRect(), QRect(70, 55, 30, 30));
    EXPECT_EQ(b->ScreenRect(), QRect(140, 95, 30, 30));
}

TEST(SelectionHandle, PressOnAnObjectStartsADragAfterTenMilliseconds)
{
    FakeClock clock;
    SurfaceWindow w;
    TTestBox* box = w.AddBox(200, 200, 40, 40);
    TQHandle* handle = w.surface->SelectionHandle();
    Move(w.surface, {210, 210});
    Press(w.surface, {210, 210});
    EXPECT_EQ(handle->Selection(), QList<TQGraphicControl*>({box}));
    EXPECT_EQ(QWidget::mouseGrabber(), handle);
    clock.Advance(5);
    Move(w.surface, {212, 212});
    EXPECT_FALSE(handle->Dragging());
    clock.Advance(6);
    Move(w.surface, {214, 212});
    EXPECT_TRUE(handle->Dragging());
    clock.Advance(200);
    Move(w.surface, {234, 222});
    Release(w.surface, {234, 222});
    // The drag counts from where it started, not from the press.
    EXPECT_EQ(box->ScreenRect(), QRect(220, 210, 40, 40));
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
}

TEST(SelectionHandle, ShiftArrowShrinksDownToTenPixels)
{
    SurfaceWindow w;
    TTestBox* box = w.AddBox(100, 100, 11, 30);
    TQHandle* handle = w.Select({box});
    QTest::keyClick(handle, Qt::Key_Left, Qt::ShiftModifier);
    EXPECT_EQ(box->ScreenRect(), QRect(100, 100, 10, 30));
    QCoreApplication::processEvents(); // the refit after the change
    QTest::keyClick(handle, Qt::Key_Left, Qt::ShiftModifier);
    EXPECT_EQ(box->Width(), 10);
    // Plain arrows move; held keys add up and apply once at release.
    QTest::keyPress(handle, Qt::Key_Right);
    QTest::keyPress(handle, Qt::Key_Right);
    QTest::keyPress(handle, Qt::Key_Down);
    EXPECT_EQ(box->Left(), 100);
    ASSERT_TRUE(w.surface->DragOutline().has_value());
    QTest::keyRelease(handle, Qt::Key_Down);
    EXPECT_EQ(box->ScreenRect(), QRect(102, 101, 10, 30));
    EXPECT_FALSE(w.surface->DragOutline().has_value());
}

TEST(SelectionHandle, NudgesStopAtTheSurfaceEdges)
{
    SurfaceWindow w;
    TTestBox* box = w.AddBox(0, 1, 20, 20);
    TQHandle* handle = w.Select({box});
    QTest::keyClick(handle, Qt::Key_Left);
    EXPECT_EQ(box->Left(), 0);
    QTest::keyClick(handle, Qt::Key_Up);
    EXPECT_EQ(box->Top(), 0);
    box->SetScreenRect(QRect(580, 380, 20, 20));
    QCoreApplication::processEvents();
    QTest::keyClick(handle, Qt::Key_Right);
    QTest::keyClick(handle, Qt::Key_Down);
    EXPECT_EQ(box->ScreenRect(), QRect(580, 380, 20, 20));
}

TEST(SelectionHandle, LockedObjectStaysAndTheHandleIsRefittedAroundAll)
{
    FakeClock clock;
    SurfaceWindow w;
    TTestBox* moving = w.AddBox(50, 50, 30, 30);
    TTestBox* locked = w.AddBox(150, 60, 30, 30);
    locked->SetLocked(true);
    TQHandle* handle = w.Select({moving, locked});
    Move(w.surface, {60, 60});
    Press(w.surface, {60, 60});
    clock.Advance(200);
    Move(w.surface, {60, 160});
    Release(w.surface, {60, 160});
    QCoreApplication::processEvents();
    EXPECT_EQ(moving->ScreenRect(), QRect(50, 150, 30, 30));
    EXPECT_EQ(locked->ScreenRect(), QRect(150, 60, 30, 30));
    EXPECT_EQ(handle->geometry(), QRect(48, 58, 180 - 50 + 6, 180 - 60 + 6));
}

TEST(SelectionHandle, LockedHandleShowsNoDropAndMovesNothing)
{
    FakeClock clock;
    SurfaceWindow w;
    TTestBox* box = w.AddBox(50, 50, 40, 40);
    TQHandle* handle = w.Select({box});
    handle->SetLocked(true);
    Move(w.surface, {70, 70});
    EXPECT_EQ(handle->cursor().shape(), Qt::ForbiddenCursor);
    Press(w.surface, {70, 70});
    clock.Advance(200);
    Move(w.surface, {120, 120});
    EXPECT_EQ(handle->cursor().shape(), Qt::ForbiddenCursor);
    Release(w.surface, {120, 120});
    QTest::keyClick(handle, Qt::Key_Right);
    EXPECT_EQ(box->ScreenRect(), QRect(50, 50, 40, 40));
    EXPECT_FALSE(w.surface->DragOutline().has_value());
}

TEST(SelectionHandle, ZOrderCommandsFollowTheSelection)
{
    SurfaceWindow w;
    TTestBox* a = w.AddBox(10, 10, 20, 20);
    TTestBox* b = w.AddBox(15, 15, 20, 20);
    TTestBox* c = w.AddBox(20, 20, 20, 20);
    TQHandle* handle = w.Select({b, a});
    handle->BringSelectionToFront();
    EXPECT_EQ(w.surface->PlacedObjects(), QList<TQGraphicControl*>({c, b, a}));
    EXPECT_EQ(w.surface->children().last(), handle);
    handle->SetLocked(true);
    handle->SendSelectionToBack();
    EXPECT_EQ(w.surface->PlacedObjects(), QList<TQGraphicControl*>({c, b, a}));
    handle->SetLocked(false);
    handle->SendSelectionToBack();
    EXPECT_EQ(w.surface->PlacedObjects(), QList<TQGraphicControl*>({a, b, c}));
}

TEST(SelectionHandle, MiddleAndToolClicksReachTheWindowedChildBelow)
{
    SurfaceWindow w;
    auto* editor = new PressRecorder(w.surface);
    editor->setGeometry(300, 200, 100, 80);
    editor->show();
    TTestBox* box = w.AddBox(290, 190, 60, 60);
    TQHandle* handle = w.Select({box});
    handle->raise();
    Move(w.surface, {320, 220});
    Press(w.surface, {320, 220}, Qt::MiddleButton);
    Release(w.surface, {320, 220}, Qt::MiddleButton);
    ASSERT_EQ(editor->presses.size(), 1);
    EXPECT_EQ(editor->presses[0].first, Qt::MiddleButton);
    EXPECT_EQ(editor->presses[0].second, QPoint(20, 20));

    // In tool mode a left press on the handle starts the surface's band.
    w.surface->SetPointing(false);
    QSignalSpy dropped(w.surface, &TQBasePanel::DroppedObjectEvent);
    Press(w.surface, {292, 192});
    Move(w.surface, {296, 196});
    Release(w.surface, {296, 196});
    ASSERT_EQ(dropped.count(), 1);
    EXPECT_EQ(dropped[0][0].value<TRect>(), (TRect{292, 192, 296, 196}));
}

TEST(SelectionHandle, RightClickOpensTheObjectMenuOnlyForOneObject)
{
    SurfaceWindow w;
    TTestBox* a = w.AddBox(50, 50, 40, 40);
    TTestBox* b = w.AddBox(60, 60, 40, 40);
    TQHandle* handle = w.Select({a});
    Move(w.surface, {55, 55});
    Press(w.surface, {55, 55}, Qt::RightButton);
    EXPECT_EQ(QApplication::activePopupWidget(), ObjectMenu(a));
    Release(w.surface, {55, 55}, Qt::RightButton);
    ObjectMenu(a)->close();
    handle->Select(b);
    Move(w.surface, {56, 55});
    Press(w.surface, {56, 55}, Qt::RightButton);
    EXPECT_EQ(QApplication::activePopupWidget(), w.surface->SurfaceMenu());
    Release(w.surface, {56, 55}, Qt::RightButton);
}

TEST(SelectionHandle, DoubleClickRunsTheObjectsAction)
{
    SurfaceWindow w;
    TTestBox* box = w.AddBox(50, 50, 40, 40);
    QObject* sender = nullptr;
    box->DblClickAction = [&](QObject* s) { sender = s; };
    w.surface->SelectionHandle()->Select(box);
    Move(w.surface, {60, 60});
    QTest::mouseDClick(w.surface->window()->windowHandle(), Qt::LeftButton, {}, QPoint(60, 60));
    EXPECT_EQ(sender, w.surface);
    EXPECT_FALSE(w.surface->SelectionHandle()->Dragging());
}
