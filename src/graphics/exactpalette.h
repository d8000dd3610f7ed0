// An opaque image of at most 256 colours as an 8-bit palette image with the very same pixels: a
// calendar page mostly is one, and PNG writes such an image in a fraction of the time and space.
#pragma once

#include <QImage>

// The image in Format_Indexed8 with a palette of exactly its colours, in the order they first occur,
// keeping its resolution and text; a null image when it is not an opaque RGB32 image or holds more
// than 256 colours.
QImage ExactPaletteImage(const QImage& image);
