#include "metafile.h"

#include "picturereading.h"

#include "platform/rounding.h"

#include <QPainter>

#include <algorithm>
#include <utility>

bool TMetafile::Recognises(const QByteArray& bytes)
{
    return TEmfPlayer::Recognises(bytes) || TWmfPlayer::Recognises(bytes);
}

bool TMetafile::Load(const QByteArray& bytes, QString* error)
{
    Clear();
    QSizeF natural;
    if (TEmfPlayer::Recognises(bytes)) {
        TEmfPlayer player;
        if (!player.Load(bytes, error))
            return false;
        natural = player.NaturalSize();
        m_player = player;
    } else {
        TWmfPlayer player;
        if (!player.Load(bytes, error))
            return false;
        natural = player.NaturalSize();
        m_player = player;
    }
    const double width = std::max(1.0, natural.width()), height = std::max(1.0, natural.height());
    if (!PictureSizeAllowed(static_cast<qint64>(std::min(width, 1e12)), static_cast<qint64>(std::min(height, 1e12)))) {
        Clear();
        if (error)
            *error = QStringLiteral("The picture is too large");
        return false;
    }
    m_size = QSize(std::max(1, RoundHalfEven(width)), std::max(1, RoundHalfEven(height)));
    m_data = bytes;
    return true;
}

void TMetafile::Clear()
{
    *this = TMetafile();
}

bool TMetafile::IsEmpty() const
{
    return std::holds_alternative<std::monostate>(m_player);
}

bool TMetafile::IsEnhanced() const
{
    return std::holds_alternative<TEmfPlayer>(m_player);
}

const QByteArray& TMetafile::Data() const
{
    return m_data;
}

QSize TMetafile::Size() const
{
    return m_size;
}

namespace {

std::function<void()>& CutShortListener()
{
    static std::function<void()> listener;
    return listener;
}

} // namespace

void SetMetafileCutShortListener(std::function<void()> listener)
{
    CutShortListener() = std::move(listener);
}

QString MetafileCutShortNotice()
{
    return QStringLiteral("A picture is too detailed to draw in full; only part of it is shown.");
}

bool TMetafile::Draw(QPainter& painter, const QRectF& target) const
{
    bool whole = true;
    if (const auto* wmf = std::get_if<TWmfPlayer>(&m_player))
        whole = wmf->Play(painter, target);
    else if (const auto* emf = std::get_if<TEmfPlayer>(&m_player))
        whole = emf->Play(painter, target);
    if (!whole && !std::exchange(*m_cutShortTold, true) && CutShortListener())
        CutShortListener()();
    return whole;
}

QPicture PlayMetafile(const QByteArray& bytes, QString* error)
{
    QPicture picture;
    TMetafile metafile;
    if (!metafile.Load(bytes, error))
        return picture;
    const QRect frame(QPoint(0, 0), metafile.Size());
    QPainter painter(&picture);
    // The recording keeps its painter's hints: bitmaps in it are scaled smoothly wherever it is replayed.
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    metafile.Draw(painter, frame);
    painter.end();
    picture.setBoundingRect(frame);
    return picture;
}
