#include "calendarpagemodel.h"

#include "calendardraw/calendardraw.h"
#include "richtext/wprtfstorage.h"

#include "platform/deviceprofile.h"
#include "platform/programfolder.h"
#include "platform/rounding.h"
#include "platform/screenmetrics.h"

#include <QDate>
#include <QPainter>

TCalendarPageModel::TCalendarPageModel(QObject* parent) : QObject(parent)
{
    for (TWPRtfStorage*& storage : m_storages)
        storage = new TWPRtfStorage(this);
    m_s.MonthNames = LocaleMonthNames();
    m_s.DayNames = LocaleDayNames();
    Relayout(true);
}

TCalendarPageModel::~TCalendarPageModel() = default;

void TCalendarPageModel::SetCalendarLayout(TCalendarLayout v)
{
    if (v == m_s.CalendarLayout)
        return;
    m_s.CalendarLayout = v;
    Relayout(false);
    // The new orientation may need the other file of the same border art.
    if (!m_s.WMFBorderFile.isEmpty())
        applyBorderFile(m_s.WMFBorderFile);
}

void TCalendarPageModel::SetCalendarLineLayout(TCalendarLineLayout v)
{
    if (v == m_s.CalendarLineLayout)
        return;
    m_s.CalendarLineLayout = v;
    applyLineLayout();
    emit Changed();
}

void TCalendarPageModel::SetMiniCalendarLineLayout(TMiniCalendarLineLayout v)
{
    if (v == m_s.MiniCalendarLineLayout)
        return;
    m_s.MiniCalendarLineLayout = v;
    applyMiniLineLayout();
    emit Changed();
}

void TCalendarPageModel::applyLineLayout()
{
    switch (m_s.CalendarLineLayout) {
    case llFull:
        m_s.CalendarBorder = cbAll;
        m_s.HeadersBorder = cbAll;
        break;
    case llHeadersAndCells:
        m_s.CalendarBorder = cbNone;
        m_s.HeadersBorder = cbAll;
        break;
    case llCellsOnly:
        m_s.CalendarBorder = cbNone;
        m_s.HeadersBorder = cbNone;
        break;
    }
    m_s.CellBorder = cbAll;
}

void TCalendarPageModel::applyMiniLineLayout()
{
    switch (m_s.MiniCalendarLineLayout) {
    case mllFull:
        m_s.MiniCalBorder = cbAll;
        m_s.MiniCellBorder = cbAll;
        m_s.MiniHeadersBorder = cbAll;
        break;
    case mllBoxed:
        m_s.MiniCalBorder = cbAll;
        m_s.MiniCellBorder = cbNone;
        m_s.MiniHeadersBorder = cbTopBottom;
        break;
    case mllMinimal:
        m_s.MiniCalBorder = cbNone;
        m_s.MiniCellBorder = cbNone;
        m_s.MiniHeadersBorder = cbTop;
        break;
    }
}

QString TCalendarPageModel::GetMonthName(int index) const
{
    return (index >= 1 && index <= 12) ? m_s.MonthNames[index] : QString();
}

void TCalendarPageModel::SetMonthName(int index, const QString& name)
{
    if (index >= 1 && index <= 12)
        m_s.MonthNames[index] = name;
}

QString TCalendarPageModel::GetDayName(int index) const
{
    return (index >= 1 && index <= 7) ? m_s.DayNames[index] : QString();
}

void TCalendarPageModel::SetDayName(int index, const QString& name)
{
    if (index >= 1 && index <= 7)
        m_s.DayNames[index] = name;
}

void TCalendarPageModel::SetWMFBorderFile(const QString& name)
{
    if (name != m_s.WMFBorderFile)
        applyBorderFile(name);
}

void TCalendarPageModel::SetStoredWMFBorderFile(const QString& name)
{
    applyBorderFile(QString());
    applyBorderFile(name, true);
}

void TCalendarPageModel::applyBorderFile(const QString& name, bool keepMissing)
{
    if (name.isEmpty()) {
        m_s.WMFBorderFile.clear();
        m_borderArt.Clear();
        m_borderArtMissing = false;
    } else {
        // The name comes from documents: anything that could leave the Borders folder is refused.
        if (name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\')) || name.contains(QStringLiteral("..")))
            return;
        const QString extension =
            m_s.CalendarOrientation == coPortrait ? QStringLiteral(".wpo") : QStringLiteral(".wls");
        const QString path = FindProgramFile(QStringLiteral("Borders/") + name + extension);
        if (path.isEmpty()) {
            if (!keepMissing)
                return;
            m_s.WMFBorderFile = name;
            m_borderArt.Clear();
            m_borderArtMissing = true;
        } else if (m_borderArt.LoadFromFile(path)) {
            m_s.WMFBorderFile = name;
            m_borderArtMissing = false;
        } else {
            m_s.WMFBorderFile.clear();
            m_borderArt.Clear();
            m_borderArtMissing = false;
        }
    }
    Relayout(false);
}

void TCalendarPageModel::Relayout(bool ResetMiniFonts)
{
    m_s.CalendarOrientation = OrientationOfLayout(m_s.CalendarLayout);
    m_geometry = ComputeLayout(m_s, ScreenPixelsPerInch(), !m_s.WMFBorderFile.isEmpty());
    if (ResetMiniFonts && m_geometry.miniFontBase > 0) {
        const int small = RoundHalfEven(m_geometry.miniFontBase * 0.8);
        m_s.MiniTitleFont.size = m_geometry.miniFontBase;
        m_s.MiniHeadersFont.size = small;
        m_s.MiniCellFont.size = small;
    }
    emit LayoutChanged();
}

void TCalendarPageModel::ResetToDefaults()
{
    const QDate today = QDate::currentDate();
    m_s.A4Paper = false;
    m_s.UserTitle.clear();
    m_s.CalendarLayout = loFCMinisInTitleLS;
    m_s.StartOfWeek = 1;
    m_s.MonthNames = LocaleMonthNames();
    m_s.DayNames = LocaleDayNames();
    m_s.MainCalDay = today.day();
    m_s.MainCalMonth = today.month();
    m_s.MainCalYear = today.year();
    m_s.TitleBGColor = clWhite;
    m_s.HeadersBGColor = clWhite;
    m_s.MiniCalBGColor = clWhite;
    m_s.MiniHeadersBGColor = clWhite;
    m_s.MiniHeadersFont.color = clBlack;
    m_s.MiniHeadersStyle = dsFirstChar;
    m_s.TitleShowYear = true;
    m_s.MiniShowYear = true;
    m_s.LeftMarginInch = m_s.TopMarginInch = m_s.RightMarginInch = m_s.BottomMarginInch = 0.5f;
    m_s.DayStartTime = 8.0 / 24.0;
    m_s.ShowWeekNumbers = false;
    m_s.ShowMoonPhases = false;
    SetCalendarLineLayout(llFull);
    SetMiniCalendarLineLayout(mllBoxed);
    SetWMFBorderFile(QString());
    Relayout(true);
}

void TCalendarPageModel::SetSettingsQuietly(const CalendarSettings& s)
{
    const QString border = m_s.WMFBorderFile;
    m_s = s;
    m_s.WMFBorderFile = border;
}

void TCalendarPageModel::CopySettingsFrom(const TCalendarPageModel& o)
{
    const CalendarSettings& src = o.m_s;
    m_s.A4Paper = src.A4Paper;
    m_s.CalendarLayout = src.CalendarLayout;
    m_s.CalendarOrientation = src.CalendarOrientation;
    m_s.StartOfWeek = src.StartOfWeek;
    m_s.MonthNames = src.MonthNames;
    m_s.DayNames = src.DayNames;
    m_s.MainCalDay = src.MainCalDay;
    m_s.MainCalMonth = src.MainCalMonth;
    m_s.MainCalYear = src.MainCalYear;
    m_s.TitleFont = src.TitleFont;
    m_s.HeadersFont = src.HeadersFont;
    m_s.CellFont = src.CellFont;
    m_s.MiniTitleFont = src.MiniTitleFont;
    m_s.MiniHeadersFont = src.MiniHeadersFont;
    m_s.MiniCellFont = src.MiniCellFont;
    m_s.TitleBGColor = src.TitleBGColor;
    m_s.HeadersBGColor = src.HeadersBGColor;
    m_s.HeadersStyle = src.HeadersStyle;
    m_s.MiniCalBGColor = src.MiniCalBGColor;
    m_s.MiniHeadersBGColor = src.MiniHeadersBGColor;
    m_s.MiniHeadersStyle = src.MiniHeadersStyle;
    m_s.TitleShowYear = src.TitleShowYear;
    m_s.MiniShowYear = src.MiniShowYear;
    m_s.LeftMarginInch = src.LeftMarginInch;
    m_s.TopMarginInch = src.TopMarginInch;
    m_s.RightMarginInch = src.RightMarginInch;
    m_s.BottomMarginInch = src.BottomMarginInch;
    m_s.DayStartTime = src.DayStartTime;
    m_s.ShowWeekNumbers = src.ShowWeekNumbers;
    m_s.ShowMoonPhases = src.ShowMoonPhases;
    SetCalendarLineLayout(src.CalendarLineLayout);
    SetMiniCalendarLineLayout(src.MiniCalendarLineLayout);
    SetValue(&CalendarSettings::UserTitle, src.UserTitle);
    // Both pages see the same Borders folder: a name kept without its art is copied as kept.
    if (src.WMFBorderFile != m_s.WMFBorderFile)
        applyBorderFile(src.WMFBorderFile, true);
    Relayout(false);
}

namespace {

bool sameFont(const FontDescription& a, const FontDescription& b)
{
    return a.name.compare(b.name, Qt::CaseInsensitive) == 0 && a.style == b.style && a.color == b.color;
}

} // namespace

bool TCalendarPageModel::SameSettingsAs(const TCalendarPageModel& o) const
{
    const CalendarSettings& a = m_s;
    const CalendarSettings& b = o.m_s;
    return a.A4Paper == b.A4Paper && a.CalendarLayout == b.CalendarLayout && a.StartOfWeek == b.StartOfWeek &&
           a.CalendarOrientation == b.CalendarOrientation && a.MonthNames == b.MonthNames && a.DayNames == b.DayNames &&
           a.MainCalDay == b.MainCalDay && a.MainCalMonth == b.MainCalMonth && a.MainCalYear == b.MainCalYear &&
           sameFont(a.TitleFont, b.TitleFont) && sameFont(a.HeadersFont, b.HeadersFont) &&
           sameFont(a.CellFont, b.CellFont) && sameFont(a.MiniTitleFont, b.MiniTitleFont) &&
           sameFont(a.MiniHeadersFont, b.MiniHeadersFont) && sameFont(a.MiniCellFont, b.MiniCellFont) &&
           a.TitleBGColor == b.TitleBGColor && a.HeadersBGColor == b.HeadersBGColor &&
           a.MiniCalBGColor == b.MiniCalBGColor && a.MiniHeadersBGColor == b.MiniHeadersBGColor &&
           a.HeadersStyle == b.HeadersStyle && a.MiniHeadersStyle == b.MiniHeadersStyle &&
           a.TitleShowYear == b.TitleShowYear && a.MiniShowYear == b.MiniShowYear &&
           a.LeftMarginInch == b.LeftMarginInch && a.TopMarginInch == b.TopMarginInch &&
           a.RightMarginInch == b.RightMarginInch && a.BottomMarginInch == b.BottomMarginInch &&
           a.DayStartTime == b.DayStartTime && a.ShowWeekNumbers == b.ShowWeekNumbers &&
           a.ShowMoonPhases == b.ShowMoonPhases && a.CalendarLineLayout == b.CalendarLineLayout &&
           a.MiniCalendarLineLayout == b.MiniCalendarLineLayout && a.UserTitle == b.UserTitle &&
           a.WMFBorderFile == b.WMFBorderFile;
}

namespace {

// The three fonts of a drawing record, sized for the device drawn on.
void setFonts(CalendarDrawParams& p, const DeviceProfile& device, const FontDescription& title,
              const FontDescription& headers, const FontDescription& cell)
{
    p.TitleFont = title;
    p.TitleFont.size = device.FontPixelSize(title.size);
    p.HeadersFont = headers;
    p.HeadersFont.size = device.FontPixelSize(headers.size);
    p.CellFont = cell;
    p.CellFont.size = device.FontPixelSize(cell.size);
}

// A small month shows week numbers only where they stay legible (7 pt at the least) and their column
// takes no more than a sixth of the month's width; with the layouts' own mini fonts these are the pages
// of 6, 12 and 24 small months.
bool miniHasRoomForWeekNumbers(const FontDescription& cellFont, const TMiniSlot& slot)
{
    FontDescription pixels = cellFont;
    pixels.size = DeviceProfile::Screen(1.0).FontPixelSize(cellFont.size);
    return RoundHalfEven(std::abs(cellFont.size) * 0.7) >= 7 && WeekNumberColumnWidth(pixels) * 6 <= slot.rect.width();
}

} // namespace

CalendarDrawParams TCalendarPageModel::MainParams(const DeviceProfile& device, TRect rect) const
{
    CalendarDrawParams p;
    p.BackColor = clWhite;
    p.TitleBackColor = m_s.TitleBGColor;
    // The title band is an inch and a half tall at the least.
    p.MinTitleHeight = RoundHalfEven(1.5 * device.yDpi * device.zoom);
    p.Month = m_s.MainCalMonth;
    p.Year = m_s.MainCalYear;
    p.Day = m_s.MainCalDay;
    p.Rect = rect;
    p.NumberPosition = m_s.NumberPosition;
    p.StartOfWeek = m_s.StartOfWeek;
    p.CalendarBorder = m_s.CalendarBorder;
    setFonts(p, device, m_s.TitleFont, m_s.HeadersFont, m_s.CellFont);
    p.TitleShowYear = m_s.TitleShowYear;
    p.HeadersBorder = m_s.HeadersBorder;
    p.HeadersStyle = m_s.HeadersStyle;
    p.HeadersBGColor = m_s.HeadersBGColor;
    p.CellBorder = m_s.CellBorder;
    p.ShowWeekNumbers = m_s.ShowWeekNumbers;
    p.ShowMoonPhases = m_s.ShowMoonPhases;
    p.MonthNames = m_s.MonthNames;
    p.DayNames = m_s.DayNames;
    p.PlannerDays = m_s.CalendarLayout == lo2Week ? 14 : 7;
    p.HourRows = m_s.CalendarLayout == loDay15 ? 15 : 10;
    p.StartTime = m_s.DayStartTime;
    return p;
}

CalendarDrawParams TCalendarPageModel::MiniParams(const DeviceProfile& device, const TMiniSlot& slot, TRect rect) const
{
    CalendarDrawParams p;
    p.BackColor = m_s.MiniCalBGColor;
    p.TitleBackColor = m_s.MiniCalBGColor;
    p.MinTitleHeight = 0;
    p.Month = slot.month;
    p.Year = slot.year;
    p.Day = 1;
    p.Rect = rect;
    p.NumberPosition = cnpCenter;
    p.StartOfWeek = m_s.StartOfWeek;
    p.CalendarBorder = m_s.MiniCalBorder;
    setFonts(p, device, m_s.MiniTitleFont, m_s.MiniHeadersFont, m_s.MiniCellFont);
    p.TitleShowYear = m_s.MiniShowYear;
    p.HeadersBorder = m_s.MiniHeadersBorder;
    p.HeadersStyle = m_s.MiniHeadersStyle;
    p.HeadersBGColor = m_s.MiniHeadersBGColor;
    p.CellBorder = m_s.MiniCellBorder;
    p.ShowWeekNumbers = m_s.ShowWeekNumbers && miniHasRoomForWeekNumbers(m_s.MiniCellFont, slot);
    p.MonthNames = m_s.MonthNames;
    p.DayNames = m_s.DayNames;
    return p;
}

MonthGeometry TCalendarPageModel::MainGeometry(const DeviceProfile& device,
                                               const std::function<TRect(TRect)>& toDevice) const
{
    if (!m_geometry.ShowPlanner && !m_geometry.ShowMainCalendar)
        return MonthGeometry();
    return ComputeMainGeometry(MainParams(device, toDevice(m_geometry.CalendarRect)), m_s.CalendarLayout, device);
}

void TCalendarPageModel::Draw(QPainter& painter, const DeviceProfile& device,
                              const std::function<TRect(TRect)>& toDevice,
                              const std::function<void(const MonthGeometry&)>& drawDayTexts) const
{
    if (!m_borderArt.IsEmpty())
        m_borderArt.StretchDraw(painter, QRectF(toDevice(m_geometry.BorderRect).toQRect()));
    painter.setPen(device.LinePen());
    if (m_geometry.ShowPlanner || m_geometry.ShowMainCalendar) {
        const CalendarDrawParams p = MainParams(device, toDevice(m_geometry.CalendarRect));
        const MonthGeometry g = ComputeMainGeometry(p, m_s.CalendarLayout, device);
        DrawMain(painter, p, g, m_s.CalendarLayout, m_s.UserTitle, device);
        drawDayTexts(g);
    }
    if (m_geometry.ShowMiniCalendars) {
        for (int i = 1; i <= m_geometry.MiniCount; ++i) {
            const TMiniSlot& slot = m_geometry.MiniSlots[i];
            DrawMonth(painter, MiniParams(device, slot, toDevice(slot.rect)), QString(), device);
        }
    }
}

TWPRtfStorage* TCalendarPageModel::CellStorage(int i) const
{
    return i >= 1 && i <= kCellCount ? m_storages[i] : nullptr;
}

void TCalendarPageModel::SetCellText(int i, const TWPRtfStorage& text)
{
    if (i < 1 || i > kCellCount)
        return;
    m_storages[i]->Assign(text);
    emit CellTextChanged(i);
}

void TCalendarPageModel::ClearAllCells()
{
    for (int i = 1; i <= kCellCount; ++i)
        m_storages[i]->Assign(*m_storages[0]);
    emit CellTextChanged(0);
}

bool TCalendarPageModel::HasAnyText() const
{
    for (int i = 1; i <= kCellCount; ++i)
        if (!m_storages[i]->IsEmpty() || m_storages[i]->KeepsUnreadBytes())
            return true;
    return false;
}

QString TCalendarPageModel::PageTitle() const
{
    return MainTitleText(MainParams(DeviceProfile::Screen(1.0), TRect()), m_s.CalendarLayout, m_s.UserTitle);
}
