// Enhanced metafiles (EMF): the record structure is checked once on loading, then the records are played
// onto any painter through a device context, the picture frame filling the target rectangle.
#pragma once

#include <QByteArray>
#include <QRectF>
#include <QSizeF>
#include <QString>

class QPainter;

class TEmfPlayer
{
public:
    // Whether the bytes start with an enhanced metafile header.
    static bool Recognises(const QByteArray& bytes);

    // False, with the reason, when the file is damaged or gives no size.
    bool Load(const QByteArray& bytes, QString* error);
    // Width and height in pixels of 96 per inch.
    QSizeF NaturalSize() const;
    // False when the drawing stopped early: the picture cost more than it may at this target.
    bool Play(QPainter& painter, const QRectF& target) const;

private:
    QByteArray m_bytes;
    QRectF m_frame; // in the recording device's pixels
    QSizeF m_unitsPerMm;
    QSizeF m_naturalSize;
};
