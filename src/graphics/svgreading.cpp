#include "svgreading.h"

#include "picturebudget.h"
#include "picturedecoder.h"
#include "picturereading.h"

#include <QBuffer>
#include <QImageWriter>
#include <QSvgRenderer>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

#include <optional>

namespace {

constexpr qint64 kMaxSvgSize = 16LL * 1024 * 1024;

QStringView Unquoted(QStringView reference)
{
    QStringView trimmed = reference.trimmed();
    if (trimmed.startsWith(QLatin1Char('\'')) || trimmed.startsWith(QLatin1Char('"')))
        trimmed = trimmed.mid(1);
    return trimmed;
}

// A reference to an element of the document itself ("#id").
bool IsInternal(QStringView reference)
{
    const QStringView trimmed = Unquoted(reference);
    return trimmed.isEmpty() || trimmed.startsWith(QLatin1Char('#'));
}

// Every url(...) in the value names an element of the document itself.
bool UrlsInternal(QStringView value)
{
    for (qsizetype at = value.indexOf(QLatin1String("url(")); at >= 0;
         at = value.indexOf(QLatin1String("url("), at + 4)) {
        const QStringView inner = value.mid(at + 4);
        if (!IsInternal(inner.left(inner.indexOf(QLatin1Char(')')))))
            return false;
    }
    return !value.contains(QLatin1String("@import"));
}

// The picture of a "data:...;base64,..." reference, decoded here as the one raster format its bytes start
// with and within what pictures may cost, then handed on as a PNG written here. So the renderer's own image
// reader never meets bytes it would have to guess the format of (an SVG inside an SVG can name local files).
std::optional<QByteArray> InlinePicture(QStringView reference)
{
    const QStringView trimmed = Unquoted(reference);
    const qsizetype comma = trimmed.indexOf(QLatin1Char(','));
    if (!trimmed.startsWith(QLatin1String("data:"), Qt::CaseInsensitive) || comma < 0 ||
        !trimmed.left(comma).endsWith(QLatin1String(";base64"), Qt::CaseInsensitive))
        return std::nullopt;
    const QByteArray bytes = QByteArray::fromBase64(trimmed.mid(comma + 1).toLatin1());
    std::optional<TPictureFormat> format;
    for (TPictureFormat candidate :
         {TPictureFormat::Png, TPictureFormat::Jpeg, TPictureFormat::Gif, TPictureFormat::Bmp}) {
        const char* signature = candidate == TPictureFormat::Png    ? "\x89PNG\r\n\x1A\n"
                                : candidate == TPictureFormat::Jpeg ? "\xFF\xD8\xFF"
                                : candidate == TPictureFormat::Gif  ? "GIF8"
                                                                    : "BM";
        if (bytes.startsWith(signature))
            format = candidate;
    }
    if (!format)
        return std::nullopt;
    std::optional<TPictureBudget> own;
    TPictureBudget* budget = TPictureBudget::Current();
    if (!budget)
        budget = &own.emplace();
    const TDecodedPicture decoded = DecodePicture(bytes, *format, *budget);
    if (decoded.outcome != TDecodedPicture::TOutcome::Decoded)
        return std::nullopt;
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!QImageWriter(&buffer, "png").write(decoded.image))
        return std::nullopt;
    return QByteArrayLiteral("data:image/png;base64,") + png.toBase64();
}

void WriteStart(QXmlStreamWriter& out, const QXmlStreamReader& in, const QXmlStreamAttributes& attributes)
{
    out.writeStartElement(in.qualifiedName().toString());
    for (const QXmlStreamNamespaceDeclaration& ns : in.namespaceDeclarations()) {
        const QString name =
            ns.prefix().isEmpty() ? QStringLiteral("xmlns") : QStringLiteral("xmlns:") + ns.prefix().toString();
        out.writeAttribute(name, ns.namespaceUri().toString());
    }
    for (const QXmlStreamAttribute& attribute : attributes)
        out.writeAttribute(attribute.qualifiedName().toString(), attribute.value().toString());
}

// The document with everything that reaches outside it left out: processing instructions (a style sheet
// there is read from a file), the doctype, references to files or addresses, style sheets that import, and
// pictures inside it that are not a raster picture within the limits. Null when the XML is damaged.
std::optional<QByteArray> SelfContainedCopy(const QByteArray& bytes, int* leftOut, QString* error)
{
    QXmlStreamReader in(bytes);
    QByteArray copy;
    QXmlStreamWriter out(&copy);
    while (!in.atEnd()) {
        switch (in.readNext()) {
        case QXmlStreamReader::StartDocument:
            out.writeStartDocument();
            break;
        case QXmlStreamReader::EndDocument:
            out.writeEndDocument();
            break;
        case QXmlStreamReader::EndElement:
            out.writeEndElement();
            break;
        case QXmlStreamReader::Characters:
            if (in.isCDATA())
                out.writeCDATA(in.text().toString());
            else
                out.writeCharacters(in.text().toString());
            break;
        case QXmlStreamReader::StartElement: {
            if (in.name() == QLatin1String("style")) {
                const QString sheet = in.readElementText(QXmlStreamReader::SkipChildElements);
                if (UrlsInternal(sheet)) {
                    WriteStart(out, in, in.attributes());
                    out.writeCharacters(sheet);
                    out.writeEndElement();
                } else {
                    ++*leftOut;
                }
                break;
            }
            const bool image = in.name() == QLatin1String("image");
            QXmlStreamAttributes kept;
            bool drop = false;
            for (const QXmlStreamAttribute& attribute : in.attributes()) {
                const QStringView value = attribute.value();
                if (attribute.name() == QLatin1String("href") && image) {
                    const std::optional<QByteArray> picture = InlinePicture(value);
                    drop = !picture;
                    if (picture)
                        kept.append(attribute.qualifiedName().toString(), QString::fromLatin1(*picture));
                } else if ((attribute.name() == QLatin1String("href") && !IsInternal(value)) || !UrlsInternal(value)) {
                    ++*leftOut;
                } else {
                    kept.append(attribute);
                }
            }
            if (drop) {
                ++*leftOut;
                in.skipCurrentElement();
                break;
            }
            WriteStart(out, in, kept);
            break;
        }
        case QXmlStreamReader::ProcessingInstruction:
            if (in.processingInstructionTarget() == QLatin1String("xml-stylesheet"))
                ++*leftOut;
            break;
        default:
            break;
        }
    }
    if (in.hasError()) {
        Refuse(error, QStringLiteral("The SVG picture is damaged: %1").arg(in.errorString()));
        return std::nullopt;
    }
    return copy;
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

std::shared_ptr<QSvgRenderer> ReadSvg(const QByteArray& bytes, QString* error, int* partsLeftOut)
{
    if (bytes.size() > kMaxSvgSize) {
        Refuse(error, QStringLiteral("The SVG picture is too large"));
        return nullptr;
    }
    int leftOut = 0;
    const std::optional<QByteArray> copy = SelfContainedCopy(bytes, &leftOut, error);
    if (!copy)
        return nullptr;
    auto svg = std::make_shared<QSvgRenderer>();
    if (!svg->load(*copy) || !svg->isValid()) {
        Refuse(error, QStringLiteral("Not an SVG picture"));
        return nullptr;
    }
    // Drawn as vectors into its box, so its own size costs nothing; it only has to be a size.
    const QSize size = svg->defaultSize();
    if (svg->viewBoxF().isEmpty() || size.width() <= 0 || size.height() <= 0) {
        Refuse(error, QStringLiteral("The SVG picture has no size Almarin can draw"));
        return nullptr;
    }
    svg->setAspectRatioMode(Qt::IgnoreAspectRatio);
    if (partsLeftOut)
        *partsLeftOut = leftOut;
    if (leftOut > 0) {
        if (TPictureBudget* budget = TPictureBudget::Current())
            budget->NoteLeftOut();
    }
    return svg;
}
