// Pictures that a drag from another program or from the file manager carries: PNG, JPEG, BMP or GIF data
// of its own named type, a picture handed over inside Almarin, or local files of those kinds. Each is
// decoded only as the kind its type or file name names, within a picture budget of its own.
#pragma once

#include <QImage>
#include <QList>

class QMimeData;

QList<QImage> DroppedImages(const QMimeData* mime);
// Cheap test for drag-over: image data of a kind above, or a local file whose name says it is one.
bool CarriesImages(const QMimeData* mime);
