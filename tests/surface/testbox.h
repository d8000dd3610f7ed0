// A small placed object kind for the surface tests: a filled box that paints, prints and takes fonts.
#pragma once

#include "document/qgraphiccontrol.h"

#include "platform/colorvalue.h"

#include <QRect>

class TTestBox : public TQGraphicControl
{
    Q_OBJECT
    Q_PROPERTY(TColor Color READ Color WRITE SetColor)
    Q_CLASSINFO("default:Color", "clYellow")

public:
    explicit TTestBox(QObject* parent = nullptr);

    TColor Color() const { return m_color; }
    void SetColor(TColor v);

    void Draw(QPainter& canvas, const QRect& target, const DeviceProfile& device) override;
    void PrintTo(TReportPrinter& report, double x, double y) override;
    void ApplyFont(const FontDescription& font) override { AppliedFont = font; }
    void Loaded() override;

    FontDescription AppliedFont;
    int LoadedCount = 0;
    // Device rectangle of the last PrintTo.
    QRect PrintedRect;

private:
    TColor m_color = clYellow;
};
