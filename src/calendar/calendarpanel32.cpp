#include "calendarpanel32.h"

#include "calendardraw.h"
#include "calendarprint.h"

#include "report/reportprinter.h"
#include "richtext/wprtfstorage.h"
#include "surface/qgraphiccontrol.h"

#include "platform/programfolder.h"
#include "platform/rounding.h"
#include "platform/screenmetrics.h"

#include <QDate>
#include <QMouseEvent>
#include <QPainter>
#include <QPicture>

TCalendarPanel32::TCalendarPanel32(QWidget* parent) : TQBasePanel(parent)
{
    for (TWPRtfStorage*& storage : m_storages)
        storage = new TWPRtfStorage(this);
    m_s.MonthNames = LocaleMonthNames();
    m_s.DayNames = LocaleDayNames();
    Relayout(true);
}

TCalendarPanel32::~TCalendarPanel32() = default;

void TCalendarPanel32::SetCalendarOrientation(TCalendarOrientation v)
{
    if (v == m_s.CalendarOrientation)
        return;
    m_s.CalendarOrientation = v;
    Relayout(false);
}

void TCalendarPanel32::SetCalendarLayout(TCalendarLayout v)
{
    if (v == m_s.CalendarLayout)
        return;
    m_s.CalendarLayout = v;
    Relayout(false);
    // The new orientation may need the other file of the same border art.
    if (!m_s.WMFBorderFile.isEmpty())
        applyBorderFile(m_s.WMFBorderFile);
}

void TCalendarPanel32::SetCalendarLineLayout(TCalendarLineLayout v)
{
    if (v == m_s.CalendarLineLayout)
        return;
    m_s.CalendarLineLayout = v;
    applyLineLayout();
    update();
}

void TCalendarPanel32::SetMiniCalendarLineLayout(TMiniCalendarLineLayout v)
{
    if (v == m_s.MiniCalendarLineLayout)
        return;
    m_s.MiniCalendarLineLayout = v;
    applyMiniLineLayout();
    update();
}

void TCalendarPanel32::applyLineLayout()
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

void TCalendarPanel32::applyMiniLineLayout()
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

QString TCalendarPanel32::GetMonthName(int index) const
{
    return (index >= 1 && index <= 12) ? m_s.MonthNames[index] : QString();
}

void TCalendarPanel32::SetMonthName(int index, const QString& name)
{
    if (index >= 1 && index <= 12)
        m_s.MonthNames[index] = name;
}

QString TCalendarPanel32::GetDayName(int index) const
{
    return (index >= 1 && index <= 7) ? m_s.DayNames[index] : QString();
}

void TCalendarPanel32::SetDayName(int index, const QString& name)
{
    if (index >= 1 && index <= 7)
        m_s.DayNames[index] = name;
}

void TCalendarPanel32::SetPanelState(TLPanelState v)
{
    if (v == m_panelState)
        return;
    m_panelState = v;
    SetPointing(v == psPointing);
    if (v == psPointing)
        unsetCursor();
    else
        setCursor(Qt::DragMoveCursor);
}

void TCalendarPanel32::SetWMFBorderFile(const QString& name)
{
    if (name != m_s.WMFBorderFile)
        applyBorderFile(name);
}

void TCalendarPanel32::applyBorderFile(const QString& name)
{
    if (name.isEmpty()) {
        m_s.WMFBorderFile.clear();
        m_borderArt.Clear();
    } else {
        // The name comes from documents: anything that could leave the Borders folder is refused.
        if (name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\')) || name.contains(QStringLiteral("..")))
            return;
        const QString extension =
            m_s.CalendarOrientation == coPortrait ? QStringLiteral(".wpo") : QStringLiteral(".wls");
        const QString path = FindProgramFile(QStringLiteral("Borders/") + name + extension);
        if (path.isEmpty())
            return;
        if (m_borderArt.LoadFromFile(path)) {
            m_s.WMFBorderFile = name;
        } else {
            m_s.WMFBorderFile.clear();
            m_borderArt.Clear();
        }
    }
    Relayout(false);
}

TMiniSlot TCalendarPanel32::MiniSlot(int index) const
{
    return (index >= 1 && index <= 60) ? m_geometry.MiniSlots[index] : TMiniSlot{};
}

TCellInfo TCalendarPanel32::Cell(int index) const
{
    return (index >= 1 && index <= kCellCount) ? m_cells[index] : TCellInfo{};
}

void TCalendarPanel32::Relayout(bool ResetMiniFonts)
{
    m_s.CalendarOrientation = OrientationOfLayout(m_s.CalendarLayout);
    m_geometry = ComputeLayout(m_s, ScreenPixelsPerInch(), !m_s.WMFBorderFile.isEmpty());
    if (ResetMiniFonts && m_geometry.miniFontBase > 0) {
        const int small = RoundHalfEven(m_geometry.miniFontBase * 0.8);
        m_s.MiniTitleFont.size = m_geometry.miniFontBase;
        m_s.MiniHeadersFont.size = small;
        m_s.MiniCellFont.size = small;
    }
    resize(RoundHalfEven(m_geometry.PageWidth * Scale()), RoundHalfEven(m_geometry.PageHeight * Scale()));
    update();
}

void TCalendarPanel32::SetScale(float factor)
{
    TQBasePanel::SetScale(factor);
    // Keep the size exact for the page at the new zoom rather than compounding ratios.
    resize(RoundHalfEven(m_geometry.PageWidth * Scale()), RoundHalfEven(m_geometry.PageHeight * Scale()));
}

void TCalendarPanel32::ResetToDefaults()
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
    SetCalendarLineLayout(llFull);
    SetMiniCalendarLineLayout(mllBoxed);
    SetWMFBorderFile(QString());
    Relayout(true);
}

void TCalendarPanel32::SetSettingsQuietly(const CalendarSettings& s)
{
    const QString border = m_s.WMFBorderFile;
    m_s = s;
    m_s.WMFBorderFile = border;
}

void TCalendarPanel32::CopySettingsFrom(const TCalendarPanel32& o)
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
    SetCalendarLineLayout(src.CalendarLineLayout);
    SetMiniCalendarLineLayout(src.MiniCalendarLineLayout);
    SetUserTitle(src.UserTitle);
    SetWMFBorderFile(src.WMFBorderFile);
    Relayout(false);
}

namespace {

bool sameFont(const FontDescription& a, const FontDescription& b)
{
    return a.name.compare(b.name, Qt::CaseInsensitive) == 0 && a.style == b.style && a.color == b.color;
}

} // namespace

bool TCalendarPanel32::SameSettingsAs(const TCalendarPanel32& o) const
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
           a.DayStartTime == b.DayStartTime && a.CalendarLineLayout == b.CalendarLineLayout &&
           a.MiniCalendarLineLayout == b.MiniCalendarLineLayout && a.UserTitle == b.UserTitle &&
           a.WMFBorderFile == b.WMFBorderFile;
}

TLayoutKind TCalendarPanel32::LayoutKind() const
{
    return LayoutKindOf(m_s.CalendarLayout);
}

bool TCalendarPanel32::CanHoldText() const
{
    return isVisible() && HoldsDayText(m_s.CalendarLayout);
}

bool TCalendarPanel32::HasPlacedObjects() const
{
    return !PlacedObjects().isEmpty();
}

bool TCalendarPanel32::HasSuperText() const
{
    for (const TQGraphicControl* object : PlacedObjects()) {
        if (object->inherits("TQSuperText"))
            return true;
    }
    return false;
}

int TCalendarPanel32::CellAt(QPoint p) const
{
    for (int i = 1; i <= kCellCount; ++i) {
        if (m_cells[i].rTotal.contains(p))
            return i;
    }
    return 0;
}

int TCalendarPanel32::DayOfCell(int i) const
{
    return (i >= 1 && i <= kCellCount) ? m_cells[i].iDay : 0;
}

int TCalendarPanel32::CellOfDay(int day) const
{
    for (int i = 1; i <= kCellCount; ++i) {
        if (m_cells[i].iDay == day)
            return i;
    }
    return -1;
}

// A cell without room for text (numbers centred, a planner's label column) has nothing to edit: an
// editor opened on it could not be seen and would swallow the typing.
void TCalendarPanel32::raiseCell(int i)
{
    if (ClickedInCellEvent && i >= 1 && i <= kCellCount && !m_cells[i].rFree.isEmpty())
        ClickedInCellEvent(m_cells[i].rTotal, m_cells[i].rFree, i, m_cells[i].iDay);
}

void TCalendarPanel32::OpenCell(int i)
{
    raiseCell(i);
}

void TCalendarPanel32::ClickCellAt(QPoint p)
{
    raiseCell(CellAt(p));
}

void TCalendarPanel32::OpenPreviousCell(int i)
{
    if (i > 1 && i <= kCellCount)
        raiseCell(i - 1);
}

void TCalendarPanel32::OpenNextCell(int i)
{
    if (i >= 1 && i < kCellCount)
        raiseCell(i + 1);
}

void TCalendarPanel32::SetToolKind(TLPanelState state, ToolFactory factory, ToolCreationStep step)
{
    m_tools[state] = {std::move(factory), std::move(step)};
}

bool TCalendarPanel32::HasToolKind(TLPanelState state) const
{
    const auto tool = m_tools.find(state);
    return tool != m_tools.end() && tool->second.first;
}

bool TCalendarPanel32::DropObject(TRect r)
{
    if (r.width() < 25)
        r.right = r.left + 50;
    if (r.height() < 15)
        r.bottom = r.top + 15;
    const auto tool = m_tools.find(m_panelState);
    TQGraphicControl* object = nullptr;
    if (tool != m_tools.end() && tool->second.first)
        object = tool->second.first(window());
    if (object)
        PlaceObject(object, r);
    SetPanelState(psPointing);
    if (object && tool->second.second)
        tool->second.second(object);
    return object != nullptr;
}

void TCalendarPanel32::clickAt(QPoint p)
{
    const int cell = CellAt(p);
    if (m_titleRect.contains(p))
        emit OnClickedHeader();
    if (m_dayNamesRect.contains(p))
        emit OnClickedDaysArea();
    if (cell != 0 && (m_geometry.ShowMainCalendar || m_geometry.ShowPlanner)) {
        if (ClickedInCellEvent && !HasObjectAt(p.x(), p.y()))
            raiseCell(cell);
        return;
    }
    emit OnClick();
}

void TCalendarPanel32::mousePressEvent(QMouseEvent* event)
{
    m_pressedInPointing = m_panelState == psPointing && event->button() == Qt::LeftButton;
    TQBasePanel::mousePressEvent(event);
}

void TCalendarPanel32::mouseReleaseEvent(QMouseEvent* event)
{
    TQBasePanel::mouseReleaseEvent(event);
    const bool click =
        m_pressedInPointing && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    m_pressedInPointing = false;
    if (click && m_panelState == psPointing)
        clickAt(event->position().toPoint());
}

void TCalendarPanel32::mouseDoubleClickEvent(QMouseEvent*) {}

namespace {

// The three fonts of a drawing record, sized for the device drawn on.
void setFonts(CalendarDrawParams& p, const std::function<int(int)>& fontPixels, const FontDescription& title,
              const FontDescription& headers, const FontDescription& cell)
{
    p.TitleFont = title;
    p.TitleFont.size = fontPixels(title.size);
    p.HeadersFont = headers;
    p.HeadersFont.size = fontPixels(headers.size);
    p.CellFont = cell;
    p.CellFont.size = fontPixels(cell.size);
}

} // namespace

CalendarDrawParams TCalendarPanel32::mainParams(const std::function<int(int)>& fontPixels, TRect rect,
                                                int minTitle) const
{
    CalendarDrawParams p;
    p.BackColor = clWhite;
    p.TitleBackColor = m_s.TitleBGColor;
    p.MinTitleHeight = minTitle;
    p.Month = m_s.MainCalMonth;
    p.Year = m_s.MainCalYear;
    p.Day = m_s.MainCalDay;
    p.Rect = rect;
    p.NumberPosition = m_s.NumberPosition;
    p.StartOfWeek = m_s.StartOfWeek;
    p.CalendarBorder = m_s.CalendarBorder;
    setFonts(p, fontPixels, m_s.TitleFont, m_s.HeadersFont, m_s.CellFont);
    p.TitleShowYear = m_s.TitleShowYear;
    p.HeadersBorder = m_s.HeadersBorder;
    p.HeadersStyle = m_s.HeadersStyle;
    p.HeadersBGColor = m_s.HeadersBGColor;
    p.CellBorder = m_s.CellBorder;
    p.MonthNames = m_s.MonthNames;
    p.DayNames = m_s.DayNames;
    p.Cells = m_cells;
    p.TitleRect = m_titleRect;
    p.DayNamesRect = m_dayNamesRect;
    p.PlannerDays = m_s.CalendarLayout == lo2Week ? 14 : 7;
    p.HourRows = m_s.CalendarLayout == loDay15 ? 15 : 10;
    p.StartTime = m_s.DayStartTime;
    p.clearFreeRects();
    return p;
}

CalendarDrawParams TCalendarPanel32::miniParams(const std::function<int(int)>& fontPixels, const TMiniSlot& slot,
                                                TRect rect) const
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
    setFonts(p, fontPixels, m_s.MiniTitleFont, m_s.MiniHeadersFont, m_s.MiniCellFont);
    p.TitleShowYear = m_s.MiniShowYear;
    p.HeadersBorder = m_s.MiniHeadersBorder;
    p.HeadersStyle = m_s.MiniHeadersStyle;
    p.HeadersBGColor = m_s.MiniHeadersBGColor;
    p.CellBorder = m_s.MiniCellBorder;
    p.MonthNames = m_s.MonthNames;
    p.DayNames = m_s.DayNames;
    return p;
}

void TCalendarPanel32::renderPage(QPainter& painter)
{
    const double z = Scale();
    painter.fillRect(rect(), Qt::white);
    if (!m_borderArt.IsEmpty())
        m_borderArt.StretchDraw(painter, QRectF(m_geometry.BorderRect.scaled(z).toQRect()));
    painter.setPen(QPen(Qt::black, 0));
    const auto screenFont = [z](int points) { return FontPixelSize(points, z); };
    if (m_geometry.ShowPlanner || m_geometry.ShowMainCalendar) {
        CalendarDrawParams p =
            mainParams(screenFont, m_geometry.CalendarRect.scaled(z), RoundHalfEven(ScreenPixelsPerInch() * 1.5 * z));
        switch (m_s.CalendarLayout) {
        case loWeek:
        case lo2Week:
            DrawWeekPlanner(painter, p, m_s.UserTitle);
            break;
        case loDay10:
        case loDay15:
            DrawDayPlanner(painter, p, m_s.UserTitle);
            break;
        default:
            DrawMonth(painter, p, m_s.UserTitle);
            break;
        }
        m_cells = p.Cells;
        m_titleRect = p.TitleRect;
        m_dayNamesRect = p.DayNamesRect;
    }
    m_printLayoutSize = m_cells[1].rFree;
    m_printLayoutSize.right += 5;
    m_printLayoutSize.bottom += 5;
    paintDayTexts(painter);
    if (m_geometry.ShowMiniCalendars) {
        for (int i = 1; i <= m_geometry.MiniCount; ++i) {
            const TMiniSlot& slot = m_geometry.MiniSlots[i];
            CalendarDrawParams p = miniParams(screenFont, slot, slot.rect.scaled(z));
            DrawMonth(painter, p, QString());
        }
    }
}

void TCalendarPanel32::paintEvent(QPaintEvent* event)
{
    if (m_painting || SuspendPaint || !isVisible())
        return;
    m_painting = true;
    QImage image(size(), QImage::Format_RGB32);
    {
        QPainter offscreen(&image);
        offscreen.setRenderHint(QPainter::TextAntialiasing, true);
        renderPage(offscreen);
    }
    QPainter painter(this);
    painter.drawImage(event->rect(), image, event->rect());
    PaintBand(painter);
    m_painting = false;
}

// Each text is drawn over its cell on white, clipped to the free area, at the page's zoom.
void TCalendarPanel32::paintDayTexts(QPainter& painter)
{
    if (!(m_geometry.ShowPlanner || m_geometry.ShowMainCalendar))
        return;
    const int zoom = RoundHalfEven(Scale() * 100.0);
    m_printLayoutZoom = zoom;
    for (int i = 1; i <= kCellCount; ++i) {
        const TRect& free = m_cells[i].rFree;
        if (free.isEmpty() || m_storages[i]->IsEmpty())
            continue;
        const QRect target(free.left, free.top, free.right - free.left + 1, free.bottom - free.top + 1);
        m_renderer.PaintCached(painter, *m_storages[i], target, zoom);
    }
}

// Every text is laid out at cell 1's screen size and stretched into its printed cell, as vector drawing.
void TCalendarPanel32::printDayTexts(TReportPrinter& report, const CalendarDrawParams& printed)
{
    // Texts are laid out at the size a screen paint gave cell 1; a page printed before it was ever
    // shown (an export from the command line) paints once off screen to learn it.
    if (m_printLayoutSize.isEmpty() && HasAnyText())
        RenderToBitmap();
    const QSize layout(m_printLayoutSize.right - m_printLayoutSize.left + 1,
                       m_printLayoutSize.bottom - m_printLayoutSize.top + 1);
    if (layout.isEmpty())
        return;
    for (int i = 1; i <= kCellCount; ++i) {
        const TRect& free = printed.Cells[i].rFree;
        if (free.isEmpty() || m_storages[i]->IsEmpty())
            continue;
        const QPicture picture = TWPRenderer::Record(*m_storages[i], layout, m_printLayoutZoom);
        report.StretchPictureToDevice(
            picture, QRect(free.left, free.top, free.right - free.left + 1, free.bottom - free.top + 1));
    }
}

TWPRtfStorage* TCalendarPanel32::CellStorage(int i) const
{
    return i >= 1 && i <= kCellCount ? m_storages[i] : nullptr;
}

const TWPRtfStorage& TCalendarPanel32::GetCellText(int i, const TWPRtfStorage& defaultText) const
{
    return i >= 1 && i <= kCellCount ? *m_storages[i] : defaultText;
}

void TCalendarPanel32::SetCellText(int i, const TWPRtfStorage& text)
{
    if (i < 1 || i > kCellCount)
        return;
    m_storages[i]->Assign(text);
    update();
}

void TCalendarPanel32::ClearAllCells()
{
    for (int i = 1; i <= kCellCount; ++i) {
        m_storages[i]->Assign(*m_storages[0]);
        m_cells[i].rTotal = {};
        m_cells[i].rFree = {};
    }
    m_renderer.ClearCache();
}

bool TCalendarPanel32::HasAnyText() const
{
    for (int i = 1; i <= kCellCount; ++i)
        if (!m_storages[i]->IsEmpty() || m_storages[i]->KeepsUnreadBytes())
            return true;
    return false;
}

QImage TCalendarPanel32::RenderToBitmap()
{
    QImage image(size(), QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    renderPage(painter);
    PaintObjects(painter);
    return image;
}

QString TCalendarPanel32::PageTitle() const
{
    const CalendarDrawParams p = mainParams([](int points) { return points; }, m_geometry.CalendarRect, 0);
    switch (m_s.CalendarLayout) {
    case loWeek:
    case lo2Week:
        return WeekPlannerTitleText(p, m_s.UserTitle);
    case loDay10:
    case loDay15:
        return DayPlannerTitleText(p, m_s.UserTitle);
    default:
        return MonthTitleText(p, m_s.UserTitle);
    }
}

void TCalendarPanel32::PrintPage(TReportPrinter& report, double xOffset, double yOffset)
{
    const double ppi = ScreenPixelsPerInch();
    auto toDevice = [&](const TRect& r) {
        return TRect::fromQRect(report.InchRectToDevice(r.left / ppi + xOffset, r.top / ppi + yOffset,
                                                        r.right / ppi + xOffset, r.bottom / ppi + yOffset));
    };
    if (!m_borderArt.IsEmpty())
        m_borderArt.StretchDraw(report.Canvas(), QRectF(toDevice(m_geometry.BorderRect).toQRect()));
    report.SetPen(report.DefaultPen());
    report.SetBrush(Qt::white);
    const auto paperFont = [&report](int points) { return report.FontPixelSize(points); };
    if (m_geometry.ShowPlanner || m_geometry.ShowMainCalendar) {
        CalendarDrawParams p =
            mainParams(paperFont, toDevice(m_geometry.CalendarRect), RoundHalfEven(report.YPixelsPerInch() * 1.5));
        switch (m_s.CalendarLayout) {
        case loWeek:
        case lo2Week:
            PrintWeekPlanner(report, p, m_s.UserTitle);
            break;
        case loDay10:
        case loDay15:
            PrintDayPlanner(report, p, m_s.UserTitle);
            break;
        default:
            PrintMonth(report, p, m_s.UserTitle);
            break;
        }
        printDayTexts(report, p);
    }
    if (m_geometry.ShowMiniCalendars) {
        for (int i = 1; i <= m_geometry.MiniCount; ++i) {
            const TMiniSlot& slot = m_geometry.MiniSlots[i];
            CalendarDrawParams p = miniParams(paperFont, slot, toDevice(slot.rect));
            PrintMonth(report, p, QString());
        }
    }
    PrintObjects(report, xOffset, yOffset);
}
