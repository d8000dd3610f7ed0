#include "app/calendarmain.h"
#include "editor/calendarpanel32.h"
#include "richtext/charattributes.h"
#include "richtext/wprichtext.h"
#include "richtext/wprtfstorage.h"
#include "richtext/wptoolbar.h"
#include "support/testsupport.h"

#include <QAction>
#include <QApplication>
#include <QMimeData>
#include <QScrollBar>
#include <QTest>
#include <QTextDocument>

#include <gtest/gtest.h>

namespace {

struct DayTextEditing : ::testing::Test
{
    ScratchProgramFolder folder;
    TCalendarMain main;
    TCalendarPanel32* page = nullptr;

    void SetUp() override
    {
        main.show();
        ASSERT_TRUE(QTest::qWaitFor([&] { return !main.Loading(); }, 5000));
        page = main.CalendarPanel();
        page->SetCalendarLayout(loFullCalendar);
        page->SetMainCalMonth(3);
        page->SetMainCalYear(1997);
        page->show();
        main.SetButtons();
        QApplication::setActiveWindow(&main);
        page->RenderToBitmap();
    }
    QPoint middleOf(int cell) const
    {
        const TRect r = page->Cell(cell).rFree;
        return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }
    void clickCell(int cell) { QTest::mouseClick(page, Qt::LeftButton, {}, middleOf(cell)); }
    TWPRichText* editor() const { return main.DayTextEditor(); }
};

} // namespace

TEST_F(DayTextEditing, OpensOverTheFreeAreaAndSavesBeforeTheNextCell)
{
    clickCell(10);
    ASSERT_TRUE(main.EditingCell());
    EXPECT_EQ(main.CurrentCell(), 10);
    EXPECT_TRUE(editor()->isVisible());
    const TRect free = page->Cell(10).rFree;
    // The text area inside the editor's border is the free area, where the cell paints its text.
    const QWidget* textArea = editor()->viewport();
    EXPECT_EQ(QRect(textArea->mapTo(page->parentWidget(), QPoint(0, 0)) - page->pos(), textArea->size()),
              QRect(free.left, free.top, free.right - free.left + 1, free.bottom - free.top + 1));
    EXPECT_FALSE(main.Modified());

    QTest::keyClicks(editor(), QStringLiteral("Band rehearsal"));
    EXPECT_TRUE(main.Modified());
    // Lines that fill the cell's width keep their first letters in sight.
    EXPECT_EQ(editor()->horizontalScrollBar()->value(), 0);
    EXPECT_TRUE(main.DayTextToolBar()->BoldAction()->isEnabled());

    clickCell(11);
    EXPECT_EQ(page->CellStorage(10)->PlainText(), QStringLiteral("Band rehearsal"));
    EXPECT_EQ(main.CurrentCell(), 11);
    EXPECT_TRUE(editor()->IsEmpty());

    main.DoSaveRichtext();
    EXPECT_FALSE(main.EditingCell());
    EXPECT_FALSE(editor()->isVisible());
    EXPECT_FALSE(main.DayTextToolBar()->BoldAction()->isEnabled());
}

// What is typed wraps as the page will show it, whatever the zoom the cell is edited at, and no letter is
// out of sight.
TEST_F(DayTextEditing, TheEditorBreaksLinesAtEveryZoomAsThePageDoes)
{
    clickCell(10);
    ASSERT_TRUE(main.EditingCell());
    const int atFirstZoom = editor()->PageWidthTwips();
    for (float zoom : {1.0f, 0.6f, 0.3f}) {
        main.DoSaveRichtext();
        page->SetScale(zoom);
        page->RenderToBitmap();
        clickCell(10);
        ASSERT_TRUE(main.EditingCell()) << zoom;
        EXPECT_EQ(editor()->PageWidthTwips(), atFirstZoom) << zoom;
        QTest::keyClicks(editor(), QStringLiteral("Grandma and Grandpa visit"));
        EXPECT_EQ(editor()->horizontalScrollBar()->value(), 0) << zoom;
    }
}

TEST_F(DayTextEditing, TabAndShiftTabMoveBetweenCellsAndAreAlwaysConsumed)
{
    clickCell(20);
    QTest::keyClicks(editor(), QStringLiteral("a"));
    QTest::keyClick(editor(), Qt::Key_Tab);
    EXPECT_EQ(main.CurrentCell(), 21);
    EXPECT_EQ(page->CellStorage(20)->PlainText(), QStringLiteral("a")); // no tab character went in
    QTest::keyClick(editor(), Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(main.CurrentCell(), 20);

    clickCell(42);
    QTest::keyClick(editor(), Qt::Key_Tab);
    EXPECT_EQ(main.CurrentCell(), 42);
    EXPECT_TRUE(editor()->IsEmpty());

    // A week planner has eight cells: past the notes row there is no free area to move to.
    main.DoSaveRichtext();
    page->SetCalendarLayout(loWeek);
    page->RenderToBitmap();
    ASSERT_TRUE(page->Cell(9).rFree.isEmpty());
    clickCell(8);
    ASSERT_EQ(main.CurrentCell(), 8);
    QTest::keyClick(editor(), Qt::Key_Tab);
    EXPECT_EQ(main.CurrentCell(), 8);
    EXPECT_TRUE(editor()->isVisible());
}

TEST_F(DayTextEditing, CtrlASelectsAllAndAnEmptyCellStartsInTheDefaultFont)
{
    TPreferences preferences = main.Preferences();
    preferences.DefaultFont = {QStringLiteral("Times New Roman"), 14, fsItalic, clNavy};
    main.SetPreferences(preferences);
    clickCell(5);
    EXPECT_EQ(editor()->InsertionAttributes().name, QStringLiteral("Times New Roman"));
    EXPECT_EQ(editor()->InsertionAttributes().size, 14);
    QTest::keyClicks(editor(), QStringLiteral("Hello"));
    QTest::keyClick(editor(), Qt::Key_A, Qt::ControlModifier);
    EXPECT_TRUE(editor()->HasSelection());
    EXPECT_EQ(editor()->AttributesAt(0).color, clNavy);
}

TEST_F(DayTextEditing, APictureDroppedOnACellGoesIntoItsText)
{
    QImage picture(16, 16, QImage::Format_RGB32);
    picture.fill(Qt::red);
    QMimeData mime;
    mime.setImageData(picture);
    const QPoint at = middleOf(15);
    QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, {});
    QApplication::sendEvent(page, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(at), Qt::CopyAction, &mime, Qt::LeftButton, {});
    QApplication::sendEvent(page, &drop);
    EXPECT_EQ(main.CurrentCell(), 15);
    EXPECT_EQ(editor()->CharacterCount(), 1);
    EXPECT_TRUE(main.Modified());
    main.DoSaveRichtext();
    EXPECT_FALSE(page->CellStorage(15)->IsEmpty());
}

TEST_F(DayTextEditing, CtrlBIAndUToggleTheirStyleAsTheButtonsDo)
{
    const struct
    {
        Qt::Key key;
        int style;
        QAction* (TWPToolBar::*button)() const;
    } keys[] = {{Qt::Key_B, fsBold, &TWPToolBar::BoldAction},
                {Qt::Key_I, fsItalic, &TWPToolBar::ItalicAction},
                {Qt::Key_U, fsUnderline, &TWPToolBar::UnderlineAction}};
    clickCell(12);
    for (const auto& k : keys) {
        QAction* button = (main.DayTextToolBar()->*k.button)();
        QTest::keyClick(QApplication::focusWidget(), k.key, Qt::ControlModifier);
        EXPECT_TRUE(button->isChecked()) << k.style;
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("x"));
        QTest::keyClick(QApplication::focusWidget(), k.key, Qt::ControlModifier);
        EXPECT_FALSE(button->isChecked()) << k.style;
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("y"));
    }
    main.DoSaveRichtext();
    const QTextDocument& text = page->CellStorage(12)->Document();
    EXPECT_EQ(text.toPlainText(), QStringLiteral("xyxyxy"));
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(CharAttributesAt(text, 2 * i).style, keys[i].style) << i;
        EXPECT_EQ(CharAttributesAt(text, 2 * i + 1).style, 0) << i;
    }
}

TEST_F(DayTextEditing, AClickWhereACellHasNoRoomForTextChangesNothing)
{
    // Numbers centred leave a month's cells no free area.
    page->SetNumberPosition(cnpCenter);
    page->RenderToBitmap();
    const TRect cell = page->Cell(10).rTotal;
    const QPoint middle((cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2);
    QTest::mouseClick(page, Qt::LeftButton, {}, middle);
    // Nor does a picture dropped there go into a cell no one sees.
    QImage picture(8, 8, QImage::Format_RGB32);
    picture.fill(Qt::blue);
    QMimeData mime;
    mime.setImageData(picture);
    QDragMoveEvent over(middle, Qt::CopyAction, &mime, Qt::LeftButton, {});
    QApplication::sendEvent(page, &over);
    EXPECT_FALSE(over.isAccepted());
    QDropEvent drop(QPointF(middle), Qt::CopyAction, &mime, Qt::LeftButton, {});
    QApplication::sendEvent(page, &drop);
    EXPECT_FALSE(main.EditingCell());
    EXPECT_FALSE(editor()->isVisible());
    EXPECT_EQ(main.CurrentCell(), 0);
    EXPECT_FALSE(main.Modified());

    // A week planner's label column, clicked while a day of the week is being edited: it is no cell, so
    // editing ends there with the text kept, and no other cell opens.
    page->SetCalendarLayout(loWeek);
    page->RenderToBitmap();
    clickCell(1);
    QTest::keyClicks(editor(), QStringLiteral("Swim"));
    for (int row = 1; row <= 8; ++row) {
        const TRect r = page->Cell(row).rTotal;
        QTest::mouseClick(page, Qt::LeftButton, {}, QPoint(r.left - 10, (r.top + r.bottom) / 2));
        EXPECT_EQ(main.CurrentCell(), 1) << row;
        EXPECT_FALSE(editor()->isVisible()) << row;
        EXPECT_EQ(page->CellStorage(1)->PlainText(), QStringLiteral("Swim")) << row;
    }
}

TEST_F(DayTextEditing, DefaultEditorFontReachesTheOpenCellsInsertionPointOnly)
{
    clickCell(12);
    QTest::keyClicks(editor(), QStringLiteral("Choir"));
    const FontDescription typed = editor()->AttributesAt(0);
    const FontDescription chosen{QStringLiteral("Liberation Serif"), 14, fsBold, RGBValue(200, 0, 0)};
    main.SetChooseFont([&](FontDescription& font) {
        font = chosen;
        return true;
    });
    main.Action(QStringLiteral("DefaultEditorFont1"))->trigger();
    EXPECT_EQ(editor()->InsertionAttributes(), chosen);
    EXPECT_EQ(editor()->AttributesAt(0), typed);
    QTest::keyClicks(editor(), QStringLiteral("!"));
    EXPECT_EQ(editor()->AttributesAt(5), chosen);
}

// Esc, or a press anywhere that is no cell, ends editing and keeps what was typed.
TEST_F(DayTextEditing, EscAndAPressOutsideEveryCellEndEditingAndKeepTheText)
{
    QWidget* holder = page->parentWidget();
    const struct
    {
        const char* what;
        std::function<void()> end;
    } ways[] = {
        {"Esc", [&] { QTest::keyClick(editor(), Qt::Key_Escape); }},
        {"grey beside the page", [&] { QTest::mouseClick(holder, Qt::LeftButton, {}, QPoint(2, 2)); }},
        {"page title", [&] { QTest::mouseClick(page, Qt::LeftButton, {}, QPoint(page->width() / 2, 4)); }},
    };
    ASSERT_EQ(page->CellAt(QPoint(page->width() / 2, 4)), 0);
    int cell = 10;
    for (const auto& way : ways) {
        clickCell(++cell);
        QTest::keyClicks(editor(), QString::fromLatin1(way.what));
        way.end();
        EXPECT_FALSE(main.EditingCell()) << way.what;
        EXPECT_FALSE(editor()->isVisible()) << way.what;
        EXPECT_EQ(page->CellStorage(cell)->PlainText(), QString::fromLatin1(way.what));
    }
    main.SetModified(false);
}
