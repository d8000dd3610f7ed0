#include "stream/extendedfloat.h"

#include <QtGlobal>

#include <bit>
#include <cmath>
#include <limits>
#include <random>

#include <gtest/gtest.h>

namespace {

TExtendedBytes Ext(std::uint64_t mantissa, unsigned signAndExponent)
{
    TExtendedBytes bytes{};
    for (int i = 0; i < 8; ++i)
        bytes[i] = static_cast<std::uint8_t>(mantissa >> (8 * i));
    bytes[8] = static_cast<std::uint8_t>(signAndExponent);
    bytes[9] = static_cast<std::uint8_t>(signAndExponent >> 8);
    return bytes;
}

constexpr std::uint64_t kOne = std::uint64_t(1) << 63;

} // namespace

TEST(ExtendedFloat, KnownValuesHaveTheirX87Bytes)
{
    EXPECT_EQ(DoubleToExtended(0.25), Ext(kOne, 0x3FFD));
    EXPECT_EQ(DoubleToExtended(0.5), Ext(kOne, 0x3FFE));
    EXPECT_EQ(DoubleToExtended(1.0), Ext(kOne, 0x3FFF));
    EXPECT_EQ(DoubleToExtended(2.0), Ext(kOne, 0x4000));
    EXPECT_EQ(DoubleToExtended(-3.5), Ext(0xE000000000000000ull, 0xC000));
    EXPECT_EQ(DoubleToExtended(1e-300), Ext(0xAB70FE17C79AC800ull, 0x3C1A));
    EXPECT_EQ(DoubleToExtended(0.0), Ext(0, 0));
    EXPECT_EQ(DoubleToExtended(-0.0), Ext(0, 0x8000));
    // The smallest subnormal double is a normal extended value.
    EXPECT_EQ(DoubleToExtended(5e-324), Ext(kOne, 0x3BCD));
    EXPECT_EQ(DoubleToExtended(std::numeric_limits<double>::infinity()), Ext(kOne, 0x7FFF));
}

TEST(ExtendedFloat, KnownBytesReadAsExactDoubles)
{
    EXPECT_EQ(ExtendedToDouble(Ext(kOne, 0x3FFD)), 0.25);
    EXPECT_EQ(ExtendedToDouble(Ext(kOne, 0x3FFE)), 0.5);
    EXPECT_EQ(ExtendedToDouble(Ext(kOne, 0x4000)), 2.0);
    EXPECT_EQ(ExtendedToDouble(Ext(0xE000000000000000ull, 0xC000)), -3.5);
    EXPECT_EQ(ExtendedToDouble(Ext(0xAB70FE17C79AC800ull, 0x3C1A)), 1e-300);
    EXPECT_TRUE(std::signbit(ExtendedToDouble(Ext(0, 0x8000))));
    EXPECT_TRUE(std::isnan(ExtendedToDouble(Ext(0xC000000000000000ull, 0x7FFF))));
    EXPECT_EQ(ExtendedToDouble(Ext(kOne, 0xFFFF)), -std::numeric_limits<double>::infinity());
}

TEST(ExtendedFloat, ExtraPrecisionRoundsToNearestEven)
{
    // 1 + 2^-53 lies halfway between 1 and the next double: ties go to the even 1.
    EXPECT_EQ(ExtendedToDouble(Ext(kOne | (1ull << 10), 0x3FFF)), 1.0);
    EXPECT_EQ(ExtendedToDouble(Ext(kOne | (1ull << 10) | 1, 0x3FFF)), std::nextafter(1.0, 2.0));
    // Halfway above an odd significand rounds up.
    EXPECT_EQ(ExtendedToDouble(Ext(kOne | (1ull << 11) | (1ull << 10), 0x3FFF)), 1.0 + 2 * 0x1p-52);
    // All ones carries into the next power of two.
    EXPECT_EQ(ExtendedToDouble(Ext(~0ull, 0x3FFF)), 2.0);
}

TEST(ExtendedFloat, RangeBeyondDoubleOverflowsOrUnderflows)
{
    EXPECT_EQ(ExtendedToDouble(Ext(kOne, 0x3FFF + 1024)), std::numeric_limits<double>::infinity());
    EXPECT_EQ(ExtendedToDouble(Ext(kOne, 0x3FFF + 1023)), std::ldexp(1.0, 1023));
    EXPECT_EQ(ExtendedToDouble(Ext(kOne, 0x3FFF - 1074)), 5e-324);
    EXPECT_EQ(ExtendedToDouble(Ext(kOne, 0x3FFF - 1075)), 0.0); // exactly half the smallest: ties to zero
    EXPECT_EQ(ExtendedToDouble(Ext(kOne | 1, 0x3FFF - 1075)), 5e-324);
    EXPECT_EQ(ExtendedToDouble(Ext(kOne, 1)), 0.0);
    // An extended denormal (exponent 0) is tiny, not garbage.
    EXPECT_EQ(ExtendedToDouble(Ext(1, 0)), 0.0);
}

TEST(ExtendedFloat, EveryDoubleRoundTripsBitForBit)
{
    std::mt19937_64 random(20240601);
    auto check = [](std::uint64_t bits) {
        const double value = std::bit_cast<double>(bits);
        EXPECT_EQ(std::bit_cast<std::uint64_t>(ExtendedToDouble(DoubleToExtended(value))), bits) << std::hex << bits;
    };
    for (int i = 0; i < 200000; ++i)
        check(random());
    for (std::uint64_t bits = 0; bits < 5000; ++bits) {
        check(bits);                    // subnormals
        check(bits | (1ull << 63));     // negative subnormals
        check((0x7FEull << 52) - bits); // near the largest finite
        check((0x3FFull << 52) + bits); // just above 1
    }
    for (double value : {0.25, 0.5, 2.0, 1e-300, -1e300, 0.1, -0.01, 3.141592653589793, 1.0 / 3.0})
        EXPECT_EQ(ExtendedToDouble(DoubleToExtended(value)), value);
}
