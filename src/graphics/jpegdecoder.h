// Decodes JPEG clip art and textures through libjpeg into a 256-colour bitmap: two-pass quantisation with
// Floyd-Steinberg dithering, the accurate integer DCT and fancy upsampling.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

// An indexed image of at most 256 colours, or a null image with the reason in `error`. Any warning of the
// library refuses the file with "There are warnings"; pictures above the size limit are refused before
// their pixels are allocated.
QImage DecodeJpeg(const QByteArray& bytes, QString* error = nullptr);
