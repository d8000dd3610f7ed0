// A vector picture read from a file and stretched into any rectangle on any device: border art, as SVG or
// as a Windows metafile (WMF or EMF), whichever the file's content is.
#pragma once

#include "metafile.h"

#include <QString>

#include <memory>

class QPainter;
class QRectF;
class QSvgRenderer;

class TVectorPicture
{
public:
    TVectorPicture();
    ~TVectorPicture();

    // Reads the file; false (and an empty picture) when it cannot be read as a vector picture.
    bool LoadFromFile(const QString& path);
    void Clear();
    bool IsEmpty() const;
    // Stretches the whole picture into the rectangle, ignoring its own proportions.
    void StretchDraw(QPainter& painter, const QRectF& target) const;

private:
    std::shared_ptr<QSvgRenderer> m_svg;
    TMetafile m_metafile;
};
