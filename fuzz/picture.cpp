// Feeds arbitrary bytes to the clip-art reader (bitmaps, metafiles, icons, JPEG, PNG and SVG drawings by their
// content), then draws what it accepts onto an image.
#include "fuzzsupport.h"

#include "graphics/picture.h"
#include "graphics/picturebudget.h"

#include <QImage>
#include <QPainter>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    StartFuzzApplication("fuzz_picture");
    TPictureBudget budget;
    TPicture picture;
    QString error;
    if (!picture.LoadFromData(FuzzInput(data, size), &error)) {
        if (!picture.IsEmpty())
            __builtin_trap();
        return 0;
    }
    QImage image(64, 48, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    picture.StretchDraw(painter, QRectF(0, 0, 64, 48));
    painter.end();
    return 0;
}
