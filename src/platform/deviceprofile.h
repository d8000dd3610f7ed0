// What a drawing routine knows of the device it draws on: the screen at a zoom, or paper at a
// printer's resolution. One routine per thing drawn serves screen, image, PDF and printer through it;
// what paper does differently is asked of the profile, never written as a second routine.
#pragma once

#include "platform/fontdescription.h"

#include <QFont>

struct DeviceProfile
{
    enum class Target { Screen, Paper };

    Target target = Target::Screen;
    double zoom = 1.0;  // screen: the page's zoom factor; paper: 1
    double xDpi = 96.0; // device pixels per inch at zoom 1
    double yDpi = 96.0;

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
};
