#include "graphics/metafile.h"
#include "graphics/vectorpicture.h"

#include "imagecompare.h"
#include "support/testsupport.h"

#include <QBuffer>
#include <QFile>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QImage Render(const TMetafile& metafile, QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
    metafile.Draw(painter, QRectF(QPointF(), QSizeF(size)));
    return image;
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
        const QImage reference(DataPath(file.section(QLatin1Char('.'), 0, 0) + QStringLiteral(".png")));
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

TEST(MetafilePlayer, BorderArtMayBeAMetafile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Shapes.wpo"));
    QFile::copy(DataPath(QStringLiteral("shapes.emf")), path);
    TVectorPicture art;
    ASSERT_TRUE(art.LoadFromFile(path));
    const QImage reference(DataPath(QStringLiteral("shapes.png")));
    QImage drawn(reference.size(), QImage::Format_RGB32);
    drawn.fill(Qt::white);
    QPainter painter(&drawn);
    art.StretchDraw(painter, QRectF(drawn.rect()));
    painter.end();
    EXPECT_LT(DifferingShare(drawn, reference), 0.004);
}

// Found by fuzzing: a 4096-pixel font squeezed to a hairline and turned, and a 2-pixel font stretched
// 700 times its height. FreeType cannot rasterise such glyphs, and Qt fails on that when drawing them
// from its glyph cache.
TEST(MetafilePlayer, TextSqueezedOrStretchedBeyondAnyGlyphIsDrawnWithoutFailing)
{
    for (const char* name : {"squeezed-glyph.emf", "stretched-glyph.emf"}) {
        SCOPED_TRACE(name);
        QFile file(DataPath(QLatin1String(name)));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        TMetafile metafile;
        ASSERT_TRUE(metafile.Load(file.readAll()));
        EXPECT_FALSE(Render(metafile, QSize(64, 48)).isNull());
        // Paper keeps such text as text.
        QBuffer pdf;
        pdf.open(QIODevice::WriteOnly);
        QPdfWriter writer(&pdf);
        QPainter paper(&writer);
        metafile.Draw(paper, QRectF(0, 0, 640, 480));
        paper.end();
        EXPECT_TRUE(pdf.data().startsWith("%PDF"));
    }
}

} // namespace
