// Metafiles built record by record, drawn at 100 x 100 pixels and probed where each record must (or must not)
// have painted.
#include "graphics/metafile.h"

#include <QPainter>

#include <gtest/gtest.h>

#include <cstring>
#include <functional>

namespace {

constexpr QRgb kWhite = 0xFFFFFFFF, kRed = 0xFFFF0000, kBlue = 0xFF0000FF, kBlack = 0xFF000000;

struct TProbe
{
    int x, y;
    QRgb colour;
};

void Put16(QByteArray& bytes, int value)
{
    bytes.append(static_cast<char>(value & 0xFF));
    bytes.append(static_cast<char>(value >> 8 & 0xFF));
}

void Put32(QByteArray& bytes, qint64 value)
{
    Put16(bytes, static_cast<int>(value & 0xFFFF));
    Put16(bytes, static_cast<int>(value >> 16 & 0xFFFF));
}

// COLORREF: red in the low byte.
qint64 Ref(QRgb rgb)
{
    return qRed(rgb) | qGreen(rgb) << 8 | qBlue(rgb) << 16;
}

// A two-pixel DIB, red then blue, as 16-bit words.
QList<int> DibWords()
{
    QByteArray dib;
    Put32(dib, 40);
    Put32(dib, 2);
    Put32(dib, 1);
    Put16(dib, 1);
    Put16(dib, 24);
    for (int i = 0; i < 6; ++i)
        Put32(dib, 0);
    dib.append("\x00\x00\xFF\xFF\x00\x00\x00\x00", 8); // BGR red, BGR blue, row padding
    QList<int> words;
    for (qsizetype i = 0; i < dib.size(); i += 2)
        words.append(static_cast<quint8>(dib[i]) | static_cast<quint8>(dib[i + 1]) << 8);
    return words;
}

// A placeable WMF of 100 x 100 units at 96 per inch; each record is its function then its parameter words.
QByteArray Wmf(const QList<QList<int>>& records)
{
    QByteArray body;
    for (const QList<int>& record : records) {
        Put32(body, 3 + record.size() - 1);
        for (int word : record)
            Put16(body, word);
    }
    Put32(body, 3);
    Put16(body, 0);
    QByteArray bytes;
    Put32(bytes, 0x9AC6CDD7);
    for (int word : {0, 0, 0, 100, 100, 96, 0, 0, 0})
        Put16(bytes, word);
    for (int word : {1, 9, 0x300})
        Put16(bytes, word);
    Put32(bytes, (18 + body.size()) / 2);
    Put16(bytes, 16);
    Put32(bytes, 0);
    Put16(bytes, 0);
    return bytes + body;
}

QList<int> Colour(int function, QRgb rgb)
{
    return {function, static_cast<int>(Ref(rgb) & 0xFFFF), static_cast<int>(Ref(rgb) >> 16)};
}
QList<int> Brush(int style, QRgb rgb, int hatch = 0)
{
    return {0x02FC, style, static_cast<int>(Ref(rgb) & 0xFFFF), static_cast<int>(Ref(rgb) >> 16), hatch};
}
QList<int> Pen(int style, int width, QRgb rgb)
{
    return {0x02FA, style, width, 0, static_cast<int>(Ref(rgb) & 0xFFFF), static_cast<int>(Ref(rgb) >> 16)};
}
QList<int> Rect(int left, int top, int right, int bottom)
{
    return {0x041B, bottom, right, top, left};
}
QList<int> WithDib(QList<int> record)
{
    return record + DibWords();
}

// An EMF of 100 x 100 pixels; each record is its type then its 32-bit fields.
QByteArray Emf(const QList<QList<qint64>>& records)
{
    QByteArray body;
    for (const QList<qint64>& record : records) {
        Put32(body, record[0]);
        Put32(body, 4 * (record.size() + 1));
        for (qsizetype i = 1; i < record.size(); ++i)
            Put32(body, record[i]);
    }
    for (qint64 value : {14, 20, 0, 0, 20})
        Put32(body, value);
    QByteArray bytes;
    for (qint64 value : {1, 88, 0, 0, 99, 99, 0, 0, 2646, 2646, 0x464D4520, 0x10000})
        Put32(bytes, value);
    Put32(bytes, 88 + body.size());
    for (qint64 value : {0, 16, 0, 0, 0, 3780, 3780, 1000, 1000})
        Put32(bytes, value);
    return bytes + body;
}

qint64 Float(float value)
{
    quint32 bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

QImage Draw(const QByteArray& bytes)
{
    TMetafile metafile;
    QString error;
    EXPECT_TRUE(metafile.Load(bytes, &error)) << error.toStdString();
    EXPECT_EQ(metafile.Size(), QSize(100, 100));
    QImage image(100, 100, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    metafile.Draw(painter, QRectF(0, 0, 100, 100));
    return image;
}

struct TWmfCase
{
    const char* name;
    QList<QList<int>> records;
    QList<TProbe> probes;
};

TEST(MetafileRecords, WmfRecordsPaintWhereGdiPaintsThem)
{
    // Objects 0 and 1: no outline and a red fill.
    const QList<QList<int>> red = {Pen(5, 0, 0), Brush(0, kRed), {0x012D, 0}, {0x012D, 1}};
    const QList<int> box = {0, 0, 100, 100}; // bottom, right, top, left of the whole picture, for arcs
    const TWmfCase cases[] = {
        {"rectangle", red + QList<QList<int>>{Rect(10, 10, 50, 50)}, {{30, 30, kRed}, {70, 70, kWhite}}},
        {"ellipse", red + QList<QList<int>>{{0x0418, 100, 100, 0, 0}}, {{50, 50, kRed}, {50, 3, kRed}, {3, 3, kWhite}}},
        {"pie from 3 to 12 o'clock",
         red + QList<QList<int>>{QList<int>{0x081A, 0, 50, 50, 100} + box},
         {{75, 25, kRed}, {25, 25, kWhite}, {75, 75, kWhite}}},
        {"chord",
         red + QList<QList<int>>{QList<int>{0x0830, 0, 50, 50, 100} + box},
         {{85, 15, kRed}, {60, 40, kWhite}}},
        {"round rectangle", red + QList<QList<int>>{{0x061C, 60, 60, 100, 100, 0, 0}}, {{50, 2, kRed}, {3, 3, kWhite}}},
        {"polypolygon, alternate fill",
         red + QList<QList<int>>{{0x0538, 2, 4, 4, 0, 0, 100, 0, 100, 100, 0, 100, 25, 25, 75, 25, 75, 75, 25, 75}},
         {{10, 10, kRed}, {50, 50, kWhite}}},
        {"polypolygon, winding fill",
         red + QList<QList<int>>{{0x0106, 2},
                                 {0x0538, 2, 4, 4, 0, 0, 100, 0, 100, 100, 0, 100, 25, 25, 75, 25, 75, 75, 25, 75}},
         {{10, 10, kRed}, {50, 50, kRed}}},
        {"window extent scales",
         red + QList<QList<int>>{{0x020B, 0, 0}, {0x020C, 10, 10}, Rect(0, 0, 5, 5)},
         {{40, 40, kRed}, {60, 60, kWhite}}},
        {"negative window extent turns y up",
         red + QList<QList<int>>{{0x020B, 10, 0}, {0x020C, -10, 10}, Rect(0, 0, 5, 5)},
         {{25, 75, kRed}, {25, 25, kWhite}}},
        {"clipping, saved and restored",
         red + QList<QList<int>>{{0x0416, 100, 50, 0, 0},
                                 {0x001E},
                                 {0x0415, 20, 50, 0, 0},
                                 Rect(0, 0, 100, 100),
                                 {0x0127, -1},
                                 Brush(0, kBlue),
                                 {0x012D, 2},
                                 Rect(0, 0, 100, 15)},
         {{25, 50, kRed}, {25, 10, kBlue}, {25, 17, kWhite}, {75, 10, kWhite}, {75, 50, kWhite}}},
        {"xor pen",
         red +
             QList<QList<int>>{Rect(0, 0, 60, 60), {0x0104, 7}, Brush(0, kWhite), {0x012D, 2}, Rect(30, 30, 100, 100)},
         {{10, 10, kRed}, {45, 45, 0xFF00FFFF}, {80, 80, kBlack}}},
        {"stretched bitmap",
         {WithDib({0x0F43, 0x20, 0xCC, 0, 1, 2, 0, 0, 100, 100, 0, 0})},
         {{25, 50, kRed}, {75, 50, kBlue}}},
        {"bitmap mirrored by a negative width",
         {WithDib({0x0F43, 0x20, 0xCC, 0, 1, 2, 0, 0, 100, -100, 0, 100})},
         {{25, 50, kBlue}, {75, 50, kRed}}},
        {"stretch block transfer",
         {WithDib({0x0B41, 0x20, 0xCC, 1, 2, 0, 0, 100, 100, 0, 0})},
         {{25, 50, kRed}, {75, 50, kBlue}}},
        {"block transfer",
         {WithDib({0x0940, 0x20, 0xCC, 0, 0, 1, 2, 5, 5})},
         {{5, 5, kRed}, {6, 5, kBlue}, {7, 5, kWhite}}},
        {"bits set to the device unscaled",
         {WithDib({0x0D33, 0, 1, 0, 0, 0, 1, 2, 10, 10})},
         {{10, 10, kRed}, {11, 10, kBlue}, {12, 10, kWhite}}},
        {"pattern block transfer of blackness",
         {{0x061D, 0x42, 0, 50, 50, 0, 0}},
         {{25, 25, kBlack}, {75, 75, kWhite}}},
        {"bitmap pattern brush",
         {Pen(5, 0, 0), {0x012D, 0}, WithDib({0x0142, 5, 0}), {0x012D, 1}, Rect(0, 0, 100, 100)},
         {{0, 50, kRed}, {1, 50, kBlue}, {2, 50, kRed}}},
        {"wide pen along a line",
         {Pen(0, 6, kRed), {0x012D, 0}, {0x0214, 50, 0}, {0x0213, 50, 100}},
         {{50, 50, kRed}, {50, 40, kWhite}}},
        {"open arc, upper half",
         {Pen(0, 6, kBlack), {0x012D, 0}, QList<int>{0x0817, 50, 0, 50, 100} + box},
         {{50, 1, kBlack}, {50, 98, kWhite}, {50, 50, kWhite}}},
        {"unknown record skipped", red + QList<QList<int>>{{0x0999, 1, 2, 3}, Rect(10, 10, 50, 50)}, {{30, 30, kRed}}},
    };
    for (const TWmfCase& c : cases) {
        SCOPED_TRACE(c.name);
        const QImage image = Draw(Wmf(c.records));
        for (const TProbe& p : c.probes)
            EXPECT_EQ(image.pixel(p.x, p.y), p.colour) << "at " << p.x << "," << p.y;
    }
}

TEST(MetafileRecords, HatchGapsTakeTheBackgroundOnlyInOpaqueMode)
{
    for (int mode : {1, 2}) {
        const QImage image = Draw(Wmf({Pen(5, 0, 0),
                                       Brush(2, kBlue, 0),
                                       {0x012D, 0},
                                       {0x012D, 1},
                                       {0x0102, mode},
                                       Colour(0x0201, 0xFF00FF00),
                                       Rect(0, 0, 100, 100)}));
        const QRgb gap = mode == 2 ? 0xFF00FF00 : kWhite;
        int blue = 0, gaps = 0;
        for (int y = 40; y < 48; ++y) {
            blue += image.pixel(50, y) == kBlue;
            gaps += image.pixel(50, y) == gap;
        }
        EXPECT_EQ(blue, 1) << mode;
        EXPECT_EQ(gaps, 7) << mode;
    }
}

struct TEmfCase
{
    const char* name;
    QList<QList<qint64>> records;
    QList<TProbe> probes;
};

TEST(MetafileRecords, EmfRecordsPaintWhereGdiPaintsThem)
{
    const qint64 nullPen = 0x80000008, blackBrush = 0x80000004;
    const QList<QList<qint64>> red = {{39, 1, 0, Ref(kRed), 0}, {37, 1}, {37, nullPen}};
    const TEmfCase cases[] = {
        {"rectangle", red + QList<QList<qint64>>{{43, 10, 10, 50, 50}}, {{30, 30, kRed}, {70, 70, kWhite}}},
        {"stock brush", {{37, nullPen}, {37, blackBrush}, {42, 0, 0, 100, 100}}, {{50, 50, kBlack}, {3, 3, kWhite}}},
        {"world transform",
         red + QList<QList<qint64>>{{35, Float(2), 0, 0, Float(2), 0, 0}, {43, 0, 0, 25, 25}},
         {{40, 40, kRed}, {60, 60, kWhite}}},
        {"filled path",
         red + QList<QList<qint64>>{{59}, {27, 0, 0}, {54, 100, 0}, {54, 0, 100}, {61}, {60}, {62, 0, 0, 100, 100}},
         {{20, 20, kRed}, {80, 80, kWhite}}},
        {"clip region",
         red + QList<QList<qint64>>{{75, 48, 5, 32, 1, 1, 16, 0, 0, 50, 100, 0, 0, 50, 100}, {43, 0, 0, 100, 100}},
         {{25, 50, kRed}, {75, 50, kWhite}}},
        {"clockwise pie",
         red + QList<QList<qint64>>{{57, 2}, {47, 0, 0, 100, 100, 100, 50, 50, 0}},
         {{25, 75, kRed}, {75, 25, kWhite}}},
        {"alpha blend of an opaque bitmap",
         {{114, 0,  0,   99, 99, 0, 0,  100, 100, 0x00FF0000,   0, 0, Float(1), 0, 0, Float(1), 0,          0, 0, 0,
           108, 40, 148, 8,  2,  1, 40, 2,   1,   24 << 16 | 1, 0, 0, 0,        0, 0, 0,        0xFFFF0000, 0}},
         {{25, 50, kRed}, {75, 50, kBlue}}},
        {"metric mapping turns y up",
         red + QList<QList<qint64>>{{17, 2}, {43, 0, 0, 100, -100}},
         {{20, 20, kRed}, {50, 50, kWhite}}},
    };
    for (const TEmfCase& c : cases) {
        SCOPED_TRACE(c.name);
        const QImage image = Draw(Emf(c.records));
        for (const TProbe& p : c.probes)
            EXPECT_EQ(image.pixel(p.x, p.y), p.colour) << "at " << p.x << "," << p.y;
    }
}

QList<int> Font(int height, int escapement)
{
    QList<int> record = {0x02FB, height, 0, escapement, escapement, 400, 0, 0, 0, 0};
    QByteArray face("Liberation Sans");
    face.resize(32, '\0');
    for (qsizetype i = 0; i < face.size(); i += 2)
        record.append(static_cast<quint8>(face[i]) | static_cast<quint8>(face[i + 1]) << 8);
    return record;
}

QList<int> TextOut(const QByteArray& text, int x, int y)
{
    QList<int> record = {0x0521, static_cast<int>(text.size())};
    for (qsizetype i = 0; i < text.size(); i += 2)
        record.append(static_cast<quint8>(text[i]) | (i + 1 < text.size() ? static_cast<quint8>(text[i + 1]) << 8 : 0));
    return record + QList<int>{y, x};
}

struct TTextCase
{
    const char* name;
    QList<QList<int>> records;
    std::function<void(const QRect& ink, int backgroundPixels)> check;
};

TEST(MetafileRecords, TextFollowsAlignmentEscapementAndBackgroundMode)
{
    const QRgb green = 0xFF00FF00;
    const QList<QList<int>> start = {Font(-40, 0), {0x012D, 0}, {0x0102, 1}, Colour(0x0201, green)};
    const TTextCase cases[] = {
        {"centred on the baseline", start + QList<QList<int>>{{0x012E, 6 | 24}, TextOut("H", 50, 60)},
         [](const QRect& ink, int) {
             EXPECT_NEAR(ink.center().x(), 50, 2);
             EXPECT_NEAR(ink.bottom(), 59, 1);
             EXPECT_GT(ink.height(), 20);
         }},
        {"left and top", start + QList<QList<int>>{{0x012E, 0}, TextOut("H", 10, 10)},
         [](const QRect& ink, int) {
             EXPECT_NEAR(ink.left(), 13, 3);
             EXPECT_GT(ink.top(), 10);
             EXPECT_LT(ink.top(), 22);
         }},
        {"turned a quarter counterclockwise",
         {Font(-40, 900), {0x012D, 0}, {0x0102, 1}, {0x012E, 24}, TextOut("HHH", 50, 90)},
         [](const QRect& ink, int) {
             EXPECT_GT(ink.height(), 2 * ink.width());
             EXPECT_LE(ink.bottom(), 90);
             EXPECT_LE(ink.right(), 50);
         }},
        {"transparent background", start + QList<QList<int>>{TextOut("H", 10, 10)},
         [](const QRect&, int background) { EXPECT_EQ(background, 0); }},
        {"opaque background", start + QList<QList<int>>{{0x0102, 2}, TextOut("H", 10, 10)},
         [](const QRect&, int background) { EXPECT_GT(background, 200); }},
    };
    for (const TTextCase& c : cases) {
        SCOPED_TRACE(c.name);
        const QImage image = Draw(Wmf(c.records));
        QRect ink;
        int background = 0;
        for (int y = 0; y < 100; ++y) {
            for (int x = 0; x < 100; ++x) {
                const QRgb p = image.pixel(x, y);
                background += p == green;
                if (p != kWhite && p != green && qGray(p) < 128)
                    ink |= QRect(x, y, 1, 1);
            }
        }
        c.check(ink, background);
    }
}

TEST(MetafileRecords, DamagedOrUnsizedFilesAreRefused)
{
    QByteArray zeroRecord = Wmf({});
    zeroRecord.insert(40, QByteArray(6, '\0'));
    QByteArray longRecord = Wmf({Rect(0, 0, 1, 1)});
    longRecord[40] = '\x7F';
    QByteArray noInch = Wmf({});
    noInch[14] = 0;
    QByteArray huge = Wmf({});
    huge[10] = '\xFF';
    huge[11] = '\x7F';
    huge[12] = '\xFF';
    huge[13] = '\x7F';
    huge[14] = 1;
    const QByteArray standard = Wmf({Rect(0, 0, 1, 1)}).mid(22);
    QByteArray shortEmf = Emf({});
    shortEmf.chop(8);
    QByteArray badEmfRecord = Emf({{43, 0, 0, 1, 1}});
    badEmfRecord[92] = 4;
    QByteArray unsizedEmf = Emf({});
    std::memset(unsizedEmf.data() + 8, 0, 32);
    const QByteArray cases[] = {{},   "not a metafile", Wmf({}).left(30), zeroRecord,   longRecord, noInch,
                                huge, standard,         shortEmf,         badEmfRecord, unsizedEmf};
    int i = 0;
    for (const QByteArray& bytes : cases) {
        TMetafile metafile;
        QString error;
        EXPECT_FALSE(metafile.Load(bytes, &error)) << i;
        EXPECT_FALSE(error.isEmpty()) << i;
        EXPECT_TRUE(metafile.IsEmpty()) << i;
        EXPECT_TRUE(PlayMetafile(bytes).isNull()) << i;
        ++i;
    }
    // The same files whole are read.
    TMetafile metafile;
    EXPECT_TRUE(metafile.Load(Wmf({Rect(0, 0, 1, 1)})));
    EXPECT_TRUE(metafile.Load(Emf({{43, 0, 0, 1, 1}})));
    // Without the placeable header the window set first gives the size.
    EXPECT_TRUE(metafile.Load(Wmf({{0x020C, 50, 80}, Rect(0, 0, 1, 1)}).mid(22)));
    EXPECT_EQ(metafile.Size(), QSize(80, 50));
}

// Each record may cover the whole picture many times over: what one picture may cost to draw is bounded at the
// target's resolution, past which it stops (the final blue rectangle never comes) and the user is told once.
TEST(MetafileRecords, CostlyPicturesStopDrawingAndTellOnce)
{
    const QList<int> blue = Brush(0, kBlue);
    QList<QList<int>> rectangles = {Brush(0, kRed), {0x012D, 0}};
    for (int i = 0; i < 3000; ++i)
        rectangles.append(Rect(0, 0, 100, 100));
    QList<qint64> zigzag = {86, 0, 0, 100, 100, 100000};
    for (int i = 0; i < 100000; ++i)
        zigzag.append((i % 2 ? 100 << 16 : 0) | i / 1000);
    const QList<QList<qint64>> blueEmf = {{39, 1, 0, Ref(kBlue), 0}, {37, 1}, {43, 0, 0, 100, 100}};
    const QByteArray costly[] = {
        Wmf(rectangles + QList<QList<int>>{blue, {0x012D, 1}, Rect(0, 0, 100, 100)}),
        Emf(QList<QList<qint64>>{zigzag} + blueEmf),
    };
    int told = 0;
    SetMetafileCutShortListener([&told] { ++told; });
    for (const QByteArray& bytes : costly) {
        TMetafile metafile;
        ASSERT_TRUE(metafile.Load(bytes));
        for (const TMetafile& drawn : {metafile, TMetafile(metafile)}) {
            QImage image(100, 100, QImage::Format_RGB32);
            image.fill(Qt::white);
            QPainter painter(&image);
            EXPECT_FALSE(drawn.Draw(painter, QRectF(0, 0, 100, 100)));
            EXPECT_NE(image.pixel(50, 50), kBlue);
        }
    }
    SetMetafileCutShortListener(nullptr);
    EXPECT_EQ(told, 2); // once for each picture, however often it is drawn
    // Fewer of the same records draw whole.
    TMetafile modest;
    ASSERT_TRUE(modest.Load(Wmf(rectangles.mid(0, 200) + QList<QList<int>>{blue, {0x012D, 1}, Rect(0, 0, 100, 100)})));
    QImage image(100, 100, QImage::Format_RGB32);
    QPainter painter(&image);
    EXPECT_TRUE(modest.Draw(painter, QRectF(0, 0, 100, 100)));
    EXPECT_EQ(image.pixel(50, 50), kBlue);
}

} // namespace
