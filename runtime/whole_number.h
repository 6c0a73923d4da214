// Conversion of a double to a whole number: the nearest integer, halves to
// the even neighbour; failure 6 (Overflow) outside the type's range or NaN.
#pragma once

#include <cstdint>

namespace talmiron {

std::int32_t ToInt32(double value);
std::int16_t ToInt16(double value);

} // namespace talmiron
