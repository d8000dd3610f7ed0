// Writes the calendar page to a file: an image cropped to the margins (BMP, JPEG, PNG), a PDF through
// the print path, or the document itself.
#pragma once

#include "platform/pagerect.h"

#include <QImage>
#include <QString>

#include <optional>

class TPageDocument;

// The part of a page image of the given size that lies inside the margins at the zoom: each margin
// in pixels is 96 × inches × zoom, truncated; the width is the page width less both margins less one,
// the height likewise.
QRect MarginCropRect(QSize pageSize, float leftInch, float topInch, float rightInch, float bottomInch, double zoom);
// The page image cropped to its margins, pixel for pixel. A crop inside the page shares the page
// image's pixels (and keeps them alive) instead of copying them.
QImage CropToMargins(const QImage& pageImage, const TPageDocument& page, double zoom);

// The zoom that draws the page at this many dots per inch: 100% is the screen's 96.
double ZoomForResolution(int dotsPerInch);

enum class TImageFormat { Bmp, Png, Jpeg };
// The image format an output file's extension names (.bmp, .png, .jpg, .jpeg, any letter case).
std::optional<TImageFormat> ImageFormatOf(const QString& fileName);
// The page at a zoom, cropped to its margins, encoded as an image file's bytes (JPEG at quality 100).
// Returns an empty string when it was encoded, else what went wrong.
QString EncodePageImage(TPageDocument& page, float zoom, TImageFormat format, QByteArray* bytes);
// The page at its current zoom, cropped to its margins, written as an image file (JPEG at quality 100).
// Returns an empty string when this call wrote the file, else what went wrong.
QString WritePageImage(TPageDocument& page, float zoom, const QString& fileName, TImageFormat format);
// The page printed into a PDF file at its paper size and orientation, titled with the page's title.
// Returns an empty string when the file was written, else what went wrong.
QString PrintToPdf(TPageDocument& page, const QString& fileName);

// Writes the page by the output's extension (.bmp, .jpg/.jpeg, .png, .pdf, .qxf, any letter case). Images
// are rendered at the zoom; PDF and documents at zoom 1. Returns an empty string on success, else
// what went wrong. The page's zoom is left at 1.
QString ExportPage(TPageDocument& page, const QString& outputFile, double zoom);

// The whole page, placed objects included, drawn to fit `size` pixels on its longer side and written
// as a PNG (a file manager's thumbnail). Returns an empty string on success, else what went wrong; a
// failure writes nothing. The page's zoom is left at 1.
QString ExportThumbnail(TPageDocument& page, const QString& outputFile, int size);
