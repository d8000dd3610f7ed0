#include "picturedecoder.h"

#include "picturebudget.h"

#include <QBuffer>
#include <QImageReader>

namespace {

const char* FormatName(TPictureFormat format)
{
    switch (format) {
    case TPictureFormat::Png:
        return "png";
    case TPictureFormat::Jpeg:
        return "jpeg";
    case TPictureFormat::Gif:
        return "gif";
    case TPictureFormat::Bmp:
        break;
    }
    return "bmp";
}

// Each format's bytes start with its own signature; others are not handed to its decoder at all.
bool HasSignature(const QByteArray& bytes, TPictureFormat format)
{
    switch (format) {
    case TPictureFormat::Png:
        return bytes.startsWith("\x89PNG\r\n\x1A\n");
    case TPictureFormat::Jpeg:
        return bytes.startsWith("\xFF\xD8\xFF");
    case TPictureFormat::Gif:
        return bytes.startsWith("GIF8");
    case TPictureFormat::Bmp:
        break;
    }
    return bytes.startsWith("BM");
}

// The most pixels the bytes of a format can carry: deflate packs at most 1032 bytes into one and a PNG pixel
// takes at least one bit; a JPEG spends at least one bit on every block of 8 × 8 pixels. Run lengths of a
// BMP can skip whole rows and GIF frames may be far smaller than the screen, so only the budget bounds those.
bool CanHold(qint64 bytes, QSize size, TPictureFormat format)
{
    const qint64 pixels = qint64(size.width()) * size.height();
    switch (format) {
    case TPictureFormat::Png:
        return pixels / 8 <= bytes * 1032;
    case TPictureFormat::Jpeg:
        return pixels / 64 <= bytes * 8;
    case TPictureFormat::Bmp:
    case TPictureFormat::Gif:
        break;
    }
    return true;
}

} // namespace

TDecodedPicture DecodePicture(const QByteArray& bytes, TPictureFormat format, TPictureBudget& budget)
{
    // Qt's own decoders stop at the same bound wherever they run, also where Almarin does not ask first.
    static const bool limited = [] {
        QImageReader::setAllocationLimit(int(TPictureBudget::kMaxDecodedBytes / (1024 * 1024)));
        return true;
    }();
    Q_UNUSED(limited);

    TDecodedPicture picture;
    if (!HasSignature(bytes, format))
        return picture;
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, FormatName(format));
    reader.setAutoDetectImageFormat(false);
    picture.statedSize = reader.size();
    const QSize size = picture.statedSize;
    if (size.width() <= 0 || size.height() <= 0) {
        picture.statedSize = QSize();
        return picture;
    }
    if (!CanHold(bytes.size(), size, format))
        return picture;
    const int bits = QImage::toPixelFormat(reader.imageFormat()).bitsPerPixel();
    if (!budget.Take(size, bits > 0 ? bits : 32)) {
        picture.outcome = TDecodedPicture::TOutcome::TooLarge;
        return picture;
    }
    QImage image = reader.read();
    if (image.isNull() || image.size() != size)
        return picture;
    picture.outcome = TDecodedPicture::TOutcome::Decoded;
    picture.image = std::move(image);
    return picture;
}
