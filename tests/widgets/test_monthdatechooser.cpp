#include "widgets/monthdatechooser.h"

#include <QCalendarWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

TEST(MonthDateChooser, StepButtonsKeepTheDayOrTakeTheMonthsLast)
{
    TMonthDateChooser chooser;
    ASSERT_TRUE(chooser.SetDate(QDate(2024, 1, 31)));
    QSignalSpy changed(&chooser, &TMonthDateChooser::Changed);
    EXPECT_EQ(chooser.PreviousYearButton()->text(), QStringLiteral("<<"));
    EXPECT_EQ(chooser.PreviousMonthButton()->text(), QStringLiteral("<"));
    EXPECT_EQ(chooser.NowButton()->text(), QStringLiteral("Now"));
    EXPECT_EQ(chooser.NextMonthButton()->text(), QStringLiteral(">"));
    EXPECT_EQ(chooser.NextYearButton()->text(), QStringLiteral(">>"));

    QTest::mouseClick(chooser.NextMonthButton(), Qt::LeftButton);
    EXPECT_EQ(chooser.Date(), QDate(2024, 2, 29));
    QTest::mouseClick(chooser.NextYearButton(), Qt::LeftButton);
    EXPECT_EQ(chooser.Date(), QDate(2025, 2, 28));
    QTest::mouseClick(chooser.PreviousMonthButton(), Qt::LeftButton);
    EXPECT_EQ(chooser.Date(), QDate(2025, 1, 28));
    QTest::mouseClick(chooser.PreviousYearButton(), Qt::LeftButton);
    EXPECT_EQ(chooser.Date(), QDate(2024, 1, 28));
    QTest::mouseClick(chooser.NowButton(), Qt::LeftButton);
    EXPECT_EQ(chooser.Date(), QDate::currentDate());
    EXPECT_EQ(changed.count(), 5);
    // The grid shows the month of the date.
    EXPECT_EQ(chooser.Grid()->selectedDate(), QDate::currentDate());
    EXPECT_EQ(chooser.Grid()->monthShown(), QDate::currentDate().month());
}

TEST(MonthDateChooser, ImpossibleDatePartsAreIgnored)
{
    TMonthDateChooser chooser;
    ASSERT_TRUE(chooser.SetDate(QDate(2023, 4, 30)));
    QSignalSpy changed(&chooser, &TMonthDateChooser::Changed);
    EXPECT_FALSE(chooser.SetDay(31));
    EXPECT_FALSE(chooser.SetDay(0));
    EXPECT_FALSE(chooser.SetMonth(2));
    EXPECT_FALSE(chooser.SetMonth(13));
    EXPECT_EQ(chooser.Date(), QDate(2023, 4, 30));
    EXPECT_EQ(changed.count(), 0);

    // Filling from a page: day 1 first, so that month and year always fit, then the day.
    EXPECT_TRUE(chooser.SetDay(1));
    EXPECT_TRUE(chooser.SetMonth(2));
    EXPECT_TRUE(chooser.SetYear(2000));
    EXPECT_TRUE(chooser.SetDay(29));
    EXPECT_EQ(chooser.Date(), QDate(2000, 2, 29));
    EXPECT_FALSE(chooser.SetYear(1999));
    // Setting the date already shown is no change.
    EXPECT_TRUE(chooser.SetDay(29));
    EXPECT_EQ(changed.count(), 4);
}

TEST(MonthDateChooser, PickingInTheGridChangesTheDate)
{
    TMonthDateChooser chooser;
    chooser.SetDate(QDate(2024, 5, 10));
    QSignalSpy changed(&chooser, &TMonthDateChooser::Changed);
    chooser.Grid()->setSelectedDate(QDate(2024, 5, 17));
    EXPECT_EQ(chooser.Date(), QDate(2024, 5, 17));
    EXPECT_EQ(changed.count(), 1);
}
