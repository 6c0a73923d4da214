// The natural logarithm, correctly rounded but for about one result in 10^15
// and within 1 ulp everywhere.
#pragma once

#include "runtime/double_double.h"

namespace talmiron {

// ln x for x > 0; NaN below 0, -infinity at 0.
double NaturalLogarithm(double x);

// ln x for finite x > 0, to a relative error below 2^-100.
dd::DoubleDouble LogarithmOf(double x);

// A quicker ln x for finite x > 0: a normalised pair within +-error of it.
struct LogarithmEstimate {
    dd::DoubleDouble value;
    double error = 0;
};
LogarithmEstimate EstimateLogarithm(double x);

} // namespace talmiron
