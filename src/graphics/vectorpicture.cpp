#include "vectorpicture.h"

#include <QFile>
#include <QPainter>
#include <QSvgRenderer>

bool TVectorPicture::LoadFromFile(const QString& path)
{
    Clear();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    QSvgRenderer renderer;
    if (!renderer.load(file.readAll()) || !renderer.isValid())
        return false;
    const QRectF box = renderer.viewBoxF().isEmpty() ? QRectF(QPointF(0, 0), renderer.defaultSize())
                                                      : renderer.viewBoxF();
    if (box.isEmpty())
        return false;
    // Recorded once, so that painting replays vector commands instead of parsing the file again.
    QPainter recorder(&m_picture);
    renderer.setAspectRatioMode(Qt::IgnoreAspectRatio);
    renderer.render(&recorder, box);
    recorder.end();
    m_bounds = box;
    return true;
}

void TVectorPicture::Clear()
{
    m_picture = QPicture();
    m_bounds = QRectF();
}

bool TVectorPicture::IsEmpty() const
{
    return m_bounds.isEmpty();
}

void TVectorPicture::StretchDraw(QPainter& painter, const QRectF& target) const
{
    if (IsEmpty() || target.isEmpty())
        return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.translate(target.topLeft());
    painter.scale(target.width() / m_bounds.width(), target.height() / m_bounds.height());
    painter.translate(-m_bounds.topLeft());
    painter.drawPicture(0, 0, m_picture);
    painter.restore();
}
