// The one rounding rule of Almarin: to the nearest integer, halves to even.
#pragma once

#include <cmath>

inline int RoundHalfEven(double v)
{
    return static_cast<int>(std::nearbyint(v)); // the default floating-point mode rounds halves to even
}
