// The conventions every rich text document of Almarin follows: zero margins, layout at 96 pixels per inch,
// RTF's default font, sizes in twips, and unique names for the pictures a document holds.
#pragma once

#include <QByteArray>
#include <QFont>
#include <QImage>
#include <QString>
#include <QTextDocument>

class QTextCursor;
class QTextImageFormat;

// A text document that shows only the pictures it holds itself: HTML pasted or dropped into it may name
// files, devices or data addresses, and none of them is ever read.
class TRichDocument : public QTextDocument
{
public:
    using QTextDocument::QTextDocument;

protected:
    QVariant loadResource(int type, const QUrl& name) override;
};

constexpr int kTwipsPerInch = 1440;
constexpr int kTwipsPerPixel = 15; // at 96 pixels per inch
constexpr int kDefaultFontPoints = 12;

// Zero margins, RTF's default font, and layout against a 96-pixels-per-inch device, so point sizes give the
// same pixels everywhere.
void PrepareRichDocument(QTextDocument& doc);
// The document's default font when nothing else says otherwise: the face given, RTF's 12 points.
QFont RichDefaultFont(const QString& family = QString());
double PixelsFromTwips(int twips);
int TwipsFromPixels(double pixels);
// Adds the picture to the document's resources and inserts it at the cursor as one character of the
// given display size in pixels (the picture's own size when empty). A picture that is a Windows metafile
// also keeps the metafile's bytes: devices that keep vectors (PDF, printers, recordings) get it drawn as
// vectors, screens and images the picture.
void InsertRichPicture(QTextCursor& cursor, const QImage& image, QSizeF displaySize = QSizeF(),
                       const QByteArray& metafile = QByteArray());
// The picture a document character of image format shows; a null image when the resource is missing.
QImage RichPicture(const QTextDocument& doc, const QTextImageFormat& format);
// Adds the pictures the source document's text shows to the target's resources, under the same names.
void CopyPictureResources(const QTextDocument& from, QTextDocument& to);
// A deep copy that keeps the pictures and Almarin's layout conventions.
void CopyRichDocument(const QTextDocument& from, QTextDocument& to);
