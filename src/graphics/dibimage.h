// Device-independent bitmaps as BMP files and metafile records hold them, checked before anything is
// allocated and decoded only as bitmaps.
#pragma once

#include <QByteArrayView>
#include <QImage>
#include <QString>

struct TDibImage
{
    QImage image;
    // Rows were stored bottom row first, so source rectangles given in the file count rows from the bottom.
    bool bottomUp = true;
};

// A header with its colour table in `info` and the pixel rows in `bits`; a null image and the reason in
// `error` when the bitmap is damaged, compressed as JPEG or PNG, or above the picture size limit.
TDibImage DecodeDib(QByteArrayView info, QByteArrayView bits, QString* error = nullptr);
// Header, colour table and rows in one block, as pattern brushes and the older metafile records keep them.
TDibImage DecodePackedDib(QByteArrayView dib, QString* error = nullptr);
// A whole BMP file ("BM" header first).
QImage DecodeBmpFile(QByteArrayView file, QString* error = nullptr);
