// A rectangle as the page model speaks of it: left, top, right, bottom, with right and bottom just
// outside the area (a point on them is not inside).
#pragma once

#include "rounding.h"

#include <QPoint>
#include <QRect>

struct TRect
{
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    constexpr int width() const { return right - left; }
    constexpr int height() const { return bottom - top; }
    constexpr bool isEmpty() const { return right <= left || bottom <= top; }
    constexpr bool contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
    bool contains(QPoint p) const { return contains(p.x(), p.y()); }
    constexpr bool intersects(const TRect& o) const
    {
        return left < o.right && o.left < right && top < o.bottom && o.top < bottom;
    }
    // Every coordinate times a factor, rounded halves to even.
    TRect scaled(double z) const
    {
        return {RoundHalfEven(left * z), RoundHalfEven(top * z), RoundHalfEven(right * z), RoundHalfEven(bottom * z)};
    }
    // The QRect covering the same pixels.
    QRect toQRect() const { return QRect(left, top, right - left, bottom - top); }
    static TRect fromQRect(const QRect& r) { return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()}; }
    bool operator==(const TRect&) const = default;
};
