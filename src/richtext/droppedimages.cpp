#include "droppedimages.h"

#include <QImageReader>
#include <QMimeData>
#include <QUrl>

QList<QImage> DroppedImages(const QMimeData* mime)
{
    QList<QImage> images;
    if (!mime)
        return images;
    if (mime->hasImage()) {
        const QImage image = qvariant_cast<QImage>(mime->imageData());
        if (!image.isNull())
            images.append(image);
        return images;
    }
    for (const QUrl& url : mime->urls()) {
        if (!url.isLocalFile())
            continue;
        QImageReader reader(url.toLocalFile());
        reader.setAutoTransform(true);
        const QImage image = reader.read();
        if (!image.isNull())
            images.append(image);
    }
    return images;
}

bool CarriesImages(const QMimeData* mime)
{
    if (!mime)
        return false;
    if (mime->hasImage())
        return true;
    for (const QUrl& url : mime->urls()) {
        if (url.isLocalFile() && !QImageReader::imageFormat(url.toLocalFile()).isEmpty())
            return true;
    }
    return false;
}
