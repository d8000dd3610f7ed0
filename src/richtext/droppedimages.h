// Pictures that a drag from another program or from the file manager carries: image data, or
// local image files.
#pragma once

#include <QImage>
#include <QList>

class QMimeData;

QList<QImage> DroppedImages(const QMimeData* mime);
// Cheap test for drag-over: image data, or a local file whose contents look like an image.
bool CarriesImages(const QMimeData* mime);
