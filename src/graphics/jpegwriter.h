// Encodes images as JPEG through libjpeg, as "Save As JPG File" and the export command write them.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

// Colour (not greyscale) baseline JPEG at the quality given (1..100); empty when the image is null
// or the encoder fails.
QByteArray EncodeJpeg(const QImage& image, int quality = 100);
// Writes the file whole or leaves the previous one. Empty on success, else what went wrong.
QString WriteJpegFile(const QImage& image, const QString& fileName, int quality = 100);
