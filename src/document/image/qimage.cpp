#include "qimage.h"

#include "editor/image/qimagebrowser.h"

#include "editor/qbasepanel.h"
#include "editor/qhandle.h"

#include "platform/rounding.h"

#include <QDir>
#include <QMenu>
#include <QPainter>

#include <algorithm>

namespace {

constexpr int kNewObjectSize = 105;
// Pictures larger than this on screen are drawn afresh each time instead of being kept drawn.
constexpr qint64 kMaxCachedPixels = 4'000'000;

QAction* AddCheckItem(QMenu* menu, const char* caption, QObject* context, std::function<void()> run)
{
    QAction* item = menu->addAction(QString::fromLatin1(caption), context, std::move(run));
    item->setCheckable(true);
    return item;
}

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

void TQImage::AddMenuItems(QMenu& objectMenu)
{
    QMenu* menu = &objectMenu;
    menu->addSeparator();
    menu->addAction(QStringLiteral("Load Image From Disk"), this, [this] { LoadImageFromDisk(); });
    menu->addSeparator();
    m_borderItem =
        AddCheckItem(menu, "Border", this, [this] { SetBorderStyle(m_borderStyle == bsSingle ? bsNone : bsSingle); });
    m_borderItem->setChecked(m_borderStyle == bsSingle);
    m_stretchItem = AddCheckItem(menu, "Stretch to Fit", this, [this] { SetStretch(!m_stretch); });
    m_autoSizeItem = AddCheckItem(menu, "AutoSize", this, [this] { SetAutoSize(!m_autoSize); });
    m_flipItem = AddCheckItem(menu, "Flip", this, [this] { SetFlip(!m_flip); });
    m_reverseItem = AddCheckItem(menu, "Reverse", this, [this] { SetReverse(!m_reverse); });
}

void TQImage::PopupOpening()
{
    TQGraphicControl::PopupOpening();
    if (!m_borderItem)
        return;
    m_borderItem->setChecked(m_borderStyle == bsSingle);
    m_stretchItem->setChecked(m_stretch);
    m_autoSizeItem->setChecked(m_autoSize);
    m_flipItem->setChecked(m_flip);
    m_reverseItem->setChecked(m_reverse);
    const bool bitmap = Picture().GraphicKind() == TPicture::Kind::Bitmap;
    m_flipItem->setEnabled(bitmap);
    m_reverseItem->setEnabled(bitmap);
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

void TQImage::LoadImageFromDisk()
{
    const QString currentFolder = QDir::currentPath();
    {
        TQImageBrowser browser(window());
        browser.SetStretch(m_stretch);
        browser.SetAutoSize(m_autoSize);
        // A file whose preview could not be made is as good as no file: the object keeps its picture.
        if (browser.exec() == QDialog::Accepted && !browser.FileName().isEmpty() && !browser.Preview().IsEmpty()) {
            // Both kept as the browser has them, so both may be off.
            m_stretch = browser.Stretch();
            m_autoSize = browser.AutoSize();
            m_picture->Picture().Assign(browser.Preview());
            NotifyChanged();
        }
    }
    QDir::setCurrent(currentFolder);
}

void TQImage::AskForPicture(TQGraphicControl* object)
{
    auto* image = qobject_cast<TQImage*>(object);
    if (!image)
        return;
    image->LoadImageFromDisk();
    if (!image->Picture().IsEmpty())
        return;
    if (TQBasePanel* surface = image->Surface())
        surface->SelectionHandle()->Deselect(image);
    image->setParent(nullptr);
    image->deleteLater();
}
