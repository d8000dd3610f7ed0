// The colour bands of a SuperText gradient: 256 bands from a start colour to an end colour along one
// axis, as pure functions so that the band colours and edges can be checked without painting.
#pragma once

#include <QImage>
#include <QRgb>

// (a × b) / c with a 64-bit intermediate, rounded to the nearest integer (halves to even); 0 when c is 0.
int MulDiv(int a, int b, int c);
// The colour of band i (0 … 255) between the start and the end colour.
QRgb GradientBandColor(int band, QRgb start, QRgb end);
// The gradient along an axis `length` pixels long, as a strip one pixel across (length × 1 when
// horizontal, 1 × length when vertical): band i covers MulDiv(i, length, 256) up to
// MulDiv(i + 1, length, 256). Tiled across the other axis it is the whole gradient. Null when length < 1.
QImage GradientStrip(int length, bool vertical, QRgb start, QRgb end);
