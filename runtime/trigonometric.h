// Sine, cosine and tangent of an angle in radians, correctly rounded but for
// about one result in 10^15, and within 1 ulp everywhere.
#pragma once

namespace talmiron {

double Sine(double x);
double Cosine(double x);
double Tangent(double x);

} // namespace talmiron
