// Decimal digits to the nearest double, in integer arithmetic only: the
// standard library's conversion goes through the C runtime on some targets
// (32-bit mingw-w64 among them), which is neither correctly rounded nor the
// same everywhere.
#pragma once

#include <cstdint>
#include <string_view>

namespace talmiron {

// The double nearest to 0.d1d2d3... × 10^scale, halves to even, where
// `digits` are ASCII decimal digits, the first of them not 0. A magnitude
// that rounds beyond the largest double gives infinity; one below half the
// smallest subnormal gives zero. Any number of digits and any scale.
double DecimalToDouble(std::string_view digits, std::int64_t scale);

} // namespace talmiron
