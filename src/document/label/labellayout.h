// Where a text label puts its text, shadow and highlight, and the size it adapts to: a pure function
// of the label's size, angle, alignment, effect offsets and the font's line height and text width.
#pragma once

#include "platform/pagerect.h"

#include <QPoint>

enum class TLabelAlign { Left, Right, Center };

struct TLabelLayoutInput
{
    int width = 0;
    int height = 0;
    int angle = 0; // 0, 90, 180 or 270, counter-clockwise
    TLabelAlign alignment = TLabelAlign::Left;
    QPoint shadowOffset;
    QPoint highlightOffset;
    int lineHeight = 0; // e: cell height plus internal and external leading
    int textWidth = 0;  // tw: the caption and one trailing space
};

struct TLabelLayout
{
    int width = 0; // the size the label adapts to
    int height = 0;
    QPoint textMargin;
    int needed = 0; // l: the height the text and its effects need
    TRect textRect;
    TRect shadowRect;
    TRect highlightRect;
    // Where text output starts for a font turned by the angle: the rotated top-left of its cell.
    QPoint textOrigin;
    QPoint shadowOrigin;
    QPoint highlightOrigin;
};

TLabelLayout CalculateLabelLayout(const TLabelLayoutInput& in);
