// The longest start of a one-line caption that fits a width, found with few measurements of the text.
#pragma once

#include <QString>

#include <functional>

// The length of the longest start of `text` whose advance is at most `room`; it never ends inside a
// surrogate pair. One measurement when the whole text fits, else a binary search over the length (the
// advance grows with it): about log2(length) more, so a long caption costs little more than a short one.
qsizetype FittingLength(const QString& text, int room, const std::function<int(const QString&)>& advance);
