#include "surfacetesting.h"

#include "editor/qhandle.h"

#include "editor/objectmenu.h"
#include "support/testsupport.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

QList<TTestBox*> boxes(TQBasePanel* surface)
{
    QList<TTestBox*> list;
    for (TQGraphicControl* object : surface->PlacedObjects())
        list.append(qobject_cast<TTestBox*>(object));
    return list;
}

void runItem(TQBasePanel* surface, const char* caption)
{
    QAction* action = MenuItem(surface->SurfaceMenu(), QString::fromLatin1(caption));
    ASSERT_NE(action, nullptr) << caption;
    action->trigger();
}

} // namespace

TEST(SurfaceClipboard, CopyThenTwoPastesASecondApart)
{
    ScratchProgramFolder folder;
    FakeClock clock;
    SurfaceWindow w;
    TTestBox* source = w.AddBox(40, 50, 30, 20);
    source->SetColor(clNavy);
    w.surface->SelectionHandle()->Select(source);
    QTest::keyClick(w.surface->SelectionHandle(), Qt::Key_C, Qt::ControlModifier);
    ASSERT_TRUE(QFile::exists(w.surface->ClipboardFile()));
    EXPECT_EQ(w.surface->ClipboardFile(), folder.file(QStringLiteral("Clipbrd.tmp")));

    QSignalSpy changed(w.surface, &TQBasePanel::LabelChangedEvent);
    QTest::keyClick(w.surface->SelectionHandle(), Qt::Key_V, Qt::ControlModifier);
    clock.Advance(400);
    w.surface->SelectionClipboard(ccPaste); // a repeated paste within the second is dropped
    EXPECT_EQ(w.surface->PlacedObjects().size(), 2);
    clock.Advance(700);
    w.surface->SelectionClipboard(ccPaste);
    const QList<TTestBox*> all = boxes(w.surface);
    ASSERT_EQ(all.size(), 3);
    EXPECT_EQ(all[1]->objectName(), QStringLiteral("Component0"));
    EXPECT_EQ(all[2]->objectName(), QStringLiteral("Component1"));
    for (TTestBox* copy : {all[1], all[2]}) {
        EXPECT_EQ(copy->ScreenRect(), QRect(55, 65, 30, 20));
        EXPECT_EQ(copy->Color(), clNavy);
        EXPECT_NE(ObjectMenu(copy), nullptr);
    }
    EXPECT_EQ(changed.count(), 2);
    // Pasted objects are not selected.
    EXPECT_EQ(w.surface->SelectionHandle()->Selection(), QList<TQGraphicControl*>({source}));
}

TEST(SurfaceClipboard, FileHoldsAListOfRecords)
{
    ScratchProgramFolder folder;
    SurfaceWindow w;
    TTestBox* a = w.AddBox(10, 10, 20, 20);
    TTestBox* b = w.AddBox(50, 10, 20, 20);
    w.surface->SelectionHandle()->Select(b);
    w.surface->SelectionHandle()->Select(a);
    w.surface->SelectionClipboard(ccCopy);
    QFile file(w.surface->ClipboardFile());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    ASSERT_GT(bytes.size(), 10);
    EXPECT_EQ(bytes.at(0), 1);                      // list
    EXPECT_EQ(bytes.mid(1, 4), QByteArray("TPF0")); // first record
    EXPECT_EQ(bytes.count("TPF0"), 2);
    EXPECT_EQ(bytes.at(bytes.size() - 1), 0); // end of the list
    // Selection order: b first.
    EXPECT_LT(bytes.indexOf(b->objectName().toLatin1()), bytes.indexOf(a->objectName().toLatin1()));

    // Cut and copy with nothing selected leave the file as it is.
    w.surface->SelectionHandle()->ClearSelection();
    w.surface->SelectionClipboard(ccCut);
    QFile again(w.surface->ClipboardFile());
    ASSERT_TRUE(again.open(QIODevice::ReadOnly));
    EXPECT_EQ(again.readAll(), bytes);
}

TEST(SurfaceClipboard, DamagedFileKeepsWhatCouldBeRead)
{
    ScratchProgramFolder folder;
    SurfaceWindow w;
    TTestBox* a = w.AddBox(10, 10, 20, 20);
    w.AddBox(50, 10, 20, 20);
    w.surface->SelectionHandle()->Select(a);
    w.surface->SelectionClipboard(ccCopy);
    QFile file(w.surface->ClipboardFile());
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    const QByteArray bytes = file.readAll();
    file.resize(0);
    file.write(bytes.left(bytes.size() - 8));
    file.close();
    w.surface->SelectionClipboard(ccPaste);
    EXPECT_EQ(w.surface->PlacedObjects().size(), 2);

    QFile garbage(w.surface->ClipboardFile());
    ASSERT_TRUE(garbage.open(QIODevice::WriteOnly));
    garbage.write("\x01TPF0\x07TNoSuchKind\x00\x00", 17);
    garbage.close();
    w.surface->ForgetLastPaste();
    w.surface->SelectionClipboard(ccPaste);
    EXPECT_EQ(w.surface->PlacedObjects().size(), 2);
}

TEST(SurfaceClipboard, CutAndDeleteFreeTheSelection)
{
    ScratchProgramFolder folder;
    SurfaceWindow w;
    TTestBox* a = w.AddBox(10, 10, 20, 20);
    TTestBox* b = w.AddBox(50, 10, 20, 20);
    TTestBox* c = w.AddBox(90, 10, 20, 20);
    w.surface->SelectionHandle()->Select(a);
    w.surface->SelectionHandle()->Select(b);
    QSignalSpy changed(w.surface, &TQBasePanel::LabelChangedEvent);
    QTest::keyClick(w.surface->SelectionHandle(), Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(w.surface->PlacedObjects(), QList<TQGraphicControl*>({c}));
    EXPECT_EQ(changed.count(), 2);
    EXPECT_FALSE(w.surface->SelectionHandle()->isVisible());
    EXPECT_TRUE(QFile::exists(w.surface->ClipboardFile()));

    // Delete from the object's own menu, on an object that is not selected.
    MenuItem(ObjectMenu(c), QStringLiteral("Delete"))->trigger();
    EXPECT_TRUE(w.surface->PlacedObjects().isEmpty());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TEST(SurfaceClipboard, PasteKeepsTheSizeAcrossZoom)
{
    ScratchProgramFolder folder;
    SurfaceWindow w;
    TTestBox* box = w.AddBox(40, 40, 100, 60);
    w.surface->SetScale(0.5f);
    w.surface->SelectionHandle()->Select(box);
    w.surface->SelectionClipboard(ccCopy);
    w.surface->SelectionClipboard(ccPaste);
    ASSERT_EQ(w.surface->PlacedObjects().size(), 2);
    EXPECT_EQ(w.surface->PlacedObjects().last()->ScreenRect(), QRect(35, 35, 50, 30));

    // Copied at 50 %, pasted at 100 %: 15 pixels off the original there.
    w.surface->SetScale(1.0f);
    w.surface->ForgetLastPaste();
    w.surface->SelectionClipboard(ccPaste);
    ASSERT_EQ(w.surface->PlacedObjects().size(), 3);
    EXPECT_EQ(w.surface->PlacedObjects().last()->ScreenRect(), QRect(55, 55, 100, 60));
    EXPECT_EQ(w.surface->PlacedObjects()[1]->ScreenRect(), QRect(70, 70, 100, 60));
}

TEST(SurfaceClipboard, PlacedObjectKeepsTheDraggedRectangleAtAnyZoom)
{
    SurfaceWindow w;
    w.surface->SetScale(0.5f);
    auto* box = new TTestBox;
    w.surface->PlaceObject(box, {20, 30, 120, 90});
    EXPECT_EQ(box->ScreenRect(), QRect(20, 30, 100, 60));
    EXPECT_EQ(box->Bounds(), QRect(40, 60, 200, 120));
    EXPECT_EQ(box->objectName(), QStringLiteral("Special1"));
    w.surface->SetScale(1.0f);
    EXPECT_EQ(box->ScreenRect(), QRect(40, 60, 200, 120));
}

TEST(SurfaceBand, EitherDirectionSelectsTheSameAndShiftToggles)
{
    SurfaceWindow w;
    TTestBox* a = w.AddBox(100, 100, 30, 30);
    TTestBox* b = w.AddBox(200, 100, 30, 30);
    TTestBox* c = w.AddBox(100, 300, 30, 30);
    TQHandle* handle = w.surface->SelectionHandle();

    Move(w.surface, {90, 90});
    Press(w.surface, {90, 90});
    Move(w.surface, {235, 105});
    Release(w.surface, {235, 105});
    const QList<TQGraphicControl*> forward = handle->Selection();
    EXPECT_EQ(forward.size(), 2);

    handle->ClearSelection();
    Move(w.surface, {235, 105});
    Press(w.surface, {235, 105});
    Move(w.surface, {90, 90});
    Release(w.surface, {90, 90});
    EXPECT_EQ(handle->Selection(), forward);
    EXPECT_TRUE(forward.contains(a) && forward.contains(b));

    // Shift+band over a (selected) and c (not) toggles both; b stays.
    Move(w.surface, {140, 340});
    Press(w.surface, {140, 340}, Qt::LeftButton, Qt::ShiftModifier);
    Move(w.surface, {90, 90});
    Release(w.surface, {90, 90}, Qt::LeftButton, Qt::ShiftModifier);
    EXPECT_EQ(handle->Selection(), QList<TQGraphicControl*>({b, c}));
    w.surface->SelectInRect({90, 90, 500, 400}, true);
    EXPECT_EQ(handle->Selection(), QList<TQGraphicControl*>({a}));
}

TEST(SurfaceMenu, AlignRightAndTheOtherAlignments)
{
    SurfaceWindow w;
    TTestBox* a = w.AddBox(60, 10, 40, 20);  // right edge 100
    TTestBox* b = w.AddBox(150, 80, 30, 50); // right edge 180
    b->SetLocked(true);                      // alignment moves locked objects too
    w.surface->SelectionHandle()->Select(a);
    w.surface->SelectionHandle()->Select(b);
    runItem(w.surface, "Align Right");
    EXPECT_EQ(a->Left() + a->Width(), 180);
    EXPECT_EQ(b->Left() + b->Width(), 180);
    runItem(w.surface, "Align Left");
    EXPECT_EQ(a->Left(), 140);
    EXPECT_EQ(b->Left(), 140);
    runItem(w.surface, "Align Tops");
    EXPECT_EQ(a->Top(), 10);
    EXPECT_EQ(b->Top(), 10);
    runItem(w.surface, "Align Bottoms");
    EXPECT_EQ(a->Top() + a->Height(), 60);
    EXPECT_EQ(b->Top() + b->Height(), 60);
    runItem(w.surface, "Center Horizontally");
    EXPECT_EQ(a->Left(), 280);
}

TEST(SurfaceMenu, EnablingRules)
{
    ScratchProgramFolder folder;
    SurfaceWindow w;
    QMenu* menu = w.surface->SurfaceMenu();
    QStringList captions;
    for (QAction* action : menu->actions())
        captions.append(action->isSeparator() ? QStringLiteral("-") : action->text());
    EXPECT_EQ(captions, Texts({"Bring To Front",
                               "Send To Back",
                               "-",
                               "Cut",
                               "Copy",
                               "Paste",
                               "-",
                               "Delete",
                               "-",
                               "Align Left",
                               "Align Right",
                               "Align Tops",
                               "Align Bottoms",
                               "-",
                               "Center Vertically",
                               "Center Horizontally",
                               "-",
                               "Lock All",
                               "Unlock All",
                               "-",
                               "Mark All Selectable",
                               "Mark All Unselectable",
                               "Select All",
                               "-",
                               "Font"}));
    RefreshMenu(menu);
    EXPECT_FALSE(MenuItem(menu, QStringLiteral("Lock All"))->isEnabled());
    EXPECT_FALSE(MenuItem(menu, QStringLiteral("Unlock All"))->isEnabled());
    EXPECT_FALSE(MenuItem(menu, QStringLiteral("Paste"))->isEnabled());
    EXPECT_FALSE(MenuItem(menu, QStringLiteral("Cut"))->isEnabled());
    EXPECT_TRUE(MenuItem(menu, QStringLiteral("Select All"))->isEnabled());

    TTestBox* box = w.AddBox(10, 10, 20, 20);
    RefreshMenu(menu);
    EXPECT_TRUE(MenuItem(menu, QStringLiteral("Lock All"))->isEnabled());
    EXPECT_FALSE(MenuItem(menu, QStringLiteral("Align Left"))->isEnabled());
    w.surface->SelectionHandle()->Select(box);
    w.surface->SelectionClipboard(ccCopy);
    RefreshMenu(menu);
    EXPECT_TRUE(MenuItem(menu, QStringLiteral("Align Left"))->isEnabled());
    EXPECT_TRUE(MenuItem(menu, QStringLiteral("Paste"))->isEnabled());
}

TEST(SurfaceMenu, LockSelectabilityAndSelectAll)
{
    SurfaceWindow w;
    TTestBox* a = w.AddBox(10, 10, 20, 20);
    TTestBox* b = w.AddBox(50, 10, 20, 20);
    TTestBox* c = w.AddBox(90, 10, 20, 20);
    runItem(w.surface, "Lock All");
    EXPECT_TRUE(a->Locked() && b->Locked() && c->Locked());
    runItem(w.surface, "Unlock All");
    EXPECT_FALSE(a->Locked() || b->Locked() || c->Locked());
    b->SetUnselectable(true);
    runItem(w.surface, "Select All");
    EXPECT_EQ(w.surface->SelectionHandle()->Selection(), QList<TQGraphicControl*>({a, c}));
    runItem(w.surface, "Mark All Unselectable");
    EXPECT_EQ(w.surface->SelectionHandle()->Count(), 0);
    runItem(w.surface, "Mark All Selectable");
    runItem(w.surface, "Select All");
    EXPECT_EQ(w.surface->SelectionHandle()->Count(), 3);
    runItem(w.surface, "Send To Back");
    EXPECT_EQ(w.surface->SelectionHandle()->Count(), 0);
    EXPECT_EQ(w.surface->PlacedObjects(), QList<TQGraphicControl*>({c, b, a}));

    w.surface->SelectionHandle()->Select(a);
    FontDescription font;
    font.name = QStringLiteral("Liberation Serif");
    font.size = 14;
    w.surface->ApplyFontToSelection(font);
    EXPECT_EQ(a->AppliedFont, font);
    EXPECT_NE(b->AppliedFont, font);
}

TEST(SurfaceMouse, RightClickOnAnUnselectableObjectOpensTheSurfaceMenu)
{
    SurfaceWindow w;
    TTestBox* box = w.AddBox(100, 100, 50, 50);
    box->SetUnselectable(true);
    Move(w.surface, {120, 120});
    Press(w.surface, {120, 120}, Qt::RightButton);
    EXPECT_EQ(QApplication::activePopupWidget(), w.surface->SurfaceMenu());
    EXPECT_EQ(w.surface->SelectionHandle()->Count(), 0);
    Release(w.surface, {120, 120}, Qt::RightButton);
    w.surface->SurfaceMenu()->close();

    box->SetUnselectable(false);
    Move(w.surface, {121, 120});
    Press(w.surface, {121, 120}, Qt::RightButton);
    EXPECT_EQ(QApplication::activePopupWidget(), ObjectMenu(box));
    EXPECT_EQ(w.surface->SelectionHandle()->Count(), 1);
    Release(w.surface, {121, 120}, Qt::RightButton);
}

TEST(SurfaceMouse, ShiftClickOnTheHandleDropsTheObjectUnderIt)
{
    SurfaceWindow w;
    TTestBox* a = w.AddBox(100, 100, 50, 50);
    TTestBox* b = w.AddBox(160, 100, 50, 50);
    TQHandle* handle = w.Select({a, b});
    Move(w.surface, {120, 120});
    Press(w.surface, {120, 120}, Qt::LeftButton, Qt::ShiftModifier);
    Release(w.surface, {120, 120}, Qt::LeftButton, Qt::ShiftModifier);
    EXPECT_EQ(handle->Selection(), QList<TQGraphicControl*>({b}));
    EXPECT_EQ(a->ScreenRect(), QRect(100, 100, 50, 50));
}

TEST(SurfaceScreenshot, SelectedObjectsWithTheirSquares)
{
    SurfaceWindow w;
    w.surface->SetShowGrid(true);
    w.AddBox(60, 60, 120, 70)->SetColor(RGBValue(255, 200, 120));
    TTestBox* b = w.AddBox(250, 90, 90, 90);
    b->SetColor(RGBValue(150, 200, 255));
    TTestBox* c = w.AddBox(380, 220, 140, 60);
    c->SetColor(RGBValue(180, 240, 170));
    w.surface->SelectionHandle()->Select(b);
    w.surface->SelectionHandle()->Select(c);
    QImage shot = w.surface->grab().toImage();
    // Several selected: grey corner squares only.
    EXPECT_EQ(shot.pixelColor(248, 88), QColor(128, 128, 128));
    EXPECT_EQ(shot.pixelColor(250 + 45, 88), QColor(Qt::white)); // no edge square
    shot.save(TestOutputDir(QStringLiteral("surface")) + QStringLiteral("/selection-several.png"));

    w.surface->SelectionHandle()->Deselect(c);
    shot = w.surface->grab().toImage();
    EXPECT_EQ(shot.pixelColor(248, 88), QColor(Qt::black));
    EXPECT_EQ(shot.pixelColor(248 + 47, 88), QColor(Qt::black));      // top edge square
    EXPECT_EQ(shot.pixelColor(248 + 47, 88 + 93), QColor(Qt::black)); // bottom edge square
    shot.save(TestOutputDir(QStringLiteral("surface")) + QStringLiteral("/selection-one.png"));
}

TEST(SurfaceMouse, ClicksOnObjectsSelectAndShiftAdds)
{
    SurfaceWindow w;
    TTestBox* a = w.AddBox(100, 100, 40, 40);
    TTestBox* b = w.AddBox(300, 100, 40, 40);
    TQHandle* handle = w.surface->SelectionHandle();
    Move(w.surface, {110, 110});
    EXPECT_EQ(w.surface->cursor().shape(), Qt::PointingHandCursor);
    Press(w.surface, {110, 110});
    Release(w.surface, {110, 110});
    EXPECT_EQ(handle->Selection(), QList<TQGraphicControl*>({a}));
    Move(w.surface, {310, 110});
    Press(w.surface, {310, 110}, Qt::LeftButton, Qt::ShiftModifier);
    Release(w.surface, {310, 110}, Qt::LeftButton, Qt::ShiftModifier);
    EXPECT_EQ(handle->Selection(), QList<TQGraphicControl*>({a, b}));
    EXPECT_EQ(a->ScreenRect(), QRect(100, 100, 40, 40));
    // The handle now spans both; a click on bare paper outside it clears the selection.
    Move(w.surface, {500, 300});
    Press(w.surface, {500, 300});
    Release(w.surface, {500, 300});
    EXPECT_EQ(handle->Count(), 0);
}

TEST(SurfaceClipboard, ObjectMenuCopiesOnlyAnUnselectedObject)
{
    ScratchProgramFolder folder;
    FakeClock clock;
    SurfaceWindow w;
    TTestBox* a = w.AddBox(10, 10, 20, 20);
    TTestBox* b = w.AddBox(50, 10, 20, 20);
    w.surface->SelectionHandle()->Select(b);
    MenuItem(ObjectMenu(a), QStringLiteral("Copy"))->trigger();
    w.surface->SelectionClipboard(ccPaste);
    ASSERT_EQ(w.surface->PlacedObjects().size(), 3);
    EXPECT_EQ(w.surface->PlacedObjects().last()->ScreenRect(), QRect(25, 25, 20, 20));

    // On a selected object the menu works on the whole selection.
    w.surface->SelectionHandle()->Select(a);
    MenuItem(ObjectMenu(a), QStringLiteral("Cut"))->trigger();
    EXPECT_EQ(w.surface->PlacedObjects().size(), 1);
    clock.Advance(1000);
    w.surface->SelectionClipboard(ccPaste);
    EXPECT_EQ(w.surface->PlacedObjects().size(), 3);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Surface commands run to their end without handling other events first: work queued before a
// command still waits when the command returns.
TEST(SurfaceCommands, LeaveQueuedWorkQueued)
{
    ScratchProgramFolder folder;
    FakeClock clock;
    SurfaceWindow w;
    TTestBox* box = w.AddBox(40, 50, 30, 20);
    w.Select({box});
    w.surface->SelectionClipboard(ccCopy);
    ExpectQueuedWorkStaysQueued({
        {"place",
         [&] {
             w.surface->PlaceObject(new TTestBox, {100, 100, 120, 120});
         }},
        {"zoom", [&] { w.surface->SetScale(0.5f); }},
        {"clone", [&] { box->CloneObject(); }},
        {"centre vertically", [&] { box->CenterVertically(); }},
        {"centre horizontally", [&] { box->CenterHorizontally(); }},
        {"paste", [&] { w.surface->SelectionClipboard(ccPaste); }},
        {"shift-click on the selection",
         [&] { w.surface->HandleMouseDown(box->ScreenRect().topLeft(), Qt::ShiftModifier); }},
    });
}
