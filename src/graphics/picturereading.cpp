#include "picturereading.h"

#include <QBuffer>
#include <QImageReader>

bool MayDecodePicture(qint64 width, qint64 height, int bitsPerPixel)
{
    if (!PictureSizeAllowed(width, height))
        return false;
    TPictureBudget* budget = TPictureBudget::Current();
    return !budget || budget->Take(QSize(int(width), int(height)), bitsPerPixel);
}

bool Refuse(QString* error, const QString& reason)
{
    if (error)
        *error = reason;
    return false;
}

QImage ReadImageAs(const QByteArray& bytes, const char* format, QString* error, int index)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format);
    reader.setAutoDetectImageFormat(false);
    reader.setAutoTransform(false);
    if (index > 0 && !reader.jumpToImage(index)) {
        Refuse(error, QStringLiteral("The picture cannot be read"));
        return {};
    }
    const QSize size = reader.size();
    const int bits = QImage::toPixelFormat(reader.imageFormat()).bitsPerPixel();
    if (!size.isValid() || !MayDecodePicture(size.width(), size.height(), bits > 0 ? bits : 32)) {
        Refuse(error, QStringLiteral("The picture is empty or too large"));
        return {};
    }
    const QImage image = reader.read();
    if (image.isNull() || !PictureSizeAllowed(image.width(), image.height())) {
        Refuse(error, QStringLiteral("The picture cannot be read"));
        return {};
    }
    return image;
}
