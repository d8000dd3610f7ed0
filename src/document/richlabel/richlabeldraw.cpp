#include "richlabeldraw.h"

#include "platform/deviceprofile.h"
#include "platform/screenmetrics.h"
#include "richtext/richdocument.h"
#include "richtext/wprenderer.h"

#include <QPainter>

#include <cmath>

namespace {
// The page length in pixels of 96 per inch of a device length, in whole twips cut down, so that the page
// scaled back never overhangs the target.
double PageLength(int devicePixels, double scale)
{
    return PixelsFromTwips(static_cast<int>(std::trunc(devicePixels / scale / ScreenPixelsPerInch() * kTwipsPerInch)));
}
} // namespace

void DrawRichLabel(QPainter& canvas, const TWPRtfStorage& text, const RichLabelLook& look, const QRect& target,
                   const DeviceProfile& device)
{
    const double xScale = device.XScale();
    const double yScale = device.YScale();
    if (xScale <= 0 || yScale <= 0)
        return;
    if (look.background.isValid())
        canvas.fillRect(target, look.background);
    TWPRenderer::Paint(canvas, text, target, xScale,
                       QSizeF(PageLength(target.width(), xScale), PageLength(target.height(), yScale)));
    if (look.border) {
        // Filled edges stay one crisp device line wide on every device.
        const int line = device.LineWidth();
        canvas.fillRect(QRect(target.left(), target.top(), target.width(), line), Qt::black);
        canvas.fillRect(QRect(target.left(), target.bottom() - line + 1, target.width(), line), Qt::black);
        canvas.fillRect(QRect(target.left(), target.top(), line, target.height()), Qt::black);
        canvas.fillRect(QRect(target.right() - line + 1, target.top(), line, target.height()), Qt::black);
    }
}
