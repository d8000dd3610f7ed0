#include "app/assistantpip.h"
#include "app/assistantpipform.h"
#include "app/calendarmain.h"
#include "app/floatingpalette.h"
#include "app/preferences.h"
#include "app/usertitleform.h"
#include "editor/calendarpanel32.h"
#include "richtext/wprichtext.h"
#include "widgets/iconlistbox.h"

#include "platform/programfolder.h"
#include "support/testsupport.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QRegularExpression>
#include <QStackedWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace {

// A program folder holding two of the shipped libraries (one under a name in capitals) and more.
struct IconFolder
{
    ScratchProgramFolder folder;
    MessageLog messages;

    IconFolder()
    {
        QDir().mkpath(folder.file(QStringLiteral("ICONS")));
        for (const auto& [from, to] : {std::pair{"activity.icl", "activity.icl"},
                                       {"misc1.icl", "MISC1.ICL"},
                                       {"events.icl", "ICONS/EVENTS.ICL"},
                                       {"misc2.icl", "ICONS/mine.icl"}})
            QFile::copy(QStringLiteral(ALMARIN_ICON_DIR "/") + QLatin1String(from), folder.file(QLatin1String(to)));
        QFile empty(folder.file(QStringLiteral("ICONS/empty.icl")));
        (void)empty.open(QIODevice::WriteOnly);
    }
};

QStringList Checked(const TFloatingPalette& palette)
{
    QStringList checked;
    QList<QAction*> actions = palette.FileMenu()->actions();
    if (palette.BonusMenu())
        actions += palette.BonusMenu()->actions();
    for (QAction* action : actions) {
        if (action->isChecked())
            checked.append(action->text());
    }
    return checked;
}

} // namespace

TEST(FloatingPalette, RemembersTheSettingsLibraryAndMarksItsMenuItem)
{
    IconFolder icons;
    const QString events = icons.folder.file(QStringLiteral("ICONS/EVENTS.ICL"));
    const QString mine = icons.folder.file(QStringLiteral("ICONS/mine.icl"));
    const QString activity = icons.folder.file(QStringLiteral("activity.icl"));
    const struct
    {
        QString remembered;
        QString shown;
        QStringList checked;
    } cases[] = {
        {events, events, {QStringLiteral("Events")}},
        {mine, mine, {QStringLiteral("Other...")}},
        // A file that is gone leaves the list as it is; only a caption with its name is marked.
        {icons.folder.file(QStringLiteral("gone/MISC2.ICL")), activity, {QStringLiteral("Miscellaneous #2")}},
        {icons.folder.file(QStringLiteral("gone/other.icl")), activity, {}},
    };
    for (const auto& c : cases) {
        TFloatingPalette palette;
        EXPECT_EQ(palette.IconListBox()->FileName(), activity);
        palette.IconFile = c.remembered;
        palette.UpdateIconMenu(c.remembered);
        EXPECT_EQ(palette.IconListBox()->FileName(), c.shown) << c.remembered.toStdString();
        EXPECT_EQ(Checked(palette), c.checked) << c.remembered.toStdString();
    }
    EXPECT_TRUE(icons.messages.isEmpty());
}

// The shipped libraries are named in lower case; a name in capitals, the default's or a settings file's,
// finds them all the same.
TEST(FloatingPalette, LibraryNamesAreMatchedWhateverTheCaseOfTheirLetters)
{
    ScratchProgramFolder folder;
    for (const char* name : {"activity.icl", "misc1.icl"})
        QFile::copy(QStringLiteral(ALMARIN_ICON_DIR "/") + QLatin1String(name), folder.file(QLatin1String(name)));
    const QString installed = folder.file(QStringLiteral("misc1.icl"));
    EXPECT_EQ(DefaultPreferences().IconFile, installed);
    TFloatingPalette palette;
    palette.IconFile = folder.file(QStringLiteral("MISC1.ICL"));
    palette.UpdateIconMenu(palette.IconFile);
    EXPECT_EQ(palette.IconListBox()->FileName(), installed);
    EXPECT_EQ(Checked(palette), QStringList{QStringLiteral("Miscellaneous #1")});
}

// Beside the main window when the screen has room, else in its lower right corner: never over the page's
// title, and always on the screen.
TEST(FloatingPalette, OpensBesideThePageAndLargeEnoughForItsTitleAndIcons)
{
    const QSize palette(200, 220);
    const QRect screen(0, 0, 1280, 1024);
    const struct
    {
        QRect main;
        int pageTop;
        QPoint expected;
    } cases[] = {
        {{100, 50, 900, 680}, 130, {1000, 130}},   {{300, 50, 900, 680}, 130, {1000, 510}},
        {{0, 0, 1280, 1024}, 80, {1080, 804}},     {{100, 900, 900, 680}, 980, {1000, 804}},
        {{-50, -20, 1400, 1100}, 60, {1080, 804}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PalettePosition(c.main, c.pageTop, palette, screen), c.expected) << c.main.x() << "," << c.main.y();

    IconFolder icons;
    TFloatingPalette shown;
    shown.show();
    // Four rows of four icons in sight.
    TIconListBox* list = shown.IconListBox();
    ASSERT_GE(list->count(), 16);
    for (const int icon : {3, 15})
        EXPECT_TRUE(list->viewport()->rect().contains(list->visualRect(list->model()->index(icon, 0)))) << icon;
    EXPECT_GE(shown.width(), 180);
}

TEST(FloatingPalette, OtherInsistsOnALibraryWithIconsAndBonusSetsComeFromTheirFolder)
{
    IconFolder icons;
    const QString empty = icons.folder.file(QStringLiteral("ICONS/empty.icl"));
    const QString mine = icons.folder.file(QStringLiteral("ICONS/mine.icl"));
    {
        TFloatingPalette palette;
        QStringList answers = {empty, mine};
        palette.ChooseIconFile = [&] { return answers.takeFirst(); };
        palette.OtherClick();
        EXPECT_EQ(icons.messages, QStringList{QStringLiteral("No icons found in ") + empty});
        EXPECT_EQ(palette.IconListBox()->FileName(), mine);
        EXPECT_EQ(Checked(palette), QStringList{QStringLiteral("Other...")});

        // Cancelled while nothing with icons is chosen: back to the first miscellaneous set.
        answers = {empty, QString()};
        palette.OtherClick();
        EXPECT_EQ(palette.IconListBox()->FileName(), icons.folder.file(QStringLiteral("MISC1.ICL")));
        EXPECT_EQ(Checked(palette), QStringList{QStringLiteral("Miscellaneous #1")});

        // Without a "BonusIcons" folder the item only says so.
        EXPECT_EQ(palette.BonusMenu(), nullptr);
        icons.messages.clear();
        for (QAction* action : palette.FileMenu()->actions()) {
            if (action->text() == QLatin1String("Bonus Icon Sets"))
                action->trigger();
        }
        EXPECT_EQ(icons.messages.size(), 1);
    }
    QDir().mkpath(icons.folder.file(QStringLiteral("bonusicons")));
    QFile::copy(icons.folder.file(QStringLiteral("MISC1.ICL")),
                icons.folder.file(QStringLiteral("bonusicons/Stars.v2.ICL")));
    QFile::copy(icons.folder.file(QStringLiteral("MISC1.ICL")),
                icons.folder.file(QStringLiteral("bonusicons/Dots.icl")));
    TFloatingPalette palette;
    ASSERT_NE(palette.BonusMenu(), nullptr);
    const QList<QAction*> sets = palette.BonusMenu()->actions();
    ASSERT_EQ(sets.size(), 2);
    EXPECT_EQ(sets[0]->text(), QStringLiteral("Dots"));
    EXPECT_EQ(sets[1]->text(), QStringLiteral("Stars"));
    sets[0]->trigger();
    EXPECT_EQ(palette.IconListBox()->FileName(), icons.folder.file(QStringLiteral("bonusicons/Dots.icl")));
    EXPECT_EQ(Checked(palette), QStringList{QStringLiteral("Dots")});
    sets[1]->trigger();
    EXPECT_EQ(palette.IconListBox()->FileName(), icons.folder.file(QStringLiteral("bonusicons/Stars.v2.ICL")));
    EXPECT_EQ(Checked(palette), QStringList{QStringLiteral("Stars")});
}

TEST(QuickTips, PagesOfFiveAndAnswersOnTheLabelOrTheMemo)
{
    const QList<TTipTopic> tips = MainWindowTips();
    ASSERT_EQ(tips.size(), 12);
    for (const TTipTopic& tip : tips) {
        EXPECT_GE(tip.answer.size(), 182) << tip.question.toStdString();
        EXPECT_LE(tip.answer.size(), 997) << tip.question.toStdString();
    }
    QWidget owner;
    TAssistantPip pip(&owner);
    pip.Topics = tips;
    pip.Topics[1].answer = QStringLiteral("Short.");
    pip.Topics[2].answer =
        QString(990, QLatin1Char('x')).replace(QRegularExpression(QStringLiteral("x{9}")), QStringLiteral("longword "));
    pip.Show();
    TAssistantPipForm* form = pip.Form();
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->PageCount(), 3);
    auto* more = form->findChild<QPushButton*>(QStringLiteral("MoreButton"));
    auto* previous = form->findChild<QPushButton*>(QStringLiteral("PreviousButton"));
    const int shown[] = {5, 5, 2};
    for (int page = 1; page <= 3; ++page) {
        EXPECT_EQ(form->CurrentPage(), page);
        EXPECT_EQ(form->FirstTopic(), 5 * page - 4);
        EXPECT_EQ(form->ShownTopics(), shown[page - 1]);
        EXPECT_EQ(form->findChild<QPushButton*>(QStringLiteral("GB3"))->isVisibleTo(form), page < 3);
        EXPECT_EQ(more->isVisibleTo(form), page < 3);
        EXPECT_EQ(previous->isVisibleTo(form), page > 1);
        form->MoreClick();
    }
    form->PreviousClick();
    form->PreviousClick();
    EXPECT_EQ(form->CurrentPage(), 1);
    const struct
    {
        int button;
        const char* page;
    } answers[] = {{1, "LabelPage"}, {2, "MemoPage"}};
    for (const auto& a : answers) {
        form->TopicClick(a.button);
        auto* notebook =
            qobject_cast<QStackedWidget*>(form->findChild<QWidget*>(QLatin1String(a.page))->parentWidget());
        ASSERT_TRUE(notebook);
        EXPECT_EQ(notebook->currentWidget()->objectName(), QLatin1String(a.page));
        EXPECT_TRUE(form->findChild<QPushButton*>(QStringLiteral("BackButton"))->isVisibleTo(form));
    }
}

// Every question shows whole on its button, and the window opens clear of the tool strip's Save button.
TEST(QuickTips, QuestionsShowWholeAndTheWindowLeavesTheToolStripFree)
{
    ScratchProgramFolder folder;
    TCalendarMain main;
    main.show();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !main.Loading(); }, 5000));
    main.SetModified(true);
    main.AssistantbuttonClick();
    TAssistantPipForm* form = main.QuickTips()->Form();
    ASSERT_NE(form, nullptr);
    const QWidget* save = main.Control(QStringLiteral("Savebutton"));
    ASSERT_TRUE(save->isVisible());
    EXPECT_FALSE(form->frameGeometry().intersects(QRect(save->mapToGlobal(QPoint(0, 0)), save->size())));
    for (int page = 1; page <= form->PageCount(); ++page) {
        for (int k = 0; k < form->ShownTopics(); ++k) {
            const auto* button = form->findChild<QPushButton*>(QStringLiteral("GB%1").arg(k + 1));
            const auto* words = button->findChild<QLabel*>();
            EXPECT_LE(words->heightForWidth(words->width()), words->height()) << words->text().toStdString();
            EXPECT_TRUE(button->geometry().bottom() < form->height()) << words->text().toStdString();
        }
        form->MoreClick();
    }
    main.SetModified(false);
}

TEST(QuickTips, WindowIsPulledOntoTheScreen)
{
    const QSize tips(228, 372), screen(1280, 1024);
    const struct
    {
        QRect owner;
        QPoint client;
        QPoint expected;
    } cases[] = {
        {{100, 50, 600, 500}, {104, 80}, {700 - 114, 80}},     {{900, 50, 370, 500}, {904, 80}, {1280 - 228, 80}},
        {{100, 700, 600, 300}, {104, 730}, {586, 1024 - 372}}, {{100, 50, 601, 500}, {104, 80}, {701 - 114, 80}},
        {{-700, -40, 600, 500}, {-696, -10}, {0, 0}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TipsPosition(c.owner, c.client, tips, screen), c.expected) << c.owner.x();
}

TEST(IconTools, ButtonPaletteTitleAndIconDrops)
{
    IconFolder icons;
    TPreferences remembered = DefaultPreferences();
    remembered.IconFile = icons.folder.file(QStringLiteral("ICONS/EVENTS.ICL"));
    ASSERT_TRUE(SavePreferences(remembered));
    TCalendarMain main;
    main.show();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !main.Loading(); }, 5000));
    // The settings' library is shown from the start.
    EXPECT_EQ(main.IconPalette()->IconListBox()->FileName(), remembered.IconFile);
    EXPECT_EQ(Checked(*main.IconPalette()), QStringList{QStringLiteral("Events")});
    TCalendarPanel32* page = main.CalendarPanel();
    auto* button = qobject_cast<QPushButton*>(main.Control(QStringLiteral("ShowHideIconTool")));
    // No document yet: the page takes no text, so the palette stays away.
    EXPECT_FALSE(main.IconPalette()->isVisible());
    EXPECT_FALSE(button->isEnabled());
    page->SetCalendarLayout(loFullCalendar);
    page->show();
    main.SetButtons();
    ASSERT_TRUE(button->isEnabled());
    button->click();
    EXPECT_TRUE(main.IconPalette()->isVisible());
    EXPECT_TRUE(main.Preferences().IconToolVisible);
    EXPECT_EQ(button->text(), QStringLiteral("Hide Icon Tool"));

    // A layout without cell text closes the palette for good.
    page->SetCalendarLayout(static_cast<TCalendarLayout>(8));
    main.CheckFloaterStatus();
    main.SetButtons();
    EXPECT_FALSE(main.IconPalette()->isVisible());
    EXPECT_FALSE(main.Preferences().IconToolVisible);
    EXPECT_EQ(button->text(), QStringLiteral("Show Icon Tool"));
    page->SetCalendarLayout(loFullCalendar);
    main.SetButtons();
    page->RenderToBitmap();

    // An icon dragged from the palette goes into the cell's text.
    std::unique_ptr<QMimeData> mime(main.IconPalette()->IconListBox()->CreateDragData());
    ASSERT_TRUE(mime);
    const TRect r = page->Cell(12).rFree;
    const QPoint at((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    QDragEnterEvent enter(at, Qt::CopyAction, mime.get(), Qt::LeftButton, {});
    QApplication::sendEvent(page, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(at), Qt::CopyAction, mime.get(), Qt::LeftButton, {});
    QApplication::sendEvent(page, &drop);
    EXPECT_EQ(main.CurrentCell(), 12);
    EXPECT_EQ(main.DayTextEditor()->CharacterCount(), 1);

    main.SetModified(false);
    page->SetUserTitle(QStringLiteral("Old"));
    WhenModalShown<TUserTitleForm>([](TUserTitleForm* form) {
        EXPECT_EQ(form->TitleText()->text(), QStringLiteral("Old"));
        form->TitleText()->setText(QStringLiteral("Family Calendar"));
        form->accept();
    });
    main.Action(QStringLiteral("mnuUserTitle"))->trigger();
    EXPECT_EQ(page->UserTitle(), QStringLiteral("Family Calendar"));
    EXPECT_TRUE(main.Modified());
    main.SetModified(false);
    WhenModalShown<TUserTitleForm>([](TUserTitleForm* form) {
        form->TitleText()->clear();
        form->reject();
    });
    main.mnuUserTitleClick();
    EXPECT_EQ(page->UserTitle(), QStringLiteral("Family Calendar"));
    EXPECT_FALSE(main.Modified());
}
