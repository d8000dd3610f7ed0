#include "picturereading.h"

#include <QBuffer>
#include <QImageReader>

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
    reader.setAutoTransform(false);
    if (index > 0 && !reader.jumpToImage(index)) {
        Refuse(error, QStringLiteral("The picture cannot be read"));
        return {};
    }
    const QSize size = reader.size();
    if (size.isValid() && !PictureSizeAllowed(size.width(), size.height())) {
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
