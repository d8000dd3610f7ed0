#include "vectorpicture.h"

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
    auto svg = std::make_unique<QSvgRenderer>();
    if (!svg->load(file.readAll()) || !svg->isValid() || svg->viewBoxF().isEmpty())
        return false;
    svg->setAspectRatioMode(Qt::IgnoreAspectRatio);
    m_svg = std::move(svg);
    return true;
}

void TVectorPicture::Clear()
{
    m_svg.reset();
}

bool TVectorPicture::IsEmpty() const
{
    return !m_svg;
}

void TVectorPicture::StretchDraw(QPainter& painter, const QRectF& target) const
{
    if (!m_svg || target.isEmpty())
        return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    // Rendered from the parsed document on each device, so paper gets the printer's resolution.
    m_svg->render(&painter, target);
    painter.restore();
}
