#include "wprenderer.h"

#include "richdocument.h"
#include "wprtfstorage.h"

#include <QAbstractTextDocumentLayout>
#include <QHashFunctions>
#include <QPainter>
#include <QTextDocument>

namespace {
constexpr qsizetype kCacheKilobytes = 64 * 1024;

double LayoutWidth(const QRectF& target, int zoomPercent, int pageWidthTwips)
{
    if (pageWidthTwips > 0)
        return PixelsFromTwips(pageWidthTwips);
    return target.width() * 100.0 / zoomPercent;
}

void DrawLaidOut(QPainter& painter, const QTextDocument& doc, const QRectF& target, double scale)
{
    painter.save();
    painter.setClipRect(target, Qt::IntersectClip);
    painter.translate(target.topLeft());
    painter.scale(scale, scale);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    QAbstractTextDocumentLayout::PaintContext context;
    context.clip = QRectF(0, 0, target.width() / scale, target.height() / scale);
    context.palette.setColor(QPalette::Text, Qt::black);
    doc.documentLayout()->draw(&painter, context);
    painter.restore();
}
} // namespace

size_t qHash(const TWPRenderer::CacheKey& key, size_t seed) noexcept
{
    return qHashMulti(seed, key.revision, key.width, key.height, key.zoom);
}

TWPRenderer::TWPRenderer() : m_images(kCacheKilobytes) {}

void TWPRenderer::Paint(QPainter& painter, const QTextDocument& doc, const QRectF& target, int zoomPercent,
                        int pageWidthTwips)
{
    if (zoomPercent <= 0 || target.isEmpty())
        return;
    TRichDocument copy;
    CopyRichDocument(doc, copy);
    copy.setTextWidth(LayoutWidth(target, zoomPercent, pageWidthTwips));
    DrawLaidOut(painter, copy, target, zoomPercent / 100.0);
}

void TWPRenderer::Paint(QPainter& painter, const TWPRtfStorage& storage, const QRectF& target, int zoomPercent,
                        int pageWidthTwips)
{
    if (zoomPercent <= 0 || target.isEmpty() || storage.IsEmpty())
        return;
    const QTextDocument& doc = storage.LaidOutDocument(LayoutWidth(target, zoomPercent, pageWidthTwips));
    DrawLaidOut(painter, doc, target, zoomPercent / 100.0);
}

QPicture TWPRenderer::Record(const TWPRtfStorage& storage, QSize size, int zoomPercent, int pageWidthTwips)
{
    QPicture picture;
    QPainter painter(&picture);
    Paint(painter, storage, QRectF(QPointF(0, 0), size), zoomPercent, pageWidthTwips);
    painter.end();
    // The picture spans the whole size even where the text ends early, so it stretches as a whole.
    picture.setBoundingRect(QRect(QPoint(0, 0), size));
    return picture;
}

QImage TWPRenderer::Image(const TWPRtfStorage& storage, QSize size, int zoomPercent)
{
    if (size.isEmpty())
        return {};
    const CacheKey key{storage.Revision(), size.width(), size.height(), zoomPercent};
    if (const QImage* cached = m_images.object(key))
        return *cached;
    auto* image = new QImage(size, QImage::Format_RGB32);
    image->fill(Qt::white);
    {
        QPainter painter(image);
        Paint(painter, storage, QRectF(QPointF(0, 0), size), zoomPercent);
    }
    const QImage result = *image;
    m_images.insert(key, image, std::max<qsizetype>(1, image->sizeInBytes() / 1024));
    return result;
}

void TWPRenderer::PaintCached(QPainter& painter, const TWPRtfStorage& storage, const QRect& target, int zoomPercent)
{
    if (storage.IsEmpty())
        return;
    const QImage image = Image(storage, target.size(), zoomPercent);
    if (!image.isNull())
        painter.drawImage(target.topLeft(), image);
}

void TWPRenderer::ClearCache()
{
    m_images.clear();
}
