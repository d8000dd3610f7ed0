#include "platform/rounding.h"
#include "platform/textutil.h"
#include "platform/windows1252.h"
#include "platform/zoom.h"

#include <gtest/gtest.h>

TEST(TextHelpers, TrimOnlySpaces)
{
    EXPECT_EQ(TrimSpaces(QStringLiteral("  a b  ")), QStringLiteral("a b"));
    EXPECT_EQ(TrimSpaces(QStringLiteral("\ta\t")), QStringLiteral("\ta\t"));
    EXPECT_EQ(TrimLeft(QStringLiteral("   x ")), QStringLiteral("x "));
    EXPECT_EQ(TrimRight(QStringLiteral(" x   ")), QStringLiteral(" x"));
    EXPECT_EQ(TrimSpaces(QStringLiteral("    ")), QString());
}

TEST(TextHelpers, Ordinals)
{
    const std::pair<int, const char*> cases[] = {{0, "0th"},     {1, "1st"},     {2, "2nd"},        {3, "3rd"},
                                                 {4, "4th"},     {11, "11th"},   {12, "12th"},      {13, "13th"},
                                                 {19, "19th"},   {21, "21st"},   {22, "22nd"},      {23, "23rd"},
                                                 {111, "111st"}, {112, "112nd"}, {65535, "65535th"}};
    for (const auto& [n, text] : cases)
        EXPECT_EQ(OrdinalText(n), QString::fromLatin1(text)) << n;
}

TEST(Rounding, HalvesGoToEven)
{
    EXPECT_EQ(RoundHalfEven(0.5), 0);
    EXPECT_EQ(RoundHalfEven(1.5), 2);
    EXPECT_EQ(RoundHalfEven(2.5), 2);
    EXPECT_EQ(RoundHalfEven(-0.5), 0);
    EXPECT_EQ(RoundHalfEven(-1.5), -2);
    EXPECT_EQ(RoundHalfEven(2.51), 3);
    EXPECT_EQ(RoundHalfEven(1055.9999), 1056);
}

TEST(Zoom, LaddersRoundTrip)
{
    EXPECT_FLOAT_EQ(ZoomFromPercent(0), 0.201f);
    EXPECT_FLOAT_EQ(ZoomFromPercent(29), 0.201f);
    EXPECT_FLOAT_EQ(ZoomFromPercent(35), 0.301f);
    EXPECT_FLOAT_EQ(ZoomFromPercent(60), 0.601f);
    EXPECT_FLOAT_EQ(ZoomFromPercent(99), 0.901f);
    EXPECT_FLOAT_EQ(ZoomFromPercent(100), 1.001f);
    EXPECT_FLOAT_EQ(ZoomFromPercent(5000), 1.001f);
    for (int p = 20; p <= 100; p += 10)
        EXPECT_EQ(PercentFromZoom(ZoomFromPercent(p)), p);
    EXPECT_EQ(PercentFromZoom(0.1f), 20);
    EXPECT_EQ(PercentFromZoom(0.3f), 30);
    EXPECT_EQ(PercentFromZoom(0.2999f), 20);
    EXPECT_EQ(PercentFromZoom(1.5f), 100);
    // The zoom steps add 0.1 in single precision; the ladder must still read the intended step.
    EXPECT_EQ(PercentFromZoom(0.601f - 0.1f), 50);
    EXPECT_EQ(PercentFromZoom(0.501f + 0.1f), 60);
}

TEST(Windows1252, RoundTripsEveryDefinedByte)
{
    QByteArray all;
    for (int b = 1; b < 256; ++b)
        all.append(char(b));
    const QString text = FromWindows1252(all);
    EXPECT_EQ(text[0x80 - 1], QChar(0x20AC));
    EXPECT_EQ(text[0x99 - 1], QChar(0x2122));
    bool ok = false;
    EXPECT_EQ(ToWindows1252(text, &ok), all);
    EXPECT_TRUE(ok);
}

TEST(Windows1252, ReportsCharactersItCannotHold)
{
    bool ok = true;
    EXPECT_EQ(ToWindows1252(QStringLiteral("Łódź"), &ok), QByteArray("?\xF3"
                                                                     "d?"));
    EXPECT_FALSE(ok);
    EXPECT_TRUE(FitsWindows1252(QStringLiteral("Caf\u00e9 \u20ac")));
    EXPECT_FALSE(FitsWindows1252(QStringLiteral("\u03a9")));
}
