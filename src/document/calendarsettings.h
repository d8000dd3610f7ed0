// Everything that describes a calendar page, as one value that copies and compares as a whole.
#pragma once

#include "calendardraw/calendartypes.h"

#include "platform/colorvalue.h"
#include "platform/fontdescription.h"

#include <QString>

#include <array>

// What a page may hold; the document reader and the command line's --set refuse anything outside.
inline constexpr int kMaxMarginHundredths = 10000; // no paper is wider
inline constexpr int kMinPageYear = 1;
inline constexpr int kMaxPageYear = 9999;

struct CalendarSettings
{
    bool A4Paper = false;
    TCalendarLayout CalendarLayout = loFullCalendar;
    TCalendarOrientation CalendarOrientation = coPortrait;
    TCalendarLineLayout CalendarLineLayout = llFull;
    TMiniCalendarLineLayout MiniCalendarLineLayout = mllFull;
    int StartOfWeek = 1;
    std::array<QString, 13> MonthNames; // 1..12
    std::array<QString, 8> DayNames;    // 1..7, 1 = Sunday
    int MainCalDay = 0;
    int MainCalMonth = 1;
    int MainCalYear = 1997;

    FontDescription TitleFont{QStringLiteral("Times New Roman"), 26, fsBold, clBlack};
    FontDescription HeadersFont{QStringLiteral("Times New Roman"), 16, fsBold, clBlack};
    FontDescription CellFont{QStringLiteral("Times New Roman"), 16, fsBold, clBlack};
    FontDescription MiniTitleFont{QStringLiteral("Times New Roman"), 6, fsBold, clBlack};
    FontDescription MiniHeadersFont{QStringLiteral("Times New Roman"), 8, 0, clWhite};
    FontDescription MiniCellFont{QStringLiteral("Times New Roman"), 6, 0, clBlack};

    TColor TitleBGColor = clWhite;
    TColor HeadersBGColor = clWhite;
    TColor MiniCalBGColor = clWhite;
    TColor MiniHeadersBGColor = clWhite;

    TCalHeadersStyle HeadersStyle = dsThreeChars;
    TCalHeadersStyle MiniHeadersStyle = dsFirstChar;
    TCalendarNumberPosition NumberPosition = cnpUpperRight;
    bool TitleShowYear = true;
    bool MiniShowYear = true;

    TCalBorderStyle CalendarBorder = cbAll;
    TCalBorderStyle HeadersBorder = cbAll;
    TCalBorderStyle CellBorder = cbAll;
    TCalBorderStyle MiniCalBorder = cbAll;
    TCalBorderStyle MiniHeadersBorder = cbBottom;
    TCalBorderStyle MiniCellBorder = cbNone;

    float LeftMarginInch = 0.25f;
    float TopMarginInch = 0.25f;
    float RightMarginInch = 0.25f;
    float BottomMarginInch = 0.25f;
    double DayStartTime = 8.0 / 24.0; // fraction of a day
    // ISO week numbers beside the week rows and the principal moon phases in the day cells.
    bool ShowWeekNumbers = false;
    bool ShowMoonPhases = false;
    QString UserTitle;
    QString WMFBorderFile;

    bool operator==(const CalendarSettings&) const = default;
};

// Full month and day names of the system locale (index 1..12, and 1..7 with 1 = Sunday).
std::array<QString, 13> LocaleMonthNames();
std::array<QString, 8> LocaleDayNames();
