#include "droppedimages.h"

#include "graphics/picturebudget.h"
#include "graphics/picturedecoder.h"

#include <QFile>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

#include <optional>

namespace {

struct TImageType
{
    const char* mimeType;
    TPictureFormat format;
};

constexpr TImageType kImageTypes[] = {{"image/png", TPictureFormat::Png},
                                      {"image/jpeg", TPictureFormat::Jpeg},
                                      {"image/bmp", TPictureFormat::Bmp},
                                      {"image/gif", TPictureFormat::Gif}};

std::optional<TPictureFormat> FormatOfFile(const QString& path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("png"))
        return TPictureFormat::Png;
    if (suffix == QLatin1String("jpg") || suffix == QLatin1String("jpeg") || suffix == QLatin1String("jpe") ||
        suffix == QLatin1String("jif") || suffix == QLatin1String("jfif"))
        return TPictureFormat::Jpeg;
    if (suffix == QLatin1String("bmp") || suffix == QLatin1String("dib"))
        return TPictureFormat::Bmp;
    if (suffix == QLatin1String("gif"))
        return TPictureFormat::Gif;
    return std::nullopt;
}

std::optional<TPictureFormat> FormatOfUrl(const QUrl& url)
{
    return url.isLocalFile() ? FormatOfFile(url.toLocalFile()) : std::nullopt;
}

bool HasAnyImageType(const QMimeData& mime)
{
    for (const QString& type : mime.formats()) {
        if (type.startsWith(QLatin1String("image/")))
            return true;
    }
    return false;
}

// Image data in a format of its own that the list above does not name (SVG, for one) is not taken, also
// not through the toolkit's guess; an image without such a format was handed over as pixels.
bool CarriesPixelsOnly(const QMimeData& mime)
{
    return mime.hasImage() && !HasAnyImageType(mime);
}

QImage Decoded(const QByteArray& bytes, TPictureFormat format)
{
    TPictureBudget budget;
    return DecodePicture(bytes, format, budget).image;
}

// Only a plain file is read, and none larger than a picture may decode to.
QImage ImageFile(const QString& path, TPictureFormat format)
{
    const QFileInfo info(path);
    if (!info.isFile() || info.size() > TPictureBudget::kMaxDecodedBytes)
        return {};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return Decoded(file.readAll(), format);
}

} // namespace

QList<QImage> DroppedImages(const QMimeData* mime)
{
    QList<QImage> images;
    if (!mime)
        return images;
    for (const TImageType& type : kImageTypes) {
        const QString name = QLatin1String(type.mimeType);
        if (!mime->hasFormat(name))
            continue;
        const QImage image = Decoded(mime->data(name), type.format);
        if (!image.isNull()) {
            images.append(image);
            return images;
        }
    }
    if (CarriesPixelsOnly(*mime)) {
        const QImage image = qvariant_cast<QImage>(mime->imageData());
        if (!image.isNull())
            images.append(image);
        return images;
    }
    for (const QUrl& url : mime->urls()) {
        if (const auto format = FormatOfUrl(url)) {
            const QImage image = ImageFile(url.toLocalFile(), *format);
            if (!image.isNull())
                images.append(image);
        }
    }
    return images;
}

bool CarriesImages(const QMimeData* mime)
{
    if (!mime)
        return false;
    for (const TImageType& type : kImageTypes) {
        if (mime->hasFormat(QLatin1String(type.mimeType)))
            return true;
    }
    if (CarriesPixelsOnly(*mime))
        return true;
    for (const QUrl& url : mime->urls()) {
        if (FormatOfUrl(url))
            return true;
    }
    return false;
}
