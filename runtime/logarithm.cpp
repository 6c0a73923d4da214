// x = 2^e m with m in [0.75, 1.5); c = 1 + n/128 the nearest table point and
// r = 1/c rounded; ln m = -ln r + ln(1 + t) with t = m r - 1 exact in
// double-double, |t| <= 0.0053, and ln(1 + t) = t (1 - t/2 + t^2/3 ...), the
// terms from t^7 on (below 2^-48) in doubles. Near x = 1 (n = 0, r = 1) t is
// m - 1 and nothing cancels; elsewhere |-ln r| or |e ln 2| outweighs the
// rest, so the sum loses at most two bits.
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
    if (m >= 1.5) {
        m *= 0.5;
        ++e;
    }
    const int point = static_cast<int>(std::floor((m - 1) * kPointsPerUnit + 0.5));
    DoubleDouble t = {m - 1, 0};
    DoubleDouble log;
    if (point != 0) {
        const double r = 1 / (1 + point / static_cast<double>(kPointsPerUnit));
        t = dd::Add(dd::TwoProduct(m, r), -1.0);
        log = kLogOfPoint[point - kLowestPoint];
    }
    const DoubleDouble sum = dd::Polynomial(t, kExactTerms, kTerms, [](int n) {
        return n % 2 == 0 ? kReciprocal[n] : dd::Negate(kReciprocal[n]);
    });
    log = dd::Add(log, dd::Multiply(t, sum));

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
