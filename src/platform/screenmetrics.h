// Page geometry is in pixels of 96 per inch on every screen; Qt's device pixel ratio serves dense screens.
#pragma once

constexpr int kScreenPixelsPerInch = 96;

inline int ScreenPixelsPerInch()
{
    return kScreenPixelsPerInch;
}
