#include "app/aboutbox.h"
#include "app/almarinapp.h"
#include "app/calendarmain.h"
#include "app/calendarproperties.h"
#include "app/documentcommands.h"
#include "app/pagezoom.h"
#include "document/image/qimage.h"
#include "document/label/qplabel.h"
#include "document/qgraphiccontrol.h"
#include "document/richlabel/qprichbaselabel.h"
#include "editor/calendarpanel32.h"
#include "editor/image/qimagebrowser.h"
#include "editor/label/getlabeltext.h"
#include "editor/richlabel/richtextlabeleditor.h"
#include "richtext/wprichtext.h"
#include "support/testsupport.h"

#include "platform/messages.h"
#include "platform/zoom.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollArea>
#include <QTemporaryDir>
#include <QTest>
#include <QWheelEvent>

#include <gtest/gtest.h>

namespace {

// A main window after its first activation, in a scratch program folder.
struct MainWindowFixture : ::testing::Test
{
    ScratchProgramFolder folder;
    TCalendarMain main;

    void SetUp() override
    {
        main.show();
        ASSERT_TRUE(QTest::qWaitFor([&] { return !main.Loading(); }, 5000));
    }
    bool enabled(const char* name) const
    {
        if (QAction* a = main.Action(QLatin1String(name)))
            return a->isEnabled();
        return main.Control(QLatin1String(name))->isEnabled();
    }
    bool visible(const char* name) const { return !main.Control(QLatin1String(name))->isHidden(); }
    void showPage()
    {
        main.CalendarPanel()->show();
        main.SetButtons();
    }
};

QStringList captions(const QMenu* menu)
{
    QStringList out;
    for (const QAction* a : menu->actions())
        out << (a->isSeparator() ? QStringLiteral("-") : a->text());
    return out;
}

} // namespace

TEST_F(MainWindowFixture, MenusCarryTheirCaptions)
{
    const QList<QAction*> top = main.menuBar()->actions();
    ASSERT_EQ(top.size(), 3);
    EXPECT_EQ(top[0]->text(), QStringLiteral("&File"));
    EXPECT_EQ(top[1]->text(), QStringLiteral("&Edit"));
    EXPECT_EQ(top[2]->text(), QStringLiteral("&Help"));
    EXPECT_EQ(captions(top[0]->menu()), (QStringList{QStringLiteral("&New "),
                                                     QStringLiteral("&Open"),
                                                     QStringLiteral("-"),
                                                     QStringLiteral("&Save "),
                                                     QStringLiteral("Save &As..."),
                                                     QStringLiteral("Save As Bitmap File"),
                                                     QStringLiteral("Save As JPG File"),
                                                     QStringLiteral("Save As PNG File"),
                                                     QStringLiteral("Save As PDF File"),
                                                     QStringLiteral("Make Year..."),
                                                     QStringLiteral("Join Documents into PDF..."),
                                                     QStringLiteral("-"),
                                                     QStringLiteral("&Properties"),
                                                     QStringLiteral("User Defined Title"),
                                                     QStringLiteral("&Cancel Changes"),
                                                     QStringLiteral("Clear &All Cell Contents"),
                                                     QStringLiteral("&Default Editor Font"),
                                                     QStringLiteral("-"),
                                                     QStringLiteral("Fill Calendar with Recurring Dates"),
                                                     QStringLiteral("Import Events (iCalendar)..."),
                                                     QStringLiteral("Edit Recurring Dates"),
                                                     QStringLiteral("-"),
                                                     QStringLiteral("Print Preview"),
                                                     QStringLiteral("P&rint Calendar"),
                                                     QStringLiteral("Print Set&up"),
                                                     QStringLiteral("-"),
                                                     QStringLiteral("E&xit")}));
    EXPECT_EQ(captions(top[1]->menu()), (QStringList{QStringLiteral("&Undo"), QStringLiteral("&Redo")}));
    EXPECT_EQ(captions(top[2]->menu()),
              (QStringList{QStringLiteral("&Contents"), QStringLiteral("&About"), QStringLiteral("-"),
                           QStringLiteral("Configuration Information"), QStringLiteral("Technical Support"),
                           QStringLiteral("Frequently Asked Questions"), QStringLiteral("-"),
                           QStringLiteral("&Show Hints")}));
    EXPECT_EQ(main.Action(QStringLiteral("mnuSave"))->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_S));
    EXPECT_EQ(main.Action(QStringLiteral("mnuUndo"))->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Z));
    EXPECT_EQ(
        main.Action(QStringLiteral("mnuRedo"))->shortcuts(),
        (QList<QKeySequence>{QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)}));
    EXPECT_TRUE(main.Action(QStringLiteral("mnuShowHint"))->isChecked());
    EXPECT_EQ(main.windowTitle(), QStringLiteral("Almarin"));
}

TEST_F(MainWindowFixture, StartsWithoutADocument)
{
    EXPECT_TRUE(main.CalendarPanel()->isHidden());
    EXPECT_EQ(main.CalendarPanel()->pos(), QPoint(5, 5));
    EXPECT_EQ(main.Zoom().Caption()->text(), QStringLiteral("60%"));
    EXPECT_FALSE(enabled("mnuSaveAsBitmap"));
    EXPECT_FALSE(enabled("PropertiesButton"));
    EXPECT_FALSE(enabled("ZoomSpinner"));
    EXPECT_FALSE(enabled("Printbutton"));
    EXPECT_FALSE(enabled("mnuPrintPreview"));
    EXPECT_FALSE(enabled("ShowHideIconTool"));
    EXPECT_FALSE(visible("Savebutton"));
    EXPECT_FALSE(visible("CancelButton"));
    EXPECT_TRUE(enabled("mnuExit"));
}

TEST_F(MainWindowFixture, SetButtonsFollowsPageNameAndModified)
{
    showPage();
    EXPECT_TRUE(enabled("PropertiesButton"));
    EXPECT_TRUE(enabled("ZoomSpinner"));
    main.SetModified(true);
    EXPECT_TRUE(visible("Savebutton"));
    EXPECT_FALSE(visible("CancelButton"));
    ASSERT_TRUE(main.Documents().SaveCalendarFile(folder.file(QStringLiteral("Family.QXF"))));
    EXPECT_EQ(main.windowTitle(), QStringLiteral("Almarin  [Family.QXF]"));
    EXPECT_FALSE(visible("Savebutton"));
    main.SetModified(true);
    EXPECT_TRUE(visible("CancelButton"));
    main.SetModified(false);
    EXPECT_FALSE(visible("Savebutton"));
    main.CalendarPanel()->SetCalendarLayout(loMC12Month);
    main.SetButtons();
    EXPECT_FALSE(enabled("ShowHideIconTool"));
}

TEST_F(MainWindowFixture, ToolStripFitsASmallScreenAndShowingSaveNeverResizes)
{
    showPage();
    const QSize size = main.size();
    const int minimum = main.minimumSizeHint().width();
    ASSERT_TRUE(main.Documents().SaveCalendarFile(folder.file(QStringLiteral("Family.QXF"))));
    main.SetModified(true);
    ASSERT_TRUE(visible("Savebutton") && visible("CancelButton"));
    EXPECT_EQ(main.minimumSizeHint().width(), minimum);
    EXPECT_EQ(main.size(), size);
    // Everything on the strip shows in the window as it opens and on a screen 1024 pixels wide.
    const int strip = main.Control(QStringLiteral("Panel3"))->layout()->minimumSize().width();
    const int frame = main.frameGeometry().width() - main.width();
    EXPECT_LE(strip, main.width());
    EXPECT_LE(strip + frame, 1024);
    EXPECT_LE(minimum + frame, 1024);
    main.SetModified(false);
}

TEST_F(MainWindowFixture, AboutBoxIsCentredOverTheWindowAsItShowsTheBuildsVersion)
{
    QPoint offset(-1000, -1000);
    QString version;
    WhenModalShown<TAboutBox>([&](TAboutBox* box) {
        offset = box->frameGeometry().center() - main.frameGeometry().center();
        if (auto* label = box->findChild<QLabel*>(QStringLiteral("VersionLabel")))
            version = label->text();
        box->accept();
    });
    main.Action(QStringLiteral("mnuAbout"))->trigger();
    // Off at most by the frame, which the window system adds only as the box shows.
    const int frame = main.frameGeometry().width() - main.width();
    EXPECT_LE(std::abs(offset.x()), frame);
    EXPECT_LE(std::abs(offset.y()), frame);
    EXPECT_EQ(version, QStringLiteral("Version " ALMARIN_VERSION_TEXT));
}

TEST_F(MainWindowFixture, ZoomStepsClimbToOneHundredAndStopAtFifty)
{
    showPage();
    TCalendarPanel32* page = main.CalendarPanel();
    for (int i = 0; i < 6; ++i)
        main.Zoom().ZoomSpinnerUpClick();
    EXPECT_EQ(PercentFromZoom(page->Scale()), 100);
    EXPECT_EQ(main.Zoom().Caption()->text(), QStringLiteral("100%"));
    const float top = page->Scale();
    main.Zoom().ZoomSpinnerUpClick();
    EXPECT_EQ(page->Scale(), top);

    page->SetScale(ZoomFromPercent(60));
    main.Zoom().ZoomSpinnerDownClick();
    EXPECT_EQ(PercentFromZoom(page->Scale()), 50);
    const float bottom = page->Scale();
    main.Zoom().ZoomSpinnerDownClick();
    EXPECT_EQ(page->Scale(), bottom);
    EXPECT_EQ(main.Zoom().Caption()->text(), QStringLiteral("50%"));
}

TEST_F(MainWindowFixture, PageKeysZoomThroughTheApplicationHook)
{
    showPage();
    QApplication::setActiveWindow(&main);
    TCalendarPanel32* page = main.CalendarPanel();
    page->SetScale(ZoomFromPercent(60));
    auto press = [this](Qt::Key key) {
        QWidget* focus = QApplication::focusWidget();
        QTest::keyClick(focus && focus->window() == &main ? focus : static_cast<QWidget*>(&main), key);
    };
    press(Qt::Key_PageUp);
    EXPECT_EQ(PercentFromZoom(page->Scale()), 50);
    press(Qt::Key_PageDown);
    press(Qt::Key_PageDown);
    EXPECT_EQ(PercentFromZoom(page->Scale()), 70);
}

// Plus and minus zoom as the zoom control's hint says, with Ctrl too, and so does Ctrl with the wheel;
// where text is typed, plus and minus alone are text.
TEST_F(MainWindowFixture, PlusMinusAndCtrlWheelZoom)
{
    showPage();
    main.CalendarPanel()->SetCalendarLayout(loFullCalendar);
    QApplication::setActiveWindow(&main);
    TCalendarPanel32* page = main.CalendarPanel();
    QWidget* view = qobject_cast<QScrollArea*>(main.Control(QStringLiteral("ScrollBox2")))->viewport();
    auto key = [](Qt::Key k, Qt::KeyboardModifiers m) {
        return [k, m] {
            QWidget* focus = QApplication::focusWidget();
            QTest::keyClick(focus ? focus : QApplication::activeWindow(), k, m);
        };
    };
    auto wheel = [view](int delta, Qt::KeyboardModifiers m) {
        return [view, delta, m] {
            QWheelEvent event(QPointF(20, 20), view->mapToGlobal(QPointF(20, 20)), {}, QPoint(0, delta), Qt::NoButton,
                              m, Qt::NoScrollPhase, false);
            QApplication::sendEvent(view, &event);
        };
    };
    const struct
    {
        const char* what;
        std::function<void()> input;
        bool inCell;
        int percent;
    } cases[] = {
        {"plus", key(Qt::Key_Plus, Qt::NoModifier), false, 80},
        {"minus", key(Qt::Key_Minus, Qt::NoModifier), false, 60},
        {"keypad plus", key(Qt::Key_Plus, Qt::KeypadModifier), false, 80},
        {"Ctrl+=", key(Qt::Key_Equal, Qt::ControlModifier), false, 80},
        {"Ctrl+-", key(Qt::Key_Minus, Qt::ControlModifier), false, 60},
        {"Ctrl+= in a cell", key(Qt::Key_Equal, Qt::ControlModifier), true, 80},
        {"plus in a cell", key(Qt::Key_Plus, Qt::NoModifier), true, 70},
        {"Ctrl+wheel up", wheel(120, Qt::ControlModifier), false, 80},
        {"Ctrl+wheel down", wheel(-120, Qt::ControlModifier), false, 60},
        {"half a notch", wheel(60, Qt::ControlModifier), false, 70},
        {"wheel alone", wheel(120, Qt::NoModifier), false, 70},
    };
    for (const auto& c : cases) {
        main.DoSaveRichtext();
        page->SetScale(ZoomFromPercent(70));
        if (c.inCell)
            page->OpenCell(10);
        c.input();
        EXPECT_EQ(PercentFromZoom(page->Scale()), c.percent) << c.what;
    }
    EXPECT_EQ(main.DayTextEditor()->PlainText(), QStringLiteral("+"));
    main.SetModified(false);
}

TEST_F(MainWindowFixture, ToolButtonsSetThePanelStateAndDropsReturnToSelection)
{
    showPage();
    // Without a printer printing stays disabled; a tool comes alive with its object kind.
    EXPECT_FALSE(enabled("Printbutton"));
    for (const char* name :
         {"Pointerbutton", "DrawLabelButton", "DrawRichText", "DrawImageButton", "DrawSuperText", "PSpeedButton1"})
        EXPECT_TRUE(enabled(name)) << name;

    TCalendarPanel32* page = main.CalendarPanel();
    TQGraphicControl* made = nullptr;
    bool creates = false;
    page->SetToolKind(psFlatCalendar, [&](QWidget*) { return creates ? made = new TQGraphicControl : nullptr; });
    main.SetButtons();
    ASSERT_TRUE(enabled("PSpeedButton1"));
    auto dragBand = [&] {
        QTest::mouseClick(main.Control(QStringLiteral("PSpeedButton1")), Qt::LeftButton);
        EXPECT_EQ(page->PanelState(), psFlatCalendar);
        QTest::mousePress(page, Qt::LeftButton, {}, QPoint(40, 40));
        QTest::mouseMove(page, QPoint(120, 90));
        QTest::mouseRelease(page, Qt::LeftButton, {}, QPoint(120, 90));
        EXPECT_TRUE(qobject_cast<QAbstractButton*>(main.Control(QStringLiteral("Pointerbutton")))->isChecked());
        EXPECT_EQ(page->PanelState(), psPointing);
    };
    dragBand(); // the kind gives nothing this time
    EXPECT_FALSE(main.Modified());
    creates = true;
    dragBand();
    ASSERT_NE(made, nullptr);
    EXPECT_TRUE(main.Modified());
}

TEST_F(MainWindowFixture, RichTextToolPlacesAnOpaqueLabelAndOpensItsEditor)
{
    showPage();
    TCalendarPanel32* page = main.CalendarPanel();
    bool edited = false;
    WhenModalShown<TRichTextLabelEditor>([&](TRichTextLabelEditor* editor) {
        edited = true;
        editor->reject();
    });
    QTest::mouseClick(main.Control(QStringLiteral("DrawRichText")), Qt::LeftButton);
    EXPECT_EQ(page->PanelState(), psRichLabel);
    QTest::mousePress(page, Qt::LeftButton, {}, QPoint(40, 40));
    QTest::mouseMove(page, QPoint(240, 90));
    QTest::mouseRelease(page, Qt::LeftButton, {}, QPoint(240, 90));
    EXPECT_TRUE(edited);
    ASSERT_EQ(page->PlacedObjects().size(), 1);
    auto* label = qobject_cast<TQPRichBaseLabel*>(page->PlacedObjects().first());
    ASSERT_NE(label, nullptr);
    EXPECT_FALSE(label->Transparent());
    EXPECT_EQ(label->BorderStyle(), TQPRichBaseLabel::bsSingle);
    EXPECT_TRUE(main.Modified());
}

TEST_F(MainWindowFixture, ClipArtToolKeepsTheObjectOnlyWithAPicture)
{
    showPage();
    QTemporaryDir folder;
    QFile svg(folder.filePath(QStringLiteral("sun.svg")));
    ASSERT_TRUE(svg.open(QIODevice::WriteOnly));
    svg.write("<svg xmlns='http://www.w3.org/2000/svg' width='40' height='40'><circle cx='20' cy='20' r='18'/></svg>");
    svg.close();
    TCalendarPanel32* page = main.CalendarPanel();
    for (const bool ok : {false, true}) {
        WhenModalShown<TQImageBrowser>([&](TQImageBrowser* browser) {
            browser->SetDirectory(folder.path());
            auto* files = browser->findChild<QListWidget*>(QStringLiteral("FileListBox1"));
            files->setCurrentRow(0);
            browser->findChild<QPushButton*>(QString::fromLatin1(ok ? "OKButton" : "Cancelbutton"))->click();
        });
        QTest::mouseClick(main.Control(QStringLiteral("DrawImageButton")), Qt::LeftButton);
        QTest::mousePress(page, Qt::LeftButton, {}, QPoint(40, 40));
        QTest::mouseMove(page, QPoint(120, 90));
        QTest::mouseRelease(page, Qt::LeftButton, {}, QPoint(120, 90));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        const QList<TQImage*> images = page->findChildren<TQImage*>();
        ASSERT_EQ(images.size(), ok ? 1 : 0);
        // A cancelled browser leaves nothing behind, not even a change to save.
        EXPECT_EQ(main.Modified(), ok);
        if (ok) {
            EXPECT_EQ(images.first()->Picture().GraphicKind(), TPicture::Kind::Svg);
        }
    }
}

TEST_F(MainWindowFixture, LabelToolPlacesAFramedLabelAndAsksForItsText)
{
    showPage();
    TCalendarPanel32* page = main.CalendarPanel();
    QTest::mouseClick(main.Control(QStringLiteral("DrawLabelButton")), Qt::LeftButton);
    WhenModalShown<TGetLabelText>([](TGetLabelText* dialog) {
        dialog->LabelText()->setText(QStringLiteral("Birthday"));
        dialog->OkButton()->click();
    });
    QTest::mousePress(page, Qt::LeftButton, {}, QPoint(40, 40));
    QTest::mouseMove(page, QPoint(120, 90));
    QTest::mouseRelease(page, Qt::LeftButton, {}, QPoint(120, 90));
    const QList<TQPLabel*> labels = page->findChildren<TQPLabel*>();
    ASSERT_EQ(labels.size(), 1);
    EXPECT_EQ(labels[0]->Caption(), QStringLiteral("Birthday"));
    EXPECT_EQ(labels[0]->Font().size, 20);
    EXPECT_FALSE(labels[0]->Transparent());
    EXPECT_EQ(labels[0]->BorderStyle(), TQBaseLabel::bsSingle);
    EXPECT_EQ(labels[0]->ScreenRect().topLeft(), QPoint(40, 40));
    EXPECT_TRUE(main.Modified());
}

TEST(MainWindowPreferences, StoredZoomBetweenStepsStartsOnTheLadderAndIsWrittenBack)
{
    ScratchProgramFolder folder;
    {
        QFile ini(folder.file(QStringLiteral("QX.ini")));
        ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
        ini.write("; kept\r\n[Zooming]\r\nMain=35\r\n[Hints]\r\nOn=0\r\n");
    }
    {
        TCalendarMain main;
        main.show();
        ASSERT_TRUE(QTest::qWaitFor([&] { return !main.Loading(); }, 5000));
        EXPECT_FLOAT_EQ(main.CalendarPanel()->Scale(), 0.301f);
        EXPECT_EQ(main.Zoom().Caption()->text(), QStringLiteral("30%"));
        EXPECT_FALSE(main.Action(QStringLiteral("mnuShowHint"))->isChecked());
        main.Action(QStringLiteral("mnuShowHint"))->trigger(); // hints on, saved at once
        FontDescription chosen{QStringLiteral("Liberation Serif"), 14, fsStrikeOut, clNavy};
        main.SetChooseFont([&](FontDescription& font) {
            font = chosen;
            return true;
        });
        main.Action(QStringLiteral("DefaultEditorFont1"))->trigger();
        main.close();
    }
    QFile ini(folder.file(QStringLiteral("QX.ini")));
    ASSERT_TRUE(ini.open(QIODevice::ReadOnly));
    const QByteArray text = ini.readAll();
    EXPECT_TRUE(text.startsWith("; kept\r\n[Zooming]\r\nMain=30\r\n"));
    EXPECT_TRUE(text.contains("On=1"));
    EXPECT_TRUE(text.contains("Strikeout=1"));
    EXPECT_TRUE(text.contains("TCalendarMain_Placement"));
}

TEST(MainWindowStart, ConvertsTheOldRecurringDatesFile)
{
    ScratchProgramFolder folder;
    {
        QFile old(folder.file(QStringLiteral("QXRECUR.DAT")));
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("1225Christmas\r\n");
    }
    TCalendarMain main;
    EXPECT_FALSE(QFile::exists(folder.file(QStringLiteral("QXRECUR.DAT"))));
    QFile converted(folder.file(QStringLiteral("QXRECUR.DAX")));
    ASSERT_TRUE(converted.open(QIODevice::ReadOnly));
    EXPECT_TRUE(converted.readAll().startsWith("Christmas "));
}

TEST(MainWindowStart, OldRecurringDatesThatCannotBeConvertedAreReported)
{
    ScratchProgramFolder folder;
    {
        QFile old(folder.file(QStringLiteral("QXRECUR.DAT")));
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("1225Christmas\r\n");
    }
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("QXRECUR.DAX"))); // cannot be read or written
    QStringList messages;
    SetMessageResponder([&messages](MessageKind, const QString& text, const QString&) {
        messages << text;
        return true;
    });
    delete new TCalendarMain;
    SetMessageResponder({});
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains(QStringLiteral("QXRECUR.DAX"))) << messages[0].toStdString();
    EXPECT_TRUE(QFile::exists(folder.file(QStringLiteral("QXRECUR.DAT"))));
}

TEST(MainWindowStart, CaptionsCarryNoApplicationNameAddedByTheToolkit)
{
    // Qt appends a display name that the program sets to every window and message box caption.
    const QString before = QCoreApplication::applicationName();
    NameApplication();
    QCoreApplication::setApplicationName(QStringLiteral("Probe"));
    EXPECT_EQ(QGuiApplication::applicationDisplayName(), QStringLiteral("Probe"));
    QCoreApplication::setApplicationName(before);
}

TEST(MainWindowStart, ScratchFilesOutliveDialogPagesAndGoWithTheMainWindow)
{
    ScratchProgramFolder folder;
    auto main = std::make_unique<TCalendarMain>();
    const QString clip = main->CalendarPanel()->ClipboardFile();
    {
        QFile file(clip);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    delete new TCalendarProperties; // builds and frees its preview page
    EXPECT_TRUE(QFile::exists(clip));
    main.reset();
    EXPECT_FALSE(QFile::exists(clip));
}
