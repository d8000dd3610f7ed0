// What a drawing routine knows of the device it draws on: the screen at a zoom, or paper at a
// printer's resolution. One routine per thing drawn serves screen, image, PDF and printer through it;
// what paper does differently is asked of the profile, never written as a second routine.
#pragma once

#include "platform/fontdescription.h"

#include <QFont>

class QPaintDevice;

struct DeviceProfile
{
    enum class Target { Screen, Paper };

    Target target = Target::Screen;
    double zoom = 1.0;  // screen: the page's zoom factor; paper: 1
    double xDpi = 96.0; // device pixels per inch at zoom 1
    double yDpi = 96.0;
    // Paper: the device text is measured on (a printer's metrics differ from the screen's); none
    // measures as the screen does.
    const QPaintDevice* metricsDevice = nullptr;

    static DeviceProfile Screen(double zoom);
    static DeviceProfile Paper(double xDpi, double yDpi);

    bool IsPaper() const { return target == Target::Paper; }
    // Device pixels per page pixel (page pixels are 96 per inch at 100%).
    double XScale() const;
    double YScale() const;
    // A length in page pixels on the device, halves to even.
    int X(double pagePixels) const;
    int Y(double pagePixels) const;
    // Pixel size of a point size on the device: on screen whole zoomed points first, on paper the
    // device's resolution; at least 1.
    int FontPixelSize(int points) const;
    QFont Font(const FontDescription& font) const;
    // The width of the page's one-pixel lines on the device.
    int LineWidth() const;
    // The pen the page's lines are drawn with: LineWidth() wide, square ends on paper.
    QPen LinePen() const;
    // An inches length on the device, halves to even.
    int XInches(double inches) const;
    // A distance inside a cell's lines: given in screen pixels, kept at that size on screen at every
    // zoom and scaled on paper so that it looks the same there.
    int Inset(int screenPixels) const;
    // Text metrics of a font on the device: the screen gives whole pixels, paper fractions.
    double LineHeight(const QFont& font) const; // ascent plus descent
    double Ascent(const QFont& font) const;
    double TextWidth(const QFont& font, const QString& text) const;
};
