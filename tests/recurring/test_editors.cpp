#include "englishnames.h"

#include "recurring/editrecurringdateformula.h"
#include "recurring/editrecurringdates.h"
#include "recurring/getholidays.h"
#include "recurring/holidays.h"
#include "recurring/recurringentry.h"
#include "recurring/recurringfile.h"
#include "recurring/selectrecurringdates.h"
#include "support/testsupport.h"

#include "platform/messages.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

#include <gtest/gtest.h>

namespace {

QString entry(const char* event, const char* formula)
{
    return MakeEntryLine(QString::fromLatin1(event), QString::fromLatin1(formula));
}

class Editors : public ::testing::Test
{
protected:
    void SetUp() override
    {
        UseEnglishNames();
        SetMessageResponder([this](MessageKind, const QString& text, const QString&) {
            messages << text;
            return true;
        });
    }
    void TearDown() override { SetMessageResponder({}); }

    ScratchProgramFolder folder;
    QStringList messages;
};

} // namespace

TEST_F(Editors, FormulaEditorOpensOnTheEntrysKind)
{
    TEditRecurringDateFormula weekdays;
    weekdays.setFormula(QStringLiteral("%26      "));
    weekdays.FormActivate();
    EXPECT_TRUE(weekdays.rbDayOfweek->isChecked());
    EXPECT_TRUE(weekdays.Monday->isChecked());
    EXPECT_TRUE(weekdays.Friday->isChecked());
    EXPECT_FALSE(weekdays.Tuesday->isChecked());
    EXPECT_FALSE(weekdays.Sunday->isChecked());
    EXPECT_TRUE(weekdays.Monday->isEnabled());
    EXPECT_FALSE(weekdays.DayOfMonthDay->isEnabled());
    EXPECT_TRUE(weekdays.rbDayOfweek->font().bold());
    EXPECT_FALSE(weekdays.rbDayOfMonth->font().bold());

    TEditRecurringDateFormula special;
    special.setFormula(QStringLiteral("$5 1 5    "));
    special.FormActivate();
    EXPECT_TRUE(special.rbSpecial->isChecked());
    EXPECT_EQ(special.SpecialOccurrance->currentText(), QStringLiteral("Last"));
    EXPECT_EQ(special.SpecialDayOfWeek->currentText(), QStringLiteral("Monday"));
    EXPECT_EQ(special.SpecialMonth->currentText(), QStringLiteral("May"));
    EXPECT_FALSE(special.Monday->isEnabled());

    TEditRecurringDateFormula fixed;
    fixed.setFormula(QStringLiteral("@1225     "));
    fixed.FormActivate();
    EXPECT_TRUE(fixed.rbDayOfMonth->isChecked());
    EXPECT_EQ(fixed.DayOfMonthDay->value(), 25);
    EXPECT_EQ(fixed.DayOfMonthMonth->currentText(), QStringLiteral("December"));
}

TEST_F(Editors, FormulaEditorBuildsFormulas)
{
    TEditRecurringDateFormula editor;
    editor.FormActivate();
    ASSERT_TRUE(editor.DetermineFormulaString());
    EXPECT_EQ(editor.formula(), QStringLiteral("@0001")) << "a new entry is the 1st of every month";

    editor.rbSpecial->click();
    EXPECT_TRUE(editor.SpecialMonth->isEnabled());
    editor.SpecialOccurrance->setCurrentIndex(3);
    editor.SpecialDayOfWeek->setCurrentIndex(4);
    editor.SpecialMonth->setCurrentIndex(11);
    ASSERT_TRUE(editor.DetermineFormulaString());
    EXPECT_EQ(editor.formula(), QStringLiteral("$3 4 11"));

    editor.rbDayOfweek->click();
    editor.Sunday->setChecked(true);
    ASSERT_TRUE(editor.DetermineFormulaString());
    EXPECT_EQ(editor.formula(), QStringLiteral("%123456")) << "Monday to Friday start checked";

    editor.AllDaysCheck->click();
    ASSERT_TRUE(editor.DetermineFormulaString());
    EXPECT_EQ(editor.formula(), QStringLiteral("%1234567"));
    editor.AllDaysCheck->click();
    EXPECT_FALSE(editor.DetermineFormulaString());
    EXPECT_EQ(messages.last(), QStringLiteral("You must select at least one day for this \rreminder to occur on"));
}

TEST_F(Editors, FormulaEditorRefusesFieldsOutOfRange)
{
    TEditRecurringDateFormula editor;
    editor.setFormula(QStringLiteral("$9 1 1"));
    editor.FormActivate();
    EXPECT_FALSE(editor.DetermineFormulaString());
    EXPECT_EQ(messages.last(), QStringLiteral("Invalid value entered for Special category"));

    TEditRecurringDateFormula fixed;
    fixed.setFormula(QStringLiteral("@1401"));
    fixed.FormActivate();
    fixed.OkbuttonClick();
    EXPECT_EQ(messages.last(), QStringLiteral("Invalid month entered "));
    EXPECT_EQ(fixed.result(), QDialog::Rejected) << "the dialog stays open";
}

TEST_F(Editors, NewEntryWithDefaultsAndCancel)
{
    TEditRecurringDates editor;
    EXPECT_FALSE(editor.Editbutton->isEnabled());
    WhenModalShown<TEditRecurringDateFormula>([](TEditRecurringDateFormula* d) {
        EXPECT_EQ(d->windowTitle(), QStringLiteral("Add Recurring Date"));
        EXPECT_EQ(d->Event->text(), QStringLiteral("[Enter event]"));
        EXPECT_FALSE(d->Event->hasSelectedText());
        d->OkbuttonClick();
    });
    editor.NewbuttonClick();
    ASSERT_EQ(editor.lines(), QStringList{entry("[Enter event]", "@0001")});
    EXPECT_EQ(editor.DatesList->item(0)->text(), QStringLiteral("[Enter event] (1st of Each Month)"));
    EXPECT_TRUE(editor.Editbutton->isEnabled());

    WhenModalShown<TEditRecurringDateFormula>([](TEditRecurringDateFormula* d) { d->CancelButtonClick(); });
    editor.NewbuttonClick();
    EXPECT_EQ(editor.lines().size(), 1);
}

TEST_F(Editors, ListIsSortedWithoutRegardToCaseAndSaved)
{
    ASSERT_TRUE(SaveRecurringDates({entry("zebra", "%1"), entry("Apple", "@0101"), entry("mango", "$0 1 0")}));
    TEditRecurringDates editor;
    EXPECT_EQ(editor.lines(), (QStringList{entry("Apple", "@0101"), entry("mango", "$0 1 0"), entry("zebra", "%1")}));
    EXPECT_EQ(editor.selectedLine(), entry("Apple", "@0101"));

    WhenModalShown<TEditRecurringDateFormula>([](TEditRecurringDateFormula* d) {
        EXPECT_EQ(d->windowTitle(), QStringLiteral("Edit Recurring Date Formula"));
        EXPECT_EQ(d->Event->text(), QStringLiteral("Apple"));
        d->Event->setText(QStringLiteral("Nectarine"));
        d->OkbuttonClick();
    });
    editor.EditbuttonClick();
    EXPECT_EQ(editor.lines(),
              (QStringList{entry("mango", "$0 1 0"), entry("Nectarine", "@0101"), entry("zebra", "%1")}));
    EXPECT_EQ(editor.selectedLine(), entry("Nectarine", "@0101"));

    editor.okbuttonClick();
    EXPECT_EQ(editor.result(), QDialog::Accepted);
    QStringList saved;
    ASSERT_TRUE(LoadRecurringDates(saved));
    EXPECT_EQ(saved, editor.lines());
}

TEST_F(Editors, CancelLeavesTheFileAsItWas)
{
    ASSERT_TRUE(SaveRecurringDates({entry("Keep me", "@0101")}));
    TEditRecurringDates editor;
    editor.DeleteButtonClick();
    EXPECT_EQ(editor.DatesList->count(), 0);
    EXPECT_FALSE(editor.Editbutton->isEnabled());
    EXPECT_FALSE(editor.DeleteButton->isEnabled());
    editor.CancelButtonClick();
    QStringList saved;
    ASSERT_TRUE(LoadRecurringDates(saved));
    EXPECT_EQ(saved, QStringList{entry("Keep me", "@0101")});
}

TEST_F(Editors, UnreadableFileIsNeverOverwritten)
{
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("QXRECUR.DAX")));
    TEditRecurringDates editor;
    EXPECT_EQ(messages.size(), 1);
    EXPECT_FALSE(editor.okbutton->isEnabled());
    editor.okbuttonClick();
    EXPECT_NE(editor.result(), QDialog::Accepted);
    EXPECT_TRUE(QFileInfo(folder.file(QStringLiteral("QXRECUR.DAX"))).isDir());
}

TEST_F(Editors, KeywordEntriesCannotBeEdited)
{
    ASSERT_TRUE(SaveRecurringDates({PadField(QStringLiteral("Easter"), 120) + QStringLiteral("#EASTER")}));
    TEditRecurringDates editor;
    editor.EditbuttonClick();
    EXPECT_EQ(messages, QStringList{QStringLiteral("This entry cannot be edited")});
}

TEST_F(Editors, HolidaysAreAddedOnce)
{
    ASSERT_TRUE(SaveRecurringDates({entry("CHRISTMAS DAY", "@1225")}));
    TEditRecurringDates editor;
    auto pick = [](TGetHolidays* d) {
        EXPECT_TRUE(d->selectedLines().isEmpty());
        EXPECT_EQ(d->list()->count(), 26);
        d->okbuttonClick();
        EXPECT_EQ(d->result(), QDialog::Rejected) << "Ok with nothing chosen keeps the dialog open";
        for (int row = 0; row < d->list()->count(); ++row) {
            const QString text = d->list()->item(row)->text();
            if (text.startsWith(QStringLiteral("Christmas")) || text.startsWith(QStringLiteral("Easter")))
                d->list()->item(row)->setSelected(true);
        }
        d->okbuttonClick();
    };
    WhenModalShown<TGetHolidays>(pick);
    editor.HolidaysbuttonClick();
    WhenModalShown<TGetHolidays>(pick);
    editor.HolidaysbuttonClick();
    EXPECT_EQ(editor.lines(), (QStringList{entry("CHRISTMAS DAY", "@1225"),
                                           PadField(QStringLiteral("Easter"), 120) + QStringLiteral("#EASTER")}));
}

TEST_F(Editors, HolidayChooserIsSorted)
{
    TGetHolidays chooser;
    const QStringList lines = chooser.lines();
    ASSERT_EQ(lines.size(), 26);
    EXPECT_TRUE(lines.first().startsWith(QStringLiteral("April Fools's Day")));
    EXPECT_TRUE(lines.last().startsWith(QStringLiteral("Washington's Birthday")));
    chooser.selectAllRows();
    EXPECT_EQ(chooser.selectedLines().size(), 26);
    chooser.clearAllRows();
    EXPECT_TRUE(chooser.selectedLines().isEmpty());
}

TEST_F(Editors, SelectDialogStartsWithEveryRowChosen)
{
    TSelectRecurringDates dialog;
    dialog.setLines({entry("One", "%1"), entry("Two", "@0001")});
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Select Recurring Dates To Use"));
    dialog.show();
    EXPECT_EQ(dialog.selectedLines().size(), 2);
    dialog.list()->item(0)->setSelected(false);
    EXPECT_EQ(dialog.selectedLines(), QStringList{entry("Two", "@0001")});
    dialog.okbuttonClick();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.list()->item(1)->text(), QStringLiteral("Two (1st of Each Month)"));
}

// A "#" entry shows its event text with the padding it stands with, and nothing where the padding runs
// past the list's edge: no mark of text left out.
TEST_F(Editors, KeywordRowsShowTheirTextWithoutAnEllipsis)
{
    ASSERT_TRUE(SaveRecurringDates(BuiltInHolidayLines()));
    TEditRecurringDates editor;
    editor.show();
    QListWidget* list = editor.DatesList;
    int checked = 0;
    for (int row = 1; row < list->count(); ++row) {
        const QString line = list->item(row)->data(TEditRecurringDates::kLineRole).toString();
        if (line.mid(120, 1) != QLatin1String("#"))
            continue;
        list->scrollToItem(list->item(row));
        const QImage shown = list->viewport()->grab().toImage();
        const QRect rect = list->visualItemRect(list->item(row));
        const int textEnd = rect.left() + list->fontMetrics().horizontalAdvance(line.left(120).trimmed());
        const QRgb background = shown.pixel(rect.right() - 1, rect.top() + 1);
        int marked = 0;
        for (int y = rect.top(); y <= rect.bottom(); ++y) {
            for (int x = textEnd + 8; x < std::min(rect.right(), shown.width()); ++x)
                marked += shown.pixel(x, y) != background;
        }
        EXPECT_EQ(marked, 0) << line.trimmed().toStdString();
        ++checked;
    }
    EXPECT_EQ(checked, 3);
}

TEST_F(Editors, DaysFromEasterOpenAndSaveInTheFormulaEditor)
{
    ASSERT_TRUE(SaveRecurringDates({PadField(QStringLiteral("Clean Monday"), 120) + QStringLiteral("#OEASTER-48")}));
    TEditRecurringDates editor;
    WhenModalShown<TEditRecurringDateFormula>([](TEditRecurringDateFormula* d) {
        EXPECT_TRUE(d->rbEaster->isChecked());
        EXPECT_TRUE(d->EasterDays->isEnabled());
        EXPECT_FALSE(d->SpecialMonth->isEnabled());
        EXPECT_EQ(d->EasterDays->value(), 48);
        EXPECT_EQ(d->EasterDirection->currentText(), QStringLiteral("before"));
        EXPECT_EQ(d->EasterKind->currentText(), QStringLiteral("Orthodox Easter"));
        d->EasterDays->setValue(39);
        d->EasterDirection->setCurrentIndex(0);
        d->EasterKind->setCurrentIndex(0);
        d->OkbuttonClick();
    });
    editor.EditbuttonClick();
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_EQ(editor.lines(), QStringList{entry("Clean Monday", "#EASTER+39")});
}

TEST_F(Editors, HolidayChooserOffersCountriesAndRegions)
{
    ASSERT_TRUE(QDir().mkpath(folder.file(QStringLiteral("holidays"))));
    for (const char* name : {"gb.txt", "jp.txt"})
        ASSERT_TRUE(QFile::copy(QStringLiteral(ALMARIN_SOURCE_DIR "/assets/holidays/") + QLatin1String(name),
                                folder.file(QStringLiteral("holidays/")) + QLatin1String(name)));
    ASSERT_TRUE(SaveRecurringDates({}));
    TEditRecurringDates editor;
    WhenModalShown<TGetHolidays>([](TGetHolidays* d) {
        ASSERT_EQ(d->Countries->count(), 3);
        EXPECT_FALSE(d->Regions->isEnabled()) << "the classic list has no regions";
        d->Countries->setCurrentIndex(d->Countries->findText(QStringLiteral("United Kingdom (GB)")));
        EXPECT_TRUE(d->Regions->isEnabled());
        d->Regions->setCurrentIndex(d->Regions->findText(QStringLiteral("Scotland (GB-SCT)")));
        for (int row = 0; row < d->list()->count(); ++row) {
            const QString text = d->list()->item(row)->text();
            d->list()->item(row)->setSelected(text.startsWith(QStringLiteral("St Andrew's Day")));
        }
        d->okbuttonClick();
    });
    editor.HolidaysbuttonClick();
    const QString formula = QStringLiteral("#H:GB-SCT");
    EXPECT_EQ(editor.lines(),
              (QStringList{MakeEntryLine(QStringLiteral("St Andrew's Day"), formula),
                           MakeEntryLine(QStringLiteral("St Andrew's Day (substitute day)"), formula)}));

    TGetHolidays japan;
    japan.Countries->setCurrentIndex(japan.Countries->findText(QStringLiteral("日本 (JP)")));
    EXPECT_FALSE(japan.Regions->isEnabled());
    const QStringList lines = japan.lines();
    EXPECT_TRUE(lines.contains(MakeEntryLine(QStringLiteral("振替休日"), QStringLiteral("#H:JP"))));
    EXPECT_FALSE(lines.contains(MakeEntryLine(QStringLiteral("体育の日"), QStringLiteral("#H:JP"))))
        << "a holiday abolished before this year is not offered";
    japan.Countries->setCurrentIndex(0);
    EXPECT_EQ(japan.lines().size(), 26);
}
