// The calendar page: the sheet on screen, the model of the calendar printed on it, the 42 day cells
// and the design surface on which placed objects lie.
#pragma once

#include "calendardrawparams.h"
#include "calendarlayout.h"
#include "calendarsettings.h"
#include "layoutkind.h"

#include "graphics/vectorpicture.h"
#include "richtext/wprenderer.h"
#include "surface/qbasepanel.h"

#include <functional>
#include <map>

class TQGraphicControl;
class TReportPrinter;
class TWPRtfStorage;

class TCalendarPanel32 : public TQBasePanel
{
    Q_OBJECT
    Q_PROPERTY(
        CalendarEnums::TCalendarOrientation CalendarOrientation READ CalendarOrientation WRITE SetCalendarOrientation)
    Q_PROPERTY(CalendarEnums::TCalendarLayout CalendarLayout READ CalendarLayout WRITE SetCalendarLayout)
    Q_PROPERTY(
        CalendarEnums::TCalendarLineLayout CalendarLineLayout READ CalendarLineLayout WRITE SetCalendarLineLayout)
    Q_PROPERTY(CalendarEnums::TMiniCalendarLineLayout MiniCalendarLineLayout READ MiniCalendarLineLayout WRITE
                   SetMiniCalendarLineLayout)
    Q_PROPERTY(int TitleBGColor READ TitleBGColor WRITE SetTitleBGColor)
    Q_PROPERTY(FontDescription TitleFont READ TitleFont WRITE SetTitleFont)
    Q_PROPERTY(FontDescription HeadersFont READ HeadersFont WRITE SetHeadersFont)
    Q_PROPERTY(FontDescription CellFont READ CellFont WRITE SetCellFont)
    Q_PROPERTY(float LeftMarginInch READ LeftMarginInch WRITE SetLeftMarginInch)
    Q_PROPERTY(float TopMarginInch READ TopMarginInch WRITE SetTopMarginInch)
    Q_PROPERTY(float RightMarginInch READ RightMarginInch WRITE SetRightMarginInch)
    Q_PROPERTY(float BottomMarginInch READ BottomMarginInch WRITE SetBottomMarginInch)
    Q_PROPERTY(CalendarEnums::TCalBorderStyle MiniCalBorder READ MiniCalBorder WRITE SetMiniCalBorder)
    Q_PROPERTY(CalendarEnums::TCalBorderStyle MiniHeadersBorder READ MiniHeadersBorder WRITE SetMiniHeadersBorder)
    Q_PROPERTY(CalendarEnums::TCalBorderStyle MiniCellBorder READ MiniCellBorder WRITE SetMiniCellBorder)
    Q_PROPERTY(bool MiniShowYear READ MiniShowYear WRITE SetMiniShowYear)
    Q_PROPERTY(int MiniHeadersBGColor READ MiniHeadersBGColor WRITE SetMiniHeadersBGColor)
    Q_PROPERTY(int MiniCalBGColor READ MiniCalBGColor WRITE SetMiniCalBGColor)
    Q_PROPERTY(FontDescription MiniTitleFont READ MiniTitleFont WRITE SetMiniTitleFont)
    Q_PROPERTY(FontDescription MiniHeadersFont READ MiniHeadersFont WRITE SetMiniHeadersFont)
    Q_PROPERTY(FontDescription MiniCellFont READ MiniCellFont WRITE SetMiniCellFont)
    Q_PROPERTY(int MainCalDay READ MainCalDay WRITE SetMainCalDay)
    Q_PROPERTY(int MainCalMonth READ MainCalMonth WRITE SetMainCalMonth)
    Q_PROPERTY(int MainCalYear READ MainCalYear WRITE SetMainCalYear)
    Q_PROPERTY(int StartOfWeek READ StartOfWeek WRITE SetStartOfWeek)
    Q_PROPERTY(CalendarEnums::TCalBorderStyle CalendarBorder READ CalendarBorder WRITE SetCalendarBorder)
    Q_PROPERTY(bool TitleShowYear READ TitleShowYear WRITE SetTitleShowYear)
    Q_PROPERTY(CalendarEnums::TCalBorderStyle HeadersBorder READ HeadersBorder WRITE SetHeadersBorder)
    Q_PROPERTY(CalendarEnums::TCalHeadersStyle HeadersStyle READ HeadersStyle WRITE SetHeadersStyle)
    Q_PROPERTY(CalendarEnums::TCalHeadersStyle MiniHeadersStyle READ MiniHeadersStyle WRITE SetMiniHeadersStyle)
    Q_PROPERTY(int HeadersBGColor READ HeadersBGColor WRITE SetHeadersBGColor)
    Q_PROPERTY(CalendarEnums::TCalendarNumberPosition NumberPosition READ NumberPosition WRITE SetNumberPosition)
    Q_PROPERTY(CalendarEnums::TCalBorderStyle CellBorder READ CellBorder WRITE SetCellBorder)
    Q_PROPERTY(QString UserTitle READ UserTitle WRITE SetUserTitle)
    Q_PROPERTY(CalendarEnums::TLPanelState PanelState READ PanelState WRITE SetPanelState)
    Q_PROPERTY(QString WMFBorderFile READ WMFBorderFile WRITE SetWMFBorderFile)

public:
    explicit TCalendarPanel32(QWidget* parent = nullptr);
    ~TCalendarPanel32() override;

    // The whole settings value (copy and compare work on it).
    const CalendarSettings& Settings() const { return m_s; }
    // Takes every setting but the border art (set through SetWMFBorderFile) without repainting or
    // relayout; document loading fills the page this way and relayouts once at the end.
    void SetSettingsQuietly(const CalendarSettings& s);

    TCalendarOrientation CalendarOrientation() const { return m_s.CalendarOrientation; }
    void SetCalendarOrientation(TCalendarOrientation v);
    TCalendarLayout CalendarLayout() const { return m_s.CalendarLayout; }
    void SetCalendarLayout(TCalendarLayout v);
    TCalendarLineLayout CalendarLineLayout() const { return m_s.CalendarLineLayout; }
    void SetCalendarLineLayout(TCalendarLineLayout v);
    TMiniCalendarLineLayout MiniCalendarLineLayout() const { return m_s.MiniCalendarLineLayout; }
    void SetMiniCalendarLineLayout(TMiniCalendarLineLayout v);

    int TitleBGColor() const { return m_s.TitleBGColor; }
    void SetTitleBGColor(int v) { repaintIfChanged(m_s.TitleBGColor, v); }
    int HeadersBGColor() const { return m_s.HeadersBGColor; }
    void SetHeadersBGColor(int v) { repaintIfChanged(m_s.HeadersBGColor, v); }
    int MiniHeadersBGColor() const { return m_s.MiniHeadersBGColor; }
    void SetMiniHeadersBGColor(int v) { repaintIfChanged(m_s.MiniHeadersBGColor, v); }
    int MiniCalBGColor() const { return m_s.MiniCalBGColor; }
    void SetMiniCalBGColor(int v) { repaintIfChanged(m_s.MiniCalBGColor, v); }

    FontDescription TitleFont() const { return m_s.TitleFont; }
    void SetTitleFont(const FontDescription& v) { repaintIfChanged(m_s.TitleFont, v); }
    FontDescription HeadersFont() const { return m_s.HeadersFont; }
    void SetHeadersFont(const FontDescription& v) { repaintIfChanged(m_s.HeadersFont, v); }
    FontDescription CellFont() const { return m_s.CellFont; }
    void SetCellFont(const FontDescription& v) { repaintIfChanged(m_s.CellFont, v); }
    FontDescription MiniTitleFont() const { return m_s.MiniTitleFont; }
    void SetMiniTitleFont(const FontDescription& v) { repaintIfChanged(m_s.MiniTitleFont, v); }
    FontDescription MiniHeadersFont() const { return m_s.MiniHeadersFont; }
    void SetMiniHeadersFont(const FontDescription& v) { repaintIfChanged(m_s.MiniHeadersFont, v); }
    FontDescription MiniCellFont() const { return m_s.MiniCellFont; }
    void SetMiniCellFont(const FontDescription& v) { repaintIfChanged(m_s.MiniCellFont, v); }

    float LeftMarginInch() const { return m_s.LeftMarginInch; }
    void SetLeftMarginInch(float v) { relayoutIfChanged(m_s.LeftMarginInch, v); }
    float TopMarginInch() const { return m_s.TopMarginInch; }
    void SetTopMarginInch(float v) { relayoutIfChanged(m_s.TopMarginInch, v); }
    float RightMarginInch() const { return m_s.RightMarginInch; }
    void SetRightMarginInch(float v) { relayoutIfChanged(m_s.RightMarginInch, v); }
    float BottomMarginInch() const { return m_s.BottomMarginInch; }
    void SetBottomMarginInch(float v) { relayoutIfChanged(m_s.BottomMarginInch, v); }

    TCalBorderStyle CalendarBorder() const { return m_s.CalendarBorder; }
    void SetCalendarBorder(TCalBorderStyle v) { repaintIfChanged(m_s.CalendarBorder, v); }
    TCalBorderStyle HeadersBorder() const { return m_s.HeadersBorder; }
    void SetHeadersBorder(TCalBorderStyle v) { repaintIfChanged(m_s.HeadersBorder, v); }
    TCalBorderStyle CellBorder() const { return m_s.CellBorder; }
    void SetCellBorder(TCalBorderStyle v) { repaintIfChanged(m_s.CellBorder, v); }
    TCalBorderStyle MiniCalBorder() const { return m_s.MiniCalBorder; }
    void SetMiniCalBorder(TCalBorderStyle v) { repaintIfChanged(m_s.MiniCalBorder, v); }
    TCalBorderStyle MiniHeadersBorder() const { return m_s.MiniHeadersBorder; }
    void SetMiniHeadersBorder(TCalBorderStyle v) { repaintIfChanged(m_s.MiniHeadersBorder, v); }
    TCalBorderStyle MiniCellBorder() const { return m_s.MiniCellBorder; }
    void SetMiniCellBorder(TCalBorderStyle v) { repaintIfChanged(m_s.MiniCellBorder, v); }

    bool MiniShowYear() const { return m_s.MiniShowYear; }
    void SetMiniShowYear(bool v) { repaintIfChanged(m_s.MiniShowYear, v); }
    bool TitleShowYear() const { return m_s.TitleShowYear; }
    void SetTitleShowYear(bool v) { repaintIfChanged(m_s.TitleShowYear, v); }
    TCalHeadersStyle HeadersStyle() const { return m_s.HeadersStyle; }
    void SetHeadersStyle(TCalHeadersStyle v) { repaintIfChanged(m_s.HeadersStyle, v); }
    TCalHeadersStyle MiniHeadersStyle() const { return m_s.MiniHeadersStyle; }
    void SetMiniHeadersStyle(TCalHeadersStyle v) { repaintIfChanged(m_s.MiniHeadersStyle, v); }
    TCalendarNumberPosition NumberPosition() const { return m_s.NumberPosition; }
    void SetNumberPosition(TCalendarNumberPosition v) { repaintIfChanged(m_s.NumberPosition, v); }
    int StartOfWeek() const { return m_s.StartOfWeek; }
    void SetStartOfWeek(int v) { repaintIfChanged(m_s.StartOfWeek, v); }
    QString UserTitle() const { return m_s.UserTitle; }
    void SetUserTitle(const QString& v) { repaintIfChanged(m_s.UserTitle, v); }

    int MainCalDay() const { return m_s.MainCalDay; }
    void SetMainCalDay(int v) { relayoutIfChanged(m_s.MainCalDay, v); }
    int MainCalMonth() const { return m_s.MainCalMonth; }
    void SetMainCalMonth(int v) { relayoutIfChanged(m_s.MainCalMonth, v); }
    int MainCalYear() const { return m_s.MainCalYear; }
    void SetMainCalYear(int v) { relayoutIfChanged(m_s.MainCalYear, v); }

    bool A4Paper() const { return m_s.A4Paper; }
    void SetA4Paper(bool v) { relayoutIfChanged(m_s.A4Paper, v); }
    double DayStartTime() const { return m_s.DayStartTime; }
    void SetDayStartTime(double v) { relayoutIfChanged(m_s.DayStartTime, v); }

    // Names: months 1..12, days 1..7 (1 = Sunday); other indexes are ignored. Setting does not repaint.
    QString GetMonthName(int index) const;
    void SetMonthName(int index, const QString& name);
    QString GetDayName(int index) const;
    void SetDayName(int index, const QString& name);

    TLPanelState PanelState() const { return m_panelState; }
    void SetPanelState(TLPanelState v);

    QString WMFBorderFile() const { return m_s.WMFBorderFile; }
    void SetWMFBorderFile(const QString& name);

    // Geometry from the last Relayout.
    const CalendarGeometry& Geometry() const { return m_geometry; }
    int PageWidth() const { return m_geometry.PageWidth; }
    int PageHeight() const { return m_geometry.PageHeight; }
    TRect BorderRect() const { return m_geometry.BorderRect; }
    TRect CalendarRect() const { return m_geometry.CalendarRect; }
    int MiniCount() const { return m_geometry.MiniCount; }
    TMiniSlot MiniSlot(int index) const;
    bool ShowMainCalendar() const { return m_geometry.ShowMainCalendar; }
    bool ShowMiniCalendars() const { return m_geometry.ShowMiniCalendars; }
    bool ShowPlanner() const { return m_geometry.ShowPlanner; }

    // The cell table and bands, as the last drawing left them (zoomed screen pixels).
    TCellInfo Cell(int index) const;
    TRect TitleRect() const { return m_titleRect; }
    TRect DayNamesRect() const { return m_dayNamesRect; }

    void Relayout(bool ResetMiniFonts);
    void ResetToDefaults();
    void CopySettingsFrom(const TCalendarPanel32& other);
    bool SameSettingsAs(const TCalendarPanel32& other) const;
    TLayoutKind LayoutKind() const;
    bool CanHoldText() const;
    bool HasPlacedObjects() const;
    bool HasSuperText() const;

    int CellAt(QPoint p) const;
    bool PointInCell(QPoint p) const { return CellAt(p) != 0; }
    int DayOfCell(int i) const;
    int CellOfDay(int day) const;
    void OpenCell(int i);
    void ClickCellAt(QPoint p);
    void OpenPreviousCell(int i);
    void OpenNextCell(int i);

    // Day texts belong to cell indexes 1..42, not to dates: they stay put when the month changes.
    TWPRtfStorage* CellStorage(int i) const;
    // The text of cell i; the caller's default for any other index.
    const TWPRtfStorage& GetCellText(int i, const TWPRtfStorage& defaultText) const;
    // Copies the text into cell i and repaints; other indexes are ignored.
    void SetCellText(int i, const TWPRtfStorage& text);
    // Empties every cell and forgets the cell rectangles until the next paint.
    void ClearAllCells();
    // A cell holding text, or bytes kept because they could not be read, counts.
    bool HasAnyText() const;

    // Raised when a day cell is clicked or opened; the main window opens its editor over the cell.
    std::function<void(TRect rTotal, TRect rFree, int iCell, int iDay)> ClickedInCellEvent;

    // What a tool state creates: the object kind and the step that runs once it is placed.
    using ToolFactory = std::function<TQGraphicControl*(QWidget* owner)>;
    using ToolCreationStep = std::function<void(TQGraphicControl* object)>;
    void SetToolKind(TLPanelState state, ToolFactory factory, ToolCreationStep step = {});
    // Whether a tool state has an object kind; the main window enables only those tools.
    bool HasToolKind(TLPanelState state) const;

    // The page as an image of the control's size: border art, calendar, minis and placed objects.
    QImage RenderToBitmap();
    // Draws the page on an open report; the offsets (inches) place the page on the paper.
    void PrintPage(TReportPrinter& report, double xOffset, double yOffset);
    // The title the page shows (the user's, else the month's or the planner's dates); it also names
    // the printed document.
    QString PageTitle() const;

    bool DropObject(TRect r) override;
    void SetScale(float factor) override;

signals:
    void OnClickedHeader();
    void OnClickedDaysArea();
    void OnClick();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    template <class T> void repaintIfChanged(T& field, const T& v)
    {
        if (field == v)
            return;
        field = v;
        update();
    }
    template <class T> void relayoutIfChanged(T& field, const T& v)
    {
        if (field == v)
            return;
        field = v;
        Relayout(false);
    }
    void applyBorderFile(const QString& name);
    // Steps shared by the screen, the bitmap and the report: fill the records the routines read.
    CalendarDrawParams mainParams(const std::function<int(int)>& fontPixels, TRect rect, int minTitle) const;
    CalendarDrawParams miniParams(const std::function<int(int)>& fontPixels, const TMiniSlot& slot, TRect rect) const;
    void renderPage(QPainter& painter);
    void paintDayTexts(QPainter& painter);
    void printDayTexts(TReportPrinter& report, const CalendarDrawParams& printed);
    void applyLineLayout();
    void applyMiniLineLayout();
    void clickAt(QPoint p);
    void raiseCell(int i);

    CalendarSettings m_s;
    CalendarGeometry m_geometry;
    std::array<TCellInfo, kCellCount + 1> m_cells{};
    TRect m_titleRect;
    TRect m_dayNamesRect;
    TLPanelState m_panelState = psPointing;
    TVectorPicture m_borderArt;
    bool m_pressedInPointing = false;
    std::map<int, std::pair<ToolFactory, ToolCreationStep>> m_tools;
    bool m_painting = false;
    // Cell 1's free area (grown by 5 each way) as last painted: the size day texts are laid out at for print.
    TRect m_printLayoutSize;
    // The zoom the texts were last painted at; printing lays them out the same way.
    int m_printLayoutZoom = 100;
    // Index 0 is the empty template that clearing copies.
    std::array<TWPRtfStorage*, kCellCount + 1> m_storages{};
    TWPRenderer m_renderer;
};
