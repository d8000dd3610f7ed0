// A vector picture read from a file and stretched into any rectangle: border art and, once the
// metafile player exists, Windows metafiles through the same loader.
#pragma once

#include <QPicture>
#include <QString>

class QPainter;
class QRectF;

class TVectorPicture
{
public:
    // Reads the file; false (and an empty picture) when it cannot be read as a vector picture.
    bool LoadFromFile(const QString& path);
    void Clear();
    bool IsEmpty() const;
    // Stretches the whole picture into the rectangle, ignoring its own proportions.
    void StretchDraw(QPainter& painter, const QRectF& target) const;

private:
    QPicture m_picture;
    QRectF m_bounds;
};
