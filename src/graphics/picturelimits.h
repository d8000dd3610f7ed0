// What one picture read from a file or a document may cost: no picture above 40 megapixels is decoded.
#pragma once

#include <QtGlobal>

constexpr qint64 kMaxPicturePixels = 40'000'000;

inline bool PictureSizeAllowed(qint64 width, qint64 height)
{
    return width > 0 && height > 0 && width <= kMaxPicturePixels && height <= kMaxPicturePixels &&
           width * height <= kMaxPicturePixels;
}
