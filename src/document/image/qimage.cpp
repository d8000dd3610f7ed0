#include "qimage.h"

#include "platform/rounding.h"

#include <QPainter>

#include <algorithm>

namespace {

constexpr int kNewObjectSize = 105;
// Pictures larger than this on screen are drawn afresh each time instead of being kept drawn.
constexpr qint64 kMaxCachedPixels = 4'000'000;

} // namespace

TQImage::TQImage(QObject* parent) : TQGraphicControl(parent), m_picture(new TPictureProperty(this))
{
    resize(kNewObjectSize, kNewObjectSize);
    m_picture->Picture().SetOnChange([this] { pictureChanged(); });
}

void TQImage::SetPicture(const TPicture& p)
{
    m_picture->Picture().Assign(p);
}

void TQImage::SetStretch(bool v)
{
    // Read from a stream, each switch is taken as stored: both may be off.
    if (IsLoading()) {
        m_stretch = v;
        return;
    }
    if (v == m_stretch && v != m_autoSize)
        return;
    m_stretch = v;
    m_autoSize = !v;
    Repaint();
    NotifyChanged();
}

void TQImage::SetAutoSize(bool v)
{
    if (IsLoading()) {
        m_autoSize = v;
        return;
    }
    if (v == m_autoSize && v != m_stretch)
        return;
    m_autoSize = v;
    m_stretch = !v;
    pictureChanged();
    NotifyChanged();
}

void TQImage::SetBorderStyle(TBorderStyle v)
{
    if (v == m_borderStyle || !AcceptValue(IsEnumValue(v, bsSingle), "BorderStyle", v))
        return;
    m_borderStyle = v;
    Repaint();
    if (!IsLoading())
        NotifyChanged();
}

void TQImage::SetFlip(bool v)
{
    setMirroring(m_flip, v);
}

void TQImage::SetReverse(bool v)
{
    setMirroring(m_reverse, v);
}

void TQImage::setMirroring(bool& flag, bool v)
{
    if (v == flag)
        return;
    flag = v;
    m_screenCopy = QImage();
    Repaint();
    if (!IsLoading())
        NotifyChanged();
}

void TQImage::pictureChanged()
{
    // While read from a stream the stored bounds already fit the picture at the zoom they were kept at.
    if (!IsLoading())
        BoundsChanged();
    pictureShown();
}

void TQImage::pictureShown()
{
    m_screenCopy = QImage();
    Repaint();
}

void TQImage::BoundsChanged()
{
    TQGraphicControl::BoundsChanged();
    const TPicture& picture = Picture();
    if (m_autoSize && picture.Width() > 0 && picture.Height() > 0)
        resize(picture.Width(), picture.Height());
}

void TQImage::DocumentRead()
{
    pictureChanged();
}

void TQImage::Loaded()
{
    TQGraphicControl::Loaded();
    pictureShown();
}

void TQImage::drawPicture(QPainter& canvas, const QRect& target) const
{
    const TPicture& picture = Picture();
    canvas.save();
    canvas.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
    // Mirroring is for bitmaps alone.
    if (picture.GraphicKind() == TPicture::Kind::Bitmap && (m_flip || m_reverse))
        canvas.drawImage(QRectF(target), picture.Image().mirrored(m_reverse, m_flip));
    else
        picture.StretchDraw(canvas, target);
    canvas.restore();
}

void TQImage::Draw(QPainter& canvas, const QRect& target, const DeviceProfile& device)
{
    const TPicture& picture = Picture();
    const qreal ratio = canvas.device() ? canvas.device()->devicePixelRatioF() : 1.0;
    const QSize pixels = target.size() * ratio;
    if (picture.IsEmpty()) {
        // Paper shows nothing for an object without a picture; the screen shows where it lies.
        if (device.IsPaper())
            return;
        canvas.save();
        canvas.setRenderHint(QPainter::Antialiasing, false);
        canvas.setPen(QPen(Qt::black, 0));
        canvas.setBrush(Qt::white);
        canvas.drawRect(target.adjusted(0, 0, -1, -1));
        canvas.restore();
    } else if (device.IsPaper() || qint64(pixels.width()) * pixels.height() > kMaxCachedPixels) {
        // Paper gets the picture itself: bitmaps as images, metafiles and drawings as vectors.
        drawPicture(canvas, target);
    } else {
        // The screen repaints from the picture as last drawn at this size.
        if (m_screenCopy.size() != pixels) {
            m_screenCopy = QImage(pixels, QImage::Format_ARGB32_Premultiplied);
            m_screenCopy.fill(Qt::transparent);
            QPainter copy(&m_screenCopy);
            copy.scale(ratio, ratio);
            drawPicture(copy, QRect(QPoint(0, 0), target.size()));
            m_screenCopy.setDevicePixelRatio(ratio);
        }
        canvas.drawImage(target.topLeft(), m_screenCopy);
    }
    if (m_borderStyle == bsSingle) {
        // The frame lies inside the object's rectangle, however wide the device's line.
        const int w = std::min({device.LineWidth(), target.width(), target.height()});
        const QRect& t = target;
        canvas.fillRect(QRect(t.left(), t.top(), t.width(), w), Qt::black);
        canvas.fillRect(QRect(t.left(), t.bottom() - w + 1, t.width(), w), Qt::black);
        canvas.fillRect(QRect(t.left(), t.top(), w, t.height()), Qt::black);
        canvas.fillRect(QRect(t.right() - w + 1, t.top(), w, t.height()), Qt::black);
    }
}

void TQImage::TakeChosenPicture(const TPicture& picture, bool stretch, bool autoSize)
{
    m_stretch = stretch;
    m_autoSize = autoSize;
    m_picture->Picture().Assign(picture);
    NotifyChanged();
}
