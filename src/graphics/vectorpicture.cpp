#include "vectorpicture.h"

#include "svgreading.h"

#include <QFile>
#include <QPainter>
#include <QSvgRenderer>

TVectorPicture::TVectorPicture() = default;
TVectorPicture::~TVectorPicture() = default;

bool TVectorPicture::LoadFromFile(const QString& path)
{
    Clear();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = file.readAll();
    if (TMetafile::Recognises(bytes))
        return m_metafile.Load(bytes);
    m_svg = ReadSvg(bytes);
    return m_svg != nullptr;
}

void TVectorPicture::Clear()
{
    m_svg.reset();
    m_metafile.Clear();
}

bool TVectorPicture::IsEmpty() const
{
    return !m_svg && m_metafile.IsEmpty();
}

void TVectorPicture::StretchDraw(QPainter& painter, const QRectF& target) const
{
    if (IsEmpty() || target.isEmpty())
        return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    // Rendered from the parsed document on each device, so paper gets the printer's resolution.
    if (m_svg)
        m_svg->render(&painter, target);
    else
        m_metafile.Draw(painter, target);
    painter.restore();
}
