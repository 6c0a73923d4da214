// For |x| > 1, atan |x| = pi/2 - atan(1/|x|); then t in [0, 1] moves to
// u = (t - c)/(1 + t c) with c = n/8 the nearest eighth, |u| <= 1/16, and
// atan t = atan c + atan u, atan c from the table. atan u is its odd series,
// the terms from u^9 on (below 2^-35) in doubles. Every step is in
// double-double with a relative error below 2^-100.
#include "runtime/arctangent.h"

#include "runtime/double_double.h"
#include "runtime/math_constants.h"

#include <cmath>

namespace talmiron {

namespace {

using dd::DoubleDouble;
using math_constants::kHalfPi;
using math_constants::kInverseOdd;

// Below this magnitude atan x rounds to x; above its inverse, to pi/2.
constexpr double kTiny = 0x1p-28;
constexpr double kHuge = 0x1p54;
constexpr int kExactTerms = 4;
constexpr int kTerms = 14;

// atan u = u (1 - u^2/3 + u^4/5 - ...).
DoubleDouble SmallArctangent(DoubleDouble u) {
    const DoubleDouble sum = dd::Polynomial(dd::Multiply(u, u), kExactTerms, kTerms, [](int n) {
        return n % 2 == 0 ? kInverseOdd[n] : dd::Negate(kInverseOdd[n]);
    });
    return dd::Multiply(u, sum);
}

} // namespace

double Arctangent(double x) {
    const double magnitude = std::fabs(x);
    if (magnitude < kTiny || std::isnan(x)) {
        return x;
    }
    if (magnitude > kHuge) {
        return std::copysign(kHalfPi[0], x);
    }
    const bool inverted = magnitude > 1;
    const DoubleDouble t =
        inverted ? dd::Divide({1, 0}, {magnitude, 0}) : DoubleDouble{magnitude, 0};
    const int eighths = static_cast<int>(t.hi * 8 + 0.5);
    DoubleDouble angle;
    if (eighths == 0) {
        angle = SmallArctangent(t);
    } else {
        const double c = eighths / 8.0;
        const DoubleDouble u = dd::Divide(dd::Add(t, -c), dd::Add(dd::Multiply(t, c), 1.0));
        angle = dd::Add(math_constants::kArctangentOfEighth[eighths], SmallArctangent(u));
    }
    if (inverted) {
        angle = dd::Subtract({kHalfPi[0], kHalfPi[1]}, angle);
    }
    return std::copysign(dd::Round(angle), x);
}

} // namespace talmiron
