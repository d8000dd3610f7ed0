// A rich text label's picture on any device (screen at a zoom, image, PDF, printer), without widgets: its
// background, its text laid out on the label's page at 100% and drawn at the device's exact scale, its border.
#pragma once

#include <QColor>

class QPainter;
class QRect;
class TWPRtfStorage;
struct DeviceProfile;

struct RichLabelLook
{
    // None (invalid): transparent, what lies beneath shows through.
    QColor background;
    bool border = true;
};

// Draws the label into `target`, its bounds on the device. The text's page is the target's size in page
// pixels, so its lines break alike at every zoom and on paper; only the lines that fit whole are drawn.
void DrawRichLabel(QPainter& canvas, const TWPRtfStorage& text, const RichLabelLook& look, const QRect& target,
                   const DeviceProfile& device);
