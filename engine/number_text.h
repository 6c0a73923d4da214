// Canonical number text: plain decimal, "-" for negative values, at least one
// digit before the point, no exponent, no trailing zeros, at most 15
// significant digits.
#pragma once

#include "runtime/text.h"

#include <cstddef>
#include <cstdint>

namespace talmiron {

// A number in canonical form. Negative zero is written "0". Infinity and NaN
// raise failure 6.
Text NumberToText(double value);
Text NumberToText(std::int32_t value);

// The same text appended to `out`, for callers that keep a buffer.
void AppendNumberText(Text& out, double value);

// The same text written into `out` without allocating, for the values whose
// text is short: whole numbers below 10^15 and magnitudes from about 1E-13 to
// below 2^64. Returns its length, or 0 when the value needs NumberToText.
inline constexpr std::size_t kShortNumberText = 32;
std::size_t ShortNumberText(double value, char16_t (&out)[kShortNumberText]);

// The same text rendered the straightforward way, through Str and the
// exponent expansion: what tests hold NumberToText to.
Text NumberToTextReference(double value);

// A text made canonical the same way: trimmed, upper-cased, its exponent
// expanded, "0" put before a leading point.
Text NumberToText(TextView text);

// True for a plain decimal literal: digits, at most one ".", a sign only in
// front, blanks only at the ends. No digit is required.
bool IsNumericText(TextView text);

// Rewrites an exponent form (mantissa, "E", sign, exponent digits) in plain
// digits; the whole text comes back upper-cased. An exponent that does not
// fit 32 bits raises failure 6; one that leads to a negative count raises
// failure 5.
Text ExpandExponent(TextView text);

} // namespace talmiron
