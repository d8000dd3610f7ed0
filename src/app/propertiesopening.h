// The example page's settings when the calendar properties dialog opened, and what OK would cost the
// document measured against them: its day text, or the places of its objects.
#pragma once

#include "calendardraw/layoutkind.h"

#include <QString>

class TCalendarPanel32;

class TPropertiesOpening
{
public:
    enum class TextLoss { None, LayoutKind, MonthOrYear };

    void Take(TCalendarPanel32& page);
    // Why OK would cost the document its day text, if it would.
    TextLoss TextLossOf(TCalendarPanel32& page, TLayoutKind originalKind) const;
    // Whether placed objects would need repositioning: another paper, layout, orientation, margin or border.
    bool ObjectsMustMove(TCalendarPanel32& page) const;

private:
    float m_margins[4] = {};
    QString m_border;
    int m_layout = 0;
    bool m_a4Paper = false;
    int m_orientation = 0;
    int m_day = 0;
    int m_month = 0;
    int m_year = 0;
};
