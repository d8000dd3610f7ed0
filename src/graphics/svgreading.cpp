#include "svgreading.h"

#include "picturereading.h"

#include <QBuffer>
#include <QImageReader>
#include <QSvgRenderer>
#include <QXmlStreamReader>

namespace {

constexpr qint64 kMaxSvgSize = 16LL * 1024 * 1024;

// A reference inside the document: "#id" or inline "data:" bytes.
bool IsInternal(QStringView reference)
{
    QStringView trimmed = reference.trimmed();
    if (trimmed.startsWith(QLatin1Char('\'')) || trimmed.startsWith(QLatin1Char('"')))
        trimmed = trimmed.mid(1);
    return trimmed.isEmpty() || trimmed.startsWith(QLatin1Char('#')) ||
           trimmed.startsWith(QLatin1String("data:"), Qt::CaseInsensitive);
}

// A picture inside the document ("data:image/png;base64,..."), which the renderer decodes: allowed when its
// header states a size within what pictures may cost.
bool InlinePictureAllowed(QStringView reference)
{
    const qsizetype comma = reference.indexOf(QLatin1Char(','));
    if (!reference.trimmed().startsWith(QLatin1String("data:"), Qt::CaseInsensitive) || comma < 0)
        return true;
    QBuffer buffer;
    buffer.setData(QByteArray::fromBase64(reference.mid(comma + 1).toLatin1()));
    buffer.open(QIODevice::ReadOnly);
    const QSize size = QImageReader(&buffer).size();
    return size.isValid() && MayDecodePicture(size.width(), size.height(), 32);
}

// Well-formed XML whose references (href attributes, url(...) in attributes) all stay inside the document.
bool SelfContained(const QByteArray& bytes, QString* error)
{
    QXmlStreamReader xml(bytes);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        for (const QXmlStreamAttribute& attribute : xml.attributes()) {
            const QStringView value = attribute.value();
            if (attribute.name() == QLatin1String("href") && !IsInternal(value))
                return Refuse(error, QStringLiteral("The SVG picture refers to a file outside it"));
            if (attribute.name() == QLatin1String("href") && !InlinePictureAllowed(value))
                return Refuse(error, QStringLiteral("A picture inside the SVG picture is damaged or too large"));
            for (qsizetype at = value.indexOf(QLatin1String("url(")); at >= 0;
                 at = value.indexOf(QLatin1String("url("), at + 4)) {
                const QStringView inner = value.mid(at + 4);
                if (!IsInternal(inner.left(inner.indexOf(QLatin1Char(')')))))
                    return Refuse(error, QStringLiteral("The SVG picture refers to a file outside it"));
            }
        }
        if (xml.name() == QLatin1String("style") && xml.readElementText().contains(QLatin1String("@import")))
            return Refuse(error, QStringLiteral("The SVG picture refers to a file outside it"));
    }
    if (xml.hasError())
        return Refuse(error, QStringLiteral("The SVG picture is damaged: %1").arg(xml.errorString()));
    return true;
}

} // namespace

bool LooksLikeSvg(const QByteArray& bytes)
{
    QByteArray start = bytes.left(512).trimmed();
    if (start.startsWith("\xEF\xBB\xBF"))
        start = start.mid(3).trimmed();
    return start.startsWith("<?xml") || start.startsWith("<svg") || start.startsWith("<!DOCTYPE svg") ||
           start.startsWith("<!--");
}

std::shared_ptr<QSvgRenderer> ReadSvg(const QByteArray& bytes, QString* error)
{
    if (bytes.size() > kMaxSvgSize) {
        Refuse(error, QStringLiteral("The SVG picture is too large"));
        return nullptr;
    }
    if (!SelfContained(bytes, error))
        return nullptr;
    auto svg = std::make_shared<QSvgRenderer>();
    if (!svg->load(bytes) || !svg->isValid()) {
        Refuse(error, QStringLiteral("Not an SVG picture"));
        return nullptr;
    }
    const QSize size = svg->defaultSize();
    if (svg->viewBoxF().isEmpty() || !PictureSizeAllowed(size.width(), size.height())) {
        Refuse(error, QStringLiteral("The SVG picture has no size Almarin can draw"));
        return nullptr;
    }
    svg->setAspectRatioMode(Qt::IgnoreAspectRatio);
    return svg;
}
