#include "document/qgraphiccontrol.h"
#include "editor/calendarpanel32.h"

#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

TEST(CalendarPanel, ConstructionAndResetValues)
{
    TCalendarPanel32 page;
    EXPECT_EQ(page.CalendarLayout(), loFullCalendar);
    EXPECT_EQ(page.MainCalYear(), 1997);
    EXPECT_EQ(page.HeadersStyle(), dsThreeChars);
    EXPECT_EQ(page.MiniHeadersBorder(), cbBottom);
    EXPECT_FLOAT_EQ(page.LeftMarginInch(), 0.25f);
    page.SetHeadersStyle(dsWhole);
    page.ResetToDefaults();
    EXPECT_EQ(page.CalendarLayout(), loFCMinisInTitleLS);
    EXPECT_EQ(page.CalendarOrientation(), coLandscape);
    EXPECT_EQ(page.HeadersStyle(), dsWhole); // left alone by the reset
    EXPECT_EQ(page.MiniHeadersBorder(), cbTopBottom);
    EXPECT_EQ(page.MiniCellBorder(), cbNone);
    EXPECT_EQ(page.MiniHeadersFont().color, clBlack);
    EXPECT_EQ(page.MiniTitleFont().size, 10);
    EXPECT_EQ(page.MiniCellFont().size, 8);
    EXPECT_FLOAT_EQ(page.BottomMarginInch(), 0.5f);
    EXPECT_EQ(page.PageWidth(), 1056);
    EXPECT_EQ(page.width(), 1056);
    EXPECT_EQ(page.MainCalYear(), QDate::currentDate().year());
}

TEST(CalendarPanel, OrientationFollowsLayoutAtRelayout)
{
    TCalendarPanel32 page;
    page.SetCalendarOrientation(coLandscape);
    EXPECT_EQ(page.CalendarOrientation(), coPortrait);
    EXPECT_EQ(page.PageWidth(), 816);
}

TEST(CalendarPanel, LineLayoutsApplyOnlyWhenTheyChange)
{
    TCalendarPanel32 page;
    page.SetCalendarLineLayout(llCellsOnly);
    EXPECT_EQ(page.CalendarBorder(), cbNone);
    EXPECT_EQ(page.HeadersBorder(), cbNone);
    EXPECT_EQ(page.CellBorder(), cbAll);
    page.SetCalendarBorder(cbAll);
    page.SetCalendarLineLayout(llCellsOnly);
    EXPECT_EQ(page.CalendarBorder(), cbAll);
    page.SetMiniCalendarLineLayout(mllMinimal);
    EXPECT_EQ(page.MiniCalBorder(), cbNone);
    EXPECT_EQ(page.MiniHeadersBorder(), cbTop);
}

TEST(CalendarPanel, NamesAndCellAccessorsIgnoreBadIndexes)
{
    TCalendarPanel32 page;
    page.SetMonthName(13, QStringLiteral("x"));
    page.SetDayName(0, QStringLiteral("x"));
    page.SetMonthName(1, QStringLiteral("Janvier"));
    EXPECT_EQ(page.GetMonthName(1), QStringLiteral("Janvier"));
    EXPECT_TRUE(page.GetMonthName(0).isEmpty());
    EXPECT_TRUE(page.GetDayName(8).isEmpty());
    EXPECT_EQ(page.DayOfCell(99), 0);
    // Never painted, yet its cells are where the geometry puts them.
    const TRect tenth = page.Cell(10).rTotal;
    EXPECT_EQ(page.CellAt(QPoint((tenth.left + tenth.right) / 2, (tenth.top + tenth.bottom) / 2)), 10);
    EXPECT_EQ(page.CellAt(QPoint(1, 1)), 0);
    EXPECT_EQ(page.CellOfDay(32), -1);
}

TEST(CalendarPanel, CopyAndCompareSettings)
{
    TCalendarPanel32 a, b;
    a.ResetToDefaults();
    a.SetMainCalMonth(2);
    a.SetTitleBGColor(RGBValue(200, 0, 0));
    a.SetCalendarLineLayout(llHeadersAndCells);
    EXPECT_FALSE(b.SameSettingsAs(a));
    b.CopySettingsFrom(a);
    EXPECT_TRUE(b.SameSettingsAs(a));
    EXPECT_EQ(b.CalendarBorder(), cbNone);
    // Font sizes are not compared, face names without regard to case.
    FontDescription f = b.TitleFont();
    f.size = 40;
    f.name = f.name.toUpper();
    b.SetTitleFont(f);
    EXPECT_TRUE(b.SameSettingsAs(a));
    b.SetDayName(3, QStringLiteral("tuesday"));
    EXPECT_FALSE(b.SameSettingsAs(a));
}

TEST(CalendarPanel, LayoutKindAndTextLayouts)
{
    TCalendarPanel32 page;
    const int kinds[kLayoutCount] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 2, 3, 4, 5};
    page.show();
    for (int layout = 0; layout < kLayoutCount; ++layout) {
        page.SetCalendarLayout(static_cast<TCalendarLayout>(layout));
        EXPECT_EQ(page.LayoutKind(), kinds[layout]) << layout;
        EXPECT_EQ(page.CanHoldText(), layout <= 7 || layout >= 18) << layout;
    }
    page.hide();
    EXPECT_FALSE(page.CanHoldText());
}

TEST(CalendarPanel, ZoomResizesThePage)
{
    TCalendarPanel32 page;
    page.SetScale(0.501f);
    EXPECT_EQ(page.width(), 409); // round(816 × 0.501)
    EXPECT_EQ(page.height(), 529);
    page.SetScale(1.0f);
    EXPECT_EQ(page.width(), 816);
}

namespace {

class TestObject : public TQGraphicControl
{
public:
    using TQGraphicControl::TQGraphicControl;
};

} // namespace

TEST(CalendarPanel, ToolDragWidensTinyBandsAndReturnsToPointing)
{
    QWidget owner;
    auto* page = new TCalendarPanel32(&owner);
    TQGraphicControl* made = nullptr;
    int steps = 0;
    page->SetToolKind(
        psLabel, [&](QWidget*) { return made = new TestObject; }, [&](TQGraphicControl*) { ++steps; });
    page->SetPanelState(psLabel);
    EXPECT_FALSE(page->Pointing());
    QSignalSpy dropped(page, &TQBasePanel::DroppedObjectEvent);
    owner.show();
    QTest::mousePress(page, Qt::LeftButton, {}, QPoint(100, 100));
    QTest::mouseMove(page, QPoint(104, 103));
    QTest::mouseRelease(page, Qt::LeftButton, {}, QPoint(104, 103));
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(made->ScreenRect(), QRect(100, 100, 50, 15));
    EXPECT_EQ(made->objectName(), QStringLiteral("Special1"));
    EXPECT_EQ(steps, 1);
    EXPECT_EQ(page->PanelState(), psPointing);
    EXPECT_TRUE(page->Pointing());
    EXPECT_EQ(dropped.count(), 1);
}

TEST(CalendarPanel, DropObjectKeepsWideBandsAndLeavesPointingWithoutAKind)
{
    QWidget owner;
    auto* page = new TCalendarPanel32(&owner);
    TQGraphicControl* made = nullptr;
    page->SetToolKind(psImage, [&](QWidget*) { return made = new TestObject; });
    page->SetPanelState(psImage);
    page->DropObject({10, 20, 40, 22});
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(made->ScreenRect(), QRect(10, 20, 30, 15));
    page->SetPanelState(psRichLabel);
    page->DropObject({0, 0, 0, 0});
    EXPECT_EQ(page->PanelState(), psPointing);
    EXPECT_EQ(page->PlacedObjects().size(), 1);
}
