// Paints rich text at a zoom onto any painter (screen image, report, QPicture), and keeps the screen images
// of storages so that repainting a page neither parses RTF nor lays unchanged text out again.
//
// A text is always laid out on its page: a width and a height in page pixels (96 per inch at 100%), the
// same on every device, so its lines break alike at every zoom, in every image and on paper. Only the
// lines that fit whole in the page's height are drawn.
#pragma once

#include <QCache>
#include <QColor>
#include <QImage>
#include <QPicture>
#include <QRectF>

class QPainter;
class TWPRtfStorage;

class TWPRenderer
{
public:
    TWPRenderer();

    // Lays the text out at the page's width (none: the target's width at this scale) and paints the lines
    // that fit whole in the page's height (none: every line), scaled from the target's top-left corner
    // (less where the scaled page would not fit the target), clipped to the target.
    static void Paint(QPainter& painter, const TWPRtfStorage& storage, const QRectF& target, double scale,
                      const QSizeF& page = QSizeF());
    // Every line of the text fits whole in the page (laid out at its width).
    static bool Fits(const TWPRtfStorage& storage, const QSizeF& page);
    // Records the text of the page at 100% as vector drawing into a picture of the page's size (text stays
    // text), to be stretched onto paper.
    static QPicture Record(const TWPRtfStorage& storage, QSize page);

    // The storage painted on white at a pixel size; kept until the storage's text, the size, the zoom or
    // the page changes.
    QImage Image(const TWPRtfStorage& storage, QSize size, int zoomPercent, QSize page = QSize());
    // Draws that image at the target's top-left corner; an empty storage draws nothing.
    void PaintCached(QPainter& painter, const TWPRtfStorage& storage, const QRect& target, int zoomPercent,
                     QSize page = QSize());
    void ClearCache();

    struct CacheKey
    {
        quint64 revision;
        int width;
        int height;
        int zoom;
        int pageWidth;
        int pageHeight;
        bool operator==(const CacheKey&) const = default;
    };

private:
    QCache<CacheKey, QImage> m_images;
};

size_t qHash(const TWPRenderer::CacheKey& key, size_t seed = 0) noexcept;
