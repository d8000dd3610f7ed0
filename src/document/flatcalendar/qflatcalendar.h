// A small month calendar placed anywhere on the page: its own month, year, fonts, colours, borders,
// drop shadow and one of five built-in languages, independent of the page it lies on.
#pragma once

#include "document/qgraphiccontrol.h"

#include "platform/colorvalue.h"

#include <QSize>

class TQFlatCalendar : public TQGraphicControl
{
    Q_OBJECT
    // Documents name the kind so; the C++ name may change.
    Q_CLASSINFO("StoredName", "TQFlatCalendar")
    Q_PROPERTY(int StartOfWeek READ StartOfWeek WRITE SetStartOfWeek)
    Q_PROPERTY(int Month READ Month WRITE SetMonth)
    Q_PROPERTY(int Year READ Year WRITE SetYear)
    Q_PROPERTY(FontDescription TitleFont READ TitleFont WRITE SetTitleFont)
    Q_PROPERTY(FontDescription DayNameFont READ DayNameFont WRITE SetDayNameFont)
    Q_PROPERTY(FontDescription CellFont READ CellFont WRITE SetCellFont)
    Q_PROPERTY(bool ShowYear READ ShowYear WRITE SetShowYear)
    Q_PROPERTY(TColor DayNameBGColor READ DayNameBGColor WRITE SetDayNameBGColor)
    Q_PROPERTY(TFlatCalBorderStyle CalendarBorderStyle READ CalendarBorderStyle WRITE SetCalendarBorderStyle)
    Q_PROPERTY(TFlatCalBorderStyle DayNameBorderStyle READ DayNameBorderStyle WRITE SetDayNameBorderStyle)
    Q_PROPERTY(TFlatCalBorderStyle CellBorderStyle READ CellBorderStyle WRITE SetCellBorderStyle)
    Q_PROPERTY(TFlatCalHeadersStyle DayNameStyle READ DayNameStyle WRITE SetDayNameStyle)
    Q_PROPERTY(TColor TitleBGcolor READ TitleBGcolor WRITE SetTitleBGcolor)
    Q_PROPERTY(TColor Backgroundcolor READ Backgroundcolor WRITE SetBackgroundcolor)
    Q_PROPERTY(TColor ShadowColor READ ShadowColor WRITE SetShadowColor)
    Q_PROPERTY(int ShadowDepth READ ShadowDepth WRITE SetShadowDepth)
    Q_PROPERTY(TFlatShadowPosition ShadowPosition READ ShadowPosition WRITE SetShadowPosition)
    Q_PROPERTY(TFlatCalLanguage Language READ Language WRITE SetLanguage)
    Q_PROPERTY(bool CalTransparent READ CalTransparent WRITE SetCalTransparent)
    Q_CLASSINFO("default:StartOfWeek", "1")
    Q_CLASSINFO("default:ShowYear", "false")
    Q_CLASSINFO("default:DayNameBGColor", "clWhite")
    Q_CLASSINFO("default:CalendarBorderStyle", "fcbAll")
    Q_CLASSINFO("default:DayNameBorderStyle", "fcbAll")
    Q_CLASSINFO("default:CellBorderStyle", "fcbNone")
    Q_CLASSINFO("default:DayNameStyle", "fdsFirstChar")
    Q_CLASSINFO("default:TitleBGcolor", "clWhite")
    Q_CLASSINFO("default:Backgroundcolor", "clWhite")
    Q_CLASSINFO("default:ShadowColor", "clBlack")
    Q_CLASSINFO("default:ShadowDepth", "0")
    Q_CLASSINFO("default:ShadowPosition", "fcpLowerRight")
    Q_CLASSINFO("default:Language", "fclEnglish")
    Q_CLASSINFO("default:CalTransparent", "false")

public:
    enum TFlatCalBorderStyle : int { fcbNone, fcbAll, fcbTop, fcbBottom, fcbTopBottom };
    Q_ENUM(TFlatCalBorderStyle)
    enum TFlatCalHeadersStyle : int { fdsFirstChar, fdsThreeChars, fdsWhole };
    Q_ENUM(TFlatCalHeadersStyle)
    enum TFlatShadowPosition : int { fcpLowerRight, fcpLowerLeft, fcpUpperRight, fcpUpperLeft };
    Q_ENUM(TFlatShadowPosition)
    enum TFlatCalLanguage : int { fclEnglish, fclGerman, fclFrench, fclItalian, fclSpanish };
    Q_ENUM(TFlatCalLanguage)

    static constexpr int kMaxShadowDepth = 10;
    // No calendar needs larger type or years past these; beyond them a value is ignored.
    static constexpr int kMaxFontPoints = 1000;
    static constexpr int kMinYear = 1;
    static constexpr int kMaxYear = 9999;

    explicit TQFlatCalendar(QObject* parent = nullptr);

    // 1 Sunday first, 2 Monday first; other days are ignored.
    int StartOfWeek() const { return m_startOfWeek; }
    void SetStartOfWeek(int v);
    int Month() const { return m_month; }
    void SetMonth(int v);
    int Year() const { return m_year; }
    void SetYear(int v);
    FontDescription TitleFont() const { return m_titleFont; }
    void SetTitleFont(const FontDescription& v);
    FontDescription DayNameFont() const { return m_dayNameFont; }
    void SetDayNameFont(const FontDescription& v);
    FontDescription CellFont() const { return m_cellFont; }
    void SetCellFont(const FontDescription& v);
    bool ShowYear() const { return m_showYear; }
    void SetShowYear(bool v);
    TColor DayNameBGColor() const { return m_dayNameBGColor; }
    void SetDayNameBGColor(TColor v);
    TFlatCalBorderStyle CalendarBorderStyle() const { return m_calendarBorder; }
    void SetCalendarBorderStyle(TFlatCalBorderStyle v);
    TFlatCalBorderStyle DayNameBorderStyle() const { return m_dayNameBorder; }
    void SetDayNameBorderStyle(TFlatCalBorderStyle v);
    TFlatCalBorderStyle CellBorderStyle() const { return m_cellBorder; }
    void SetCellBorderStyle(TFlatCalBorderStyle v);
    TFlatCalHeadersStyle DayNameStyle() const { return m_dayNameStyle; }
    void SetDayNameStyle(TFlatCalHeadersStyle v);
    TColor TitleBGcolor() const { return m_titleBGColor; }
    void SetTitleBGcolor(TColor v);
    TColor Backgroundcolor() const { return m_backgroundColor; }
    void SetBackgroundcolor(TColor v);
    TColor ShadowColor() const { return m_shadowColor; }
    void SetShadowColor(TColor v);
    // Pixels at zoom 1; up to 10, a negative depth draws no shadow.
    int ShadowDepth() const { return m_shadowDepth; }
    void SetShadowDepth(int v);
    TFlatShadowPosition ShadowPosition() const { return m_shadowPosition; }
    void SetShadowPosition(TFlatShadowPosition v);
    TFlatCalLanguage Language() const { return m_language; }
    void SetLanguage(TFlatCalLanguage v);
    bool CalTransparent() const { return m_calTransparent; }
    void SetCalTransparent(bool v);

    // The language's name of day 1..7 (1 = Sunday) and month 1..12.
    static QString DayName(TFlatCalLanguage language, int day);
    static QString MonthName(TFlatCalLanguage language, int month);

    // Where the calendar and its shadow lie in an object of this size drawn at this zoom; the shadow
    // is empty when none is drawn.
    TRect CalendarRect(QSize size, double zoom) const;
    TRect ShadowRect(QSize size, double zoom) const;

    // Takes over everything but the size from another floating calendar, through the setters.
    void CopyPropertiesFrom(const TQFlatCalendar& source);

    void Draw(QPainter& canvas, const QRect& target, const DeviceProfile& device) override;

private:
    void lookChanged();

    int m_startOfWeek = 1;
    int m_month = 1;
    int m_year = 1997;
    FontDescription m_titleFont;
    FontDescription m_dayNameFont;
    FontDescription m_cellFont;
    bool m_showYear = false;
    TColor m_dayNameBGColor = clWhite;
    TFlatCalBorderStyle m_calendarBorder = fcbAll;
    TFlatCalBorderStyle m_dayNameBorder = fcbAll;
    TFlatCalBorderStyle m_cellBorder = fcbNone;
    TFlatCalHeadersStyle m_dayNameStyle = fdsFirstChar;
    TColor m_titleBGColor = clWhite;
    TColor m_backgroundColor = clWhite;
    TColor m_shadowColor = clBlack;
    int m_shadowDepth = 0;
    TFlatShadowPosition m_shadowPosition = fcpLowerRight;
    TFlatCalLanguage m_language = fclEnglish;
    bool m_calTransparent = false;
};
