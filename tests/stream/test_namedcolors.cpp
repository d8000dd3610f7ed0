#include "stream/namedcolors.h"

#include <gtest/gtest.h>

TEST(NamedColors, StandardColoursHaveRedInTheLowByte)
{
    EXPECT_EQ(ColorToIdent(0xFFFFFF), QStringLiteral("clWhite"));
    EXPECT_EQ(ColorToIdent(0x0000FF), QStringLiteral("clRed"));
    EXPECT_EQ(ColorToIdent(0xFF0000), QStringLiteral("clBlue"));
    EXPECT_EQ(ColorToIdent(0x000080), QStringLiteral("clMaroon"));
    EXPECT_EQ(ColorToIdent(0), QStringLiteral("clBlack"));
    EXPECT_EQ(ColorToIdent(0x123456), std::nullopt);
}

TEST(NamedColors, SystemColoursAreNegative)
{
    EXPECT_EQ(IdentToColor(QStringLiteral("clBtnFace")), static_cast<TColor>(0x8000000F));
    EXPECT_EQ(IdentToColor(QStringLiteral("clScrollBar")), static_cast<TColor>(0x80000000));
    EXPECT_EQ(IdentToColor(QStringLiteral("clInfoBk")), static_cast<TColor>(0x80000018));
    EXPECT_LT(*IdentToColor(QStringLiteral("clWindow")), 0);
    EXPECT_EQ(ColorToIdent(static_cast<TColor>(0x80000008)), QStringLiteral("clWindowText"));
    EXPECT_EQ(ColorToIdent(static_cast<TColor>(0x80000019)), std::nullopt);
}

TEST(NamedColors, NamesAreFoundWithoutRegardToCaseAndEveryNameRoundTrips)
{
    EXPECT_EQ(IdentToColor(QStringLiteral("CLWHITE")), 0xFFFFFF);
    EXPECT_EQ(IdentToColor(QStringLiteral("clNoSuchColour")), std::nullopt);
    for (int index = 0; index <= 24; ++index) {
        const auto value = static_cast<TColor>(0x80000000u | unsigned(index));
        const auto name = ColorToIdent(value);
        ASSERT_TRUE(name.has_value()) << index;
        EXPECT_EQ(IdentToColor(*name), value);
    }
}
