// Feeds arbitrary bytes to the JPEG decoder: it must give a 256-colour image of an allowed size or a reason.
#include "fuzzsupport.h"

#include "graphics/jpegdecoder.h"
#include "graphics/picturereading.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    StartFuzzApplication("fuzz_jpegdecoder");
    QString error;
    const QImage image = DecodeJpeg(FuzzInput(data, size), &error);
    if (image.isNull() ? error.isEmpty()
                       : image.format() != QImage::Format_Indexed8 || image.colorCount() > 256 ||
                             !PictureSizeAllowed(image.width(), image.height()))
        __builtin_trap();
    return 0;
}
