// The pseudo-random generator behind Rnd. Each thread has its own state;
// every draw first mixes a clock reading into it, so that draws are not
// repeatable between runs and two draws within one clock tick still differ.
#pragma once

#include "runtime/text.h"

#include <cstdint>

namespace talmiron {

// A single-precision value at least 0 and below 1, a multiple of 2^-24.
float NextRandom();
// The same with a given clock reading in place of the clock's.
float NextRandom(std::uint64_t clockTicks);

// A value in [0, 1) written with at most 7 significant digits, in plain or
// exponent form, never reaching "1": a value whose rounding would give 1 is
// written as 0.9999999.
Text RandomText(float value);

} // namespace talmiron
