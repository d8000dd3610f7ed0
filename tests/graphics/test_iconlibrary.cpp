// Icon libraries written by other tools: ICO files, 16-bit libraries from a writer of the test's own, and
// 32-bit DLLs linked by binutils. What the reader gives must match the drawn pictures and what icoutils
// extracts from the same files.
#include "graphics/iconlibrary.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace {

void Put16(QByteArray& b, int v)
{
    b.append(char(v & 0xFF)).append(char(v >> 8 & 0xFF));
}
void Put32(QByteArray& b, quint32 v)
{
    Put16(b, int(v & 0xFFFF));
    Put16(b, int(v >> 16));
}

// A picture with as many colours as the depth holds (at most eight), a transparent corner and, at 32 bits,
// soft edges.
QImage Drawing(int side, int bits, int seed)
{
    static const QRgb colours[] = {0xFF000000, 0xFFFFFFFF, 0xFFE02020, 0xFF20A040,
                                   0xFF2040E0, 0xFFF0C000, 0xFF9030C0, 0xFF00B0C0};
    const int count = bits == 1 ? 2 : 8;
    QImage image(side, side, QImage::Format_ARGB32);
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
            QRgb c = colours[(x * 4 / side + y * 4 / side * 3 + seed) % count];
            if (x + y < side / 3)
                c = 0;
            else if (bits == 32 && x + y < side / 2)
                c = qRgba(qRed(c), qGreen(c), qBlue(c), 128);
            image.setPixel(x, y, c);
        }
    }
    return image;
}

// The image as icon resources keep it: a DIB of the given depth, height doubled, then the AND mask.
QByteArray IconDib(const QImage& image, int bits)
{
    QList<QRgb> palette;
    if (bits <= 8) {
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (QRgb c = image.pixel(x, y) | 0xFF000000u; !palette.contains(c))
                    palette.append(c);
        palette.resize(1 << bits, 0xFF000000u);
    }
    QByteArray b;
    for (quint32 v : {40u, quint32(image.width()), quint32(image.height() * 2)})
        Put32(b, v);
    Put16(b, 1);
    Put16(b, bits);
    for (int i = 0; i < 6; ++i)
        Put32(b, 0);
    for (QRgb c : palette)
        Put32(b, c & 0xFFFFFF);
    for (int y = image.height() - 1; y >= 0; --y) {
        QByteArray row((image.width() * bits + 31) / 32 * 4, '\0');
        for (int x = 0; x < image.width(); ++x) {
            const QRgb c = image.pixel(x, y);
            if (bits <= 8) {
                const int index = int(palette.indexOf(c | 0xFF000000u));
                row[x * bits / 8] = char(row[x * bits / 8] | index << (8 - bits - x * bits % 8));
            } else {
                const char bgra[] = {char(qBlue(c)), char(qGreen(c)), char(qRed(c)), char(qAlpha(c))};
                row.replace(x * bits / 8, bits / 8, bgra, bits / 8);
            }
        }
        b.append(row);
    }
    for (int y = image.height() - 1; y >= 0; --y) {
        QByteArray row((image.width() + 31) / 32 * 4, '\0');
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) == 0)
                row[x / 8] = char(row[x / 8] | 0x80 >> x % 8);
        b.append(row);
    }
    return b;
}

QByteArray Png(const QImage& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

struct Image
{
    int side, bits; // bits 0: PNG
    QImage drawing;
    QByteArray data;
};
using Group = QList<Image>;

Image MakeImage(int side, int bits, int seed)
{
    Image image{side, bits, Drawing(side, bits ? bits : 32, seed), {}};
    image.data = bits ? IconDib(image.drawing, bits) : Png(image.drawing);
    return image;
}

// Entry fields shared by ICO directories and group directories, before their last field.
void PutEntry(QByteArray& b, const Image& image)
{
    b.append(char(image.side))
        .append(char(image.side))
        .append(char(image.bits && image.bits <= 8 ? 1 << image.bits : 0));
    b.append('\0');
    Put16(b, 1);
    Put16(b, image.bits ? image.bits : 32);
    Put32(b, quint32(image.data.size()));
}

QByteArray IcoFile(const Group& group)
{
    QByteArray b;
    for (int v : {0, 1, int(group.size())})
        Put16(b, v);
    quint32 at = 6 + 16 * quint32(group.size());
    for (const Image& image : group) {
        PutEntry(b, image);
        Put32(b, at);
        at += quint32(image.data.size());
    }
    for (const Image& image : group)
        b.append(image.data);
    return b;
}

// A 16-bit library laid out as old resource compilers did: resources before the tables, no alignment
// (shift 0), a named type the reader must step over, and group ids counted from 100.
QByteArray NeLibrary(const QList<Group>& groups)
{
    QList<QByteArray> icons, directories;
    for (const Group& group : groups) {
        QByteArray dir;
        for (int v : {0, 1, int(group.size())})
            Put16(dir, v);
        for (const Image& image : group) {
            icons.append(image.data);
            PutEntry(dir, image);
            Put16(dir, int(icons.size()));
        }
        directories.append(dir);
    }
    QByteArray file(0x40, '\0');
    file[0] = 'M';
    file[1] = 'Z';
    QList<int> offsets;
    for (const QList<QByteArray>* list : {&icons, &directories})
        for (const QByteArray& data : *list) {
            offsets.append(int(file.size()));
            file.append(data);
        }
    const int ne = int(file.size());
    file[0x3C] = char(ne & 0xFF);
    file[0x3D] = char(ne >> 8);
    QByteArray header(64, '\0');
    header[0] = 'N';
    header[1] = 'E';
    header[0x24] = 64;
    QByteArray table;
    Put16(table, 0);
    Put16(table, 0); // a named type with one resource; its name follows the types
    Put16(table, 1);
    Put32(table, 0);
    for (int v : {0, 0, 0x30, 0x8001})
        Put16(table, v);
    Put32(table, 0);
    int next = 0;
    for (const auto& [type, list, firstId] : {std::tuple{0x8003, &icons, 1}, std::tuple{0x800E, &directories, 100}}) {
        Put16(table, type);
        Put16(table, int(list->size()));
        Put32(table, 0);
        for (int i = 0; i < list->size(); ++i, ++next) {
            for (int v :
                 {offsets[next], int(list->at(i).size()), 0x1030, 0x8000 | (type == 0x8003 ? i + 1 : firstId + i)})
                Put16(table, v);
            Put32(table, 0);
        }
    }
    Put16(table, 0);
    const int name = int(table.size());
    table[2] = char(name & 0xFF);
    table[3] = char(name >> 8);
    table.append("\x04NOTE", 6);
    const int resident = 64 + int(table.size());
    header[0x26] = char(resident & 0xFF);
    header[0x27] = char(resident >> 8);
    return file + header + table + QByteArray("\x04TEST\0\0\0", 8);
}

QString Tool(const char* name)
{
    return QStandardPaths::findExecutable(QLatin1String(name));
}

QByteArray RunTool(const QString& program, const QStringList& args)
{
    QProcess process;
    process.start(program, args);
    process.waitForFinished(60000);
    EXPECT_EQ(process.exitCode(), 0) << program.toStdString() << " " << process.readAllStandardError().toStdString();
    return process.readAllStandardOutput();
}

void Save(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// The best image for the desktop's size: 32 x 32 at the greatest depth, else the nearest size.
const QList<Group>& Groups()
{
    static const QList<Group> groups = {
        {MakeImage(32, 4, 0)},  {MakeImage(16, 8, 1), MakeImage(32, 1, 2), MakeImage(32, 24, 3), MakeImage(48, 8, 4)},
        {MakeImage(32, 32, 5)}, {MakeImage(32, 8, 6), MakeImage(32, 0, 7)},
        {MakeImage(48, 24, 8)},
    };
    return groups;
}
const int kBest[] = {0, 2, 0, 1, 0};

// Exact where no scaling happens; after scaling, the same picture within tolerance.
void ExpectSame(const QImage& actual, const QImage& expected, const std::string& what)
{
    ASSERT_EQ(actual.size(), QSize(32, 32)) << what;
    const QImage want = expected.size() == actual.size()
                            ? expected
                            : expected.scaled(32, 32, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    int worst = 0;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            const QRgb a = actual.pixel(x, y), b = want.pixel(x, y);
            if (qAlpha(a) == 0 && qAlpha(b) == 0)
                continue;
            for (int d : {qRed(a) - qRed(b), qGreen(a) - qGreen(b), qBlue(a) - qBlue(b), qAlpha(a) - qAlpha(b)})
                worst = std::max(worst, std::abs(d));
        }
    EXPECT_LE(worst, expected.size() == actual.size() ? 0 : 24) << what;
}

// icoutils' view of a library: its icon groups as ICO files, the best image of each as PNG.
QList<QImage> IcoutilsIcons(const QString& library, const QString& scratch)
{
    QList<QImage> icons;
    const QByteArray listing = RunTool(Tool("wrestool"), {QStringLiteral("-l"), QStringLiteral("-t14"), library});
    int n = 0;
    for (const QByteArray& line : listing.split('\n')) {
        const int at = int(line.indexOf("--name="));
        if (at < 0)
            continue;
        const QString name = QString::fromLatin1(line.mid(at + 7, line.indexOf(' ', at) - at - 7));
        const QString ico = scratch + QStringLiteral("/g%1.ico").arg(n);
        RunTool(Tool("wrestool"), {QStringLiteral("-x"), QStringLiteral("-t14"), QStringLiteral("-n"), name,
                                   QStringLiteral("-o"), ico, library});
        const QString png = scratch + QStringLiteral("/g%1.png").arg(n++);
        const Image& best = Groups()[n - 1][kBest[n - 1]];
        // icotool lists PNG images but does not extract them: take the PNG from the group wrestool wrote.
        if (!best.bits) {
            QFile file(ico);
            const QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
            icons.append(
                QImage::fromData(bytes.mid(bytes.indexOf("\x89PNG")), "PNG").convertToFormat(QImage::Format_ARGB32));
            continue;
        }
        RunTool(Tool("icotool"), {QStringLiteral("-x"), QStringLiteral("-w"), QString::number(best.side),
                                  QStringLiteral("-b"), QString::number(best.bits), QStringLiteral("-o"), png, ico});
        icons.append(QImage(png).convertToFormat(QImage::Format_ARGB32));
    }
    return icons;
}

void ExpectLibrary(const QString& path, const QString& scratch)
{
    const TIconLibrary library = TIconLibrary::FromFile(path);
    ASSERT_EQ(library.Count(), Groups().size());
    for (int i = 0; i < library.Count(); ++i)
        ExpectSame(library.Icon(i), Groups()[i][kBest[i]].drawing, "icon " + std::to_string(i));
    const QList<QImage> theirs = IcoutilsIcons(path, scratch);
    ASSERT_EQ(theirs.size(), library.Count());
    for (int i = 0; i < library.Count(); ++i) {
        if (Groups()[i][kBest[i]].side == 32)
            ExpectSame(library.Icon(i), theirs[i], "icoutils icon " + std::to_string(i));
    }
}

class IconLibrary : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (Tool("wrestool").isEmpty() || Tool("icotool").isEmpty() || Tool("x86_64-w64-mingw32-windres").isEmpty())
            GTEST_SKIP() << "icoutils and binutils-mingw-w64 are needed (scripts/install-deps.sh)";
    }
    QTemporaryDir dir;
};

} // namespace

TEST_F(IconLibrary, SixteenBitLibraryMatchesDrawingsAndIcoutils)
{
    const QString path = dir.filePath(QStringLiteral("test.icl"));
    Save(path, NeLibrary(Groups()));
    ExpectLibrary(path, dir.path());
}

TEST_F(IconLibrary, DllLinkedByBinutilsMatchesDrawingsAndIcoutils)
{
    QByteArray rc;
    for (int i = 0; i < Groups().size(); ++i) {
        const QString ico = dir.filePath(QStringLiteral("i%1.ico").arg(i));
        Save(ico, IcoFile(Groups()[i]));
        rc += QByteArray::number(10 + i) + " ICON \"" + ico.toUtf8() + "\"\n";
    }
    Save(dir.filePath(QStringLiteral("r.rc")), rc);
    const QString object = dir.filePath(QStringLiteral("r.o")), dll = dir.filePath(QStringLiteral("r.dll"));
    RunTool(Tool("x86_64-w64-mingw32-windres"),
            {QStringLiteral("--preprocessor=cat"), dir.filePath(QStringLiteral("r.rc")), QStringLiteral("-O"),
             QStringLiteral("coff"), QStringLiteral("-o"), object});
    RunTool(Tool("x86_64-w64-mingw32-ld"),
            {QStringLiteral("--dll"), QStringLiteral("--entry=0"), QStringLiteral("-o"), dll, object});
    ExpectLibrary(dll, dir.path());
}

TEST(IconLibraryFiles, IcoFileIsOneIconAndDamageGivesNoIconsWithoutCrashing)
{
    const QByteArray ico = IcoFile(Groups()[1]);
    const TIconLibrary single(ico);
    ASSERT_EQ(single.Count(), 1);
    ExpectSame(single.Icon(0), Groups()[1][2].drawing, "ico");
    EXPECT_TRUE(single.Icon(1).isNull());

    // Every cut of a library reads without crashing; a cut table gives no icons, a cut image a null one.
    const QByteArray library = NeLibrary(Groups());
    for (qsizetype size = 0; size < library.size(); size += 7) {
        const TIconLibrary cut(library.left(size));
        EXPECT_TRUE(cut.Count() == 0 || cut.Count() == Groups().size()) << size;
        for (int i = 0; i < cut.Count(); ++i)
            cut.Icon(i);
    }
    for (const QByteArray& bad : {QByteArray("MZ"), QByteArray(4096, '\xFF'), QByteArray("\0\0\1\0\xFF\xFF", 6)})
        EXPECT_EQ(TIconLibrary(bad).Count(), 0);
}

namespace {

// A 16-bit library of one icon whose groups all share one directory naming that icon over and over.
QByteArray NeGroupBomb(int groups, int entries)
{
    const int shift = 4;
    const Image icon = MakeImage(32, 8, 0);
    QByteArray file(0x40, '\0');
    file[0] = 'M';
    file[1] = 'Z';
    const auto place = [&file](const QByteArray& data) {
        const int at = int(file.size());
        file.append(data);
        file.append(QByteArray(-file.size() & 15, '\0'));
        return at;
    };
    QByteArray dir;
    for (int v : {0, 1, entries})
        Put16(dir, v);
    for (int i = 0; i < entries; ++i) {
        PutEntry(dir, icon);
        Put16(dir, 1);
    }
    const int iconAt = place(icon.data);
    const int dirAt = place(dir);
    const int ne = int(file.size());
    file.replace(0x3C, 4, QByteArray(1, char(ne & 0xFF)) + char(ne >> 8 & 0xFF) + char(ne >> 16) + '\0');
    QByteArray header(64, '\0');
    header[0] = 'N';
    header[1] = 'E';
    header[0x24] = 64;
    QByteArray table;
    Put16(table, shift);
    for (const auto& [type, count] : {std::pair{0x8003, 1}, std::pair{0x800E, groups}}) {
        Put16(table, type);
        Put16(table, count);
        Put32(table, 0);
        for (int i = 0; i < count; ++i) {
            const QByteArray& data = type == 0x8003 ? icon.data : dir;
            for (int v : {(type == 0x8003 ? iconAt : dirAt) >> shift, int(data.size() + 15) >> shift, 0x1030,
                          0x8000 | (type == 0x8003 ? 1 : 100 + i)})
                Put16(table, v);
            Put32(table, 0);
        }
    }
    Put16(table, 0);
    const int resident = 64 + int(table.size());
    header[0x26] = char(resident & 0xFF);
    header[0x27] = char(resident >> 8);
    return file + header + table;
}

} // namespace

TEST(IconLibraryFiles, GroupsSharingOneImageAreBoundedAndDecodeIt)
{
    const QByteArray bomb = NeGroupBomb(4000, 4000);
    ASSERT_LT(bomb.size(), 120 * 1024);
    const TIconLibrary library(bomb);
    EXPECT_EQ(library.Count(), 1000); // the palette shows a few hundred icons at most
    const QImage first = library.Icon(0);
    ExpectSame(first, MakeImage(32, 8, 0).drawing, "first");
    EXPECT_EQ(library.Icon(library.Count() - 1), first);
}
