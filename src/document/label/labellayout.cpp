#include "labellayout.h"

#include <algorithm>

namespace {

int Truncate(double v)
{
    return static_cast<int>(v);
}

TRect Moved(const TRect& r, int dx, int dy)
{
    return {r.left + dx, r.top + dy, r.right + dx, r.bottom + dy};
}

// An offset in text coordinates as it lies on the page once the text is turned by the angle.
QPoint Turned(QPoint offset, int angle)
{
    switch (angle) {
    case 90:
        return {offset.y(), -offset.x()};
    case 180:
        return {-offset.x(), -offset.y()};
    case 270:
        return {-offset.y(), offset.x()};
    default:
        return offset;
    }
}

QPoint Origin(const TRect& r, int angle)
{
    switch (angle) {
    case 90:
        return {r.left, r.bottom};
    case 180:
        return {r.right, r.bottom};
    case 270:
        return {r.right, r.top};
    default:
        return {r.left, r.top};
    }
}

} // namespace

TLabelLayout CalculateLabelLayout(const TLabelLayoutInput& in)
{
    TLabelLayout out;
    const QPoint s = in.shadowOffset;
    const QPoint h = in.highlightOffset;
    const int e = in.lineHeight;
    const int tw = in.textWidth;

    // Text shifted left or up by an effect keeps room for it inside the label.
    out.textMargin = {std::max({0, -s.x(), -h.x()}), std::max({0, -s.y(), -h.y()})};
    out.needed = e + s.y() - h.y();
    const int l = out.needed;

    int width = in.width;
    int height = in.height;
    const bool upright = in.angle == 90 || in.angle == 270;
    if (upright) {
        if (tw * 1.2 < height)
            height = Truncate(tw * 1.2);
        if (height < 5)
            height = tw;
        if (l * 1.2 < width)
            width = Truncate(l * 1.2);
        if (width < l)
            width = l;
    } else {
        if (in.angle == 180 && tw * 2 < width)
            width = tw * 2;
        if (width <= 5)
            width = tw;
        if (l * 1.2 < height)
            height = Truncate(l * 1.2);
        if (height < l)
            height = l;
    }
    out.width = width;
    out.height = height;

    // Each side keeps room for the effects the turn puts there, so turned text stays inside the label.
    const QPoint ts = Turned(s, in.angle);
    const QPoint th = Turned(h, in.angle);
    const int left = std::max({0, -ts.x(), -th.x()});
    const int top = std::max({0, -ts.y(), -th.y()});
    const int right = std::max({0, ts.x(), th.x()});
    const int bottom = std::max({0, ts.y(), th.y()});
    // Turned by 180 the text starts at the right, short of the effects beyond it; at 0 it runs to the edge.
    const TRect text = upright ? TRect{left, top, left + e, height - bottom}
                               : TRect{left, top, in.angle == 180 ? width - right : width, top + e};
    out.textRect = text;
    out.shadowRect = Moved(text, ts.x(), ts.y());
    out.highlightRect = Moved(text, th.x(), th.y());
    out.textOrigin = Origin(out.textRect, in.angle);
    out.shadowOrigin = Origin(out.shadowRect, in.angle);
    out.highlightOrigin = Origin(out.highlightRect, in.angle);

    if (in.angle == 0) {
        int x = text.left;
        if (in.alignment == TLabelAlign::Right)
            x = text.right - tw;
        else if (in.alignment == TLabelAlign::Center)
            x = (text.right - text.left) / 2 - tw / 2;
        out.textOrigin.setX(x);
        out.highlightOrigin.setX(x + h.x());
        out.shadowOrigin.setX(x + s.x());
    }
    return out;
}
