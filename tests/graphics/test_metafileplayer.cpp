#include "graphics/metafile.h"

#include "support/testsupport.h"

#include <QFile>
#include <QPainter>

#include <gtest/gtest.h>

namespace {

QByteArray DataFile(const QString& name)
{
    QFile file(QStringLiteral(ALMARIN_SOURCE_DIR "/tests/graphics/data/") + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QImage Render(const TMetafile& metafile, QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
    metafile.Draw(painter, QRectF(QPointF(), QSizeF(size)));
    return image;
}

// The share of 4 x 4 blocks whose average colour differs clearly: it forgives antialiasing and half-pixel
// placement, not a missing, shifted or wrongly coloured shape or word.
double DifferingShare(const QImage& a, const QImage& b)
{
    const QImage x = a.convertToFormat(QImage::Format_RGB32);
    const QImage y = b.convertToFormat(QImage::Format_RGB32);
    int blocks = 0, differing = 0;
    for (int top = 0; top + 4 <= x.height(); top += 4) {
        for (int left = 0; left + 4 <= x.width(); left += 4) {
            int sum[2][3] = {};
            for (int row = top; row < top + 4; ++row) {
                for (int col = left; col < left + 4; ++col) {
                    const QRgb p[2] = {x.pixel(col, row), y.pixel(col, row)};
                    for (int i = 0; i < 2; ++i) {
                        sum[i][0] += qRed(p[i]);
                        sum[i][1] += qGreen(p[i]);
                        sum[i][2] += qBlue(p[i]);
                    }
                }
            }
            ++blocks;
            for (int c = 0; c < 3; ++c) {
                if (std::abs(sum[0][c] - sum[1][c]) > 64 * 16) {
                    ++differing;
                    break;
                }
            }
        }
    }
    return double(differing) / blocks;
}

TEST(MetafilePlayer, LibreOfficeDrawingsLookAsLibreOfficeDrawsThem)
{
    const char* files[] = {"shapes.wmf", "shapes.emf", "textimage.wmf", "textimage.emf"};
    for (const char* name : files) {
        const QString file = QString::fromLatin1(name);
        SCOPED_TRACE(name);
        TMetafile metafile;
        QString error;
        ASSERT_TRUE(metafile.Load(DataFile(file), &error)) << error.toStdString();
        const QImage reference(QStringLiteral(ALMARIN_SOURCE_DIR "/tests/graphics/data/") +
                               file.section(QLatin1Char('.'), 0, 0) + QStringLiteral(".png"));
        ASSERT_FALSE(reference.isNull());
        EXPECT_LE(std::abs(metafile.Size().width() - reference.width()), 1);
        EXPECT_LE(std::abs(metafile.Size().height() - reference.height()), 1);
        const QImage drawn = Render(metafile, reference.size());
        drawn.save(TestOutputDir(QStringLiteral("graphics")) + QLatin1Char('/') + file + QStringLiteral(".png"));
        EXPECT_LT(DifferingShare(drawn, reference), 0.004);

        // Recorded into a QPicture at its own size and replayed, it looks nearly the same.
        const QPicture picture = PlayMetafile(DataFile(file));
        EXPECT_EQ(picture.boundingRect(), QRect(QPoint(), metafile.Size()));
        QImage replayed(reference.size(), QImage::Format_RGB32);
        replayed.fill(Qt::white);
        QPainter painter(&replayed);
        painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
        painter.scale(double(reference.width()) / metafile.Size().width(),
                      double(reference.height()) / metafile.Size().height());
        painter.drawPicture(0, 0, picture);
        painter.end();
        EXPECT_LT(DifferingShare(replayed, reference), 0.01); // replayed text may land a pixel lower
    }
}

} // namespace
