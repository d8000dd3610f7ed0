// The File menu's recurring dates: holidays chosen in the list editor, filled into a month through the
// real menus, and the day texts they leave, down to the exported page.
#include "app/calendarmain.h"
#include "app/documentcommands.h"
#include "app/floatingpalette.h"
#include "app/pageexport.h"
#include "editor/calendarpanel32.h"
#include "recurring/editrecurringdates.h"
#include "recurring/getholidays.h"
#include "recurring/recurringentry.h"
#include "recurring/recurringfile.h"
#include "recurring/selectrecurringdates.h"
#include "richtext/charattributes.h"
#include "richtext/richdocument.h"
#include "richtext/wprichtext.h"
#include "richtext/wprtfstorage.h"
#include "support/testsupport.h"

#include <QAction>
#include <QApplication>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <QTextDocument>

#include <gtest/gtest.h>

namespace {

const FontDescription kBoldRed{QStringLiteral("Liberation Serif"), 14, fsBold, RGBValue(255, 0, 0)};

struct RecurringCommands : ::testing::Test
{
    ScratchProgramFolder folder;
    TCalendarMain main;
    TCalendarPanel32* page = nullptr;
    MessageLog messages;

    void SetUp() override
    {
        main.show();
        QTRY_VERIFY_WITH_TIMEOUT(!main.Loading(), 5000);
        page = main.CalendarPanel();
        TPreferences preferences = main.Preferences();
        preferences.DefaultFont = {QStringLiteral("Liberation Sans"), 9, fsItalic, RGBValue(0, 128, 0)};
        main.SetPreferences(preferences);
        showMonth(loFullCalendar, 11, 2027, 1);
    }

    void showMonth(TCalendarLayout layout, int month, int year, int day)
    {
        page->SetCalendarLayout(layout);
        page->SetMainCalMonth(month);
        page->SetMainCalYear(year);
        page->SetMainCalDay(day);
        page->show();
        main.SetButtons();
        QApplication::setActiveWindow(&main);
        page->RenderToBitmap();
    }
    QString dayText(int day) const { return page->CellStorage(page->CellOfDay(day))->PlainText(); }
    FontDescription lastCharacter(int day) const
    {
        const QTextDocument& doc = page->CellStorage(page->CellOfDay(day))->Document();
        return CharAttributesAt(doc, RichCharacterCount(doc) - 1);
    }
    void setDayText(int day, const QString& text, const FontDescription& font)
    {
        QTextDocument doc;
        PrepareRichDocument(doc);
        AppendRichParagraph(doc, text, font);
        page->CellStorage(page->CellOfDay(day))->SetDocument(doc);
    }
    void fill()
    {
        WhenModalShown<TSelectRecurringDates>([](TSelectRecurringDates* d) {
            EXPECT_EQ(d->selectedLines(), d->lines()) << "every row starts chosen";
            d->okButton()->click();
        });
        main.Action(QStringLiteral("mnuFillCalendarwithRecurringDates"))->trigger();
    }
};

} // namespace

TEST_F(RecurringCommands, HolidaysChosenInTheEditorAreFilledIntoTheMonthAndExported)
{
    WhenModalShown<TEditRecurringDates>([](TEditRecurringDates* editor) {
        WhenModalShown<TGetHolidays>([](TGetHolidays* holidays) {
            for (int row = 0; row < holidays->list()->count(); ++row) {
                const QString line = holidays->list()->item(row)->data(CheckListDialog::kLineRole).toString();
                if (EntryEventText(line) == QStringLiteral("Veterans Day") ||
                    EntryEventText(line) == QStringLiteral("Thanksgiving Day"))
                    holidays->list()->item(row)->setSelected(true);
            }
            holidays->okButton()->click();
        });
        editor->Holidaysbutton->click();
        editor->okbutton->click();
    });
    ASSERT_TRUE(main.Action(QStringLiteral("mnuEditrecurringDates"))->isEnabled());
    main.Action(QStringLiteral("mnuEditrecurringDates"))->trigger();
    QStringList saved;
    ASSERT_TRUE(LoadRecurringDates(saved));
    ASSERT_EQ(saved.size(), 2);

    ASSERT_TRUE(main.Action(QStringLiteral("mnuFillCalendarwithRecurringDates"))->isEnabled());
    ASSERT_FALSE(main.Modified());
    fill();
    EXPECT_EQ(dayText(25), QStringLiteral("Thanksgiving Day"));
    EXPECT_EQ(dayText(11), QStringLiteral("Veterans Day"));
    EXPECT_TRUE(main.Modified());
    EXPECT_TRUE(main.Control(QStringLiteral("Savebutton"))->isVisible()) << "the buttons follow at the end";
    fill();
    EXPECT_EQ(dayText(11), QStringLiteral("Veterans Day\nVeterans Day")) << "a second fill appends again";
    EXPECT_TRUE(messages.isEmpty()) << messages.join(QLatin1Char('|')).toStdString();

    const QString pdf = folder.file(QStringLiteral("November.pdf"));
    ASSERT_EQ(ExportPage(*page, pdf, 1.0), QString());
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    ASSERT_TRUE(text.waitForFinished(20000));
    // Words the cell wraps are joined again.
    const QString exported = QString::fromUtf8(text.readAllStandardOutput()).simplified();
    EXPECT_TRUE(exported.contains(QStringLiteral("Thanksgiving Day"))) << exported.toStdString();
    EXPECT_TRUE(exported.contains(QStringLiteral("Veterans Day"))) << exported.toStdString();

    showMonth(loMC12Month, 11, 2027, 1);
    EXPECT_FALSE(main.Action(QStringLiteral("mnuFillCalendarwithRecurringDates"))->isEnabled());
    EXPECT_TRUE(main.Action(QStringLiteral("mnuEditrecurringDates"))->isEnabled());
}

TEST_F(RecurringCommands, PutTextOnDayContinuesTheDaysLookAndKeepsTheEditorWhereItWas)
{
    setDayText(12, QStringLiteral("Dentist"), kBoldRed);
    const TRect free = page->Cell(page->CellOfDay(3)).rFree;
    QTest::mouseClick(page, Qt::LeftButton, {}, QPoint((free.left + free.right) / 2, (free.top + free.bottom) / 2));
    TWPRichText* editor = main.DayTextEditor();
    ASSERT_TRUE(editor->isVisible());
    QTest::keyClicks(editor, QStringLiteral("typed"));

    main.PuttextOnDay(12, QStringLiteral("Payday"));
    main.PuttextOnDay(5, QStringLiteral("Flag"));
    main.PuttextOnDay(3, QStringLiteral("Fill"));
    main.PuttextOnDay(31, QStringLiteral("Nowhere"));

    EXPECT_EQ(dayText(12), QStringLiteral("Dentist\nPayday"));
    EXPECT_EQ(lastCharacter(12), kBoldRed);
    EXPECT_EQ(dayText(5), QStringLiteral("Flag"));
    EXPECT_EQ(lastCharacter(5), main.Preferences().DefaultFont);
    EXPECT_EQ(dayText(3), QStringLiteral("typed\nFill")) << "the open editor's text is kept";
    ASSERT_TRUE(editor->isVisible());
    EXPECT_EQ(main.CurrentCell(), page->CellOfDay(3));
    EXPECT_EQ(editor->PlainText(), QStringLiteral("typed\nFill"));

    // A week planner from the 28th shows the next month's 1st to 4th after the 30th.
    main.Documents().mnuClearAllCellContentsClick();
    showMonth(loWeek, 11, 2027, 28);
    ASSERT_GT(page->CellOfDay(1), 0);
    main.PuttextOnDay(1, QStringLiteral("Not December"));
    main.PuttextOnDay(29, QStringLiteral("Planner"));
    EXPECT_TRUE(page->CellStorage(page->CellOfDay(1))->IsEmpty());
    EXPECT_EQ(dayText(29), QStringLiteral("Planner"));
}

TEST_F(RecurringCommands, EditingRecurringDatesPutsTheIconPaletteAsideWhileTheEditorIsOpen)
{
    main.ShowHideIconToolClick();
    ASSERT_TRUE(main.IconPalette()->isVisible());
    bool shownDuring = true;
    WhenModalShown<TEditRecurringDates>([&](TEditRecurringDates* editor) {
        shownDuring = main.IconPalette()->isVisible();
        editor->CancelButton->click();
    });
    main.Action(QStringLiteral("mnuEditrecurringDates"))->trigger();
    EXPECT_FALSE(shownDuring);
    EXPECT_TRUE(main.IconPalette()->isVisible());
}
