// Exact conversion between doubles and the 80-bit extended floats the stream stores.
#pragma once

#include <array>
#include <cstdint>

using TExtendedBytes = std::array<std::uint8_t, 10>;

// Every double is held exactly; signs, infinities and NaN payloads are kept.
TExtendedBytes DoubleToExtended(double value);
// Rounds to nearest, ties to even, where the extended value has more precision or range than a double.
double ExtendedToDouble(const TExtendedBytes& bytes);
