#include "testbox.h"

#include "platform/screenmetrics.h"
#include "report/reportprinter.h"

#include <QPainter>

TTestBox::TTestBox(QObject* parent) : TQGraphicControl(parent) {}

void TTestBox::SetColor(TColor v)
{
    if (v == m_color)
        return;
    m_color = v;
    Repaint();
}

void TTestBox::Draw(QPainter& canvas, const QRect& target, const DeviceProfile&)
{
    canvas.fillRect(target, ToQColor(m_color));
}

void TTestBox::PrintTo(TReportPrinter& report, double x, double y)
{
    const double ppi = ScreenPixelsPerInch();
    PrintedRect = report.InchRectToDevice(Left() / ppi + x, Top() / ppi + y, (Left() + Width()) / ppi + x,
                                          (Top() + Height()) / ppi + y);
    report.SetBrush(ToQColor(m_color));
    report.FillRect(PrintedRect);
}

void TTestBox::Loaded()
{
    TQGraphicControl::Loaded();
    ++LoadedCount;
}
