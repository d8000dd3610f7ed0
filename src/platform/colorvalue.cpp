#include "colorvalue.h"

#include <QGuiApplication>
#include <QPalette>

namespace {

// System colour indexes (the value's low byte when negative) mapped onto the palette.
QColor systemColor(int index)
{
    const QPalette pal = QGuiApplication::palette();
    // clang-format off
    switch (index) {
    case 1: return pal.color(QPalette::Window);         // desktop
    case 4: return pal.color(QPalette::Window);         // menu
    case 5: return pal.color(QPalette::Base);           // window
    case 6: return pal.color(QPalette::WindowText);     // window frame
    case 7: return pal.color(QPalette::WindowText);     // menu text
    case 8: return pal.color(QPalette::Text);           // window text
    case 13: return pal.color(QPalette::Highlight);
    case 14: return pal.color(QPalette::HighlightedText);
    case 15: return pal.color(QPalette::Button);        // button face
    case 16: return pal.color(QPalette::Dark);          // button shadow
    case 17: return pal.color(QPalette::PlaceholderText); // grey text
    case 18: return pal.color(QPalette::ButtonText);
    case 20: return pal.color(QPalette::Light);         // button highlight
    case 24: return pal.color(QPalette::ToolTipBase);   // info background
    case 23: return pal.color(QPalette::ToolTipText);
    default: return pal.color(QPalette::Window);
    }
    // clang-format on
}

// System colours are the top bit and an index into the system's colour table, which ends at 30.
constexpr quint32 kSystemColorBit = 0x80000000u;
constexpr quint32 kLastSystemColorIndex = 30;

} // namespace

bool IsColorValue(TColor value)
{
    const auto bits = static_cast<quint32>(value);
    if (bits & kSystemColorBit)
        return bits - kSystemColorBit <= kLastSystemColorIndex;
    return bits <= 0xFFFFFFu;
}

QColor ToQColor(TColor value)
{
    if (value < 0)
        return systemColor(value & 0xFF);
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

TColor FromQColor(const QColor& color)
{
    return RGBValue(color.red(), color.green(), color.blue());
}
