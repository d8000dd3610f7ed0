#include "supertextgradient.h"

#include "platform/rounding.h"

#include <QPainter>

int MulDiv(int a, int b, int c)
{
    if (c == 0)
        return 0;
    return RoundHalfEven(double(qint64(a) * qint64(b)) / double(c));
}

QRgb GradientBandColor(int band, QRgb start, QRgb end)
{
    const auto channel = [band](int from, int to) { return from + MulDiv(band, to - from, 255); };
    return qRgb(channel(qRed(start), qRed(end)), channel(qGreen(start), qGreen(end)),
                channel(qBlue(start), qBlue(end)));
}

QImage GradientStrip(int length, bool vertical, QRgb start, QRgb end)
{
    if (length < 1)
        return {};
    QImage strip(vertical ? 1 : length, vertical ? length : 1, QImage::Format_RGB32);
    QRgb* pixels = reinterpret_cast<QRgb*>(strip.bits());
    const qsizetype step = vertical ? strip.bytesPerLine() / qsizetype(sizeof(QRgb)) : 1;
    for (int band = 0; band < 256; ++band) {
        const QRgb color = GradientBandColor(band, start, end);
        const int last = std::min(MulDiv(band + 1, length, 256), length);
        for (int i = std::max(MulDiv(band, length, 256), 0); i < last; ++i)
            pixels[i * step] = color;
    }
    return strip;
}
