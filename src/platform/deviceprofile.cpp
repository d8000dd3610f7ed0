#include "platform/deviceprofile.h"

#include "platform/rounding.h"
#include "platform/screenmetrics.h"

#include <QFontMetrics>
#include <QPen>

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

QPen DeviceProfile::LinePen() const
{
    if (!IsPaper())
        return QPen(Qt::black, 0);
    return QPen(QBrush(Qt::black), LineWidth(), Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
}

int DeviceProfile::XInches(double inches) const
{
    return RoundHalfEven(inches * xDpi * zoom);
}

int DeviceProfile::Inset(int screenPixels) const
{
    return IsPaper() ? X(screenPixels) : screenPixels;
}

double DeviceProfile::LineHeight(const QFont& font) const
{
    if (metricsDevice) {
        const QFontMetricsF m(font, metricsDevice);
        return m.ascent() + m.descent();
    }
    const QFontMetrics m(font);
    return m.ascent() + m.descent();
}

double DeviceProfile::Ascent(const QFont& font) const
{
    if (metricsDevice)
        return QFontMetricsF(font, metricsDevice).ascent();
    return QFontMetrics(font).ascent();
}

double DeviceProfile::TextWidth(const QFont& font, const QString& text) const
{
    if (metricsDevice)
        return QFontMetricsF(font, metricsDevice).horizontalAdvance(text);
    return QFontMetricsF(font).horizontalAdvance(text);
}
