// The first rendering of a number as text, before the evaluator makes it
// canonical: a blank in the sign's place for zero and positive values, "." as
// the point whatever the locale, no "0" before a leading point.
#pragma once

#include "runtime/text.h"

#include <cstdint>
#include <string>

namespace talmiron {

// At most 15 significant digits, trailing zeros dropped. Magnitudes from
// 0.001 to below 1E+15 are plain (" .001", "-2.5"); others are exponent form
// with at least two exponent digits (" 1E+20", " 1.5E-07"). Negative zero is
// written as zero. Infinity and NaN raise failure 6: they have no text.
Text Str(double value);
Text Str(std::int32_t value);
Text Str(std::int16_t value);

// Decimal digits of an integer in ASCII, "-" first when negative.
std::string IntegerToAscii(std::int64_t value);

} // namespace talmiron
