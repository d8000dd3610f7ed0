#include "wprenderer.h"

#include "wprtfstorage.h"

#include <QAbstractTextDocumentLayout>
#include <QHashFunctions>
#include <QPainter>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

#include <algorithm>
#include <limits>

namespace {
constexpr qsizetype kCacheKilobytes = 64 * 1024;
// Layout arithmetic in floating point may land a hair past a page edge the line meets exactly.
constexpr double kFitTolerance = 0.01;

// The height from the top of the lines that fit whole in `height`; `all` says whether every line does.
double WholeLinesHeight(const QTextDocument& doc, double height, bool& all)
{
    all = true;
    if (height <= 0)
        return std::numeric_limits<double>::infinity();
    const QAbstractTextDocumentLayout* layout = doc.documentLayout();
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        const QTextLayout* lines = block.layout();
        if (!block.isVisible() || !lines)
            continue;
        const double blockTop = layout->blockBoundingRect(block).top();
        for (int i = 0; i < lines->lineCount(); ++i) {
            const QTextLine line = lines->lineAt(i);
            const double top = blockTop + line.y();
            if (top + line.height() > height + kFitTolerance) {
                all = false;
                return top;
            }
        }
    }
    return height;
}
} // namespace

size_t qHash(const TWPRenderer::CacheKey& key, size_t seed) noexcept
{
    return qHashMulti(seed, key.revision, key.width, key.height, key.zoom, key.pageWidth, key.pageHeight);
}

TWPRenderer::TWPRenderer() : m_images(kCacheKilobytes) {}

void TWPRenderer::Paint(QPainter& painter, const TWPRtfStorage& storage, const QRectF& target, double scale,
                        const QSizeF& page)
{
    if (scale <= 0 || target.isEmpty() || storage.IsEmpty())
        return;
    const double width = page.width() > 0 ? page.width() : target.width() / scale;
    const QTextDocument& doc = storage.LaidOutDocument(width);
    bool all = true;
    const double shown = WholeLinesHeight(doc, page.height(), all);
    // A target a little smaller than the scaled page (insets that keep their screen size at every zoom)
    // shrinks the text a little rather than cutting off its right edge or its last line.
    if (page.width() > 0)
        scale = std::min(scale, target.width() / page.width());
    if (page.height() > 0 && shown > 0)
        scale = std::min(scale, target.height() / shown);
    const QRectF clip(target.topLeft(), QSizeF(target.width(), std::min(target.height(), shown * scale)));
    if (clip.isEmpty())
        return;
    painter.save();
    painter.setClipRect(clip, Qt::IntersectClip);
    painter.translate(target.topLeft());
    painter.scale(scale, scale);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    QAbstractTextDocumentLayout::PaintContext context;
    context.clip = QRectF(0, 0, clip.width() / scale, clip.height() / scale);
    context.palette.setColor(QPalette::Text, Qt::black);
    doc.documentLayout()->draw(&painter, context);
    painter.restore();
}

bool TWPRenderer::Fits(const TWPRtfStorage& storage, const QSizeF& page)
{
    if (storage.IsEmpty() || page.width() <= 0)
        return true;
    bool all = true;
    WholeLinesHeight(storage.LaidOutDocument(page.width()), page.height(), all);
    return all;
}

QPicture TWPRenderer::Record(const TWPRtfStorage& storage, QSize page)
{
    QPicture picture;
    QPainter painter(&picture);
    Paint(painter, storage, QRectF(QPointF(0, 0), page), 1.0, page);
    painter.end();
    // The picture spans the whole page even where the text ends early, so it stretches as a whole.
    picture.setBoundingRect(QRect(QPoint(0, 0), page));
    return picture;
}

QImage TWPRenderer::Image(const TWPRtfStorage& storage, QSize size, int zoomPercent, QSize page)
{
    if (size.isEmpty() || zoomPercent <= 0)
        return {};
    const CacheKey key{storage.Revision(), size.width(), size.height(), zoomPercent, page.width(), page.height()};
    if (const QImage* cached = m_images.object(key))
        return *cached;
    auto* image = new QImage(size, QImage::Format_RGB32);
    image->fill(Qt::white);
    {
        QPainter painter(image);
        Paint(painter, storage, QRectF(QPointF(0, 0), size), zoomPercent / 100.0, page);
    }
    const QImage result = *image;
    m_images.insert(key, image, std::max<qsizetype>(1, image->sizeInBytes() / 1024));
    return result;
}

void TWPRenderer::PaintCached(QPainter& painter, const TWPRtfStorage& storage, const QRect& target, int zoomPercent,
                              QSize page)
{
    if (storage.IsEmpty())
        return;
    const QImage image = Image(storage, target.size(), zoomPercent, page);
    if (!image.isNull())
        painter.drawImage(target.topLeft(), image);
}

void TWPRenderer::ClearCache()
{
    m_images.clear();
}
