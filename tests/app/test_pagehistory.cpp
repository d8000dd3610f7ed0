// Undo and redo of changes to the page: every kind of step gives back the document bytes before and
// after it, steps merge where they should, Modified follows the saved state, and the view stays put.
#include "app/calendarmain.h"
#include "app/calendarproperties.h"
#include "app/documentcommands.h"
#include "app/pagezoom.h"
#include "app/usertitleform.h"
#include "document/calendardocument.h"
#include "document/flatcalendar/qflatcalendar.h"
#include "document/image/qimage.h"
#include "document/label/qplabel.h"
#include "document/pagehistory.h"
#include "document/pagesnapshot.h"
#include "document/richlabel/qprichbaselabel.h"
#include "document/supertext/qsupertext.h"
#include "editor/calendarpanel32.h"
#include "editor/flatcalendar/flatcalendareditor.h"
#include "editor/image/qimagebrowser.h"
#include "editor/label/getlabeltext.h"
#include "editor/label/qfont3deffects.h"
#include "editor/qhandle.h"
#include "editor/richlabel/richtextlabeleditor.h"
#include "editor/supertext/supertextproperties.h"
#include "richtext/wprichtext.h"
#include "richtext/wprtfstorage.h"
#include "support/testsupport.h"

#include "editor/objectmenu.h"
#include "platform/messages.h"
#include "platform/rounding.h"

#include <QAction>
#include <QApplication>
#include <QColorDialog>
#include <QComboBox>
#include <QFontDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

struct PageHistory : ::testing::Test
{
    ScratchProgramFolder folder;
    std::unique_ptr<TCalendarMain> main;
    TCalendarPanel32* page = nullptr;
    std::function<void(TCalendarPanel32&)> edit = [](TCalendarPanel32&) {};

    void SetUp() override
    {
        SetMessageResponder([](MessageKind, const QString&, const QString&) { return true; });
        main = std::make_unique<TCalendarMain>();
        page = main->CalendarPanel();
        main->Documents().SetRunPropertiesDialog([this](const TPropertiesRequest& request) {
            TPropertiesOutcome outcome;
            outcome.ZoomPercent = request.ZoomPercent;
            outcome.Accepted = true;
            outcome.Chosen = std::make_unique<TCalendarPanel32>();
            outcome.Chosen->CopySettingsFrom(*page);
            edit(*outcome.Chosen);
            return outcome;
        });
        main->show();
        ASSERT_TRUE(QTest::qWaitFor([this] { return !main->Loading(); }, 5000));
        QApplication::setActiveWindow(main.get());
        edit = [](TCalendarPanel32& p) {
            p.SetCalendarLayout(loFullCalendar);
            p.SetMainCalMonth(12);
            p.SetMainCalYear(1997);
        };
        main->Documents().New1Click();
        edit = [](TCalendarPanel32&) {};
        // A page with text in two days and three objects, the first selected.
        main->PuttextOnDay(5, QStringLiteral("Choir"));
        main->PuttextOnDay(18, QStringLiteral("Party"));
        for (int i = 0; i < 3; ++i) {
            TQGraphicControl* object =
                i == 1 ? static_cast<TQGraphicControl*>(new TQFlatCalendar(page)) : new TQPLabel(page);
            page->PlaceObject(object, TRect{40 + 90 * i, 60 + 40 * i, 160 + 90 * i, 120 + 40 * i});
        }
        select(0);
        settle();
    }
    void TearDown() override
    {
        main.reset();
        SetMessageResponder({});
    }
    // Lets the history take the step of what was just done.
    static void settle() { QCoreApplication::processEvents(); }
    QByteArray bytes() const { return DocumentBytes(*page); }
    QUndoStack& stack() const { return main->History()->Stack(); }
    TQHandle* handle() const { return page->SelectionHandle(); }
    TQGraphicControl* object(int i) const { return page->PlacedObjects().value(i); }
    void select(int i)
    {
        handle()->ClearSelection();
        handle()->Select(object(i));
        // Selecting takes the mouse for a drag; the test's own presses go elsewhere.
        handle()->releaseMouse();
    }
    static void sendMouse(QWidget* to, QEvent::Type type, QPoint at, Qt::MouseButtons buttons)
    {
        QMouseEvent event(type, QPointF(at), to->mapToGlobal(QPointF(at)), Qt::LeftButton, buttons, {});
        QCoreApplication::sendEvent(to, &event);
    }
    void objectCommand(int i, const char* caption)
    {
        for (QAction* action : ObjectMenu(object(i))->actions()) {
            if (action->text() == QLatin1String(caption))
                return action->trigger();
        }
        FAIL() << caption;
    }
    int cellOfDay(int day) const { return page->CellOfDay(day); }
    void typeInDay(int day, const QString& text)
    {
        page->OpenCell(cellOfDay(day));
        QTest::keyClicks(main->DayTextEditor(), text);
    }
    void drag(QWidget* on, QPoint from, QPoint to)
    {
        QTest::mousePress(on, Qt::LeftButton, {}, from);
        QTest::mouseMove(on, to);
        QTest::mouseRelease(on, Qt::LeftButton, {}, to);
    }
};

// Answers whatever dialog an object's command opens with a change, and OK; `picture` is a file for the
// image browser to choose.
void AnswerWithAChange(QWidget* modal, const QString& picture)
{
    if (auto* d = qobject_cast<QFontDialog*>(modal)) {
        d->setCurrentFont(QFont(QStringLiteral("Liberation Mono"), 13));
        d->accept();
    } else if (auto* d = qobject_cast<QColorDialog*>(modal)) {
        d->setCurrentColor(QColor(12, 34, 56));
        d->accept();
    } else if (auto* d = qobject_cast<TQFont3DEffects*>(modal)) {
        emit d->HighlightDepth()->activated(4);
        d->OkButton()->click();
    } else if (auto* d = qobject_cast<TGetLabelText*>(modal)) {
        d->LabelText()->setText(QStringLiteral("Walked"));
        d->OkButton()->click();
    } else if (auto* d = qobject_cast<TSuperTextProperties*>(modal)) {
        d->findChild<QLineEdit*>(QStringLiteral("TextEdit"))->setText(QStringLiteral("Walked"));
        d->accept();
    } else if (auto* d = qobject_cast<TFlatCalendarEditor*>(modal)) {
        d->findChild<QComboBox*>(QStringLiteral("Language"))->setCurrentIndex(TQFlatCalendar::fclSpanish);
        d->accept();
    } else if (auto* d = qobject_cast<TQImageBrowser*>(modal)) {
        d->SetDirectory(QFileInfo(picture).path());
        auto* files = d->findChild<QListWidget*>(QStringLiteral("FileListBox1"));
        files->setCurrentItem(files->findItems(QFileInfo(picture).fileName(), Qt::MatchExactly).value(0));
        d->findChild<QPushButton*>(QStringLiteral("OKButton"))->click();
    } else if (auto* d = qobject_cast<TRichTextLabelEditor*>(modal)) {
        d->WPRichText1()->AppendParagraph(QStringLiteral("Walked"), {});
        d->accept();
    } else if (auto* d = qobject_cast<QDialog*>(modal)) {
        ADD_FAILURE() << "no answer for " << modal->metaObject()->className();
        d->reject();
    }
}

// The captions leading to every command of a menu, submenus included.
QList<QStringList> Commands(const QMenu* menu, const QStringList& path = {})
{
    QList<QStringList> commands;
    for (QAction* action : menu->actions()) {
        if (action->isSeparator())
            continue;
        const QStringList at = path + QStringList{action->text()};
        if (action->menu())
            commands += Commands(action->menu(), at);
        else
            commands.append(at);
    }
    return commands;
}

QAction* Command(const QMenu* menu, const QStringList& path)
{
    for (QAction* action : menu->actions()) {
        if (action->text() != path.first())
            continue;
        return path.size() == 1 ? action : Command(action->menu(), path.mid(1));
    }
    return nullptr;
}

struct StepKind
{
    const char* name;
    std::function<void(PageHistory&)> run;
};

} // namespace

TEST_F(PageHistory, EveryKindOfStepUndoesAndRedoesToTheSameBytes)
{
    const StepKind steps[] = {
        {"properties",
         [](PageHistory& t) {
             t.edit = [](TCalendarPanel32& p) { p.SetTitleShowYear(!p.TitleShowYear()); };
             t.main->Documents().mnuPropertiesClick();
         }},
        {"week numbers and moon phases",
         [](PageHistory& t) {
             t.edit = [](TCalendarPanel32& p) {
                 p.SetShowWeekNumbers(true);
                 p.SetShowMoonPhases(true);
             };
             t.main->Documents().mnuPropertiesClick();
         }},
        {"clear all cells", [](PageHistory& t) { t.main->Documents().mnuClearAllCellContentsClick(); }},
        {"typing",
         [](PageHistory& t) {
             t.typeInDay(12, QStringLiteral("Picnic"));
             t.main->DoSaveRichtext();
         }},
        {"fill",
         [](PageHistory& t) {
             t.main->PuttextOnDay(3, QStringLiteral("Easter"));
             t.main->PuttextOnDay(5, QStringLiteral("Fair"));
         }},
        {"icon drop",
         [](PageHistory& t) {
             QImage icon(16, 16, QImage::Format_RGB32);
             icon.fill(Qt::red);
             QMimeData mime;
             mime.setImageData(icon);
             const TRect r = t.page->Cell(t.cellOfDay(24)).rFree;
             const QPoint at((r.left + r.right) / 2, (r.top + r.bottom) / 2);
             QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, {});
             QCoreApplication::sendEvent(t.page, &enter);
             QDropEvent drop(QPointF(at), Qt::CopyAction, &mime, Qt::LeftButton, {});
             QCoreApplication::sendEvent(t.page, &drop);
             t.main->DoSaveRichtext();
         }},
        {"user title",
         [](PageHistory& t) {
             WhenModalShown<TUserTitleForm>([](TUserTitleForm* form) {
                 form->TitleText()->setText(QStringLiteral("Our year"));
                 form->accept();
             });
             t.main->mnuUserTitleClick();
         }},
        {"place",
         [](PageHistory& t) {
             QTest::mouseClick(t.main->Control(QStringLiteral("PSpeedButton1")), Qt::LeftButton);
             t.drag(t.page, QPoint(300, 400), QPoint(420, 480));
         }},
        {"move", [](PageHistory& t) { t.handle()->SetBounds(t.handle()->geometry().translated(30, 20)); }},
        {"resize", [](PageHistory& t) { t.handle()->SetBounds(t.handle()->geometry().adjusted(0, 0, 25, 12)); }},
        {"nudge", [](PageHistory& t) { QTest::keyClick(t.handle(), Qt::Key_Down); }},
        {"cut", [](PageHistory& t) { t.page->SelectionClipboard(ccCut); }},
        {"paste",
         [](PageHistory& t) {
             t.page->SelectionClipboard(ccCopy);
             t.page->ForgetLastPaste();
             t.page->SelectionClipboard(ccPaste);
         }},
        {"delete", [](PageHistory& t) { t.page->SelectionClipboard(ccDelete); }},
        {"bring to front", [](PageHistory& t) { t.objectCommand(0, "Bring To Front"); }},
        {"send to back", [](PageHistory& t) { t.objectCommand(2, "Send To Back"); }},
        {"clone", [](PageHistory& t) { t.objectCommand(1, "Clone"); }},
        {"lock", [](PageHistory& t) { t.objectCommand(0, "Locked"); }},
        {"unselectable", [](PageHistory& t) { t.objectCommand(0, "Unselectable"); }},
        {"centre", [](PageHistory& t) { t.objectCommand(2, "Center Horizontally"); }},
        {"a kind's own command", [](PageHistory& t) { t.objectCommand(0, "Transparent"); }},
    };
    for (const StepKind& step : steps) {
        SCOPED_TRACE(step.name);
        select(0);
        const QByteArray before = bytes();
        const int count = stack().index();
        step.run(*this);
        settle();
        const QByteArray after = bytes();
        EXPECT_TRUE(after != before);
        EXPECT_EQ(stack().index(), count + 1);
        main->mnuUndoClick();
        EXPECT_TRUE(bytes() == before);
        main->mnuRedoClick();
        EXPECT_TRUE(bytes() == after);
        // The next kind starts from the same page.
        main->mnuUndoClick();
        ASSERT_TRUE(bytes() == before);
    }
}

TEST_F(PageHistory, NudgesMergeAndCellsDoNot)
{
    const QByteArray start = bytes();
    const int count = stack().count();
    for (int i = 0; i < 10; ++i) {
        QTest::keyClick(handle(), Qt::Key_Right);
        settle();
    }
    EXPECT_EQ(stack().index(), count + 1);
    EXPECT_EQ(stack().undoText(), QStringLiteral("Move"));
    main->mnuUndoClick();
    EXPECT_TRUE(bytes() == start);

    // Nudged one way and back: nothing is left to undo.
    QTest::keyClick(handle(), Qt::Key_Right);
    settle();
    QTest::keyClick(handle(), Qt::Key_Left);
    settle();
    EXPECT_EQ(stack().index(), count);

    typeInDay(12, QStringLiteral("Picnic"));
    typeInDay(13, QStringLiteral("Games"));
    main->DoSaveRichtext();
    EXPECT_EQ(stack().count(), count + 2);
    EXPECT_EQ(stack().undoText(), QStringLiteral("Typing in 13 ") + page->GetMonthName(12));
    main->mnuUndoClick();
    main->mnuUndoClick();
    EXPECT_TRUE(bytes() == start);
}

TEST_F(PageHistory, ModifiedFollowsTheSavedStateAndNewOrOpenStartAfresh)
{
    typeInDay(12, QStringLiteral("Picnic"));
    main->DoSaveRichtext();
    EXPECT_TRUE(main->Modified());
    const QString file = folder.file(QStringLiteral("History.QXF"));
    ASSERT_TRUE(main->Documents().SaveCalendarFile(file));
    EXPECT_FALSE(main->Modified());
    main->mnuUndoClick();
    EXPECT_TRUE(main->Modified());
    main->mnuRedoClick();
    EXPECT_FALSE(main->Modified());

    // A new calendar was never saved: going back to where it began leaves it modified.
    main->Documents().New1Click();
    EXPECT_EQ(stack().count(), 0);
    main->PuttextOnDay(7, QStringLiteral("Trip"));
    settle();
    main->mnuUndoClick();
    EXPECT_TRUE(main->Modified());

    for (int i = 0; i < TPageHistory::kStepLimit + 5; ++i) {
        page->SetUserTitle(QString::number(i));
        main->SetModified(true);
        settle();
    }
    EXPECT_EQ(stack().count(), TPageHistory::kStepLimit);

    main->Documents().OpenCalendarFile(file);
    EXPECT_EQ(stack().count(), 0);
    EXPECT_FALSE(main->Action(QStringLiteral("mnuUndo"))->isEnabled());
}

TEST_F(PageHistory, OnlyTheNewestStepsThatFitTheByteBudgetAreKept)
{
    // Room for four states of the page, that is three steps.
    main->History()->SetByteBudget(4 * TakePageSnapshot(*page).bytes.size() + 1000);
    QList<QByteArray> states{bytes()};
    const QString file = folder.file(QStringLiteral("Budget.QXF"));
    for (int i = 0; i < 6; ++i) {
        page->SetUserTitle(QStringLiteral("Title %1").arg(i));
        main->SetModified(true);
        settle();
        states << bytes();
        if (i == 4) {
            ASSERT_TRUE(main->Documents().SaveCalendarFile(file));
        }
    }
    ASSERT_EQ(stack().count(), 3);
    // The kept steps still give back the exact pages, and the saved one is still known as saved.
    for (int back = 1; back <= 3; ++back) {
        main->mnuUndoClick();
        EXPECT_EQ(bytes(), states[6 - back]) << back;
        EXPECT_EQ(main->Modified(), back != 1) << back;
    }
    EXPECT_FALSE(stack().canUndo());
    for (int i = 0; i < 3; ++i)
        main->mnuRedoClick();
    EXPECT_EQ(bytes(), states.last());
}

TEST_F(PageHistory, UndoKeepsZoomScrollAndSelection)
{
    main->resize(500, 400);
    main->Zoom().ZoomSpinnerDownClick();
    main->Zoom().ZoomSpinnerDownClick();
    settle();
    const float zoom = page->Scale();
    ASSERT_LT(zoom, 1.0f);
    auto* view = main->findChild<QScrollArea*>(QStringLiteral("ScrollBox2"));
    view->verticalScrollBar()->setValue(view->verticalScrollBar()->maximum() / 2);
    const int scrolled = view->verticalScrollBar()->value();
    ASSERT_GT(scrolled, 0);
    select(1);
    const QRect placed = object(1)->ScreenRect();
    handle()->SetBounds(handle()->geometry().translated(40, 10));
    settle();
    main->mnuUndoClick();
    EXPECT_EQ(page->Scale(), zoom);
    EXPECT_EQ(view->verticalScrollBar()->value(), scrolled);
    ASSERT_EQ(handle()->Count(), 1);
    EXPECT_EQ(handle()->Items(0), object(1));
    EXPECT_EQ(object(1)->ScreenRect(), placed);

    // A step taken at one zoom and undone at another gives what zooming would have given.
    const QByteArray zoomedOut = bytes();
    main->Zoom().ZoomSpinnerUpClick();
    handle()->SetBounds(handle()->geometry().translated(-20, 30));
    settle();
    main->Zoom().ZoomSpinnerDownClick();
    main->mnuUndoClick();
    EXPECT_TRUE(bytes() == zoomedOut);

    // A change not yet a step when some command zooms is a step at the zoom it was made at.
    const float shown = page->Scale();
    handle()->SetBounds(handle()->geometry().translated(15, 5));
    page->SetScale(1.0f);
    settle();
    main->mnuUndoClick();
    page->SetScale(shown);
    EXPECT_TRUE(bytes() == zoomedOut);
}

TEST_F(PageHistory, StepsAreNamedAfterWhatTheUserDid)
{
    main->Action(QStringLiteral("mnuClearAll"))->trigger();
    settle();
    EXPECT_EQ(main->Action(QStringLiteral("mnuUndo"))->text(), QStringLiteral("&Undo Clear All Cell Contents"));

    // A drag of the selected object: press, a moment, two moves, release.
    TQGraphicControl* dragged = object(0);
    sendMouse(page, QEvent::MouseButtonPress, dragged->ScreenRect().topLeft() + QPoint(10, 10), Qt::LeftButton);
    QTest::qWait(20);
    const QPoint from = handle()->mapFromParent(dragged->ScreenRect().topLeft() + QPoint(10, 10));
    sendMouse(handle(), QEvent::MouseMove, from, Qt::LeftButton);
    sendMouse(handle(), QEvent::MouseMove, from + QPoint(30, 20), Qt::LeftButton);
    QTest::qWait(160);
    sendMouse(handle(), QEvent::MouseButtonRelease, from + QPoint(30, 20), Qt::NoButton);
    settle();
    EXPECT_EQ(stack().undoText(), QStringLiteral("Move"));

    // Inside the open editor Ctrl+Z is the editor's own; in a cell just opened, the page's.
    typeInDay(20, QStringLiteral("Fete"));
    const int count = stack().count();
    QTest::keyClick(main->DayTextEditor(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(main->DayTextEditor()->PlainText(), QString());
    EXPECT_EQ(stack().count(), count);
    QTest::keyClicks(main->DayTextEditor(), QStringLiteral("Fair"));
    page->OpenCell(cellOfDay(21));
    QTest::keyClick(main->DayTextEditor(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(page->CellStorage(cellOfDay(20))->PlainText(), QString());
    EXPECT_EQ(stack().redoText(), QStringLiteral("Typing in 20 ") + page->GetMonthName(12));

    // A rich text label's double-click is its menu's "Edit".
    auto* rich = new TQPRichBaseLabel(page);
    page->PlaceObject(rich, TRect{300, 300, 460, 360});
    settle();
    WhenModalShown<TRichTextLabelEditor>([](TRichTextLabelEditor* editor) {
        editor->WPRichText1()->AppendParagraph(QStringLiteral("Concert"), {});
        editor->accept();
    });
    ASSERT_TRUE(rich->DblClickAction);
    rich->DblClickAction(page);
    settle();
    EXPECT_EQ(stack().undoText(), QStringLiteral("Edit"));
}

TEST_F(PageHistory, EveryObjectCommandOfEveryKindIsOneStep)
{
    const QString picture = folder.file(QStringLiteral("Walk.bmp"));
    QImage blue(24, 16, QImage::Format_RGB32);
    blue.fill(Qt::blue);
    ASSERT_TRUE(blue.save(picture));
    struct Kind
    {
        const char* name;
        std::function<TQGraphicControl*()> make;
        bool takesFonts;
    };
    const Kind kinds[] = {
        {"text label", [] { return new TQPLabel; }, true},
        {"SuperText", [] { return new TQSuperText; }, true},
        {"mini calendar", [] { return new TQFlatCalendar; }, false},
        {"image",
         [] {
             auto* image = new TQImage;
             QImage red(20, 20, QImage::Format_RGB32);
             red.fill(Qt::red);
             TPicture bitmap;
             bitmap.SetBitmap(red);
             image->SetPicture(bitmap);
             return image;
         },
         false},
        {"rich text label", [] { return new TQPRichBaseLabel; }, false},
    };
    QTimer answerer;
    QObject::connect(&answerer, &QTimer::timeout, [&picture] {
        if (QWidget* modal = QApplication::activeModalWidget())
            AnswerWithAChange(modal, picture);
    });
    answerer.start(10);
    const QStringList surfaceFont{QStringLiteral("Font")};
    for (const Kind& kind : kinds) {
        TQGraphicControl* placed = kind.make();
        page->PlaceObject(placed, TRect{200, 250, 330, 300});
        // In the middle of the z-order, so that both z-order commands move it.
        placed->Lower();
        object(1)->Lower();
        settle();
        const QString name = placed->objectName();
        // The surface's "Font" last, with the object selected.
        const QList<QStringList> commands = Commands(ObjectMenu(placed)) + QList<QStringList>{{}};
        for (const QStringList& path : commands) {
            const bool onSurface = path.isEmpty();
            SCOPED_TRACE(std::string(kind.name) + ": " +
                         (onSurface ? "surface Font" : path.join(QStringLiteral(" > ")).toStdString()));
            auto* subject = page->findChild<TQGraphicControl*>(name, Qt::FindDirectChildrenOnly);
            ASSERT_TRUE(subject);
            handle()->ClearSelection();
            handle()->Select(subject);
            handle()->releaseMouse();
            QMenu* menu = onSurface ? page->SurfaceMenu() : ObjectMenu(subject);
            QAction* action = Command(menu, onSurface ? surfaceFont : path);
            ASSERT_TRUE(action);
            // The checks as the menu shows them.
            emit menu->aboutToShow();
            // A choice already made is first left for another one of its submenu.
            if (path.size() > 1 && action->isChecked()) {
                for (QAction* other : Command(menu, path.mid(0, path.size() - 1))->menu()->actions()) {
                    if (other != action) {
                        other->trigger();
                        break;
                    }
                }
                settle();
            }
            main->History()->MarkSaved();
            ASSERT_FALSE(main->Modified());
            const QByteArray before = bytes();
            const int index = stack().index();
            action->trigger();
            settle();
            const bool edits = onSurface ? kind.takesFonts : path.last() != QLatin1String("Copy");
            EXPECT_EQ(bytes() != before, edits);
            EXPECT_EQ(main->Modified(), edits);
            EXPECT_EQ(stack().index(), index + (edits ? 1 : 0));
            if (!edits)
                continue;
            main->mnuUndoClick();
            EXPECT_TRUE(bytes() == before);
        }
    }
}

TEST_F(PageHistory, ZoomingAndSavingLeaveTheDocumentAndTheViewAsTheyWere)
{
    object(0)->SetBounds(QRect(105, 613, 217, 187));
    object(1)->SetBounds(QRect(33, 77, 151, 121));
    settle();
    const QByteArray before = bytes();
    const int steps = stack().count();
    // Every zoom step down and back up: no byte, no step, no change mark.
    main->SetModified(false);
    for (int i = 0; i < 6; ++i)
        main->Zoom().ZoomSpinnerDownClick();
    for (int i = 0; i < 6; ++i)
        main->Zoom().ZoomSpinnerUpClick();
    settle();
    EXPECT_EQ(bytes(), before);
    EXPECT_EQ(stack().count(), steps);
    EXPECT_FALSE(main->Modified());

    // Placed at 60% with the tool, the object keeps what was dragged, over the zoom, through a save.
    for (int i = 0; i < 4; ++i)
        main->Zoom().ZoomSpinnerDownClick();
    const double zoom = page->Scale();
    ASSERT_NEAR(zoom, 0.6, 0.01);
    QTest::mouseClick(main->Control(QStringLiteral("PSpeedButton1")), Qt::LeftButton);
    drag(page, QPoint(301, 401), QPoint(422, 483));
    const QRect drawn(RoundHalfEven(301 / zoom), RoundHalfEven(401 / zoom), RoundHalfEven(121 / zoom),
                      RoundHalfEven(82 / zoom));
    ASSERT_EQ(page->PlacedObjects().size(), 4);
    EXPECT_EQ(page->PlacedObjects().last()->Bounds(), drawn);

    // Saving leaves the zoom and the scroll position alone.
    auto* scroll = main->findChild<QScrollArea*>();
    ASSERT_NE(scroll, nullptr);
    scroll->verticalScrollBar()->setValue(scroll->verticalScrollBar()->maximum() / 2);
    const int scrolled = scroll->verticalScrollBar()->value();
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("Zoomed.QXF"));
    ASSERT_TRUE(main->Documents().SaveCalendarFile(file));
    EXPECT_EQ(page->Scale(), float(zoom));
    EXPECT_EQ(scroll->verticalScrollBar()->value(), scrolled);
    main->Documents().OpenCalendarFile(file);
    ASSERT_EQ(page->PlacedObjects().size(), 4);
    EXPECT_EQ(page->PlacedObjects().last()->Bounds(), drawn);
    EXPECT_EQ(page->PlacedObjects().value(1)->Bounds(), QRect(33, 77, 151, 121));
}
