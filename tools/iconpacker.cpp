// Build-time packer: renders an icon sheet drawn in SVG (32 x 32 cells, left to right and top to bottom,
// empty cells skipped) and writes the icons as a 16-bit icon library that any program reading such
// libraries can open: one 32 x 32 icon with alpha and mask per group.
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSaveFile>
#include <QSvgRenderer>

#include <cstdio>

namespace {

constexpr int kSide = 32;
constexpr int kAlignShift = 3;

class TWriter
{
public:
    QByteArray bytes;
    void U8(int v) { bytes.append(char(v & 0xFF)); }
    void U16(int v)
    {
        U8(v);
        U8(v >> 8);
    }
    void U32(quint32 v)
    {
        U16(int(v & 0xFFFF));
        U16(int(v >> 16));
    }
    void At16(qsizetype at, int v)
    {
        bytes[at] = char(v & 0xFF);
        bytes[at + 1] = char(v >> 8 & 0xFF);
    }
    void Align()
    {
        while (bytes.size() % (1 << kAlignShift))
            U8(0);
    }
};

QList<QImage> Tiles(const QString& sheet)
{
    QSvgRenderer renderer(sheet);
    QList<QImage> tiles;
    if (!renderer.isValid())
        return tiles;
    const QSize size = renderer.defaultSize();
    QImage canvas(size, QImage::Format_ARGB32);
    canvas.fill(Qt::transparent);
    QPainter painter(&canvas);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter);
    painter.end();
    for (int top = 0; top + kSide <= size.height(); top += kSide) {
        for (int left = 0; left + kSide <= size.width(); left += kSide) {
            const QImage tile = canvas.copy(left, top, kSide, kSide);
            bool drawn = false;
            for (int y = 0; y < kSide && !drawn; ++y) {
                for (int x = 0; x < kSide && !drawn; ++x)
                    drawn = qAlpha(tile.pixel(x, y)) != 0;
            }
            if (drawn)
                tiles.append(tile);
        }
    }
    return tiles;
}

// A 32-bit DIB with doubled height, its colour rows bottom-up, then the AND mask (1 = transparent).
QByteArray IconImage(const QImage& tile)
{
    TWriter w;
    w.U32(40);
    w.U32(kSide);
    w.U32(2 * kSide);
    w.U16(1);
    w.U16(32);
    for (int i = 0; i < 6; ++i)
        w.U32(0);
    for (int y = kSide - 1; y >= 0; --y) {
        for (int x = 0; x < kSide; ++x) {
            const QRgb p = tile.pixel(x, y);
            w.U8(qBlue(p));
            w.U8(qGreen(p));
            w.U8(qRed(p));
            w.U8(qAlpha(p));
        }
    }
    for (int y = kSide - 1; y >= 0; --y) {
        quint32 row = 0;
        for (int x = 0; x < kSide; ++x) {
            if (qAlpha(tile.pixel(x, y)) < 128)
                row |= 0x80000000u >> x;
        }
        for (int shift = 24; shift >= 0; shift -= 8)
            w.U8(int(row >> shift));
    }
    return w.bytes;
}

QByteArray GroupDirectory(int id, int imageSize)
{
    TWriter w;
    w.U16(0);
    w.U16(1);
    w.U16(1);
    w.U8(kSide);
    w.U8(kSide);
    w.U8(0);
    w.U8(0);
    w.U16(1);
    w.U16(32);
    w.U32(quint32(imageSize));
    w.U16(id);
    return w.bytes;
}

// MZ stub, NE header, resource table (icons then groups, ids from 1), resident names, empty entry table,
// then the resources aligned to 8 bytes, which keeps the image lengths exact.
QByteArray Library(const QList<QImage>& tiles, const QByteArray& moduleName)
{
    QList<QByteArray> icons, groups;
    for (int i = 0; i < tiles.size(); ++i) {
        icons.append(IconImage(tiles[i]));
        groups.append(GroupDirectory(i + 1, int(icons.last().size())));
    }
    TWriter w;
    w.U8('M');
    w.U8('Z');
    while (w.bytes.size() < 0x3C)
        w.U8(0);
    w.U32(0x40);
    const qsizetype ne = w.bytes.size();
    w.bytes.append(64, '\0');
    w.bytes[ne] = 'N';
    w.bytes[ne + 1] = 'E';
    w.bytes[ne + 2] = 5;
    w.At16(ne + 0x0C, 0x8000);
    w.bytes[ne + 0x36] = 2;
    w.At16(ne + 0x3E, 0x030A);
    w.At16(ne + 0x32, kAlignShift);

    const qsizetype table = w.bytes.size();
    w.At16(ne + 0x22, int(table - ne));
    w.At16(ne + 0x24, int(table - ne));
    w.U16(kAlignShift);
    QList<qsizetype> entries;
    for (const auto& [type, list] : {std::pair{0x8003, &icons}, std::pair{0x800E, &groups}}) {
        w.U16(type);
        w.U16(int(list->size()));
        w.U32(0);
        for (int i = 0; i < list->size(); ++i) {
            entries.append(w.bytes.size());
            w.U16(0);
            w.U16(int((list->at(i).size() + (1 << kAlignShift) - 1) >> kAlignShift));
            w.U16(0x1C30); // moveable, pure, discardable
            w.U16(0x8000 | (i + 1));
            w.U32(0);
        }
    }
    w.U16(0);
    w.U8(0);
    const qsizetype resident = w.bytes.size();
    w.At16(ne + 0x26, int(resident - ne));
    w.U8(int(moduleName.size()));
    w.bytes.append(moduleName);
    w.U16(0);
    w.U8(0);
    const qsizetype afterNames = w.bytes.size();
    w.At16(ne + 0x28, int(afterNames - ne));
    w.At16(ne + 0x2A, int(afterNames - ne));
    w.At16(ne + 0x04, int(afterNames - ne));
    w.U16(0);
    const qsizetype nonResident = w.bytes.size();
    w.bytes[ne + 0x2C] = char(nonResident & 0xFF);
    w.bytes[ne + 0x2D] = char(nonResident >> 8 & 0xFF);
    w.U8(int(moduleName.size()));
    w.bytes.append(moduleName);
    w.U16(0);
    w.U8(0);
    w.At16(ne + 0x20, int(w.bytes.size() - nonResident));

    int entry = 0;
    for (const QList<QByteArray>* list : {&icons, &groups}) {
        for (const QByteArray& data : *list) {
            w.Align();
            w.At16(entries[entry++], int(w.bytes.size() >> kAlignShift));
            w.bytes.append(data);
        }
    }
    w.Align();
    return w.bytes;
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "usage: iconpacker <sheet.svg> <library.icl>\n");
        return 2;
    }
    const QList<QImage> tiles = Tiles(args[1]);
    if (tiles.isEmpty()) {
        std::fprintf(stderr, "iconpacker: no icons drawn in %s\n", qPrintable(args[1]));
        return 1;
    }
    QSaveFile out(args[2]);
    const QByteArray module = QFileInfo(args[2]).baseName().toUpper().toLatin1();
    if (!out.open(QIODevice::WriteOnly) || out.write(Library(tiles, module)) < 0 || !out.commit()) {
        std::fprintf(stderr, "iconpacker: cannot write %s\n", qPrintable(args[2]));
        return 1;
    }
    return 0;
}
