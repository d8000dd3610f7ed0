#include "richdocument.h"

#include "platform/rounding.h"

#include <QAbstractTextDocumentLayout>
#include <QAtomicInteger>
#include <QPixmap>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextImageFormat>
#include <QUrl>

namespace {
// Layout metrics come from an image marked 96 pixels per inch rather than from the screen.
QPaintDevice* LayoutDevice()
{
    static QImage device = [] {
        QImage image(1, 1, QImage::Format_RGB32);
        const int dotsPerMeter = qRound(96 / 0.0254);
        image.setDotsPerMeterX(dotsPerMeter);
        image.setDotsPerMeterY(dotsPerMeter);
        return image;
    }();
    return &device;
}

QString NewPictureName()
{
    static QAtomicInteger<quint64> counter;
    return QStringLiteral("almarin-picture:%1").arg(++counter);
}
} // namespace

QVariant TRichDocument::loadResource(int, const QUrl&)
{
    return QVariant();
}

void PrepareRichDocument(QTextDocument& doc)
{
    doc.setDocumentMargin(0);
    doc.setUndoRedoEnabled(false);
    doc.documentLayout()->setPaintDevice(LayoutDevice());
    doc.setDefaultFont(RichDefaultFont());
}

QFont RichDefaultFont(const QString& family)
{
    QFont font(family.isEmpty() ? QStringLiteral("Arial") : family);
    font.setPointSize(kDefaultFontPoints);
    return font;
}

double PixelsFromTwips(int twips)
{
    return static_cast<double>(twips) / kTwipsPerPixel;
}

int TwipsFromPixels(double pixels)
{
    return RoundHalfEven(pixels * kTwipsPerPixel);
}

void InsertRichPicture(QTextCursor& cursor, const QImage& image, QSizeF displaySize)
{
    if (image.isNull() || !cursor.document())
        return;
    const QString name = NewPictureName();
    cursor.document()->addResource(QTextDocument::ImageResource, QUrl(name), image);
    if (displaySize.isEmpty())
        displaySize = image.size();
    QTextImageFormat format;
    format.merge(cursor.charFormat());
    format.setName(name);
    format.setWidth(displaySize.width());
    format.setHeight(displaySize.height());
    cursor.insertImage(format);
}

QImage RichPicture(const QTextDocument& doc, const QTextImageFormat& format)
{
    const QVariant resource = doc.resource(QTextDocument::ImageResource, QUrl(format.name()));
    if (resource.typeId() == QMetaType::QImage)
        return resource.value<QImage>();
    if (resource.typeId() == QMetaType::QPixmap)
        return resource.value<QPixmap>().toImage();
    return {};
}

void CopyPictureResources(const QTextDocument& from, QTextDocument& to)
{
    for (QTextBlock block = from.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            if (format.isImageFormat()) {
                const QTextImageFormat image = format.toImageFormat();
                to.addResource(QTextDocument::ImageResource, QUrl(image.name()), RichPicture(from, image));
            }
        }
    }
}

void CopyRichDocument(const QTextDocument& from, QTextDocument& to)
{
    to.clear();
    PrepareRichDocument(to);
    to.setDefaultFont(from.defaultFont());
    // Pictures travel as resources; add them before the text that names them.
    CopyPictureResources(from, to);
    if (!from.isEmpty()) {
        QTextCursor cursor(&to);
        cursor.insertFragment(QTextDocumentFragment(&from));
        // A fragment drops the first block's format; carry it over.
        QTextCursor first(&to);
        first.setBlockFormat(from.begin().blockFormat());
        first.setBlockCharFormat(from.begin().charFormat());
    }
}
