// Reduction of an angle to the quadrant it lies in and what is left of it.
#pragma once

#include "runtime/double_double.h"

namespace talmiron {

// x = quadrant * pi/2 + remainder, modulo 2 pi, with |remainder| <= pi/4.
struct ReducedAngle {
    int quadrant = 0; // 0 to 3
    dd::DoubleDouble remainder;
};

// For any finite x; the remainder keeps about 100 correct bits even where x
// lies within 2^-61 of a multiple of pi/2.
ReducedAngle ReduceAngle(double x);

} // namespace talmiron
