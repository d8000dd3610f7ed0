#include "fontdescription.h"

#include "rounding.h"
#include "screenmetrics.h"

#include <QFontInfo>

#include <algorithm>

int FontPixelSize(int points, double zoom)
{
    // Whole points at the zoom first, so a zoomed page uses the sizes a font comes in.
    const int zoomedPoints = RoundHalfEven(points * zoom);
    return std::max(1, RoundHalfEven(zoomedPoints * double(kScreenPixelsPerInch) / 72.0));
}

QFont FontDescription::toQFontPixels(int pixelSize) const
{
    QFont f(name);
    f.setPixelSize(std::max(1, pixelSize));
    f.setBold(style & fsBold);
    f.setItalic(style & fsItalic);
    f.setUnderline(style & fsUnderline);
    f.setStrikeOut(style & fsStrikeOut);
    return f;
}

QFont FontDescription::toQFontPoints() const
{
    QFont f = toQFontPixels(1);
    f.setPointSize(std::max(1, size));
    return f;
}

QFont FontDescription::toQFont(double zoom) const
{
    return toQFontPixels(FontPixelSize(size, zoom));
}

FontDescription FontDescription::fromQFont(const QFont& font, TColor color)
{
    FontDescription d;
    d.name = font.family();
    d.size = font.pointSize() > 0 ? font.pointSize() : RoundHalfEven(font.pixelSize() * 72.0 / kScreenPixelsPerInch);
    d.style = (font.bold() ? fsBold : 0) | (font.italic() ? fsItalic : 0) | (font.underline() ? fsUnderline : 0) |
              (font.strikeOut() ? fsStrikeOut : 0);
    d.color = color;
    return d;
}

QFont FontDescription::toDialogFont() const
{
    QFont f = toQFontPoints();
    f.setFamily(QFontInfo(f).family());
    return f;
}

FontDescription FontDescription::fromDialogFont(const QFont& chosen, TColor chosenColor) const
{
    FontDescription d = fromQFont(chosen, chosenColor);
    if (d.name == toDialogFont().family())
        d.name = name;
    return d;
}
