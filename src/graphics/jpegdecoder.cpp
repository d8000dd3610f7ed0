#include "jpegdecoder.h"

#include "picturereading.h"

#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

namespace {

enum TJpegOutcome { JpegDecoded = 0, JpegFailed, JpegWarned, JpegTooLarge, JpegTooManyScans };

// A progressive file of many tiny scans costs time out of all proportion to its size.
constexpr int kMaxScans = 1000;
constexpr long kMaxLibraryMemory = 768L * 1024 * 1024;

struct TJpegErrorManager
{
    jpeg_error_mgr base;
    std::jmp_buf exitPoint;
    char message[JMSG_LENGTH_MAX];
};

struct TJpegProgress
{
    jpeg_progress_mgr base;
    TJpegErrorManager* errors;
};

// Plain data only: the decoding function jumps back over libjpeg's frames and must skip no destructor.
struct TJpegResult
{
    QImage* image;
    QRgb colours[256];
    int colourCount;
    unsigned char* row; // one CMYK row
};

void ErrorExit(j_common_ptr info)
{
    auto* errors = reinterpret_cast<TJpegErrorManager*>(info->err);
    info->err->format_message(info, errors->message);
    std::longjmp(errors->exitPoint, JpegFailed);
}

// Level -1 is a warning (corrupt or cut data); a warned file is refused, so stop decoding at once.
void EmitMessage(j_common_ptr info, int level)
{
    if (level < 0)
        std::longjmp(reinterpret_cast<TJpegErrorManager*>(info->err)->exitPoint, JpegWarned);
}

void SilentMessage(j_common_ptr) {}

void LimitScans(j_common_ptr info)
{
    if (info->is_decompressor && reinterpret_cast<j_decompress_ptr>(info)->input_scan_number > kMaxScans)
        std::longjmp(reinterpret_cast<TJpegProgress*>(info->progress)->errors->exitPoint, JpegTooManyScans);
}

QRgb CmykToRgb(const unsigned char* p, bool inverted)
{
    int c = p[0], m = p[1], y = p[2], k = p[3];
    if (!inverted) {
        c = 255 - c;
        m = 255 - m;
        y = 255 - y;
        k = 255 - k;
    }
    return qRgb(c * k / 255, m * k / 255, y * k / 255);
}

int Decode(const unsigned char* data, unsigned long size, TJpegResult* result, TJpegErrorManager* errors)
{
    jpeg_decompress_struct info;
    TJpegProgress progress;
    info.err = jpeg_std_error(&errors->base);
    errors->base.error_exit = ErrorExit;
    errors->base.emit_message = EmitMessage;
    errors->base.output_message = SilentMessage;
    progress.base.progress_monitor = LimitScans;
    progress.errors = errors;
    const int outcome = setjmp(errors->exitPoint);
    if (outcome != JpegDecoded) {
        jpeg_destroy_decompress(&info);
        return outcome;
    }
    jpeg_create_decompress(&info);
    info.progress = &progress.base;
    jpeg_mem_src(&info, data, size);
    if (jpeg_read_header(&info, TRUE) != JPEG_HEADER_OK)
        std::longjmp(errors->exitPoint, JpegFailed);
    const bool cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
    if (!MayDecodePicture(info.image_width, info.image_height, cmyk ? 32 : 8))
        std::longjmp(errors->exitPoint, JpegTooLarge);
    info.mem->max_memory_to_use = kMaxLibraryMemory;
    info.dct_method = JDCT_ISLOW;
    info.do_fancy_upsampling = TRUE;
    if (cmyk) {
        // libjpeg's quantiser takes three components only; four-colour files are converted here instead.
        info.out_color_space = JCS_CMYK;
    } else {
        // Grey files too: the two-pass quantiser works on three components.
        info.out_color_space = JCS_RGB;
        info.quantize_colors = TRUE;
        info.desired_number_of_colors = 256;
        info.two_pass_quantize = TRUE;
        info.dither_mode = JDITHER_FS;
    }
    jpeg_start_decompress(&info);
    const int width = static_cast<int>(info.output_width);
    const int height = static_cast<int>(info.output_height);
    *result->image = QImage(width, height, cmyk ? QImage::Format_RGB32 : QImage::Format_Indexed8);
    if (result->image->isNull())
        std::longjmp(errors->exitPoint, JpegTooLarge);
    if (cmyk) {
        result->row = static_cast<unsigned char*>(
            (*info.mem->alloc_small)(reinterpret_cast<j_common_ptr>(&info), JPOOL_IMAGE, std::size_t(width) * 4));
    }
    while (info.output_scanline < info.output_height) {
        const int y = static_cast<int>(info.output_scanline);
        JSAMPROW row = cmyk ? result->row : result->image->scanLine(y);
        jpeg_read_scanlines(&info, &row, 1);
        if (cmyk) {
            auto* out = reinterpret_cast<QRgb*>(result->image->scanLine(y));
            for (int x = 0; x < width; ++x)
                out[x] = CmykToRgb(result->row + 4 * x, info.saw_Adobe_marker);
        }
    }
    if (!cmyk) {
        result->colourCount = info.actual_number_of_colors;
        for (int i = 0; i < result->colourCount; ++i)
            result->colours[i] = qRgb(info.colormap[0][i], info.colormap[1][i], info.colormap[2][i]);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return JpegDecoded;
}

} // namespace

QImage DecodeJpeg(const QByteArray& bytes, QString* error)
{
    QImage image;
    TJpegResult result{&image, {}, 0, nullptr};
    TJpegErrorManager errors;
    errors.message[0] = 0;
    const int outcome = bytes.isEmpty() ? JpegFailed
                                        : Decode(reinterpret_cast<const unsigned char*>(bytes.constData()),
                                                 static_cast<unsigned long>(bytes.size()), &result, &errors);
    QString reason;
    switch (outcome) {
    case JpegDecoded:
        break;
    case JpegWarned:
        reason = QStringLiteral("There are warnings");
        break;
    case JpegTooLarge:
        reason = QStringLiteral("The picture is too large");
        break;
    case JpegTooManyScans:
        reason = QStringLiteral("The JPEG file has too many scans");
        break;
    default:
        reason = errors.message[0] ? QString::fromLocal8Bit(errors.message) : QStringLiteral("Not a JPEG file");
        break;
    }
    if (!reason.isEmpty()) {
        if (error)
            *error = reason;
        return {};
    }
    if (image.format() == QImage::Format_Indexed8) {
        image.setColorTable(QList<QRgb>(result.colours, result.colours + result.colourCount));
        return image;
    }
    return image.convertToFormat(QImage::Format_Indexed8, Qt::DiffuseDither | Qt::PreferDither);
}
