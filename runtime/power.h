// x raised to the power y, correctly rounded but for about one result in
// 10^15 and within 1 ulp everywhere; exact whenever the exact result is a
// double (2^10, 10^15, 4^0.5).
#pragma once

#include <optional>

namespace talmiron {

// 0^0 = 1; 0 to a negative power is an infinity; a negative base needs a
// whole exponent (NaN otherwise) and gives the sign of the exponent's parity;
// a result beyond the double range is an infinity.
double Power(double x, double y);

// |x|^y rounded, from quicker estimates of the logarithm and exponential, for
// finite x != 0 and a normal result; nothing where they cannot tell.
std::optional<double> QuickPower(double x, double y);

} // namespace talmiron
