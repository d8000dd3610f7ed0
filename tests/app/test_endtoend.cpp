// A person's first session: a new calendar, notes typed in bold into three days, saved, closed and
// reopened from the recent-files menu. Screenshots of each step go to the test output folder.
#include "app/calendarmain.h"
#include "app/calendarproperties.h"
#include "app/mrufilelist.h"
#include "calendar/calendarpanel32.h"
#include "richtext/wprichtext.h"
#include "richtext/wprtfstorage.h"
#include "richtext/wptoolbar.h"
#include "support/testsupport.h"

#include "platform/messages.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QListWidget>
#include <QMenuBar>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

void shoot(QWidget& w, const char* name)
{
    w.grab().save(TestOutputDir(QStringLiteral("endtoend")) + QLatin1Char('/') + QLatin1String(name));
}

QPoint middleOf(const TCalendarPanel32& page, int cell)
{
    const TRect r = page.Cell(cell).rFree;
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

} // namespace

TEST(EndToEnd, NewTypeSaveCloseAndReopenFromTheRecentFiles)
{
    ScratchProgramFolder folder;
    QStringList questions;
    SetMessageResponder([&](MessageKind kind, const QString& text, const QString&) {
        if (kind == MessageKind::Question)
            questions << text;
        return true;
    });
    const QString file = folder.file(QStringLiteral("Family.QXF"));
    QString chosenLayout;
    {
        TCalendarMain main;
        main.ChooseDocumentFile = [&](bool, const QString&) { return file; };
        main.show();
        QTRY_VERIFY_WITH_TIMEOUT(!main.Loading, 5000);
        QApplication::setActiveWindow(&main);
        EXPECT_EQ(main.windowTitle(), QStringLiteral("Almarin"));
        shoot(main, "01-start.png");

        WhenModalShown<TCalendarProperties>([&](TCalendarProperties* d) {
            auto* layouts = d->Control<QListWidget>(QStringLiteral("LayoutList"));
            layouts->setCurrentRow(0);
            chosenLayout = layouts->currentItem()->text();
            shoot(*d, "02-properties.png");
            d->Control<QAbstractButton>(QStringLiteral("OkButton"))->click();
        });
        main.Action(QStringLiteral("mnuNew"))->trigger();
        QApplication::setActiveWindow(&main); // the window manager's part once the dialog closes
        TCalendarPanel32* page = main.CalendarPanel();
        ASSERT_TRUE(main.PropertiesAccepted);
        ASSERT_TRUE(page->isVisible());
        EXPECT_LE(page->CalendarLayout(), LOFullCalendarLS) << chosenLayout.toStdString();
        EXPECT_EQ(main.windowTitle(), QStringLiteral("Almarin [untitled]"));
        EXPECT_TRUE(main.Control(QStringLiteral("Savebutton"))->isVisible());
        page->RenderToBitmap();

        const QStringList notes{QStringLiteral("Piano 4pm"), QStringLiteral("Dentist"), QStringLiteral("Party!")};
        const int cells[] = {10, 17, 24};
        for (int i = 0; i < 3; ++i) {
            QTest::mouseClick(page, Qt::LeftButton, {}, middleOf(*page, cells[i]));
            ASSERT_TRUE(main.DayTextEditor()->isVisible());
            ASSERT_TRUE(main.DayTextToolBar()->BoldAction()->isEnabled()) << i;
            main.DayTextToolBar()->BoldAction()->trigger();
            QTest::keyClicks(main.DayTextEditor(), notes[i]);
            EXPECT_TRUE(main.DayTextEditor()->AttributesAt(1).bold()) << i;
        }
        shoot(main, "03-typing.png");
        main.DoSaveRichtext();
        shoot(main, "04-typed.png");

        QTest::mouseClick(static_cast<QAbstractButton*>(main.Control(QStringLiteral("Savebutton"))), Qt::LeftButton);
        EXPECT_FALSE(main.Modified());
        EXPECT_EQ(main.windowTitle(), QStringLiteral("Almarin  [Family.QXF]"));
        EXPECT_FALSE(main.Control(QStringLiteral("Savebutton"))->isVisible());
        EXPECT_TRUE(main.close());
        EXPECT_TRUE(questions.isEmpty()); // nothing left unsaved
    }
    {
        // The recent document is reopened at start; open it again from the menu after a fresh page.
        TCalendarMain main;
        main.show();
        QTRY_VERIFY_WITH_TIMEOUT(!main.Loading, 5000);
        ASSERT_EQ(main.RecentFiles()->Items().value(0), file);
        main.CalendarPanel()->ClearAllCells();
        QAction* recent = nullptr;
        for (QAction* a : main.menuBar()->actions().value(0)->menu()->actions())
            if (a->text() == QStringLiteral("&1 ") + file)
                recent = a;
        ASSERT_NE(recent, nullptr);
        recent->trigger();
        TCalendarPanel32* page = main.CalendarPanel();
        EXPECT_EQ(main.windowTitle(), QStringLiteral("Almarin  [Family.QXF]"));
        EXPECT_LE(page->CalendarLayout(), LOFullCalendarLS);
        EXPECT_EQ(page->CellStorage(10)->PlainText(), QStringLiteral("Piano 4pm"));
        EXPECT_EQ(page->CellStorage(17)->PlainText(), QStringLiteral("Dentist"));
        EXPECT_EQ(page->CellStorage(24)->PlainText(), QStringLiteral("Party!"));
        QTest::mouseClick(page, Qt::LeftButton, {}, middleOf(*page, 17));
        bool own = false;
        EXPECT_TRUE(main.DayTextEditor()->AttributesAt(1, &own).bold());
        main.DoSaveRichtext();
        EXPECT_EQ(page->CellStorage(17)->PlainText(), QStringLiteral("Dentist")); // opening and closing keeps it
        shoot(main, "05-reopened.png");
        EXPECT_FALSE(main.Modified());
    }
    SetMessageResponder({});
}
