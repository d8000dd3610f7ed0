#include "iconlibrary.h"

#include "bytereader.h"
#include "picturebudget.h"
#include "picturedecoder.h"

#include <QFile>
#include <QHash>
#include <QSet>

#include <algorithm>
#include <cstdlib>
#include <optional>

namespace {

// No icon library is anywhere near this; a larger file is not read into memory.
constexpr qint64 kMaxLibraryBytes = 64LL * 1024 * 1024;
// Icons are at most 256 x 256; a little room above that for odd but honest files.
constexpr int kMaxIconSide = 1024;
// The palette shows a few hundred icons at most, and an honest group offers a dozen sizes and depths; a
// library naming more is cut to these (the first groups, the first entries of each), so that its tables
// cannot multiply into a memory bomb.
constexpr qsizetype kMaxGroups = 1000;
constexpr qsizetype kMaxImagesPerGroup = 64;
// Images and groups a table may list before the rest are not looked at.
constexpr qsizetype kMaxResources = 65536;
constexpr int kRtIcon = 3;
constexpr int kRtGroupIcon = 14;
const QByteArray kPngSignature = QByteArrayLiteral("\x89PNG\r\n\x1a\n");

using TImageSpan = TIconLibrary::TImageSpan;
using TGroups = QList<QList<TImageSpan>>;

// A resource as the tables give it: its numeric id (or -1 for a named one) and where its bytes lie.
struct TResource
{
    int id = -1;
    TImageSpan span;
};

// The images a group directory names, found among the icons by id; ids that are missing are left out.
QList<TImageSpan> GroupImages(const TByteReader& in, TImageSpan group, const QHash<int, TImageSpan>& icons)
{
    QList<TImageSpan> images;
    const TByteReader dir(in.Mid(group.offset, group.size));
    if (dir.U16(2) != 1)
        return images;
    const int count = dir.U16(4);
    QSet<qint64> named;
    for (int i = 0; i < std::min<qsizetype>(count, kMaxImagesPerGroup) && dir.Holds(6 + 14 * qint64(i), 14); ++i) {
        const auto found = icons.constFind(dir.U16(6 + 14 * qint64(i) + 12));
        // An image named twice is one image.
        if (found != icons.cend() && !named.contains(found->offset)) {
            named.insert(found->offset);
            images.append(*found);
        }
    }
    return images;
}

TGroups Groups(const TByteReader& in, const QList<TResource>& icons, const QList<TResource>& groups)
{
    QHash<int, TImageSpan> byId;
    for (const TResource& icon : icons) {
        if (icon.id >= 0 && !byId.contains(icon.id))
            byId.insert(icon.id, icon.span);
    }
    TGroups result;
    for (const TResource& group : groups.first(std::min(groups.size(), kMaxGroups)))
        result.append(GroupImages(in, group.span, byId));
    return result;
}

std::optional<TGroups> IcoGroups(const TByteReader& in)
{
    const int count = in.U16(4);
    if (in.U16(0) != 0 || in.U16(2) != 1 || count == 0 || !in.Holds(6, 16 * qint64(count)))
        return std::nullopt;
    QList<TImageSpan> images;
    for (int i = 0; i < count && images.size() < kMaxImagesPerGroup; ++i) {
        const qint64 at = 6 + 16 * qint64(i);
        const TImageSpan span{in.U32(at + 12), in.U32(at + 8)};
        if (in.Holds(span.offset, span.size))
            images.append(span);
    }
    return TGroups{images};
}

// 16-bit resource table: an alignment shift, then per type its resources, ended by a zero type.
std::optional<TGroups> NeGroups(const TByteReader& in, qint64 header)
{
    const qint64 table = header + in.U16(header + 0x24);
    if (in.U16(header + 0x24) == in.U16(header + 0x26))
        return TGroups{};
    const int shift = in.U16(table);
    if (!in.Holds(table, 2) || shift > 24)
        return std::nullopt;
    QList<TResource> icons, groups;
    qint64 at = table + 2;
    while (true) {
        if (!in.Holds(at, 2))
            return std::nullopt;
        const int type = in.U16(at);
        if (type == 0)
            break;
        const int count = in.U16(at + 2);
        at += 8;
        if (!in.Holds(at, 12 * qint64(count)))
            return std::nullopt;
        for (int i = 0; i < count; ++i, at += 12) {
            const int id = in.U16(at + 6);
            TResource resource{id & 0x8000 ? id & 0x7FFF : -1,
                               {qint64(in.U16(at)) << shift, qint64(in.U16(at + 2)) << shift}};
            // The last resource's length counts alignment the file may not hold.
            resource.span.size = qMin(resource.span.size, qMax<qint64>(0, in.Size() - resource.span.offset));
            if (type == (0x8000 | kRtIcon) && icons.size() < kMaxResources)
                icons.append(resource);
            else if (type == (0x8000 | kRtGroupIcon) && groups.size() < kMaxGroups)
                groups.append(resource);
        }
    }
    return Groups(in, icons, groups);
}

// 32-bit images address their resources by relative virtual address, which the sections map to the file.
class TPeImage
{
public:
    TPeImage(const TByteReader& in, qint64 header) : m_in(in)
    {
        const qint64 coff = header + 4;
        const int sections = in.U16(coff + 2);
        const qint64 optional = coff + 20;
        const int magic = in.U16(optional);
        const qint64 directories = magic == 0x10b ? optional + 96 : magic == 0x20b ? optional + 112 : -1;
        if (directories < 0 || in.U32(directories - 4) < 3)
            return;
        m_sectionTable = optional + in.U16(coff + 16);
        m_sections = sections;
        const std::optional<qint64> root = FileOffset(in.U32(directories + 16), 16);
        m_root = root.value_or(-1);
    }

    bool HasResources() const { return m_root >= 0; }

    std::optional<qint64> FileOffset(quint32 rva, qint64 size) const
    {
        for (int i = 0; i < m_sections; ++i) {
            const qint64 s = m_sectionTable + 40 * qint64(i);
            if (!m_in.Holds(s, 40))
                return std::nullopt;
            const qint64 address = m_in.U32(s + 12);
            const qint64 raw = m_in.U32(s + 16);
            if (rva >= address && rva - address < raw) {
                const qint64 offset = m_in.U32(s + 20) + (rva - address);
                if (rva - address + size > raw || !m_in.Holds(offset, size))
                    return std::nullopt;
                return offset;
            }
        }
        return std::nullopt;
    }

    // The resources of one type, each with its first language, in the directory's order.
    std::optional<QList<TResource>> OfType(int type) const
    {
        QList<TResource> found;
        const std::optional<qint64> typeDir =
            SubDirectory(m_root, [type](quint32 name) { return name == quint32(type); });
        if (!typeDir)
            return found;
        const auto entries = Entries(*typeDir);
        if (!entries)
            return std::nullopt;
        for (const auto& [name, target] : *entries) {
            if (found.size() >= kMaxResources)
                break;
            if (!(target & 0x80000000u))
                continue;
            const qint64 languages = m_root + (target & 0x7FFFFFFFu);
            const auto leaves = Entries(languages);
            if (!leaves)
                return std::nullopt;
            if (leaves->isEmpty() || (leaves->first().second & 0x80000000u))
                continue;
            const qint64 data = m_root + leaves->first().second;
            if (!m_in.Holds(data, 16))
                return std::nullopt;
            const qint64 size = m_in.U32(data + 4);
            if (const std::optional<qint64> offset = FileOffset(m_in.U32(data), size))
                found.append(TResource{name & 0x80000000u ? -1 : int(name & 0xFFFF), {*offset, size}});
        }
        return found;
    }

private:
    using TEntry = std::pair<quint32, quint32>;

    std::optional<QList<TEntry>> Entries(qint64 directory) const
    {
        const qint64 count = qint64(m_in.U16(directory + 12)) + m_in.U16(directory + 14);
        if (!m_in.Holds(directory, 16 + 8 * count))
            return std::nullopt;
        QList<TEntry> entries;
        for (qint64 i = 0; i < count; ++i)
            entries.append({m_in.U32(directory + 16 + 8 * i), m_in.U32(directory + 20 + 8 * i)});
        return entries;
    }

    template <class Match> std::optional<qint64> SubDirectory(qint64 directory, Match match) const
    {
        const auto entries = Entries(directory);
        if (!entries)
            return std::nullopt;
        for (const auto& [name, target] : *entries) {
            if (match(name) && (target & 0x80000000u))
                return m_root + (target & 0x7FFFFFFFu);
        }
        return std::nullopt;
    }

    const TByteReader& m_in;
    qint64 m_sectionTable = 0;
    int m_sections = 0;
    qint64 m_root = -1;
};

std::optional<TGroups> PeGroups(const TByteReader& in, qint64 header)
{
    const TPeImage image(in, header);
    if (!image.HasResources())
        return TGroups{};
    const auto icons = image.OfType(kRtIcon);
    const auto groups = image.OfType(kRtGroupIcon);
    if (!icons || !groups)
        return std::nullopt;
    return Groups(in, *icons, *groups);
}

TGroups ReadGroups(const QByteArray& bytes)
{
    const TByteReader in(bytes);
    std::optional<TGroups> groups;
    if (in.U8(0) == 'M' && in.U8(1) == 'Z') {
        const qint64 header = in.U32(0x3C);
        if (in.U8(header) == 'N' && in.U8(header + 1) == 'E')
            groups = NeGroups(in, header);
        else if (in.U32(header) == 0x4550)
            groups = PeGroups(in, header);
    } else {
        groups = IcoGroups(in);
    }
    return groups.value_or(TGroups{});
}

// Width, height and bits per pixel of an image as its own header states them.
struct TImageShape
{
    int width = 0;
    int height = 0;
    int bits = 0;
};

std::optional<TImageShape> ShapeOf(QByteArrayView data)
{
    const TByteReader in(data);
    TImageShape shape;
    if (data.startsWith(kPngSignature)) {
        auto be32 = [&](qint64 at) {
            return qint64(in.U8(at)) << 24 | in.U8(at + 1) << 16 | in.U8(at + 2) << 8 | in.U8(at + 3);
        };
        shape = {int(qMin<qint64>(be32(16), INT_MAX)), int(qMin<qint64>(be32(20), INT_MAX)), 32};
    } else {
        if (in.U32(0) < 40)
            return std::nullopt;
        shape = {in.I32(4), in.I32(8) / 2, in.U16(14)};
    }
    if (shape.width <= 0 || shape.height <= 0 || shape.width > kMaxIconSide || shape.height > kMaxIconSide)
        return std::nullopt;
    return shape;
}

QImage DecodeDibIcon(const TByteReader& in, TImageShape shape)
{
    const qint64 headerSize = in.U32(0);
    const quint32 compression = in.U32(16);
    const int bits = shape.bits;
    if ((bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32) || in.U16(12) != 1 ||
        !(compression == 0 || (compression == 3 && bits == 32)) || headerSize > 1024)
        return {};
    const qint64 used = in.U32(32);
    const qint64 colours = bits <= 8 && !used ? 1 << bits : used;
    if (colours > 256 || (bits <= 8 && colours > (1 << bits)))
        return {};
    const qint64 palette = headerSize + (compression == 3 && headerSize == 40 ? 12 : 0);
    const qint64 pixels = palette + 4 * colours;
    const qint64 stride = (qint64(shape.width) * bits + 31) / 32 * 4;
    const qint64 maskStride = (qint64(shape.width) + 31) / 32 * 4;
    const qint64 maskAt = pixels + stride * shape.height;
    if (!in.Holds(pixels, stride * shape.height))
        return {};
    // Some writers leave the mask out of images with an alpha channel; without one every pixel shows.
    const bool hasMask = in.Holds(maskAt, maskStride * shape.height);

    QImage image(shape.width, shape.height, QImage::Format_ARGB32);
    bool anyAlpha = false;
    for (int y = 0; y < shape.height; ++y) {
        const qint64 row = pixels + stride * (shape.height - 1 - y);
        auto* out = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < shape.width; ++x) {
            QRgb colour;
            if (bits <= 8) {
                const qint64 bit = qint64(x) * bits;
                const int index = (in.U8(row + bit / 8) >> (8 - bits - bit % 8)) & ((1 << bits) - 1);
                const qint64 entry = palette + 4 * index;
                colour = index < colours ? qRgb(in.U8(entry + 2), in.U8(entry + 1), in.U8(entry)) : qRgb(0, 0, 0);
            } else {
                const qint64 p = row + qint64(x) * (bits / 8);
                const int alpha = bits == 32 ? in.U8(p + 3) : 255;
                anyAlpha = anyAlpha || (bits == 32 && alpha != 0);
                colour = qRgba(in.U8(p + 2), in.U8(p + 1), in.U8(p), alpha);
            }
            out[x] = colour;
        }
    }
    // A 32-bit image whose alpha is all zero relies on its mask, as older programs wrote it.
    const bool useMask = hasMask && !(bits == 32 && anyAlpha);
    for (int y = 0; y < shape.height; ++y) {
        const qint64 row = maskAt + maskStride * (shape.height - 1 - y);
        auto* out = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < shape.width; ++x) {
            if (!useMask) {
                if (bits == 32 && !anyAlpha)
                    out[x] |= 0xFF000000u;
                continue;
            }
            const bool transparent = (in.U8(row + x / 8) >> (7 - x % 8)) & 1;
            out[x] = transparent ? qRgba(qRed(out[x]), qGreen(out[x]), qBlue(out[x]), 0) : out[x] | 0xFF000000u;
        }
    }
    return image;
}

} // namespace

QImage DecodeIconImage(QByteArrayView data)
{
    const std::optional<TImageShape> shape = ShapeOf(data);
    if (!shape)
        return {};
    if (data.startsWith(kPngSignature)) {
        TPictureBudget budget;
        return DecodePicture(data.toByteArray(), TPictureFormat::Png, budget)
            .image.convertToFormat(QImage::Format_ARGB32);
    }
    return DecodeDibIcon(TByteReader(data), *shape);
}

TIconLibrary::TIconLibrary(QByteArray bytes) : m_bytes(std::move(bytes)), m_groups(ReadGroups(m_bytes)) {}

TIconLibrary TIconLibrary::FromFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxLibraryBytes)
        return {};
    return TIconLibrary(file.readAll());
}

QImage TIconLibrary::Icon(int index) const
{
    if (index < 0 || index >= m_groups.size())
        return {};
    const TByteReader in(m_bytes);
    // The image closest to the system size, the deepest colours among equals.
    std::optional<TImageSpan> best;
    qint64 bestScore = 0;
    for (const TImageSpan& span : m_groups[index]) {
        const std::optional<TImageShape> shape = ShapeOf(in.Mid(span.offset, span.size));
        if (!shape)
            continue;
        const qint64 distance = std::abs(shape->width - kSystemIconSize) + std::abs(shape->height - kSystemIconSize);
        const qint64 score = distance * 64 - qMin(shape->bits, 32);
        if (!best || score < bestScore) {
            best = span;
            bestScore = score;
        }
    }
    if (!best)
        return {};
    // Groups may share their images: each is decoded once.
    const auto cached = m_decoded.constFind(best->offset);
    if (cached != m_decoded.cend())
        return *cached;
    QImage image = DecodeIconImage(in.Mid(best->offset, best->size));
    if (!image.isNull() && image.size() != QSize(kSystemIconSize, kSystemIconSize))
        image = image.scaled(kSystemIconSize, kSystemIconSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    m_decoded.insert(best->offset, image);
    return image;
}
