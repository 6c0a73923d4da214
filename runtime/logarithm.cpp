// x = 2^e m with m in [0.75, 1.5); c = 1 + n/128 the nearest table point and
// r = 1/c rounded; ln m = -ln r + ln(1 + t) with t = m r - 1 exact in
// double-double, |t| <= 0.0053, and ln(1 + t) = t (1 - t/2 + t^2/3 ...), the
// terms from t^7 on (below 2^-48) in doubles. Near x = 1 (n = 0, r = 1) t is
// m - 1 and nothing cancels; elsewhere |-ln r| or |e ln 2| outweighs the
// rest, so the sum loses at most two bits. A quicker estimate in plain
// doubles comes first and settles all but a few roundings.
#include "runtime/logarithm.h"

#include "runtime/math_constants.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>

namespace talmiron {

namespace {

using dd::DoubleDouble;
using math_constants::kLn2;
using math_constants::kLogOfPoint;
using math_constants::kReciprocal;

constexpr int kPointsPerUnit = 128;
constexpr int kLowestPoint = -32;
constexpr int kExactTerms = 6;
constexpr int kTerms = 15;
constexpr int kEstimateTerms = 9;

// ln 2 = kLn2High + kLn2Low, the high part short enough that e kLn2High is
// exact for every binary exponent e of a double (|e| < 2^11).
constexpr double kLn2High =
    std::bit_cast<double>(std::bit_cast<std::uint64_t>(kLn2[0]) & ~std::uint64_t{0x7ff});
constexpr double kLn2Low = (kLn2[0] - kLn2High) + kLn2[1];

// The error bounds of the estimate: relative where x is near 1 (only t is
// left), else absolute, as |ln x| > 2^-8 there.
constexpr double kEstimateRelativeError = 0x1p-66;
constexpr double kEstimateAbsoluteError = 0x1p-72;

struct Reduced {
    int e = 0;     // x = 2^e m
    double m = 0;  // in [0.75, 1.5)
    int point = 0; // 1 + point/128 is the table point nearest to m
};

Reduced Reduce(double x) {
    Reduced reduced;
    if (x < std::numeric_limits<double>::min()) {
        x *= 0x1p54;
        reduced.e = -54;
    }
    const auto bits = std::bit_cast<std::uint64_t>(x);
    reduced.e += static_cast<int>(bits >> 52) - 1023;
    reduced.m =
        std::bit_cast<double>((bits & ((std::uint64_t{1} << 52) - 1)) | std::uint64_t{1023} << 52);
    if (reduced.m >= 1.5) {
        reduced.m *= 0.5;
        ++reduced.e;
    }
    reduced.point = static_cast<int>(std::floor((reduced.m - 1) * kPointsPerUnit + 0.5));
    return reduced;
}

double Reciprocal(int point) {
    return 1 / (1 + point / static_cast<double>(kPointsPerUnit));
}

} // namespace

// The same reduction as LogarithmOf, t = m r - 1 = th + tl exactly. Then
// ln(1 + t) = th - th^2/2 + th^3 (1/3 - th/4 ... + th^6/9) + tl (1 - th + th^2)
// with th^2 exact; what is left out is below 2^-75. The cubic part (below
// 2^-24) carries a relative error of 2^-50, the sum of the small parts
// (below 2^-23.9) one of 2^-50.3: together below 2^-72 absolute. Near 1
// (e = 0 and r = 1) every term scales with t and the error stays below
// 2^-66 |ln x|.
LogarithmEstimate EstimateLogarithm(double x) {
    const Reduced reduced = Reduce(x);
    double th = reduced.m - 1;
    double tl = 0;
    DoubleDouble log;
    if (reduced.point != 0) {
        const DoubleDouble product = dd::TwoProduct(reduced.m, Reciprocal(reduced.point));
        th = product.hi - 1;
        tl = product.lo;
        log = kLogOfPoint[reduced.point - kLowestPoint];
    }
    const DoubleDouble square = dd::TwoProduct(th, th);
    double cubic = 0;
    for (int n = kEstimateTerms; n >= 3; --n) {
        const double c = kReciprocal[n - 1].hi;
        cubic = cubic * th + (n % 2 == 1 ? c : -c);
    }
    cubic *= th * square.hi;

    const double exponent = reduced.e;
    const DoubleDouble big1 = dd::TwoSum(exponent * kLn2High, log.hi);
    const DoubleDouble big2 = dd::TwoSum(big1.hi, th);
    const DoubleDouble big3 = dd::TwoSum(big2.hi, -0.5 * square.hi);
    const double small = exponent * kLn2Low + log.lo + tl * (1 - th + square.hi) - 0.5 * square.lo +
                         cubic + big1.lo + big2.lo + big3.lo;
    const DoubleDouble value = dd::FastTwoSum(big3.hi, small);
    const bool nearOne = reduced.e == 0 && reduced.point == 0;
    return {value, nearOne ? kEstimateRelativeError * std::fabs(value.hi) : kEstimateAbsoluteError};
}

DoubleDouble LogarithmOf(double x) {
    const Reduced reduced = Reduce(x);
    DoubleDouble t = {reduced.m - 1, 0};
    DoubleDouble log;
    if (reduced.point != 0) {
        t = dd::Add(dd::TwoProduct(reduced.m, Reciprocal(reduced.point)), -1.0);
        log = kLogOfPoint[reduced.point - kLowestPoint];
    }
    const DoubleDouble sum = dd::Polynomial(t, kExactTerms, kTerms, [](int n) {
        return n % 2 == 0 ? kReciprocal[n] : dd::Negate(kReciprocal[n]);
    });
    log = dd::Add(log, dd::Multiply(t, sum));

    const double exponent = reduced.e;
    DoubleDouble scaled = dd::Add(dd::TwoProduct(exponent, kLn2[0]), exponent * kLn2[1]);
    scaled = dd::Add(scaled, exponent * kLn2[2]);
    return dd::Add(scaled, log);
}

double NaturalLogarithm(double x) {
    if (std::isnan(x) || x < 0) {
        return std::numeric_limits<double>::quiet_NaN();
    }
    if (x == 0) {
        return -std::numeric_limits<double>::infinity();
    }
    if (std::isinf(x)) {
        return x;
    }
    const LogarithmEstimate estimate = EstimateLogarithm(x);
    if (const auto rounded = dd::RoundWithin(estimate.value, estimate.error)) {
        return *rounded;
    }
    return dd::Round(LogarithmOf(x));
}

} // namespace talmiron
