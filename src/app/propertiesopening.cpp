#include "propertiesopening.h"

#include "editor/calendarpanel32.h"

namespace {

void marginsOf(TCalendarPanel32& page, float (&margins)[4])
{
    margins[0] = page.LeftMarginInch();
    margins[1] = page.TopMarginInch();
    margins[2] = page.RightMarginInch();
    margins[3] = page.BottomMarginInch();
}

} // namespace

void TPropertiesOpening::Take(TCalendarPanel32& page)
{
    marginsOf(page, m_margins);
    m_border = page.WMFBorderFile();
    m_layout = page.CalendarLayout();
    m_a4Paper = page.A4Paper();
    m_orientation = page.CalendarOrientation();
    m_day = page.MainCalDay();
    m_month = page.MainCalMonth();
    m_year = page.MainCalYear();
}

TPropertiesOpening::TextLoss TPropertiesOpening::TextLossOf(TCalendarPanel32& page, TLayoutKind originalKind) const
{
    if (page.LayoutKind() != originalKind)
        return TextLoss::LayoutKind;
    // Cells belong to positions, not dates: a new month or year would show the old text on other days.
    // A planner starts at its day, so another first day moves every note as well.
    const TCalendarLayout layout = page.CalendarLayout();
    const bool planner = IsPlanner(layout);
    const bool moved =
        page.MainCalMonth() != m_month || page.MainCalYear() != m_year || (planner && page.MainCalDay() != m_day);
    return HoldsDayText(layout) && moved ? TextLoss::MonthOrYear : TextLoss::None;
}

bool TPropertiesOpening::ObjectsMustMove(TCalendarPanel32& page) const
{
    float margins[4];
    marginsOf(page, margins);
    for (int i = 0; i < 4; ++i) {
        if (margins[i] != m_margins[i])
            return true;
    }
    // One border art replaced by another keeps the page's free area.
    if (page.WMFBorderFile().isEmpty() != m_border.isEmpty())
        return true;
    return page.CalendarLayout() != m_layout || page.A4Paper() != m_a4Paper ||
           page.CalendarOrientation() != m_orientation;
}
