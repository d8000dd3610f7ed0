// Holds the one graphic of a picture: a bitmap, a Windows metafile, an icon or an SVG drawing. Loads files
// by their content,
// draws stretched into any rectangle, tells a listener when the graphic changes, and reads and writes the
// "Picture.Data" form in which documents keep it.
#pragma once

#include "metafile.h"

#include <QByteArray>
#include <QImage>
#include <QString>

#include <functional>
#include <memory>

class QPainter;
class QRectF;
class QSvgRenderer;

class TPicture
{
public:
    enum class Kind { Empty, Bitmap, Metafile, Icon, Svg };

    TPicture() = default;
    // Copies the graphic; the change listener stays with the original.
    TPicture(const TPicture& other);
    TPicture& operator=(const TPicture&) = delete;

    Kind GraphicKind() const { return m_kind; }
    bool IsEmpty() const { return m_kind == Kind::Empty; }
    int Width() const;
    int Height() const;
    // The pixels of a bitmap or an icon; null for a metafile or an SVG drawing.
    const QImage& Image() const { return m_image; }
    const TMetafile& Metafile() const { return m_metafile; }

    // BMP, PNG and JPEG files become bitmaps (JPEG decoded to 256 colours), WMF and EMF files metafiles, ICO
    // and CUR files icons, SVG files drawings kept as vectors, whatever the file's extension. On failure the
    // picture stays as it was.
    bool LoadFromFile(const QString& path, QString* error = nullptr);
    bool LoadFromData(const QByteArray& bytes, QString* error = nullptr);
    void SetBitmap(const QImage& image);
    void Assign(const TPicture& other);
    void Clear();

    void StretchDraw(QPainter& painter, const QRectF& target) const;

    // The graphic's class name as a short string ("TBitmap", "TMetafile", "TIcon", "TSvgGraphic"), then for
    // a bitmap a 32-bit length and a BMP file, for a metafile a 32-bit length and the metafile, for an icon
    // the ICO file, for an SVG drawing a 32-bit length and the SVG document; empty for an empty picture.
    QByteArray WriteData() const;
    // Reads that form, decoding the data only as the class it names. On failure the picture stays as it was.
    bool ReadData(const QByteArray& data, QString* error = nullptr);

    void SetOnChange(std::function<void()> listener) { m_onChange = std::move(listener); }

private:
    bool SetGraphic(Kind kind, const QByteArray& bytes, QString* error);
    void Changed();

    Kind m_kind = Kind::Empty;
    QByteArray m_data; // the BMP, metafile, ICO or SVG bytes that documents keep
    QImage m_image;
    TMetafile m_metafile;
    std::shared_ptr<QSvgRenderer> m_svg;
    std::function<void()> m_onChange;
};
