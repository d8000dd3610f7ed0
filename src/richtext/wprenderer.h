// Paints rich text at a zoom onto any painter (screen image, report, QPicture), and keeps the screen images
// of storages so that repainting a page neither parses RTF nor lays unchanged text out again.
#pragma once

#include <QCache>
#include <QColor>
#include <QImage>
#include <QPicture>
#include <QRectF>

class QPainter;
class QTextDocument;
class TWPRtfStorage;

class TWPRenderer
{
public:
    TWPRenderer();

    // Lays the document out at the page width in twips (0: the target's width at this zoom), with zero
    // margins, and paints it scaled by the zoom from the target's top-left corner, clipped to the target.
    static void Paint(QPainter& painter, const QTextDocument& doc, const QRectF& target, int zoomPercent,
                      int pageWidthTwips = 0);
    // The same for a storage, using its parsed document without copying it.
    static void Paint(QPainter& painter, const TWPRtfStorage& storage, const QRectF& target, int zoomPercent,
                      int pageWidthTwips = 0);
    // Records the storage's text as vector drawing into a picture of the given size (text stays text).
    static QPicture Record(const TWPRtfStorage& storage, QSize size, int zoomPercent, int pageWidthTwips = 0);

    // The storage painted on white at a pixel size; kept until the storage's text, the size or the zoom changes.
    QImage Image(const TWPRtfStorage& storage, QSize size, int zoomPercent);
    // Draws that image at the target's top-left corner; an empty storage draws nothing.
    void PaintCached(QPainter& painter, const TWPRtfStorage& storage, const QRect& target, int zoomPercent);
    void ClearCache();

    struct CacheKey
    {
        quint64 revision;
        int width;
        int height;
        int zoom;
        bool operator==(const CacheKey&) const = default;
    };

private:
    QCache<CacheKey, QImage> m_images;
};

size_t qHash(const TWPRenderer::CacheKey& key, size_t seed = 0) noexcept;
