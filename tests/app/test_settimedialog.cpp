#include "app/settimedialog.h"

#include "support/testsupport.h"
#include "widgets/graphicpanel.h"

#include <QApplication>
#include <QFrame>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

constexpr TColor kYellow = RGBValue(0xFF, 0xFF, 0x00);

void click(QWidget* w)
{
    ASSERT_NE(w, nullptr);
    QTest::mouseClick(w, Qt::LeftButton, {}, w->rect().center());
}

// Tags of the yellow cells of one group.
QList<int> yellowTags(QFrame* panel)
{
    QList<int> tags;
    for (TGraphicPanel* cell : panel->findChildren<TGraphicPanel*>()) {
        if (cell->Color() == kYellow)
            tags.append(cell->Tag());
    }
    return tags;
}

} // namespace

TEST(SetTimeDialog, CellsCaptionsAndHints)
{
    TSetTimeDialog dialog;
    const QList<TGraphicPanel*> hours = dialog.HourPanel()->findChildren<TGraphicPanel*>();
    const QList<TGraphicPanel*> minutes = dialog.MinutePanel()->findChildren<TGraphicPanel*>();
    ASSERT_EQ(hours.size(), 24);
    ASSERT_EQ(minutes.size(), 60);
    const char* captions[] = {"12", "1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11"};
    for (int hour = 0; hour < 24; ++hour) {
        TGraphicPanel* cell = dialog.Cell(dialog.HourPanel(), hour);
        ASSERT_NE(cell, nullptr);
        EXPECT_EQ(cell->Caption(), QString::fromLatin1(captions[hour % 12]));
        EXPECT_EQ(cell->size(), QSize(24, 19));
        EXPECT_EQ(cell->toolTip(), QStringLiteral("Click to set the hours portion of the time"));
    }
    // Four rows of six: 0..5 and 6..11 above 12..17 and 18..23, AM rows first.
    EXPECT_EQ(dialog.Cell(dialog.HourPanel(), 6)->x(), dialog.Cell(dialog.HourPanel(), 0)->x());
    EXPECT_GT(dialog.Cell(dialog.HourPanel(), 6)->y(), dialog.Cell(dialog.HourPanel(), 5)->y());
    EXPECT_GT(dialog.Cell(dialog.HourPanel(), 12)->y(), dialog.Cell(dialog.HourPanel(), 11)->y());
    EXPECT_EQ(dialog.Cell(dialog.HourPanel(), 5)->y(), dialog.Cell(dialog.HourPanel(), 0)->y());
    for (int minute = 0; minute < 60; ++minute) {
        TGraphicPanel* cell = dialog.Cell(dialog.MinutePanel(), minute);
        ASSERT_NE(cell, nullptr);
        EXPECT_EQ(cell->Caption(), QStringLiteral("%1").arg(minute, 2, 10, QLatin1Char('0')));
        EXPECT_EQ(cell->toolTip(), QStringLiteral("Click to set the minutes portion of the time"));
    }
    // Six rows of ten.
    EXPECT_EQ(dialog.Cell(dialog.MinutePanel(), 9)->y(), dialog.Cell(dialog.MinutePanel(), 0)->y());
    EXPECT_EQ(dialog.Cell(dialog.MinutePanel(), 10)->x(), dialog.Cell(dialog.MinutePanel(), 0)->x());
    EXPECT_EQ(dialog.OkButton()->text(), QStringLiteral("&Ok"));
    EXPECT_TRUE(dialog.OkButton()->isDefault());
    EXPECT_EQ(dialog.CancelButton()->text(), QStringLiteral("&Cancel"));
}

TEST(SetTimeDialog, OpeningMarksTheTimeAndNamesItInTheCaption)
{
    TSetTimeDialog dialog;
    dialog.setTime(QTime(8, 0));
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Set Time As: 08:00 am"));
    EXPECT_EQ(yellowTags(dialog.HourPanel()), QList<int>{8});
    EXPECT_EQ(dialog.Cell(dialog.HourPanel(), 8)->Caption(), QStringLiteral("8"));
    EXPECT_EQ(yellowTags(dialog.MinutePanel()), QList<int>{0});
    EXPECT_EQ(dialog.Cell(dialog.HourPanel(), 20)->Color(), TGraphicPanel::clBtnFace);

    const QString shot = TestOutputDir(QStringLiteral("app")) + QStringLiteral("/settimedialog.png");
    EXPECT_TRUE(dialog.grab().save(shot));
}

TEST(SetTimeDialog, TwelveIsNoonInThePmRowsAndMidnightInTheAmRows)
{
    TSetTimeDialog dialog;
    dialog.setTime(QTime(9, 45));
    dialog.show();

    click(dialog.Cell(dialog.HourPanel(), 12));
    EXPECT_EQ(dialog.Hour(), 12);
    EXPECT_EQ(dialog.Time(), QTime(12, 45));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Set Time As: 12:45 pm"));
    EXPECT_EQ(yellowTags(dialog.HourPanel()), QList<int>{12});

    click(dialog.Cell(dialog.HourPanel(), 0));
    EXPECT_EQ(dialog.Hour(), 0);
    EXPECT_EQ(dialog.Time(), QTime(0, 45));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Set Time As: 12:45 am"));

    click(dialog.Cell(dialog.HourPanel(), 23));
    click(dialog.Cell(dialog.MinutePanel(), 5));
    EXPECT_EQ(dialog.Time(), QTime(23, 5));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Set Time As: 11:05 pm"));
    EXPECT_EQ(yellowTags(dialog.HourPanel()), QList<int>{23});
    EXPECT_EQ(yellowTags(dialog.MinutePanel()), QList<int>{5});
}

TEST(SetTimeDialog, SilverCellsKeepTheirColour)
{
    TSetTimeDialog dialog;
    dialog.Cell(dialog.MinutePanel(), 30)->setColor(RGBValue(0xC0, 0xC0, 0xC0));
    dialog.setTime(QTime(7, 15));
    dialog.show();
    EXPECT_EQ(dialog.Cell(dialog.MinutePanel(), 30)->Color(), RGBValue(0xC0, 0xC0, 0xC0));
    click(dialog.Cell(dialog.MinutePanel(), 30));
    EXPECT_EQ(dialog.Cell(dialog.MinutePanel(), 30)->Color(), kYellow);
    click(dialog.Cell(dialog.MinutePanel(), 31));
    EXPECT_EQ(dialog.Cell(dialog.MinutePanel(), 30)->Color(), TGraphicPanel::clBtnFace);
}

TEST(SetTimeDialog, OkHandsTheChoiceBackAndCancelLeavesTheCallersTime)
{
    QTime time(8, 0);
    WhenModalShown<TSetTimeDialog>([](TSetTimeDialog* dialog) {
        click(dialog->Cell(dialog->HourPanel(), 15));
        click(dialog->Cell(dialog->MinutePanel(), 30));
        click(dialog->CancelButton());
    });
    EXPECT_FALSE(TSetTimeDialog::Execute(nullptr, time));
    EXPECT_EQ(time, QTime(8, 0));

    WhenModalShown<TSetTimeDialog>([](TSetTimeDialog* dialog) {
        click(dialog->Cell(dialog->HourPanel(), 15));
        click(dialog->Cell(dialog->MinutePanel(), 30));
        click(dialog->OkButton());
    });
    EXPECT_TRUE(TSetTimeDialog::Execute(nullptr, time));
    EXPECT_EQ(time, QTime(15, 30));
}
