#include "stream/extendedfloat.h"

#include <bit>

namespace {

constexpr std::uint64_t kIntegerBit = std::uint64_t(1) << 63;
constexpr std::uint64_t kFractionMask = (std::uint64_t(1) << 52) - 1;
constexpr int kExtendedBias = 16383;
constexpr int kDoubleBias = 1023;

TExtendedBytes Pack(bool negative, int exponent, std::uint64_t mantissa)
{
    TExtendedBytes bytes{};
    for (int i = 0; i < 8; ++i)
        bytes[i] = static_cast<std::uint8_t>(mantissa >> (8 * i));
    const unsigned top = (negative ? 0x8000u : 0u) | static_cast<unsigned>(exponent);
    bytes[8] = static_cast<std::uint8_t>(top);
    bytes[9] = static_cast<std::uint8_t>(top >> 8);
    return bytes;
}

// Drops `shift` low bits of `value`, rounding to nearest with ties to even.
std::uint64_t ShiftRoundEven(std::uint64_t value, int shift)
{
    if (shift <= 0)
        return value;
    if (shift > 64)
        return 0;
    const std::uint64_t kept = shift == 64 ? 0 : value >> shift;
    const std::uint64_t rest = shift == 64 ? value : value & ((std::uint64_t(1) << shift) - 1);
    const std::uint64_t half = std::uint64_t(1) << (shift - 1);
    if (rest > half || (rest == half && (kept & 1)))
        return kept + 1;
    return kept;
}

} // namespace

TExtendedBytes DoubleToExtended(double value)
{
    const std::uint64_t bits = std::bit_cast<std::uint64_t>(value);
    const bool negative = (bits >> 63) != 0;
    const int exponent = static_cast<int>((bits >> 52) & 0x7FF);
    const std::uint64_t fraction = bits & kFractionMask;

    if (exponent == 0x7FF)
        return Pack(negative, 0x7FFF, kIntegerBit | (fraction << 11));
    if (exponent == 0) {
        if (fraction == 0)
            return Pack(negative, 0, 0);
        // Subnormal: fraction × 2^-1074, normalised so the integer bit is set.
        const int lead = std::countl_zero(fraction);
        return Pack(negative, kExtendedBias + 63 - 1074 - lead, fraction << lead);
    }
    return Pack(negative, exponent - kDoubleBias + kExtendedBias, kIntegerBit | (fraction << 11));
}

double ExtendedToDouble(const TExtendedBytes& bytes)
{
    std::uint64_t mantissa = 0;
    for (int i = 7; i >= 0; --i)
        mantissa = (mantissa << 8) | bytes[i];
    const unsigned top = bytes[8] | (unsigned(bytes[9]) << 8);
    const std::uint64_t sign = std::uint64_t(top >> 15) << 63;
    const int exponent = static_cast<int>(top & 0x7FFF);

    if (exponent == 0x7FFF) {
        std::uint64_t fraction = (mantissa >> 11) & kFractionMask;
        if ((mantissa & ~kIntegerBit) == 0)
            return std::bit_cast<double>(sign | (std::uint64_t(0x7FF) << 52));
        if (fraction == 0)
            fraction = std::uint64_t(1) << 51;
        return std::bit_cast<double>(sign | (std::uint64_t(0x7FF) << 52) | fraction);
    }
    if (mantissa == 0)
        return std::bit_cast<double>(sign);

    // value = mantissa × 2^(e - bias - 63); denormals and unnormals are taken at face value.
    const int lead = std::countl_zero(mantissa);
    const std::uint64_t normalised = mantissa << lead;
    int unbiased = (exponent == 0 ? 1 : exponent) - kExtendedBias - lead;
    const std::uint64_t infinity = sign | (std::uint64_t(0x7FF) << 52);
    if (unbiased > kDoubleBias)
        return std::bit_cast<double>(infinity);

    if (unbiased >= 1 - kDoubleBias) {
        std::uint64_t significand = ShiftRoundEven(normalised, 11);
        if (significand >> 53) {
            significand >>= 1;
            ++unbiased;
            if (unbiased > kDoubleBias)
                return std::bit_cast<double>(infinity);
        }
        const std::uint64_t biased = static_cast<std::uint64_t>(unbiased + kDoubleBias);
        return std::bit_cast<double>(sign | (biased << 52) | (significand & kFractionMask));
    }
    // Subnormal result in units of 2^-1074; rounding up to 2^52 units lands on the smallest normal.
    const int shift = 11 + (1 - kDoubleBias - unbiased);
    return std::bit_cast<double>(sign | ShiftRoundEven(normalised, shift));
}
