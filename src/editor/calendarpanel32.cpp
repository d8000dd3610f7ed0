#include "calendarpanel32.h"

#include "render/calendarpagerender.h"

#include "document/qgraphiccontrol.h"
#include "qhandle.h"
#include "richtext/wprtfstorage.h"

#include "platform/deviceprofile.h"
#include "platform/rounding.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPointer>

#include <utility>

TCalendarPanel32::TCalendarPanel32(QWidget* parent) : TQBasePanel(parent), m_model(new TCalendarPageModel(this))
{
    connect(m_model, &TCalendarPageModel::Changed, this, [this] { update(); });
    connect(m_model, &TCalendarPageModel::LayoutChanged, this, [this] {
        // A relayout can move the parts without changing a setting (a document read in quietly).
        m_calendarImage = QImage();
        m_screenGeometryZoom = 0;
        resizeToPage();
        update();
    });
    connect(m_model, &TCalendarPageModel::CellTextChanged, this, [this](int i) {
        if (i == 0)
            m_renderer.ClearCache();
        update();
    });
    resizeToPage();
}

TCalendarPanel32::~TCalendarPanel32() = default;

void TCalendarPanel32::resizeToPage()
{
    // Exact for the page at the zoom rather than compounding ratios.
    resize(RoundHalfEven(PageWidth() * Scale()), RoundHalfEven(PageHeight() * Scale()));
}

void TCalendarPanel32::SetPanelState(TLPanelState v)
{
    if (v == m_panelState)
        return;
    m_panelState = v;
    SetPointing(v == psPointing);
    ShowSurfaceCursor();
}

void TCalendarPanel32::ShowSurfaceCursor()
{
    if (m_panelState == psPointing)
        unsetCursor();
    else
        setCursor(Qt::DragMoveCursor);
}

QSize TCalendarPanel32::PageSize() const
{
    return QSize(PageWidth(), PageHeight());
}

TMiniSlot TCalendarPanel32::MiniSlot(int index) const
{
    return (index >= 1 && index <= 60) ? Geometry().MiniSlots[index] : TMiniSlot{};
}

TCellInfo TCalendarPanel32::Cell(int index) const
{
    return (index >= 1 && index <= kCellCount) ? ScreenGeometry().Cells[index] : TCellInfo{};
}

const MonthGeometry& TCalendarPanel32::ScreenGeometry() const
{
    const double z = Scale();
    if (z == m_screenGeometryZoom && Settings() == m_screenGeometrySettings)
        return m_screenGeometry;
    m_screenGeometrySettings = Settings();
    m_screenGeometryZoom = z;
    m_screenGeometry = m_model->MainGeometry(DeviceProfile::Screen(z), [z](TRect r) { return r.scaled(z); });
    return m_screenGeometry;
}

void TCalendarPanel32::SetScale(float factor)
{
    TQBasePanel::SetScale(factor);
    resizeToPage();
}

TLayoutKind TCalendarPanel32::LayoutKind() const
{
    return LayoutKindOf(Settings().CalendarLayout);
}

bool TCalendarPanel32::CanHoldText() const
{
    return isVisible() && HoldsDayText(Settings().CalendarLayout);
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
    const MonthGeometry& g = ScreenGeometry();
    for (int i = 1; i <= kCellCount; ++i) {
        if (g.Cells[i].rTotal.contains(p))
            return i;
    }
    return 0;
}

int TCalendarPanel32::DayOfCell(int i) const
{
    return (i >= 1 && i <= kCellCount) ? ScreenGeometry().Cells[i].iDay : 0;
}

int TCalendarPanel32::CellOfDay(int day) const
{
    const MonthGeometry& g = ScreenGeometry();
    for (int i = 1; i <= kCellCount; ++i) {
        if (g.Cells[i].iDay == day)
            return i;
    }
    return -1;
}

// A cell without room for text (numbers centred, a planner's label column) has nothing to edit: an
// editor opened on it could not be seen and would swallow the typing.
void TCalendarPanel32::raiseCell(int i)
{
    if (!ClickedInCellEvent || i < 1 || i > kCellCount)
        return;
    const TCellInfo cell = ScreenGeometry().Cells[i];
    if (!cell.rFree.isEmpty())
        ClickedInCellEvent(cell.rTotal, cell.rFree, i, cell.iDay);
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
    // The creation step may take the object away again (a cancelled picture browser), so the page
    // reports the drop once, by its result, not each step on the way.
    const TSuspension quiet = SuspendNotifications();
    if (object)
        PlaceObject(object, r);
    SetPanelState(psPointing);
    const QPointer<TQGraphicControl> placed(object);
    if (object && tool->second.second)
        tool->second.second(object);
    return placed && placed->parent() == this;
}

void TCalendarPanel32::clickAt(QPoint p)
{
    const int cell = CellAt(p);
    if (TitleRect().contains(p))
        emit OnClickedHeader();
    if (DayNamesRect().contains(p))
        emit OnClickedDaysArea();
    if (cell != 0 && (Geometry().ShowMainCalendar || Geometry().ShowPlanner)) {
        if (ClickedInCellEvent && !HasObjectAt(p.x(), p.y()))
            raiseCell(cell);
        return;
    }
    emit OnClick();
}

void TCalendarPanel32::mousePressEvent(QMouseEvent* event)
{
    // A press on a placed object belongs to the object, not to the page beneath.
    m_pressedInPointing = m_panelState == psPointing && event->button() == Qt::LeftButton &&
                          !HasObjectAt(event->position().toPoint().x(), event->position().toPoint().y());
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

void TCalendarPanel32::paintEvent(QPaintEvent* event)
{
    if (m_painting || PaintingSuspended() || !isVisible())
        return;
    m_painting = true;
    const QImage image = pageImage();
    QPainter painter(this);
    painter.drawImage(event->rect(), image, event->rect());
    PaintOverflowMarks(painter, *m_model, ScreenGeometry());
    // As on the exported image: the objects find the page's line pen.
    painter.setPen(DeviceProfile::Screen(Scale()).LinePen());
    PaintObjects(painter, event->rect());
    PaintBand(painter);
    m_painting = false;
}

const TWPRtfStorage& TCalendarPanel32::GetCellText(int i, const TWPRtfStorage& defaultText) const
{
    const TWPRtfStorage* storage = CellStorage(i);
    return storage ? *storage : defaultText;
}

void TCalendarPanel32::ClearAllCells()
{
    m_model->ClearAllCells();
}

QImage TCalendarPanel32::pageImage()
{
    if (m_calendarImage.size() != size() || m_calendarImageZoom != Scale() || m_calendarImageSettings != Settings()) {
        m_calendarImage = RenderCalendarBase(*m_model, Scale());
        m_calendarImageSettings = Settings();
        m_calendarImageZoom = Scale();
    }
    // Painting over the kept image copies it; without day texts the kept image is the page.
    if (!m_model->HasAnyText())
        return m_calendarImage;
    QImage image = m_calendarImage;
    QPainter painter(&image);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    PaintDayTexts(painter, *m_model, ScreenGeometry(), Scale(), m_renderer);
    return image;
}

QImage TCalendarPanel32::RenderToBitmap()
{
    QImage image = pageImage();
    if (PlacedObjects().isEmpty())
        return image;
    QPainter painter(&image);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    // Objects find the painter as the calendar leaves it: the page's line pen.
    painter.setPen(DeviceProfile::Screen(Scale()).LinePen());
    PaintObjects(painter);
    return image;
}

QImage TCalendarPanel32::RenderAt(float zoom)
{
    const float shown = Scale();
    if (zoom == shown)
        return RenderToBitmap();
    SetScale(zoom);
    QImage image = RenderToBitmap();
    SetScale(shown);
    return image;
}

void TCalendarPanel32::PrintPage(TReportPrinter& report, double xOffset, double yOffset)
{
    PrintCalendarPage(report, *m_model, xOffset, yOffset);
    PrintObjects(report, xOffset, yOffset);
}

void TCalendarPanel32::ObjectsRebuilding()
{
    TQHandle* handle = SelectionHandle();
    m_selectedBeforeRebuild.clear();
    for (const TQGraphicControl* object : handle->Selection())
        m_selectedBeforeRebuild << object->objectName();
    handle->ClearSelection();
    update();
}

void TCalendarPanel32::ObjectsRebuilt()
{
    HookAllObjects();
    TQHandle* handle = SelectionHandle();
    for (const QString& name : std::exchange(m_selectedBeforeRebuild, {})) {
        if (auto* object = findChild<TQGraphicControl*>(name, Qt::FindDirectChildrenOnly))
            handle->Select(object);
    }
    // Selecting takes the mouse for a drag that is not coming.
    if (QWidget::mouseGrabber() == handle)
        handle->releaseMouse();
}
