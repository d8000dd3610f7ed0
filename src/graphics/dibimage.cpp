#include "dibimage.h"

#include "bytereader.h"
#include "picturereading.h"

namespace {

constexpr int kFileHeaderSize = 14;
constexpr quint32 kCoreHeaderSize = 12;
constexpr quint32 kInfoHeaderSize = 40;
enum : quint32 { BiRgb = 0, BiRle8 = 1, BiRle4 = 2, BiBitfields = 3 };

struct TDibLayout
{
    qint64 width = 0;
    qint64 height = 0; // negative: top row first
    int bitCount = 0;
    quint32 compression = BiRgb;
    qint64 infoSize = 0; // header, masks and colour table
};

bool ReadLayout(const TByteReader& in, TDibLayout* layout, QString* error)
{
    const quint32 headerSize = in.U32(0);
    qint64 colours = 0;
    int entrySize = 4;
    if (headerSize == kCoreHeaderSize) {
        layout->width = in.U16(4);
        layout->height = in.U16(6);
        layout->bitCount = in.U16(10);
        entrySize = 3;
        if (layout->bitCount <= 8)
            colours = qint64(1) << layout->bitCount;
    } else if (headerSize >= kInfoHeaderSize && headerSize <= 256) {
        layout->width = in.I32(4);
        layout->height = in.I32(8);
        layout->bitCount = in.U16(14);
        layout->compression = in.U32(16);
        const quint32 used = in.U32(32);
        if (layout->bitCount <= 8) {
            if (used > 256)
                return Refuse(error, QStringLiteral("The bitmap's colour table is damaged"));
            colours = used ? used : qint64(1) << layout->bitCount;
        } else if (used <= 256) {
            colours = used;
        } else {
            return Refuse(error, QStringLiteral("The bitmap's colour table is damaged"));
        }
    } else {
        return Refuse(error, QStringLiteral("The bitmap header is damaged"));
    }
    const int bits = layout->bitCount;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32)
        return Refuse(error, QStringLiteral("The bitmap has an unknown colour depth"));
    const quint32 c = layout->compression;
    const bool known = c == BiRgb || (c == BiRle8 && bits == 8) || (c == BiRle4 && bits == 4) ||
                       (c == BiBitfields && (bits == 16 || bits == 32));
    if (!known)
        return Refuse(error, QStringLiteral("The bitmap's compression is not supported"));
    if ((c == BiRle8 || c == BiRle4) && layout->height < 0)
        return Refuse(error, QStringLiteral("The bitmap header is damaged"));
    if (!PictureSizeAllowed(layout->width, layout->height < 0 ? -layout->height : layout->height))
        return Refuse(error, QStringLiteral("The bitmap is empty or too large"));
    const qint64 masks = (c == BiBitfields && headerSize == kInfoHeaderSize) ? 12 : 0;
    layout->infoSize = headerSize + masks + colours * entrySize;
    if (!in.Holds(0, layout->infoSize))
        return Refuse(error, QStringLiteral("The bitmap header is cut short"));
    return true;
}

} // namespace

TDibImage DecodeDib(QByteArrayView info, QByteArrayView bits, QString* error)
{
    const TByteReader in(info);
    TDibLayout layout;
    if (!ReadLayout(in, &layout, error))
        return {};
    if (layout.compression == BiRgb || layout.compression == BiBitfields) {
        const qint64 stride = ((layout.width * layout.bitCount + 31) / 32) * 4;
        const qint64 rows = layout.height < 0 ? -layout.height : layout.height;
        if (bits.size() / stride < rows) {
            Refuse(error, QStringLiteral("The bitmap's pixels are cut short"));
            return {};
        }
    }
    // Qt's reader takes whole files: put the file header the block lacks in front of it.
    const qint64 offset = kFileHeaderSize + layout.infoSize;
    QByteArray file;
    file.reserve(offset + bits.size());
    const quint32 total = static_cast<quint32>(qMin<qint64>(offset + bits.size(), 0xFFFFFFFF));
    const char header[kFileHeaderSize] = {'B',
                                          'M',
                                          char(total & 0xFF),
                                          char(total >> 8 & 0xFF),
                                          char(total >> 16 & 0xFF),
                                          char(total >> 24 & 0xFF),
                                          0,
                                          0,
                                          0,
                                          0,
                                          char(offset & 0xFF),
                                          char(offset >> 8 & 0xFF),
                                          0,
                                          0};
    file.append(header, kFileHeaderSize);
    file.append(info.first(layout.infoSize));
    file.append(bits);
    TDibImage result;
    result.image = ReadImageAs(file, "bmp", error);
    result.bottomUp = layout.height > 0;
    return result;
}

TDibImage DecodePackedDib(QByteArrayView dib, QString* error)
{
    const TByteReader in(dib);
    TDibLayout layout;
    if (!ReadLayout(in, &layout, error))
        return {};
    return DecodeDib(dib.first(layout.infoSize), dib.sliced(layout.infoSize), error);
}

QImage DecodeBmpFile(QByteArrayView file, QString* error)
{
    const TByteReader in(file);
    if (in.U8(0) != 'B' || in.U8(1) != 'M') {
        Refuse(error, QStringLiteral("Not a bitmap file"));
        return {};
    }
    const QByteArrayView info = file.sliced(qMin<qsizetype>(kFileHeaderSize, file.size()));
    const qint64 bitsAt = in.U32(10);
    TDibLayout layout;
    if (!ReadLayout(TByteReader(info), &layout, error))
        return {};
    if (bitsAt < kFileHeaderSize + layout.infoSize || bitsAt > file.size()) {
        Refuse(error, QStringLiteral("The bitmap header is damaged"));
        return {};
    }
    return DecodeDib(info.first(layout.infoSize), file.sliced(bitsAt), error).image;
}
