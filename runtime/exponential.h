// e^x, correctly rounded but for about one result in 10^15 and within 1 ulp
// everywhere; beyond the double range +infinity, below it 0.
#pragma once

#include "runtime/double_double.h"

#include <optional>

namespace talmiron {

double Exponential(double x);

// e^(x.hi + x.lo), rounded once, also into the subnormal range.
double ExponentialOf(dd::DoubleDouble x);

// e^x rounded, from a quicker estimate, for |x.hi| < 746 known within
// +-error (at most 2^-60 or so) and a normal result; nothing where the
// estimate cannot tell.
std::optional<double> QuickExponentialOf(dd::DoubleDouble x, double error);

} // namespace talmiron
