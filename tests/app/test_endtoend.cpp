// A person's first session: a new calendar, notes typed into three days in a colour and size chosen on
// the tool bar, saved, closed and reopened from the recent-files menu. Keys go wherever the focus is, as
// they do for a person. Screenshots of each step go to the test output folder.
#include "app/calendarmain.h"
#include "app/calendarproperties.h"
#include "app/documentcommands.h"
#include "app/mrufilelist.h"
#include "editor/calendarpanel32.h"
#include "richtext/charattributes.h"
#include "richtext/wprichtext.h"
#include "richtext/wprtfstorage.h"
#include "richtext/wptoolbar.h"
#include "support/testsupport.h"

#include "platform/messages.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
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

void typeIntoFocus(const QString& text)
{
    ASSERT_NE(QApplication::focusWidget(), nullptr);
    QTest::keyClicks(QApplication::focusWidget(), text);
}

void pressInFocus(Qt::Key key)
{
    ASSERT_NE(QApplication::focusWidget(), nullptr);
    QTest::keyClick(QApplication::focusWidget(), key);
}

// Opens the drop-down list with the mouse and clicks the entry.
void chooseFromList(QComboBox* box, const QString& entry)
{
    QTest::mouseClick(box, Qt::LeftButton);
    QAbstractItemView* list = box->view();
    ASSERT_TRUE(list->isVisible());
    const QModelIndex index = box->model()->index(box->findText(entry), 0);
    list->scrollTo(index);
    const QPoint at = list->visualRect(index).center();
    QTest::mouseMove(list->viewport(), at);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    EXPECT_FALSE(list->isVisible());
}

// Clicks into the size box, replaces its number and presses Enter.
void typeSize(QComboBox* box, const QString& size)
{
    QTest::mouseClick(box->lineEdit(), Qt::LeftButton);
    box->lineEdit()->selectAll();
    QTest::keyClicks(box->lineEdit(), size);
    QTest::keyClick(box->lineEdit(), Qt::Key_Return);
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
        main.Documents().SetChooseDocumentFile([&](bool, const QString&) { return file; });
        main.show();
        ASSERT_TRUE(QTest::qWaitFor([&] { return !main.Loading(); }, 5000));
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
        ASSERT_TRUE(main.Documents().PropertiesAccepted());
        ASSERT_TRUE(page->isVisible());
        EXPECT_LE(page->CalendarLayout(), LOFullCalendarLS) << chosenLayout.toStdString();
        EXPECT_EQ(main.windowTitle(), QStringLiteral("Almarin  [untitled]"));
        EXPECT_TRUE(main.Control(QStringLiteral("Savebutton"))->isVisible());
        page->RenderToBitmap();

        struct Note
        {
            int cell;
            const char* color;
            const char* size;
            QString first, more;
            TColor rgb;
        };
        const Note notes[] = {{10, "Red", "14", QStringLiteral("Piano"), QStringLiteral(" 4pm"), RGBValue(255, 0, 0)},
                              {17, "Navy", "9", QStringLiteral("Den"), QStringLiteral("tist"), RGBValue(0, 0, 128)},
                              {24, "Green", "20", QStringLiteral("Party"), QStringLiteral("!"), RGBValue(0, 128, 0)}};
        TWPToolBar* bar = main.DayTextToolBar();
        for (const Note& note : notes) {
            QTest::mouseClick(page, Qt::LeftButton, {}, middleOf(*page, note.cell));
            TWPRichText* editor = main.DayTextEditor();
            ASSERT_TRUE(editor->isVisible());
            ASSERT_TRUE(bar->BoldAction()->isEnabled()) << note.cell;
            QTest::mouseClick(bar->widgetForAction(bar->BoldAction()), Qt::LeftButton);
            chooseFromList(bar->ColorList(), QLatin1String(note.color));
            EXPECT_EQ(QApplication::focusWidget(), editor) << note.cell;
            typeSize(bar->FontSizeList(), QLatin1String(note.size));
            EXPECT_EQ(QApplication::focusWidget(), editor) << note.cell;
            typeIntoFocus(note.first);
            // Clicking back into the cell, below the line just typed, and going on typing.
            QTest::mouseClick(editor->viewport(), Qt::LeftButton, {},
                              QPoint(editor->viewport()->width() / 2, editor->viewport()->height() - 2));
            typeIntoFocus(note.more);
            EXPECT_EQ(editor->PlainText(), note.first + note.more) << note.cell;
            if (note.cell == 10)
                shoot(main, "03-typing.png");
            pressInFocus(Qt::Key_Tab); // leaves the cell
            EXPECT_EQ(main.CurrentCell(), note.cell + 1);
            const FontDescription stored = CharAttributesAt(page->CellStorage(note.cell)->Document(), 1);
            EXPECT_EQ(stored.color, note.rgb) << note.cell;
            EXPECT_EQ(stored.size, QByteArray(note.size).toInt()) << note.cell;
            EXPECT_TRUE(stored.bold()) << note.cell;
        }
        main.DoSaveRichtext();
        shoot(main, "04-typed.png");

        main.Action(QStringLiteral("mnuSaveAs"))->trigger();
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
        ASSERT_TRUE(QTest::qWaitFor([&] { return !main.Loading(); }, 5000));
        ASSERT_EQ(main.Documents().RecentFiles()->Items().value(0), file);
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
        const FontDescription reopened = main.DayTextEditor()->AttributesAt(5);
        EXPECT_TRUE(reopened.bold());
        EXPECT_EQ(reopened.color, RGBValue(0, 0, 128));
        EXPECT_EQ(reopened.size, 9);
        main.DoSaveRichtext();
        EXPECT_EQ(page->CellStorage(17)->PlainText(), QStringLiteral("Dentist")); // opening and closing keeps it
        shoot(main, "05-reopened.png");
        EXPECT_FALSE(main.Modified());
    }
    SetMessageResponder({});
}
