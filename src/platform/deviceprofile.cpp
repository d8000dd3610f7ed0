#include "platform/deviceprofile.h"

#include "platform/rounding.h"
#include "platform/screenmetrics.h"

#include <algorithm>

DeviceProfile DeviceProfile::Screen(double zoom)
{
    DeviceProfile p;
    p.zoom = zoom;
    return p;
}

DeviceProfile DeviceProfile::Paper(double xDpi, double yDpi)
{
    DeviceProfile p;
    p.target = Target::Paper;
    p.xDpi = xDpi;
    p.yDpi = yDpi;
    return p;
}

double DeviceProfile::XScale() const
{
    return zoom * xDpi / kScreenPixelsPerInch;
}

double DeviceProfile::YScale() const
{
    return zoom * yDpi / kScreenPixelsPerInch;
}

int DeviceProfile::X(double pagePixels) const
{
    return RoundHalfEven(pagePixels * XScale());
}

int DeviceProfile::Y(double pagePixels) const
{
    return RoundHalfEven(pagePixels * YScale());
}

int DeviceProfile::FontPixelSize(int points) const
{
    if (!IsPaper())
        return ::FontPixelSize(points, zoom);
    return std::max(1, RoundHalfEven(points * yDpi / 72.0));
}

QFont DeviceProfile::Font(const FontDescription& font) const
{
    return font.toQFontPixels(FontPixelSize(font.size));
}

int DeviceProfile::LineWidth() const
{
    return IsPaper() ? std::max(1, RoundHalfEven(xDpi / kScreenPixelsPerInch)) : 1;
}
