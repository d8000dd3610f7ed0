#include "document/calendarlayout.h"

#include <gtest/gtest.h>

namespace {

CalendarSettings settings(int layout, bool a4 = false, float margin = 0.5f)
{
    CalendarSettings s;
    s.CalendarLayout = static_cast<TCalendarLayout>(layout);
    s.A4Paper = a4;
    s.LeftMarginInch = s.TopMarginInch = s.RightMarginInch = s.BottomMarginInch = margin;
    s.MainCalMonth = 11;
    s.MainCalYear = 1999;
    return s;
}

bool inside(const TRect& inner, const TRect& outer)
{
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

} // namespace

TEST(CalendarLayout, MinisInTitleOnLetter)
{
    const CalendarGeometry g = ComputeLayout(settings(3), 96, false);
    EXPECT_EQ(g.orientation, coLandscape);
    EXPECT_EQ(g.PageWidth, 1056);
    EXPECT_EQ(g.PageHeight, 816);
    EXPECT_EQ(g.CalendarRect, (TRect{50, 50, 1006, 766}));
    EXPECT_EQ(g.BorderRect, (TRect{48, 48, 1008, 768}));
    EXPECT_EQ(g.MiniSlots[1].rect, (TRect{62, 62, 182, 182}));
    EXPECT_EQ(g.MiniSlots[2].rect, (TRect{1006 - 144 + 12, 62, 1006 - 12, 182}));
    EXPECT_EQ(g.MiniCount, 2);
    EXPECT_EQ(g.MiniSlots[1].month, 10);
    EXPECT_EQ(g.MiniSlots[2].month, 12);
    EXPECT_TRUE(g.ShowMainCalendar && g.ShowMiniCalendars && !g.ShowPlanner);
}

TEST(CalendarLayout, BorderArtWidensMarginsButNotBorderRect)
{
    const CalendarGeometry plain = ComputeLayout(settings(3), 96, false);
    const CalendarGeometry art = ComputeLayout(settings(3), 96, true);
    EXPECT_EQ(art.BorderRect, plain.BorderRect);
    // px(0.97) = round(93.12) = 93
    EXPECT_EQ(art.CalendarRect, (TRect{95, 95, 1056 - 93 - 2, 816 - 93 - 2}));
}

TEST(CalendarLayout, SixtyMonthsLandscapeEndFlushWithTheRectangle)
{
    const CalendarGeometry g = ComputeLayout(settings(17), 96, false);
    const TRect D{50, 50, 1006, 766};
    EXPECT_EQ(g.MiniCount, 60);
    for (int row = 0; row < 6; ++row)
        EXPECT_EQ(g.MiniSlots[row * 10 + 10].rect.right, D.right) << row;
    EXPECT_EQ(g.MiniSlots[60].rect.bottom, D.bottom);
    EXPECT_EQ(g.MiniSlots[1].rect.left, D.left);
    EXPECT_EQ(g.MiniSlots[1].rect.top, D.top);
    EXPECT_EQ(g.miniFontBase, 8);
}

TEST(CalendarLayout, OrientationFollowsTheLayout)
{
    for (int layout = 0; layout < kLayoutCount; ++layout) {
        const bool landscape = layout >= 1 && layout <= 17 && layout % 2 == 1;
        EXPECT_EQ(OrientationOfLayout(static_cast<TCalendarLayout>(layout)), landscape ? coLandscape : coPortrait)
            << layout;
    }
}

TEST(CalendarLayout, EveryLayoutKeepsSlotsInsideTheirBandsWithoutOverlap)
{
    const int expectedCount[kLayoutCount] = {0,  0,  2,  2,  12, 12, 12, 12, 6, 6, 12,
                                             12, 24, 24, 48, 48, 60, 60, 0,  0, 0, 0};
    for (bool a4 : {false, true}) {
        for (int layout = 0; layout < kLayoutCount; ++layout) {
            SCOPED_TRACE(testing::Message() << "layout " << layout << (a4 ? " A4" : " Letter"));
            const CalendarSettings s = settings(layout, a4);
            const CalendarGeometry g = ComputeLayout(s, 96, false);
            const TRect page{0, 0, g.PageWidth, g.PageHeight};
            EXPECT_EQ(g.MiniCount, expectedCount[layout]);
            EXPECT_EQ(g.ShowPlanner, layout >= 18);
            EXPECT_EQ(g.ShowMainCalendar, layout <= 7);
            if (layout <= 7 || layout >= 18) {
                EXPECT_FALSE(g.CalendarRect.isEmpty());
                EXPECT_TRUE(inside(g.CalendarRect, g.BorderRect));
            }
            for (int i = 1; i <= g.MiniCount; ++i) {
                const TMiniSlot& slot = g.MiniSlots[i];
                EXPECT_FALSE(slot.rect.isEmpty()) << i;
                EXPECT_TRUE(inside(slot.rect, g.BorderRect)) << i;
                EXPECT_TRUE(inside(slot.rect, page)) << i;
                if (layout != 2 && layout != 3) {
                    EXPECT_FALSE(slot.rect.intersects(g.CalendarRect)) << i;
                }
                for (int j = i + 1; j <= g.MiniCount; ++j)
                    EXPECT_FALSE(slot.rect.intersects(g.MiniSlots[j].rect)) << i << " and " << j;
            }
        }
    }
}

TEST(CalendarLayout, SlotsCarryMonthsAcrossYearEnds)
{
    // Around November 1999: six before (May..October 1999), six after (December 1999..May 2000).
    const CalendarGeometry g = ComputeLayout(settings(4), 96, false);
    EXPECT_EQ(g.MiniSlots[1].month, 5);
    EXPECT_EQ(g.MiniSlots[1].year, 1999);
    EXPECT_EQ(g.MiniSlots[7].month, 12);
    EXPECT_EQ(g.MiniSlots[7].year, 1999);
    EXPECT_EQ(g.MiniSlots[8].month, 1);
    EXPECT_EQ(g.MiniSlots[8].year, 2000);
    const CalendarGeometry sixty = ComputeLayout(settings(16), 96, false);
    EXPECT_EQ(sixty.MiniSlots[60].month, 10);
    EXPECT_EQ(sixty.MiniSlots[60].year, 2004);
    CalendarSettings january = settings(2);
    january.MainCalMonth = 1;
    const CalendarGeometry title = ComputeLayout(january, 96, false);
    EXPECT_EQ(title.MiniSlots[1].month, 12);
    EXPECT_EQ(title.MiniSlots[1].year, 1998);
    EXPECT_EQ(title.MiniSlots[2].month, 2);
}

TEST(CalendarLayout, StepMonthBothWays)
{
    int m = 0, y = 0;
    StepMonth(1, 2000, -13, m, y);
    EXPECT_EQ(m, 12);
    EXPECT_EQ(y, 1998);
    StepMonth(12, 2000, 25, m, y);
    EXPECT_EQ(m, 1);
    EXPECT_EQ(y, 2003);
}
