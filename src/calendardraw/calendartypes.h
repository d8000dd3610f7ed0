// The calendar page's enumerations (their value names are the identifiers documents store) and the
// cell table entry shared by the page and the drawing routines.
#pragma once

#include "platform/pagerect.h"

#include <QObject>

namespace CalendarEnums {
Q_NAMESPACE

enum TCalBorderStyle { cbNone, cbAll, cbTop, cbBottom, cbTopBottom };
Q_ENUM_NS(TCalBorderStyle)

enum TCalHeadersStyle { dsFirstChar, dsThreeChars, dsWhole };
Q_ENUM_NS(TCalHeadersStyle)

enum TCalendarNumberPosition { cnpCenter, cnpUpperRight };
Q_ENUM_NS(TCalendarNumberPosition)

enum TCalendarOrientation { coPortrait, coLandscape };
Q_ENUM_NS(TCalendarOrientation)

enum TCalendarLayout {
    loFullCalendar,
    LOFullCalendarLS,
    loFCMinisInTitle,
    loFCMinisInTitleLS,
    loFC6Before6After,
    loFC6Before6AfterLS,
    loFC12After,
    loFC12AfterLS,
    lopMC6Month,
    lopMC6MonthLS,
    loMC12Month,
    loMC12MonthLS,
    loMC24Month,
    loMC24MonthLS,
    loMC48Month,
    loMC48MonthLS,
    loMC60Month,
    loMC60MonthLS,
    loWeek,
    lo2Week,
    loDay10,
    loDay15
};
Q_ENUM_NS(TCalendarLayout)

enum TCalendarLineLayout { llFull, llHeadersAndCells, llCellsOnly };
Q_ENUM_NS(TCalendarLineLayout)

enum TMiniCalendarLineLayout { mllFull, mllBoxed, mllMinimal };
Q_ENUM_NS(TMiniCalendarLineLayout)

enum TLPanelState { psPointing, psLabel, psImage, psRichLabel, psSuperText, psFlatCalendar };
Q_ENUM_NS(TLPanelState)

} // namespace CalendarEnums

using namespace CalendarEnums;

constexpr int kLayoutCount = 22;
constexpr int kCellCount = 42;

// One entry of the cell table (index 1..42): the cell rectangle for hit tests, the day shown (0 when
// blank or a notes row) and the rectangle left for the day's text (empty when the cell takes none).
struct TCellInfo
{
    TRect rTotal;
    int iDay = 0;
    TRect rFree;
    bool operator==(const TCellInfo&) const = default;
};
