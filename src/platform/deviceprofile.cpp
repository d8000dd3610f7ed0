#include "platform/deviceprofile.h"

#include "platform/rounding.h"
#include "platform/screenmetrics.h"

#include <QFontMetrics>
#include <QHash>
#include <QPaintDevice>
#include <QPen>

#include <algorithm>
#include <utility>

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

namespace {

// What a font measures on a device depends only on the font and the device's resolution. Paper asks
// for the same few fonts and day numbers hundreds of times a page, and each answer shapes the text.
struct PaperFontMetrics
{
    double ascent = 0;
    double descent = 0;
    QHash<QString, double> widths;
};

PaperFontMetrics& paperMetrics(const QFont& font, const QPaintDevice* device)
{
    constexpr qsizetype kMaxFonts = 64;
    static QHash<std::pair<QFont, int>, PaperFontMetrics> cache;
    const std::pair<QFont, int> key(font, device->logicalDpiY());
    auto found = cache.find(key);
    if (found == cache.end()) {
        if (cache.size() >= kMaxFonts)
            cache.clear();
        const QFontMetricsF m(font, device);
        found = cache.insert(key, {m.ascent(), m.descent(), {}});
    }
    return *found;
}

} // namespace

double DeviceProfile::LineHeight(const QFont& font) const
{
    if (metricsDevice) {
        const PaperFontMetrics& m = paperMetrics(font, metricsDevice);
        return m.ascent + m.descent;
    }
    const QFontMetrics m(font);
    return m.ascent() + m.descent();
}

double DeviceProfile::Ascent(const QFont& font) const
{
    if (metricsDevice)
        return paperMetrics(font, metricsDevice).ascent;
    return QFontMetrics(font).ascent();
}

double DeviceProfile::TextWidth(const QFont& font, const QString& text) const
{
    if (!metricsDevice)
        return QFontMetricsF(font).horizontalAdvance(text);
    constexpr qsizetype kMaxWidths = 1024;
    QHash<QString, double>& widths = paperMetrics(font, metricsDevice).widths;
    const auto found = widths.constFind(text);
    if (found != widths.constEnd())
        return *found;
    if (widths.size() >= kMaxWidths)
        widths.clear();
    const double width = QFontMetricsF(font, metricsDevice).horizontalAdvance(text);
    widths.insert(text, width);
    return width;
}
