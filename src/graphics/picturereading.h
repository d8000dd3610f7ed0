// What the readers of outside pictures share: the size limit (no picture above 40 megapixels is decoded),
// the document's picture budget, Qt's image reader told the one format to decode, and the way a reader
// refuses.
#pragma once

#include "picturebudget.h"

#include <QByteArray>
#include <QImage>
#include <QString>

constexpr qint64 kMaxPicturePixels = TPictureBudget::kMaxPicturePixels;

inline bool PictureSizeAllowed(qint64 width, qint64 height)
{
    return width > 0 && height > 0 && width <= kMaxPicturePixels && height <= kMaxPicturePixels &&
           width * height <= kMaxPicturePixels;
}

// Whether a picture of this size and depth may be decoded now: within the size limit and, while a
// document is read, within what its budget still allows (which it then charges).
bool MayDecodePicture(qint64 width, qint64 height, int bitsPerPixel);

// Gives the reason and answers false, so that a refusal takes one line.
bool Refuse(QString* error, const QString& reason);

// The image at `index` in the bytes, decoded only as `format` and only when its size is allowed; a null
// image and the reason otherwise.
QImage ReadImageAs(const QByteArray& bytes, const char* format, QString* error, int index = 0);
