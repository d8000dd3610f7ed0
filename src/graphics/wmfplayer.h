// Windows metafiles (WMF, with or without the placeable header): the record structure is checked once on
// loading, then the records are played onto any painter through a device context.
#pragma once

#include <QByteArray>
#include <QRectF>
#include <QSizeF>
#include <QString>

class QPainter;

class TWmfPlayer
{
public:
    // Whether the bytes start like a WMF, placeable or not.
    static bool Recognises(const QByteArray& bytes);

    // False, with the reason, when the file is damaged or gives no size.
    bool Load(const QByteArray& bytes, QString* error);
    // Width and height in pixels of 96 per inch.
    QSizeF NaturalSize() const;
    // False when the drawing stopped early: the picture cost more than it may at this target.
    bool Play(QPainter& painter, const QRectF& target) const;

private:
    QByteArray m_bytes;
    qsizetype m_firstRecord = 0;
    QRectF m_frame; // the picture's rectangle in its own logical units
    double m_unitsPerInch = 96;
};
