// Feeds arbitrary bytes to the metafile reader, then plays what it accepts onto an image and into a QPicture.
#include "fuzzsupport.h"

#include "graphics/metafile.h"

#include <QImage>
#include <QPainter>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    StartFuzzApplication("fuzz_metafile");
    const QByteArray bytes = FuzzInput(data, size);
    TMetafile metafile;
    QString error;
    if (!metafile.Load(bytes, &error)) {
        if (error.isEmpty() || !metafile.IsEmpty())
            __builtin_trap();
        return 0;
    }
    QImage image(64, 48, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    metafile.Draw(painter, QRectF(0, 0, 64, 48));
    painter.end();
    PlayMetafile(bytes);
    return 0;
}
