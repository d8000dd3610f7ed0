#include "pageexport.h"

#include "printing.h"

#include "document/calendardocument.h"
#include "document/calendarpagemodel.h"
#include "document/pagedocument.h"
#include "graphics/exactpalette.h"
#include "graphics/jpegwriter.h"
#include "report/reportprinter.h"

#include "platform/atomicfile.h"
#include "platform/screenmetrics.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImageWriter>

namespace {

int MarginPixels(float inches, double zoom)
{
    return static_cast<int>(kScreenPixelsPerInch * double(inches) * zoom);
}

// Encoded in memory first, so that what fails is either the encoder or the file, each with its reason.
QString EncodeImage(const QImage& image, const char* format, QByteArray* bytes)
{
    QBuffer encoded(bytes);
    encoded.open(QIODevice::WriteOnly);
    QImageWriter writer(&encoded, format);
    // PNG: Qt hands zlib the level compression * 9 / 91, so 35 is level 3. Against the default
    // level 6 it deflates in a third of the time, for files 15 to 30 percent larger.
    QImage palette;
    if (qstrcmp(format, "PNG") == 0) {
        writer.setCompression(35);
        // A page of few colours (black text on white has 256 greys at most) goes out as a palette
        // image: the same pixels in a third of the time and half the bytes.
        palette = ExactPaletteImage(image);
    }
    if (!writer.write(palette.isNull() ? image : palette))
        return QStringLiteral("the image could not be encoded: %1").arg(writer.errorString());
    return QString();
}

QString WriteImage(const QImage& image, const QString& fileName, const char* format)
{
    QByteArray bytes;
    const QString error = EncodeImage(image, format, &bytes);
    return error.isEmpty() ? TAtomicFile::WriteWhole(fileName, bytes) : error;
}

} // namespace

QRect MarginCropRect(QSize pageSize, float leftInch, float topInch, float rightInch, float bottomInch, double zoom)
{
    const int left = MarginPixels(leftInch, zoom);
    const int top = MarginPixels(topInch, zoom);
    const int right = pageSize.width() - MarginPixels(rightInch, zoom);
    const int bottom = pageSize.height() - MarginPixels(bottomInch, zoom);
    return QRect(left, top, std::max(0, right - left - 1), std::max(0, bottom - top - 1));
}

double ZoomForResolution(int dotsPerInch)
{
    return double(dotsPerInch) / kScreenPixelsPerInch;
}

QImage CropToMargins(const QImage& pageImage, const TPageDocument& page, double zoom)
{
    // The rectangle is taken as it is, not stretched into the one-pixel-smaller target, so no line moves.
    const CalendarSettings& s = page.Model().Settings();
    const QRect crop = MarginCropRect(pageImage.size(), s.LeftMarginInch, s.TopMarginInch, s.RightMarginInch,
                                      s.BottomMarginInch, zoom);
    if (crop.isEmpty() || !pageImage.rect().contains(crop))
        return pageImage.copy(crop);
    // Inside the page the crop shares the page image's pixels instead of copying them; it holds its own
    // reference to them, so the page image may go first.
    auto* owner = new QImage(pageImage);
    QImage cropped(
        owner->constScanLine(crop.top()) + crop.left() * owner->depth() / 8, crop.width(), crop.height(),
        owner->bytesPerLine(), owner->format(), [](void* image) { delete static_cast<QImage*>(image); }, owner);
    cropped.setDotsPerMeterX(pageImage.dotsPerMeterX());
    cropped.setDotsPerMeterY(pageImage.dotsPerMeterY());
    return cropped;
}

QString PrintToPdf(TPageDocument& page, const QString& fileName)
{
    TReportPrinter report;
    report.SetOutputFileName(fileName);
    PreparePaper(page, report);
    return PrintCalendarJob(page, report, 1) ? QString() : report.ErrorString();
}

QString EncodePageImage(TPageDocument& page, float zoom, TImageFormat format, QByteArray* bytes)
{
    const QImage cropped = CropToMargins(page.RenderAt(zoom), page, zoom);
    if (cropped.isNull())
        return QStringLiteral("the page could not be drawn");
    switch (format) {
    case TImageFormat::Bmp:
        return EncodeImage(cropped, "BMP", bytes);
    case TImageFormat::Png:
        return EncodeImage(cropped, "PNG", bytes);
    case TImageFormat::Jpeg:
        break;
    }
    *bytes = EncodeJpeg(cropped, 100);
    return bytes->isEmpty() ? QStringLiteral("the image could not be encoded as JPEG") : QString();
}

QString WritePageImage(TPageDocument& page, float zoom, const QString& fileName, TImageFormat format)
{
    QByteArray bytes;
    const QString error = EncodePageImage(page, zoom, format, &bytes);
    return error.isEmpty() ? TAtomicFile::WriteWhole(fileName, bytes) : error;
}

std::optional<TImageFormat> ImageFormatOf(const QString& fileName)
{
    const QString extension = QFileInfo(fileName).suffix().toLower();
    if (extension == QLatin1String("bmp"))
        return TImageFormat::Bmp;
    if (extension == QLatin1String("png"))
        return TImageFormat::Png;
    if (extension == QLatin1String("jpg") || extension == QLatin1String("jpeg"))
        return TImageFormat::Jpeg;
    return std::nullopt;
}

QString ExportPage(TPageDocument& page, const QString& outputFile, double zoom)
{
    if (const std::optional<TImageFormat> format = ImageFormatOf(outputFile))
        return WritePageImage(page, static_cast<float>(zoom), outputFile, *format);
    const QString extension = QFileInfo(outputFile).suffix().toLower();
    if (extension == QLatin1String("pdf"))
        return PrintToPdf(page, outputFile);
    if (extension != QLatin1String("qxf"))
        return QStringLiteral("unknown output type \"%1\" (use .bmp, .jpg, .png, .pdf or .qxf)").arg(extension);
    try {
        SaveToFile(page, outputFile);
    } catch (const ECalendarFileError& error) {
        return error.Detail();
    }
    return QString();
}

QString ExportThumbnail(TPageDocument& page, const QString& outputFile, int size)
{
    const CalendarGeometry& geometry = page.Model().Geometry();
    const int longer = std::max(geometry.PageWidth, geometry.PageHeight);
    if (longer <= 0)
        return QStringLiteral("the page could not be drawn");
    QImage image = page.RenderAt(static_cast<float>(double(size) / longer));
    if (image.isNull())
        return QStringLiteral("the page could not be drawn");
    // Font sizes round at small zooms, so the drawing may come out a pixel over.
    if (image.width() > size || image.height() > size)
        image = image.scaled(size, size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    return WriteImage(image, outputFile, "PNG");
}
