// e^x, correctly rounded but for about one result in 10^15 and within 1 ulp
// everywhere; beyond the double range +infinity, below it 0.
#pragma once

#include "runtime/double_double.h"

namespace talmiron {

double Exponential(double x);

// e^(x.hi + x.lo), rounded once, also into the subnormal range.
double ExponentialOf(dd::DoubleDouble x);

} // namespace talmiron
