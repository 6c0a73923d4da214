// x = 2^e m with m in [sqrt(1/2), sqrt(2)); ln m = 2 atanh(s) with
// s = (m - 1)/(m + 1), |s| <= 0.172, and atanh s = s (1 + s^2/3 + s^4/5 ...),
// the terms from s^12 on (below 2^-34) in doubles. m - 1 is exact, so near
// x = 1 nothing cancels; for e != 0, |e ln 2| outweighs |ln m| and the sum
// cannot cancel either.
#include "runtime/logarithm.h"

#include "runtime/math_constants.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>

namespace talmiron {

namespace {

using dd::DoubleDouble;
using math_constants::kInverseOdd;
using math_constants::kLn2;

constexpr double kSqrtTwo = 0x1.6a09e667f3bcdp+0;
constexpr int kExactTerms = 6;
constexpr int kTerms = 21;

} // namespace

DoubleDouble LogarithmOf(double x) {
    int e = 0;
    if (x < std::numeric_limits<double>::min()) {
        x *= 0x1p54;
        e = -54;
    }
    const auto bits = std::bit_cast<std::uint64_t>(x);
    e += static_cast<int>(bits >> 52) - 1023;
    double m =
        std::bit_cast<double>((bits & ((std::uint64_t{1} << 52) - 1)) | std::uint64_t{1023} << 52);
    if (m >= kSqrtTwo) {
        m *= 0.5;
        ++e;
    }
    const DoubleDouble s = dd::Divide({m - 1, 0}, dd::TwoSum(m, 1));
    const DoubleDouble sum = dd::Polynomial(dd::Multiply(s, s), kExactTerms, kTerms,
                                            [](int n) { return kInverseOdd[n]; });
    DoubleDouble log = dd::Multiply(s, sum);
    log = {2 * log.hi, 2 * log.lo};

    const double exponent = e;
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
    return dd::Round(LogarithmOf(x));
}

} // namespace talmiron
