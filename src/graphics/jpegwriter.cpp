#include "jpegwriter.h"

#include "platform/atomicfile.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>

#include <jpeglib.h>

namespace {

struct TJpegErrorManager
{
    jpeg_error_mgr base;
    std::jmp_buf exitPoint;
};

// libjpeg's own handler ends the process; return to the encoder instead.
void ErrorExit(j_common_ptr info)
{
    std::longjmp(reinterpret_cast<TJpegErrorManager*>(info->err)->exitPoint, 1);
}

void SilentMessage(j_common_ptr) {}

// Kept free of C++ objects with destructors, so that the jump back from libjpeg skips none.
bool Encode(const QImage& rgb, int quality, unsigned char** buffer, unsigned long* size)
{
    jpeg_compress_struct info;
    TJpegErrorManager errors;
    info.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = ErrorExit;
    errors.base.output_message = SilentMessage;
    if (setjmp(errors.exitPoint)) {
        jpeg_destroy_compress(&info);
        return false;
    }
    jpeg_create_compress(&info);
    jpeg_mem_dest(&info, buffer, size);
    info.image_width = static_cast<JDIMENSION>(rgb.width());
    info.image_height = static_cast<JDIMENSION>(rgb.height());
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(rgb.constScanLine(static_cast<int>(info.next_scanline)));
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return true;
}

} // namespace

QByteArray EncodeJpeg(const QImage& image, int quality)
{
    if (image.isNull())
        return {};
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    const bool ok = Encode(rgb, std::clamp(quality, 1, 100), &buffer, &size);
    QByteArray bytes;
    if (ok && buffer)
        bytes = QByteArray(reinterpret_cast<const char*>(buffer), static_cast<qsizetype>(size));
    std::free(buffer);
    return bytes;
}

QString WriteJpegFile(const QImage& image, const QString& fileName, int quality)
{
    const QByteArray bytes = EncodeJpeg(image, quality);
    if (bytes.isEmpty())
        return QStringLiteral("the image could not be encoded as JPEG");
    return TAtomicFile::WriteWhole(fileName, bytes);
}
