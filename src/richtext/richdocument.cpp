#include "richdocument.h"

#include "graphics/metafile.h"
#include "platform/rounding.h"

#include <QAbstractTextDocumentLayout>
#include <QAtomicInteger>
#include <QPaintEngine>
#include <QPainter>
#include <QPixmap>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextImageFormat>
#include <QTextObjectInterface>
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

// The metafile bytes of a picture, as a resource of their own beside the picture's (a document keeps one
// resource for each name, whatever its type).
constexpr int kMetafileResource = QTextDocument::UserResource;

QUrl MetafileName(const QString& pictureName)
{
    return QUrl(pictureName + QStringLiteral("/metafile"));
}

QByteArray RichMetafile(const QTextDocument& doc, const QTextImageFormat& format)
{
    const QVariant resource = doc.resource(kMetafileResource, MetafileName(format.name()));
    return resource.typeId() == QMetaType::QByteArray ? resource.toByteArray() : QByteArray();
}

// Draws the pictures of rich documents: a metafile as vectors wherever the device keeps them, otherwise
// the picture stretched into its character's box.
class TRichPictureHandler : public QObject, public QTextObjectInterface
{
    Q_OBJECT
    Q_INTERFACES(QTextObjectInterface)

public:
    QSizeF intrinsicSize(QTextDocument* doc, int, const QTextFormat& format) override
    {
        const QTextImageFormat image = format.toImageFormat();
        if (image.width() > 0 && image.height() > 0)
            return QSizeF(image.width(), image.height());
        return RichPicture(*doc, image).deviceIndependentSize();
    }

    void drawObject(QPainter* painter, const QRectF& rect, QTextDocument* doc, int, const QTextFormat& format) override
    {
        const QTextImageFormat image = format.toImageFormat();
        const QPaintEngine* engine = painter->paintEngine();
        if (engine && engine->type() != QPaintEngine::Raster) {
            TMetafile metafile;
            if (metafile.Load(RichMetafile(*doc, image))) {
                metafile.Draw(*painter, rect);
                return;
            }
        }
        const QImage picture = RichPicture(*doc, image);
        if (!picture.isNull())
            painter->drawImage(rect, picture);
    }
};
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
    static TRichPictureHandler* pictures = new TRichPictureHandler;
    doc.documentLayout()->registerHandler(QTextFormat::ImageObject, pictures);
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

void InsertRichPicture(QTextCursor& cursor, const QImage& image, QSizeF displaySize, const QByteArray& metafile)
{
    if (image.isNull() || !cursor.document())
        return;
    const QString name = NewPictureName();
    cursor.document()->addResource(QTextDocument::ImageResource, QUrl(name), image);
    if (!metafile.isEmpty())
        cursor.document()->addResource(kMetafileResource, MetafileName(name), metafile);
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
                if (const QByteArray metafile = RichMetafile(from, image); !metafile.isEmpty())
                    to.addResource(kMetafileResource, MetafileName(image.name()), metafile);
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

#include "richdocument.moc"
