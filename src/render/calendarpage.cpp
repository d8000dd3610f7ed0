#include "calendarpage.h"

#include "calendarpagerender.h"

#include "document/calendarpagemodel.h"
#include "document/qgraphiccontrol.h"
#include "platform/deviceprofile.h"

#include <QPainter>

TCalendarPage::TCalendarPage() : m_objects(new QObject), m_model(new TCalendarPageModel(m_objects)) {}

TCalendarPage::~TCalendarPage()
{
    delete m_objects;
}

QImage TCalendarPage::RenderAt(float zoom)
{
    QImage image = RenderCalendarPage(*m_model, zoom);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    // Objects find the painter as the calendar leaves it: the page's line pen.
    painter.setPen(DeviceProfile::Screen(zoom).LinePen());
    PaintPlacedObjects(painter, Objects(), zoom);
    return image;
}

void TCalendarPage::PrintPage(TReportPrinter& report, double xOffset, double yOffset)
{
    PrintCalendarPage(report, *m_model, xOffset, yOffset);
    for (TQGraphicControl* object : Objects())
        object->PrintTo(report, xOffset, yOffset);
}
