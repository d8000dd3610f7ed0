#include "picture.h"

#include "bytereader.h"
#include "dibimage.h"
#include "jpegdecoder.h"
#include "picturereading.h"
#include "svgreading.h"

#include <QBuffer>
#include <QFile>
#include <QImageWriter>
#include <QPainter>
#include <QSvgRenderer>

namespace {

constexpr qint64 kMaxFileSize = 256LL * 1024 * 1024;
const QByteArray kBitmapClass = QByteArrayLiteral("TBitmap");
const QByteArray kMetafileClass = QByteArrayLiteral("TMetafile");
const QByteArray kIconClass = QByteArrayLiteral("TIcon");
const QByteArray kSvgClass = QByteArrayLiteral("TSvgGraphic");

bool IsIcon(const QByteArray& bytes)
{
    const TByteReader in(bytes);
    return in.U16(0) == 0 && (in.U16(2) == 1 || in.U16(2) == 2) && in.U16(4) > 0;
}

// The image of an icon file closest to the standard 32 x 32 icon, through Qt's reader told the format.
QImage DecodeIcon(const QByteArray& bytes, QString* error)
{
    const TByteReader in(bytes);
    const int count = in.U16(4);
    if (!IsIcon(bytes) || !in.Holds(6, qint64(count) * 16)) {
        Refuse(error, QStringLiteral("Not an icon file"));
        return {};
    }
    int best = 0;
    qint64 bestScore = -1;
    for (int i = 0; i < count; ++i) {
        const qint64 at = 6 + 16 * qint64(i);
        const int width = in.U8(at) ? in.U8(at) : 256;
        const int height = in.U8(at + 1) ? in.U8(at + 1) : 256;
        const qint64 score =
            (width == 32 && height == 32 ? 1LL << 40 : 0) + qint64(width) * height * 64 + in.U16(at + 6);
        if (score > bestScore) {
            bestScore = score;
            best = i;
        }
    }
    return ReadImageAs(bytes, in.U16(2) == 1 ? "ico" : "cur", error, best);
}

QByteArray EncodeBmp(const QImage& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "bmp");
    return writer.write(image) ? bytes : QByteArray();
}

void AppendU32(QByteArray& bytes, quint32 value)
{
    for (int i = 0; i < 4; ++i)
        bytes.append(static_cast<char>(value >> (8 * i) & 0xFF));
}

} // namespace

TPicture::TPicture(const TPicture& other)
    : m_kind(other.m_kind), m_data(other.m_data), m_image(other.m_image), m_metafile(other.m_metafile),
      m_svg(other.m_svg)
{
}

int TPicture::Width() const
{
    return m_kind == Kind::Metafile ? m_metafile.Size().width()
           : m_kind == Kind::Svg    ? m_svg->defaultSize().width()
                                    : m_image.width();
}

int TPicture::Height() const
{
    return m_kind == Kind::Metafile ? m_metafile.Size().height()
           : m_kind == Kind::Svg    ? m_svg->defaultSize().height()
                                    : m_image.height();
}

bool TPicture::LoadFromFile(const QString& path, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Refuse(error, file.errorString());
    if (file.size() > kMaxFileSize)
        return Refuse(error, QStringLiteral("The file is too large"));
    return LoadFromData(file.readAll(), error);
}

bool TPicture::LoadFromData(const QByteArray& bytes, QString* error)
{
    if (bytes.startsWith("BM"))
        return SetGraphic(Kind::Bitmap, bytes, error);
    if (TMetafile::Recognises(bytes))
        return SetGraphic(Kind::Metafile, bytes, error);
    if (IsIcon(bytes))
        return SetGraphic(Kind::Icon, bytes, error);
    QImage image;
    if (bytes.startsWith("\xFF\xD8\xFF"))
        image = DecodeJpeg(bytes, error);
    else if (bytes.startsWith("\x89PNG\r\n\x1A\n"))
        image = ReadImageAs(bytes, "png", error);
    else if (LooksLikeSvg(bytes))
        return SetGraphic(Kind::Svg, bytes, error);
    else
        return Refuse(error, QStringLiteral("The file holds no picture Almarin can read"));
    if (image.isNull())
        return false;
    SetBitmap(image);
    return true;
}

void TPicture::SetBitmap(const QImage& image)
{
    // Kept as the BMP file documents store, and shown as that file reads back.
    const QByteArray bytes = EncodeBmp(image);
    if (bytes.isEmpty() || !SetGraphic(Kind::Bitmap, bytes, nullptr))
        Clear();
}

bool TPicture::SetGraphic(Kind kind, const QByteArray& bytes, QString* error)
{
    QImage image;
    TMetafile metafile;
    std::shared_ptr<QSvgRenderer> svg;
    if (kind == Kind::Bitmap)
        image = DecodeBmpFile(bytes, error);
    else if (kind == Kind::Icon)
        image = DecodeIcon(bytes, error);
    else if (kind == Kind::Svg)
        svg = ReadSvg(bytes, error);
    else if (!metafile.Load(bytes, error))
        return false;
    if ((kind == Kind::Bitmap || kind == Kind::Icon) && image.isNull())
        return false;
    if (kind == Kind::Svg && !svg)
        return false;
    m_kind = kind;
    m_data = bytes;
    m_image = image;
    m_metafile = metafile;
    m_svg = svg;
    Changed();
    return true;
}

void TPicture::Assign(const TPicture& other)
{
    m_kind = other.m_kind;
    m_data = other.m_data;
    m_image = other.m_image;
    m_metafile = other.m_metafile;
    m_svg = other.m_svg;
    Changed();
}

void TPicture::Clear()
{
    m_kind = Kind::Empty;
    m_data.clear();
    m_image = QImage();
    m_metafile.Clear();
    m_svg.reset();
    Changed();
}

void TPicture::StretchDraw(QPainter& painter, const QRectF& target) const
{
    if (m_kind == Kind::Metafile)
        m_metafile.Draw(painter, target);
    else if (m_kind == Kind::Svg)
        m_svg->render(&painter, target);
    else if (!m_image.isNull())
        painter.drawImage(target, m_image);
}

QByteArray TPicture::WriteData() const
{
    const QByteArray& name = m_kind == Kind::Bitmap     ? kBitmapClass
                             : m_kind == Kind::Metafile ? kMetafileClass
                             : m_kind == Kind::Icon     ? kIconClass
                             : m_kind == Kind::Svg      ? kSvgClass
                                                        : QByteArray();
    if (name.isEmpty())
        return {};
    QByteArray data;
    data.append(static_cast<char>(name.size()));
    data.append(name);
    if (m_kind != Kind::Icon)
        AppendU32(data, static_cast<quint32>(m_data.size()));
    data.append(m_data);
    return data;
}

bool TPicture::ReadData(const QByteArray& data, QString* error)
{
    const TByteReader in(data);
    const qint64 nameLength = in.U8(0);
    if (data.isEmpty() || nameLength == 0) {
        Clear();
        return true;
    }
    if (!in.Holds(1, nameLength))
        return Refuse(error, QStringLiteral("The picture data is cut short"));
    const QByteArray name = data.mid(1, nameLength);
    const qint64 at = 1 + nameLength;
    if (name == kIconClass)
        return SetGraphic(Kind::Icon, data.mid(at), error);
    const Kind kind = name == kBitmapClass     ? Kind::Bitmap
                      : name == kMetafileClass ? Kind::Metafile
                      : name == kSvgClass      ? Kind::Svg
                                               : Kind::Empty;
    if (kind == Kind::Empty)
        return Refuse(error, QStringLiteral("The picture data names an unknown graphic"));
    const qint64 length = in.U32(at);
    if (!in.Holds(at, 4) || !in.Holds(at + 4, length))
        return Refuse(error, QStringLiteral("The picture data is cut short"));
    if (length == 0) {
        Clear();
        return true;
    }
    return SetGraphic(kind, data.mid(at + 4, length), error);
}

void TPicture::Changed()
{
    if (m_onChange)
        m_onChange();
}
