// Colour values as documents store them: 32-bit signed, red in the low byte, negative = system colour.
#pragma once

#include <QColor>
#include <QtGlobal>

using TColor = qint32;

constexpr TColor clBlack = 0x000000;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clNavy = 0x800000;
constexpr TColor clYellow = 0x00FFFF;

constexpr TColor RGBValue(int r, int g, int b)
{
    return static_cast<TColor>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}

// Whether a stored value is a colour at all: plain RGB (high byte zero) or one of the system colours.
bool IsColorValue(TColor value);

// The one conversion to QColor; system colours come from the application palette.
QColor ToQColor(TColor value);
TColor FromQColor(const QColor& color);
