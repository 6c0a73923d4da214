// A double rounded to 15 significant decimal digits, halves to even, worked
// out exactly in 64-bit integers for the magnitudes formulas mostly meet.
#pragma once

#include <cstdint>
#include <optional>

namespace talmiron {

struct RoundedDigits {
    std::uint64_t digits; // 15 digits: 10^14 <= digits < 10^15
    int exponent;         // the magnitude is digits × 10^(exponent - 14)
};

// Of |value|, for finite values from about 1E-13 up to below 2^64; none for
// zero and other magnitudes, which take the general path.
std::optional<RoundedDigits> RoundTo15Digits(double value);

} // namespace talmiron
