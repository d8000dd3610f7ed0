#include "graphics/exactpalette.h"

#include <QSet>

#include <gtest/gtest.h>

namespace {

// A 40 x 30 image whose pixels cycle through `colours` distinct colours.
QImage Cycling(int colours, QImage::Format format)
{
    QImage image(40, 30, format);
    image.setDotsPerMeterX(5000);
    image.setDotsPerMeterY(4000);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const int n = (y * image.width() + x) % colours;
            image.setPixel(x, y, qRgba(n % 7 * 36, n / 7 % 7 * 36, n / 49 * 36, 255));
        }
    return image;
}

TEST(ExactPalette, KeepsEveryPixelOfAnOpaqueImageOfAtMost256Colours)
{
    const struct
    {
        int colours;
        QImage::Format format;
        bool indexed;
    } cases[] = {
        {1, QImage::Format_RGB32, true},    {2, QImage::Format_RGB32, true},    {256, QImage::Format_RGB32, true},
        {257, QImage::Format_RGB32, false}, {300, QImage::Format_RGB32, false}, {2, QImage::Format_ARGB32, false},
        {2, QImage::Format_RGB888, false},
    };
    for (const auto& c : cases) {
        const QImage source = Cycling(c.colours, c.format);
        const QImage indexed = ExactPaletteImage(source);
        ASSERT_EQ(!indexed.isNull(), c.indexed) << c.colours;
        if (!c.indexed)
            continue;
        EXPECT_EQ(indexed.format(), QImage::Format_Indexed8);
        EXPECT_EQ(indexed.colorCount(), c.colours);
        const QList<QRgb> table = indexed.colorTable();
        EXPECT_EQ(QSet<QRgb>(table.begin(), table.end()).size(), c.colours);
        EXPECT_EQ(indexed.convertToFormat(QImage::Format_RGB32), source) << c.colours;
        EXPECT_EQ(indexed.dotsPerMeterX(), 5000);
        EXPECT_EQ(indexed.dotsPerMeterY(), 4000);
    }
}

} // namespace
