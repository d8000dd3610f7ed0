#include "stream/namedcolors.h"

#include <QLatin1StringView>

namespace {

struct TNamedColor
{
    TColor value;
    QLatin1StringView name;
};

constexpr TColor SystemColor(int index)
{
    return static_cast<TColor>(0x80000000u | static_cast<unsigned>(index));
}

const TNamedColor kNamedColors[] = {
    {0x000000, QLatin1StringView("clBlack")},
    {0x000080, QLatin1StringView("clMaroon")},
    {0x008000, QLatin1StringView("clGreen")},
    {0x008080, QLatin1StringView("clOlive")},
    {0x800000, QLatin1StringView("clNavy")},
    {0x800080, QLatin1StringView("clPurple")},
    {0x808000, QLatin1StringView("clTeal")},
    {0x808080, QLatin1StringView("clGray")},
    {0xC0C0C0, QLatin1StringView("clSilver")},
    {0x0000FF, QLatin1StringView("clRed")},
    {0x00FF00, QLatin1StringView("clLime")},
    {0x00FFFF, QLatin1StringView("clYellow")},
    {0xFF0000, QLatin1StringView("clBlue")},
    {0xFF00FF, QLatin1StringView("clFuchsia")},
    {0xFFFF00, QLatin1StringView("clAqua")},
    {0xFFFFFF, QLatin1StringView("clWhite")},
    {SystemColor(0), QLatin1StringView("clScrollBar")},
    {SystemColor(1), QLatin1StringView("clBackground")},
    {SystemColor(2), QLatin1StringView("clActiveCaption")},
    {SystemColor(3), QLatin1StringView("clInactiveCaption")},
    {SystemColor(4), QLatin1StringView("clMenu")},
    {SystemColor(5), QLatin1StringView("clWindow")},
    {SystemColor(6), QLatin1StringView("clWindowFrame")},
    {SystemColor(7), QLatin1StringView("clMenuText")},
    {SystemColor(8), QLatin1StringView("clWindowText")},
    {SystemColor(9), QLatin1StringView("clCaptionText")},
    {SystemColor(10), QLatin1StringView("clActiveBorder")},
    {SystemColor(11), QLatin1StringView("clInactiveBorder")},
    {SystemColor(12), QLatin1StringView("clAppWorkSpace")},
    {SystemColor(13), QLatin1StringView("clHighlight")},
    {SystemColor(14), QLatin1StringView("clHighlightText")},
    {SystemColor(15), QLatin1StringView("clBtnFace")},
    {SystemColor(16), QLatin1StringView("clBtnShadow")},
    {SystemColor(17), QLatin1StringView("clGrayText")},
    {SystemColor(18), QLatin1StringView("clBtnText")},
    {SystemColor(19), QLatin1StringView("clInactiveCaptionText")},
    {SystemColor(20), QLatin1StringView("clBtnHighlight")},
    {SystemColor(21), QLatin1StringView("cl3DDkShadow")},
    {SystemColor(22), QLatin1StringView("cl3DLight")},
    {SystemColor(23), QLatin1StringView("clInfoText")},
    {SystemColor(24), QLatin1StringView("clInfoBk")},
};

} // namespace

std::optional<QString> ColorToIdent(TColor color)
{
    for (const TNamedColor& entry : kNamedColors) {
        if (entry.value == color)
            return QString(entry.name);
    }
    return std::nullopt;
}

std::optional<TColor> IdentToColor(const QString& ident)
{
    for (const TNamedColor& entry : kNamedColors) {
        if (ident.compare(entry.name, Qt::CaseInsensitive) == 0)
            return entry.value;
    }
    return std::nullopt;
}
