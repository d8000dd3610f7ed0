#include "qflatcalendar.h"

#include "calendardraw/calendardraw.h"
#include "platform/rounding.h"

#include <QDate>
#include <QPainter>

#include <array>

namespace {

using Names = std::array<const char16_t*, 5>;

// Day 1 = Sunday; one column per language in the enumeration's order.
constexpr std::array<Names, 7> kDayNames{{
    {u"Sunday", u"Sonntag", u"Dimanche", u"Domenica", u"Domingo"},
    {u"Monday", u"Montag", u"Lundi", u"Lunedì", u"Lunes"},
    {u"Tuesday", u"Dienstag", u"Mardi", u"Martedì", u"Martes"},
    {u"Wednesday", u"Mittwoch", u"Mercredi", u"Mercoledì", u"Miércoles"},
    {u"Thursday", u"Donnerstag", u"Jeudi", u"Giovedì", u"Jueves"},
    {u"Friday", u"Freitag ", u"Vendredi", u"Venerdì", u"Viernes"},
    {u"Saturday", u"Samstag", u"Samedi", u"Sabato", u"Sábado"},
}};

constexpr std::array<Names, 12> kMonthNames{{
    {u"January", u"Januar", u"Janvier", u"Gennaio", u"Enero"},
    {u"February", u"Februar", u"Février", u"Febbraio", u"Febrero"},
    {u"March", u"März", u"Mars", u"Marzo", u"Marzo"},
    {u"April", u"April", u"Avril", u"Aprile", u"Abril"},
    {u"May", u"Mai", u"Mai", u"Maggio", u"Mayo"},
    {u"June", u"Juni", u"Juin", u"Giugno", u"Junio"},
    {u"July", u"Juli", u"Juillet", u"Luglio", u"Julio"},
    {u"August", u"August", u"Août", u"Agosto", u"Agosto"},
    {u"September", u"September", u"Septembre", u"Settembre", u"Septiembre"},
    {u"October", u"Oktober", u"Octobre", u"Ottobre", u"Octubre"},
    {u"November", u"November", u"Novembre", u"Novembre", u"Noviembre"},
    {u"December", u"Dezember", u"Décembre", u"Dicembre", u"Diciembre"},
}};

// A font out of range is ignored whole.
bool AcceptFont(TQFlatCalendar& object, const FontDescription& v, const char* sizeName, const char* colorName)
{
    return object.AcceptValue(v.size >= 1 && v.size <= TQFlatCalendar::kMaxFontPoints, sizeName, v.size) &&
           object.AcceptValue(IsColorValue(v.color), colorName, v.color);
}

FontDescription ArialOf(int points)
{
    FontDescription font;
    font.name = QStringLiteral("Arial");
    font.size = points;
    return font;
}

} // namespace

TQFlatCalendar::TQFlatCalendar(QObject* parent)
    : TQGraphicControl(parent), m_titleFont(ArialOf(8)), m_dayNameFont(ArialOf(8)), m_cellFont(ArialOf(7))
{
    const QDate today = QDate::currentDate();
    m_month = today.month();
    m_year = today.year();
    resize(150, 130);
}

QString TQFlatCalendar::DayName(TFlatCalLanguage language, int day)
{
    if (day < 1 || day > 7 || !IsEnumValue(language, fclSpanish))
        return {};
    return QString::fromUtf16(kDayNames[day - 1][language]);
}

QString TQFlatCalendar::MonthName(TFlatCalLanguage language, int month)
{
    if (month < 1 || month > 12 || !IsEnumValue(language, fclSpanish))
        return {};
    return QString::fromUtf16(kMonthNames[month - 1][language]);
}

void TQFlatCalendar::SetStartOfWeek(int v)
{
    // The stored type holds a day 1..7; only Sunday and Monday starts are drawn, the rest ignored.
    if (v == m_startOfWeek || !AcceptValue(v == 1 || v == 2, "StartOfWeek", v))
        return;
    m_startOfWeek = v;
    lookChanged();
}

void TQFlatCalendar::SetMonth(int v)
{
    if (v == m_month || !AcceptValue(v >= 1 && v <= 12, "Month", v))
        return;
    m_month = v;
    lookChanged();
}

void TQFlatCalendar::SetYear(int v)
{
    if (v == m_year || !AcceptValue(v >= kMinYear && v <= kMaxYear, "Year", v))
        return;
    m_year = v;
    lookChanged();
}

void TQFlatCalendar::SetTitleFont(const FontDescription& v)
{
    if (v == m_titleFont || !AcceptFont(*this, v, "TitleFont.Size", "TitleFont.Color"))
        return;
    m_titleFont = v;
    lookChanged();
}

void TQFlatCalendar::SetDayNameFont(const FontDescription& v)
{
    if (v == m_dayNameFont || !AcceptFont(*this, v, "DayNameFont.Size", "DayNameFont.Color"))
        return;
    m_dayNameFont = v;
    lookChanged();
}

void TQFlatCalendar::SetCellFont(const FontDescription& v)
{
    if (v == m_cellFont || !AcceptFont(*this, v, "CellFont.Size", "CellFont.Color"))
        return;
    m_cellFont = v;
    lookChanged();
}

void TQFlatCalendar::SetShowYear(bool v)
{
    if (v == m_showYear)
        return;
    m_showYear = v;
    lookChanged();
}

void TQFlatCalendar::SetDayNameBGColor(TColor v)
{
    if (v == m_dayNameBGColor || !AcceptValue(IsColorValue(v), "DayNameBGColor", v))
        return;
    m_dayNameBGColor = v;
    lookChanged();
}

void TQFlatCalendar::SetCalendarBorderStyle(TFlatCalBorderStyle v)
{
    if (v == m_calendarBorder || !AcceptValue(IsEnumValue(v, fcbTopBottom), "CalendarBorderStyle", v))
        return;
    m_calendarBorder = v;
    lookChanged();
}

void TQFlatCalendar::SetDayNameBorderStyle(TFlatCalBorderStyle v)
{
    if (v == m_dayNameBorder || !AcceptValue(IsEnumValue(v, fcbTopBottom), "DayNameBorderStyle", v))
        return;
    m_dayNameBorder = v;
    lookChanged();
}

void TQFlatCalendar::SetCellBorderStyle(TFlatCalBorderStyle v)
{
    if (v == m_cellBorder || !AcceptValue(IsEnumValue(v, fcbTopBottom), "CellBorderStyle", v))
        return;
    m_cellBorder = v;
    lookChanged();
}

void TQFlatCalendar::SetDayNameStyle(TFlatCalHeadersStyle v)
{
    if (v == m_dayNameStyle || !AcceptValue(IsEnumValue(v, fdsWhole), "DayNameStyle", v))
        return;
    m_dayNameStyle = v;
    lookChanged();
}

void TQFlatCalendar::SetTitleBGcolor(TColor v)
{
    if (v == m_titleBGColor || !AcceptValue(IsColorValue(v), "TitleBGcolor", v))
        return;
    m_titleBGColor = v;
    lookChanged();
}

void TQFlatCalendar::SetBackgroundcolor(TColor v)
{
    if (v == m_backgroundColor || !AcceptValue(IsColorValue(v), "Backgroundcolor", v))
        return;
    m_backgroundColor = v;
    lookChanged();
}

void TQFlatCalendar::SetShadowColor(TColor v)
{
    if (v == m_shadowColor || !AcceptValue(IsColorValue(v), "ShadowColor", v))
        return;
    m_shadowColor = v;
    lookChanged();
}

void TQFlatCalendar::SetShadowDepth(int v)
{
    // A negative depth is kept and draws no shadow; a deeper one is ignored.
    if (v == m_shadowDepth || !AcceptValue(v <= kMaxShadowDepth, "ShadowDepth", v))
        return;
    m_shadowDepth = v;
    lookChanged();
}

void TQFlatCalendar::SetShadowPosition(TFlatShadowPosition v)
{
    if (v == m_shadowPosition || !AcceptValue(IsEnumValue(v, fcpUpperLeft), "ShadowPosition", v))
        return;
    m_shadowPosition = v;
    lookChanged();
}

void TQFlatCalendar::SetLanguage(TFlatCalLanguage v)
{
    if (v == m_language || !AcceptValue(IsEnumValue(v, fclSpanish), "Language", v))
        return;
    m_language = v;
    lookChanged();
}

void TQFlatCalendar::SetCalTransparent(bool v)
{
    if (v == m_calTransparent)
        return;
    m_calTransparent = v;
    lookChanged();
}

void TQFlatCalendar::lookChanged()
{
    Repaint();
}

TRect TQFlatCalendar::CalendarRect(QSize size, double zoom) const
{
    const int w = size.width();
    const int h = size.height();
    if (m_shadowDepth < 1 || m_calTransparent)
        return {0, 0, w, h};
    const int a = RoundHalfEven(m_shadowDepth * zoom);
    switch (m_shadowPosition) {
    case fcpLowerRight:
        return {0, 0, w - a, h - a};
    case fcpLowerLeft:
        return {a, 0, w, h - a};
    case fcpUpperRight:
        return {0, a, w - a, h};
    case fcpUpperLeft:
        break;
    }
    return {a, a, w, h};
}

TRect TQFlatCalendar::ShadowRect(QSize size, double zoom) const
{
    const int w = size.width();
    const int h = size.height();
    if (m_shadowDepth < 1 || m_calTransparent)
        return {};
    const int a = RoundHalfEven(m_shadowDepth * zoom);
    switch (m_shadowPosition) {
    case fcpLowerRight:
        return {a, a, w, h};
    case fcpLowerLeft:
        return {0, a, w - a, h};
    case fcpUpperRight:
        return {a, 0, w, h - a};
    case fcpUpperLeft:
        break;
    }
    return {0, 0, w - a, h - a};
}

void TQFlatCalendar::CopyPropertiesFrom(const TQFlatCalendar& source)
{
    SetMonth(source.Month());
    SetYear(source.Year());
    SetTitleFont(source.TitleFont());
    SetDayNameFont(source.DayNameFont());
    SetCellFont(source.CellFont());
    SetDayNameBGColor(source.DayNameBGColor());
    SetTitleBGcolor(source.TitleBGcolor());
    SetBackgroundcolor(source.Backgroundcolor());
    SetCalendarBorderStyle(source.CalendarBorderStyle());
    SetDayNameBorderStyle(source.DayNameBorderStyle());
    SetCellBorderStyle(source.CellBorderStyle());
    SetShadowColor(source.ShadowColor());
    SetShadowDepth(source.ShadowDepth());
    SetShadowPosition(source.ShadowPosition());
    SetDayNameStyle(source.DayNameStyle());
    SetShowYear(source.ShowYear());
    SetStartOfWeek(source.StartOfWeek());
    SetLanguage(source.Language());
    SetCalTransparent(source.CalTransparent());
}

void TQFlatCalendar::Draw(QPainter& canvas, const QRect& target, const DeviceProfile& device)
{
    const double zoom = device.XScale();
    const TRect calendar = CalendarRect(target.size(), zoom);
    canvas.save();
    canvas.translate(target.topLeft());
    const TRect shadow = ShadowRect(target.size(), zoom);
    if (!shadow.isEmpty())
        canvas.fillRect(QRect(shadow.left, shadow.top, shadow.width() + 1, shadow.height() + 1),
                        ToQColor(m_shadowColor));

    const auto onDevice = [&](FontDescription font) {
        font.size = device.FontPixelSize(font.size);
        return font;
    };
    CalendarDrawParams p;
    p.BackColor = m_backgroundColor;
    p.TitleBackColor = m_titleBGColor;
    p.Month = m_month;
    p.Year = m_year;
    p.Rect = calendar;
    p.NumberPosition = cnpCenter;
    p.StartOfWeek = m_startOfWeek;
    p.CalendarBorder = TCalBorderStyle(m_calendarBorder);
    p.TitleFont = onDevice(m_titleFont);
    p.HeadersFont = onDevice(m_dayNameFont);
    p.CellFont = onDevice(m_cellFont);
    p.TitleShowYear = m_showYear;
    p.HeadersBorder = TCalBorderStyle(m_dayNameBorder);
    p.HeadersStyle = TCalHeadersStyle(m_dayNameStyle);
    p.HeadersBGColor = m_dayNameBGColor;
    p.CellBorder = TCalBorderStyle(m_cellBorder);
    for (int month = 1; month <= 12; ++month)
        p.MonthNames[month] = MonthName(m_language, month);
    for (int day = 1; day <= 7; ++day)
        p.DayNames[day] = DayName(m_language, day);
    // The title band is never lower than one line of the title font.
    p.MinTitleHeight = RoundHalfEven(device.LineHeight(p.TitleFont.toQFontPixels(p.TitleFont.size)));

    canvas.setPen(device.LinePen());
    DrawFloatingMonth(canvas, p, m_calTransparent, device);
    canvas.restore();
}
