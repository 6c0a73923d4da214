// The angle is reduced to |r| <= pi/4 and a quadrant; sin r and cos r are
// Taylor series in double-double, the terms from r^10 on (below 2^-25 of the
// result) summed in plain doubles. Budget: the reduction keeps a relative
// error below 2^-80, the series below 2^-78, so the rounded sum is the
// correctly rounded result unless the exact value lies that close to a
// half-ulp.
#include "runtime/trigonometric.h"

#include "runtime/math_constants.h"
#include "runtime/trig_reduction.h"

#include <cmath>

namespace talmiron {

namespace {

using dd::DoubleDouble;
using math_constants::kInverseFactorial;

// Below these magnitudes sin x and tan x round to x and cos x to 1.
constexpr double kTinySine = 0x1p-28;
constexpr double kTinyCosine = 0x1p-27;

constexpr int kExactTerms = 5; // terms of z in double-double
constexpr int kTerms = 14;

// Sum over k of (-1)^k z^k / (2k + offset)!.
DoubleDouble Series(DoubleDouble z, int offset) {
    return dd::Polynomial(z, kExactTerms, kTerms, [offset](int k) {
        const DoubleDouble c = kInverseFactorial[2 * k + offset];
        return k % 2 == 0 ? c : dd::Negate(c);
    });
}

// sin r = r S(r^2) and cos r = C(r^2).
DoubleDouble SineKernel(DoubleDouble r) {
    return dd::Multiply(r, Series(dd::Multiply(r, r), 1));
}

DoubleDouble CosineKernel(DoubleDouble r) {
    return Series(dd::Multiply(r, r), 0);
}

// sin and cos of x from the kernels of its remainder, shifted by quadrants.
DoubleDouble SineOf(const ReducedAngle& angle, int shift) {
    const int quadrant = (angle.quadrant + shift) & 3;
    const DoubleDouble value =
        quadrant % 2 == 0 ? SineKernel(angle.remainder) : CosineKernel(angle.remainder);
    return quadrant >= 2 ? dd::Negate(value) : value;
}

} // namespace

double Sine(double x) {
    if (std::fabs(x) < kTinySine) {
        return x;
    }
    if (!std::isfinite(x)) {
        return x - x; // NaN
    }
    return dd::Round(SineOf(ReduceAngle(x), 0));
}

double Cosine(double x) {
    if (std::fabs(x) < kTinyCosine) {
        return 1;
    }
    if (!std::isfinite(x)) {
        return x - x;
    }
    return dd::Round(SineOf(ReduceAngle(x), 1));
}

double Tangent(double x) {
    if (std::fabs(x) < kTinySine) {
        return x;
    }
    if (!std::isfinite(x)) {
        return x - x;
    }
    const ReducedAngle angle = ReduceAngle(x);
    return dd::Round(dd::Divide(SineOf(angle, 0), SineOf(angle, 1)));
}

} // namespace talmiron
