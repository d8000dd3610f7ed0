// The calendar page on screen: shows and edits a page model (its published properties forward to it),
// answers clicks on its cells and is the design surface on which placed objects lie.
#pragma once

#include "document/calendarpagemodel.h"
#include "document/pagedocument.h"

#include "qbasepanel.h"
#include "richtext/wprenderer.h"

#include <QStringList>

#include <functional>
#include <map>

class TQGraphicControl;
class TReportPrinter;
struct DeviceProfile;
class TWPRtfStorage;

class TCalendarPanel32 : public TQBasePanel, public TPageDocument
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
    Q_PROPERTY(bool ShowWeekNumbers READ ShowWeekNumbers WRITE SetShowWeekNumbers)
    Q_PROPERTY(bool ShowMoonPhases READ ShowMoonPhases WRITE SetShowMoonPhases)

public:
    explicit TCalendarPanel32(QWidget* parent = nullptr);
    ~TCalendarPanel32() override;

    TCalendarPageModel& Model() override { return *m_model; }
    const TCalendarPageModel& Model() const override { return *m_model; }
    QObject* ObjectParent() const override { return const_cast<TCalendarPanel32*>(this); }
    // The page as RenderToBitmap draws it, at another zoom for the moment of drawing.
    QImage RenderAt(float zoom) override;
    // The whole settings value (copy and compare work on it).
    const CalendarSettings& Settings() const { return m_model->Settings(); }
    // Takes every setting but the border art (set through SetWMFBorderFile) without repainting or
    // relayout; document loading fills the page this way and relayouts once at the end.
    void SetSettingsQuietly(const CalendarSettings& s) { m_model->SetSettingsQuietly(s); }

    TCalendarOrientation CalendarOrientation() const { return Settings().CalendarOrientation; }
    void SetCalendarOrientation(TCalendarOrientation v)
    {
        m_model->SetLayoutValue(&CalendarSettings::CalendarOrientation, v);
    }
    TCalendarLayout CalendarLayout() const { return Settings().CalendarLayout; }
    void SetCalendarLayout(TCalendarLayout v) { m_model->SetCalendarLayout(v); }
    TCalendarLineLayout CalendarLineLayout() const { return Settings().CalendarLineLayout; }
    void SetCalendarLineLayout(TCalendarLineLayout v) { m_model->SetCalendarLineLayout(v); }
    TMiniCalendarLineLayout MiniCalendarLineLayout() const { return Settings().MiniCalendarLineLayout; }
    void SetMiniCalendarLineLayout(TMiniCalendarLineLayout v) { m_model->SetMiniCalendarLineLayout(v); }

    int TitleBGColor() const { return Settings().TitleBGColor; }
    void SetTitleBGColor(int v) { m_model->SetValue(&CalendarSettings::TitleBGColor, v); }
    int HeadersBGColor() const { return Settings().HeadersBGColor; }
    void SetHeadersBGColor(int v) { m_model->SetValue(&CalendarSettings::HeadersBGColor, v); }
    int MiniHeadersBGColor() const { return Settings().MiniHeadersBGColor; }
    void SetMiniHeadersBGColor(int v) { m_model->SetValue(&CalendarSettings::MiniHeadersBGColor, v); }
    int MiniCalBGColor() const { return Settings().MiniCalBGColor; }
    void SetMiniCalBGColor(int v) { m_model->SetValue(&CalendarSettings::MiniCalBGColor, v); }

    FontDescription TitleFont() const { return Settings().TitleFont; }
    void SetTitleFont(const FontDescription& v) { m_model->SetValue(&CalendarSettings::TitleFont, v); }
    FontDescription HeadersFont() const { return Settings().HeadersFont; }
    void SetHeadersFont(const FontDescription& v) { m_model->SetValue(&CalendarSettings::HeadersFont, v); }
    FontDescription CellFont() const { return Settings().CellFont; }
    void SetCellFont(const FontDescription& v) { m_model->SetValue(&CalendarSettings::CellFont, v); }
    FontDescription MiniTitleFont() const { return Settings().MiniTitleFont; }
    void SetMiniTitleFont(const FontDescription& v) { m_model->SetValue(&CalendarSettings::MiniTitleFont, v); }
    FontDescription MiniHeadersFont() const { return Settings().MiniHeadersFont; }
    void SetMiniHeadersFont(const FontDescription& v) { m_model->SetValue(&CalendarSettings::MiniHeadersFont, v); }
    FontDescription MiniCellFont() const { return Settings().MiniCellFont; }
    void SetMiniCellFont(const FontDescription& v) { m_model->SetValue(&CalendarSettings::MiniCellFont, v); }

    float LeftMarginInch() const { return Settings().LeftMarginInch; }
    void SetLeftMarginInch(float v) { m_model->SetLayoutValue(&CalendarSettings::LeftMarginInch, v); }
    float TopMarginInch() const { return Settings().TopMarginInch; }
    void SetTopMarginInch(float v) { m_model->SetLayoutValue(&CalendarSettings::TopMarginInch, v); }
    float RightMarginInch() const { return Settings().RightMarginInch; }
    void SetRightMarginInch(float v) { m_model->SetLayoutValue(&CalendarSettings::RightMarginInch, v); }
    float BottomMarginInch() const { return Settings().BottomMarginInch; }
    void SetBottomMarginInch(float v) { m_model->SetLayoutValue(&CalendarSettings::BottomMarginInch, v); }

    TCalBorderStyle CalendarBorder() const { return Settings().CalendarBorder; }
    void SetCalendarBorder(TCalBorderStyle v) { m_model->SetValue(&CalendarSettings::CalendarBorder, v); }
    TCalBorderStyle HeadersBorder() const { return Settings().HeadersBorder; }
    void SetHeadersBorder(TCalBorderStyle v) { m_model->SetValue(&CalendarSettings::HeadersBorder, v); }
    TCalBorderStyle CellBorder() const { return Settings().CellBorder; }
    void SetCellBorder(TCalBorderStyle v) { m_model->SetValue(&CalendarSettings::CellBorder, v); }
    TCalBorderStyle MiniCalBorder() const { return Settings().MiniCalBorder; }
    void SetMiniCalBorder(TCalBorderStyle v) { m_model->SetValue(&CalendarSettings::MiniCalBorder, v); }
    TCalBorderStyle MiniHeadersBorder() const { return Settings().MiniHeadersBorder; }
    void SetMiniHeadersBorder(TCalBorderStyle v) { m_model->SetValue(&CalendarSettings::MiniHeadersBorder, v); }
    TCalBorderStyle MiniCellBorder() const { return Settings().MiniCellBorder; }
    void SetMiniCellBorder(TCalBorderStyle v) { m_model->SetValue(&CalendarSettings::MiniCellBorder, v); }

    bool MiniShowYear() const { return Settings().MiniShowYear; }
    void SetMiniShowYear(bool v) { m_model->SetValue(&CalendarSettings::MiniShowYear, v); }
    // The week-number column narrows the grid, so the cells move.
    bool ShowWeekNumbers() const { return Settings().ShowWeekNumbers; }
    void SetShowWeekNumbers(bool v) { m_model->SetLayoutValue(&CalendarSettings::ShowWeekNumbers, v); }
    bool ShowMoonPhases() const { return Settings().ShowMoonPhases; }
    void SetShowMoonPhases(bool v) { m_model->SetValue(&CalendarSettings::ShowMoonPhases, v); }
    bool TitleShowYear() const { return Settings().TitleShowYear; }
    void SetTitleShowYear(bool v) { m_model->SetValue(&CalendarSettings::TitleShowYear, v); }
    TCalHeadersStyle HeadersStyle() const { return Settings().HeadersStyle; }
    void SetHeadersStyle(TCalHeadersStyle v) { m_model->SetValue(&CalendarSettings::HeadersStyle, v); }
    TCalHeadersStyle MiniHeadersStyle() const { return Settings().MiniHeadersStyle; }
    void SetMiniHeadersStyle(TCalHeadersStyle v) { m_model->SetValue(&CalendarSettings::MiniHeadersStyle, v); }
    TCalendarNumberPosition NumberPosition() const { return Settings().NumberPosition; }
    void SetNumberPosition(TCalendarNumberPosition v) { m_model->SetValue(&CalendarSettings::NumberPosition, v); }
    int StartOfWeek() const { return Settings().StartOfWeek; }
    void SetStartOfWeek(int v) { m_model->SetValue(&CalendarSettings::StartOfWeek, v); }
    QString UserTitle() const { return Settings().UserTitle; }
    void SetUserTitle(const QString& v) { m_model->SetValue(&CalendarSettings::UserTitle, v); }

    int MainCalDay() const { return Settings().MainCalDay; }
    void SetMainCalDay(int v) { m_model->SetLayoutValue(&CalendarSettings::MainCalDay, v); }
    int MainCalMonth() const { return Settings().MainCalMonth; }
    void SetMainCalMonth(int v) { m_model->SetLayoutValue(&CalendarSettings::MainCalMonth, v); }
    int MainCalYear() const { return Settings().MainCalYear; }
    void SetMainCalYear(int v) { m_model->SetLayoutValue(&CalendarSettings::MainCalYear, v); }

    bool A4Paper() const { return Settings().A4Paper; }
    void SetA4Paper(bool v) { m_model->SetLayoutValue(&CalendarSettings::A4Paper, v); }
    double DayStartTime() const { return Settings().DayStartTime; }
    void SetDayStartTime(double v) { m_model->SetLayoutValue(&CalendarSettings::DayStartTime, v); }

    // Names: months 1..12, days 1..7 (1 = Sunday); other indexes are ignored. Setting does not repaint.
    QString GetMonthName(int index) const { return m_model->GetMonthName(index); }
    void SetMonthName(int index, const QString& name) { m_model->SetMonthName(index, name); }
    QString GetDayName(int index) const { return m_model->GetDayName(index); }
    void SetDayName(int index, const QString& name) { m_model->SetDayName(index, name); }

    TLPanelState PanelState() const { return m_panelState; }
    void SetPanelState(TLPanelState v);
    QSize PageSize() const override;

    QString WMFBorderFile() const { return Settings().WMFBorderFile; }
    void SetWMFBorderFile(const QString& name) { m_model->SetWMFBorderFile(name); }

    // Geometry from the last Relayout.
    const CalendarGeometry& Geometry() const { return m_model->Geometry(); }
    int PageWidth() const { return Geometry().PageWidth; }
    int PageHeight() const { return Geometry().PageHeight; }
    TRect BorderRect() const { return Geometry().BorderRect; }
    TRect CalendarRect() const { return Geometry().CalendarRect; }
    int MiniCount() const { return Geometry().MiniCount; }
    TMiniSlot MiniSlot(int index) const;
    bool ShowMainCalendar() const { return Geometry().ShowMainCalendar; }
    bool ShowMiniCalendars() const { return Geometry().ShowMiniCalendars; }
    bool ShowPlanner() const { return Geometry().ShowPlanner; }

    // The cell table and bands of the main month or planner on screen at the page's zoom; all empty
    // for a layout without one.
    const MonthGeometry& ScreenGeometry() const;
    TCellInfo Cell(int index) const;
    TRect TitleRect() const { return ScreenGeometry().TitleRect; }
    TRect DayNamesRect() const { return ScreenGeometry().DayNamesRect; }

    void Relayout(bool ResetMiniFonts) { m_model->Relayout(ResetMiniFonts); }
    void ResetToDefaults() { m_model->ResetToDefaults(); }
    void CopySettingsFrom(const TCalendarPanel32& other) { m_model->CopySettingsFrom(other.Model()); }
    bool SameSettingsAs(const TCalendarPanel32& other) const { return m_model->SameSettingsAs(other.Model()); }
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
    TWPRtfStorage* CellStorage(int i) const { return m_model->CellStorage(i); }
    // The text of cell i; the caller's default for any other index.
    const TWPRtfStorage& GetCellText(int i, const TWPRtfStorage& defaultText) const;
    // Copies the text into cell i and repaints; other indexes are ignored.
    void SetCellText(int i, const TWPRtfStorage& text) { m_model->SetCellText(i, text); }
    // Empties every cell.
    void ClearAllCells();
    // A cell holding text, or bytes kept because they could not be read, counts.
    bool HasAnyText() const { return m_model->HasAnyText(); }

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
    void PrintPage(TReportPrinter& report, double xOffset, double yOffset) override;
    void MarkPrinting(bool on) override { SetPrinting(on); }
    void ObjectsRebuilding() override;
    void ObjectsRebuilt() override;
    void HoldChangeNotifications(bool hold) override { HoldNotifications(hold); }
    // The title the page shows (the user's, else the month's or the planner's dates); it also names
    // the printed document.
    QString PageTitle() const { return m_model->PageTitle(); }

    bool DropObject(TRect r) override;
    void SetScale(float factor) override;

signals:
    void OnClickedHeader();
    void OnClickedDaysArea();
    void OnClick();

protected:
    void ShowSurfaceCursor() override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void resizeToPage();
    // The page with its day texts at the zoom, without placed objects.
    QImage pageImage();
    void clickAt(QPoint p);
    void raiseCell(int i);

    TCalendarPageModel* m_model;
    // ScreenGeometry() for the settings and zoom it was computed at.
    mutable MonthGeometry m_screenGeometry;
    mutable CalendarSettings m_screenGeometrySettings;
    mutable double m_screenGeometryZoom = 0;
    // The page without day texts for the settings and zoom it was drawn at: a repaint draws only the texts.
    QImage m_calendarImage;
    CalendarSettings m_calendarImageSettings;
    double m_calendarImageZoom = 0;
    TLPanelState m_panelState = psPointing;
    bool m_pressedInPointing = false;
    std::map<int, std::pair<ToolFactory, ToolCreationStep>> m_tools;
    bool m_painting = false;
    TWPRenderer m_renderer;
    // The names of the objects selected when a rebuild from bytes began, to select again after it.
    QStringList m_selectedBeforeRebuild;
};
