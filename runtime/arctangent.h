// The arctangent in radians, between -pi/2 and pi/2; correctly rounded but
// for about one result in 10^15 and within 1 ulp everywhere.
#pragma once

namespace talmiron {

double Arctangent(double x);

} // namespace talmiron
