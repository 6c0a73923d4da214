// e^x = 2^k 2^(j/64) e^r with n = 64k + j the integer nearest 64 x / ln 2
// and r = x - n ln 2/64, |r| <= 0.0055, formed in double-double from ln 2 in
// three parts (the products of n by the first two are exact). 2^(j/64) comes
// from the table, e^r - 1 from a short series; each step keeps the relative
// error below 2^-100.
// The scaling by 2^k is exact for normal results; a subnormal result is
// rounded once from the whole double-double. A quicker estimate in plain
// doubles comes first and settles all but a few roundings.
#include "runtime/exponential.h"

#include "runtime/math_constants.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>

namespace talmiron {

namespace {

using dd::DoubleDouble;
using math_constants::kInverseFactorial;
using math_constants::kLn2;

constexpr double kOverflow = 709.8;   // above ln(DBL_MAX) = 709.78...
constexpr double kUnderflow = -745.2; // below ln(2^-1075) = -745.13...
constexpr double kNearZero = 0x1p-54; // e^x rounds to 1 below this magnitude
constexpr int kSteps = 64;            // 2^(1/64) steps between powers of 2

// ln 2/64 = kStepHigh + kStepLow, the high part short enough that n kStepHigh
// is exact for every |n| < 2^17 (|x| < 1400).
constexpr double kStepHigh =
    std::bit_cast<double>(std::bit_cast<std::uint64_t>(kLn2[0] / kSteps) & ~std::uint64_t{0x1ffff});
constexpr double kStepLow = (kLn2[0] / kSteps - kStepHigh) + kLn2[1] / kSteps;
// Bound of the estimate's own error, relative to the result.
constexpr double kEstimateError = 0x1p-64;

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

// e^r - 1 for |r| <= ln 2 / 128: r + r^2/2 + ... + r^5/120 in double-double,
// the rest (below 2^-47 of the sum) in doubles.
DoubleDouble ExpMinusOneSeries(DoubleDouble r) {
    const DoubleDouble sum =
        dd::Polynomial(r, 5, 11, [](int n) { return kInverseFactorial[n + 1]; });
    return dd::Multiply(sum, r);
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

// The nearest step n of ln 2/64 to x.
double NearestStep(double x) {
    return std::floor(x * (kSteps * math_constants::kInverseLn2) + 0.5);
}

} // namespace

// The same reduction as ExponentialOf. r1 = x.hi - n kStepHigh is exact: both
// are multiples of 2^-60 and |r1| < 2^-7 (r1 = x.hi when n = 0). The rest of
// r, x.lo - n kStepLow, is off by less than 2^-76. With r = rh + rl exact,
// e^r - 1 = rh + rl (1 + rh) + rh^2 (1/2 + rh/6 ... + rh^5/5040) leaves out
// less than 2^-75; the quadratic part (below 2^-16) is off by 2^-67, the sum
// of the small parts by 2^-66. The result is within 2^-65 of its size, plus
// what the error of x makes of it.
std::optional<double> QuickExponentialOf(DoubleDouble x, double error) {
    const double n = NearestStep(x.hi);
    const DoubleDouble r = dd::TwoSum(x.hi - n * kStepHigh, x.lo - n * kStepLow);
    double quadratic = 0;
    for (int i = 7; i >= 2; --i) {
        quadratic = quadratic * r.hi + kInverseFactorial[i].hi;
    }
    quadratic *= r.hi * r.hi;
    const double sum = r.lo * (1 + r.hi) + quadratic;

    const auto whole = static_cast<std::int64_t>(n);
    const int k = static_cast<int>(whole >> 6);
    if (k < -1021 || k > 1022) {
        return std::nullopt; // the scaling would round or overflow
    }
    const DoubleDouble step = math_constants::kTwoToSixtyFourth[whole & (kSteps - 1)];
    const DoubleDouble linear = dd::TwoProduct(step.hi, r.hi);
    const DoubleDouble big = dd::FastTwoSum(step.hi, linear.hi);
    const double small = big.lo + linear.lo + step.hi * sum + step.lo * (1 + r.hi + sum);
    const DoubleDouble y = dd::FastTwoSum(big.hi, small);
    const auto rounded = dd::RoundWithin(y, (kEstimateError + error * 1.01) * y.hi);
    if (!rounded) {
        return std::nullopt;
    }
    return Scale(*rounded, k);
}

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
    if (const auto quick = QuickExponentialOf(x, 0)) {
        return *quick;
    }
    const double n = NearestStep(x.hi);
    DoubleDouble r = dd::Subtract(x, dd::TwoProduct(n, kLn2[0] / kSteps));
    r = dd::Subtract(r, dd::TwoProduct(n, kLn2[1] / kSteps));
    r = dd::Add(r, -n * (kLn2[2] / kSteps));

    const auto whole = static_cast<std::int64_t>(n);
    const DoubleDouble step = math_constants::kTwoToSixtyFourth[whole & (kSteps - 1)];
    const DoubleDouble y = dd::Add(dd::Multiply(step, ExpMinusOneSeries(r)), step);
    return ScaleAndRound(y, static_cast<int>(whole >> 6));
}

double Exponential(double x) {
    return ExponentialOf({x, 0});
}

} // namespace talmiron
