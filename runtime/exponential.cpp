// e^x = 2^k e^r with k the integer nearest x / ln 2 and r = x - k ln 2,
// |r| <= 0.35, formed in double-double from ln 2 in three parts (the products
// k * part are exact). e^(r / 2^8) - 1 is a short series; squaring it back
// eight times as E(E + 2) keeps its relative error (below 2^-100 per step).
// The scaling by 2^k is exact for normal results; a subnormal result is
// rounded once from the whole double-double.
#include "runtime/exponential.h"

#include "runtime/math_constants.h"

#include <cmath>
#include <limits>

namespace talmiron {

namespace {

using dd::DoubleDouble;
using math_constants::kInverseFactorial;
using math_constants::kLn2;

constexpr double kOverflow = 709.8;   // above ln(DBL_MAX) = 709.78...
constexpr double kUnderflow = -745.2; // below ln(2^-1075) = -745.13...
constexpr double kNearZero = 0x1p-54; // e^x rounds to 1 below this magnitude
constexpr int kHalvings = 8;

// x * 2^k, exact unless the result is subnormal (rounded once) or overflows.
double Scale(double x, int k) {
    if (k > 1023) {
        return x * dd::PowerOfTwo(1023) * dd::PowerOfTwo(k - 1023);
    }
    if (k < -1022) {
        return x * dd::PowerOfTwo(k + 1022) * dd::PowerOfTwo(-1022);
    }
    return x * dd::PowerOfTwo(k);
}

// e^a - 1 for |a| <= 0.0014: a + a^2/2 + a^3/6 in double-double, the rest
// (below 2^-40 of the sum) in doubles.
DoubleDouble ExpMinusOneSeries(DoubleDouble a) {
    const DoubleDouble sum =
        dd::Polynomial(a, 3, 9, [](int n) { return kInverseFactorial[n + 1]; });
    return dd::Multiply(sum, a);
}

// y * 2^k for y in [0.5, 2], rounded once to a double.
double ScaleAndRound(DoubleDouble y, int k) {
    const DoubleDouble n = dd::FastTwoSum(y.hi, y.lo);
    if (k > -1022 || (k == -1022 && n.hi >= 1)) {
        return Scale(n.hi, k);
    }
    // Subnormal: the product rounds n.hi alone; where that was a tie, n.lo
    // decides which way the whole sum goes.
    const double rounded = Scale(n.hi, k);
    const double error = n.hi - Scale(rounded, -k);
    const double half = dd::PowerOfTwo(-1075 - k);
    const double unit = std::numeric_limits<double>::denorm_min();
    if (error == half && n.lo > 0) {
        return rounded + unit;
    }
    if (error == -half && n.lo < 0) {
        return rounded - unit;
    }
    return rounded;
}

} // namespace

double ExponentialOf(DoubleDouble x) {
    if (std::isnan(x.hi)) {
        return x.hi;
    }
    if (x.hi > kOverflow) {
        return std::numeric_limits<double>::infinity();
    }
    if (x.hi < kUnderflow) {
        return 0;
    }
    if (std::fabs(x.hi) < kNearZero) {
        return 1;
    }
    const double k = std::floor(x.hi * math_constants::kInverseLn2 + 0.5);
    DoubleDouble r = dd::Subtract(x, dd::TwoProduct(k, kLn2[0]));
    r = dd::Subtract(r, dd::TwoProduct(k, kLn2[1]));
    r = dd::Add(r, -k * kLn2[2]);

    const double shrink = dd::PowerOfTwo(-kHalvings);
    DoubleDouble e = ExpMinusOneSeries({r.hi * shrink, r.lo * shrink});
    for (int i = 0; i < kHalvings; ++i) {
        e = dd::Multiply(e, dd::Add(e, 2.0));
    }
    return ScaleAndRound(dd::Add(e, 1.0), static_cast<int>(k));
}

double Exponential(double x) {
    return ExponentialOf({x, 0});
}

} // namespace talmiron
