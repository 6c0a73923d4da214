// x^y = e^(y ln|x|): first from the quick estimates of both, whose bounds
// together decide most roundings; where they cannot, ln|x| in double-double
// (relative error below 2^-100), the product with y formed exactly, the
// exponential rounded once. With |y ln|x|| <= 746 the absolute error of the
// exponent stays below 2^-90.
#include "runtime/power.h"

#include "runtime/double_double.h"
#include "runtime/exponential.h"
#include "runtime/logarithm.h"

#include <cmath>
#include <limits>
#include <optional>

namespace talmiron {

namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();
// Exponents beyond these give an infinity or 0 whatever the rounding.
constexpr double kOverflow = 710;
constexpr double kUnderflow = -746;
// Every double of this magnitude or more is an even whole number.
constexpr double kAllEven = 0x1p53;

// The product y (ln|x| + d) is formed with TwoProduct, off by less than
// 2^-103 of itself beyond y d; the exponential's bound takes that error in.
std::optional<double> QuickPowerFrom(const LogarithmEstimate& log, double y) {
    const dd::DoubleDouble product = dd::TwoProduct(y, log.value.hi);
    const dd::DoubleDouble exponent = dd::FastTwoSum(product.hi, product.lo + y * log.value.lo);
    const double error = std::fabs(y) * log.error + 0x1p-102 * std::fabs(exponent.hi);
    return QuickExponentialOf(exponent, error);
}

} // namespace

std::optional<double> QuickPower(double x, double y) {
    const LogarithmEstimate log = EstimateLogarithm(std::fabs(x));
    if (!(std::fabs(y * log.value.hi) < kOverflow)) {
        return std::nullopt;
    }
    return QuickPowerFrom(log, y);
}

double Power(double x, double y) {
    if (y == 0 || x == 1) {
        return 1;
    }
    if (std::isnan(x) || std::isnan(y)) {
        return std::numeric_limits<double>::quiet_NaN();
    }
    const double magnitude = std::fabs(x);
    if (std::isinf(y)) {
        if (magnitude == 1) {
            return 1;
        }
        return (magnitude > 1) == (y > 0) ? kInfinity : 0;
    }
    const bool whole = std::floor(y) == y;
    if (std::signbit(x) && !whole && x != 0) {
        return std::numeric_limits<double>::quiet_NaN();
    }
    const bool odd = whole && std::fabs(y) < kAllEven && std::floor(y / 2) != y / 2;
    const double sign = std::signbit(x) && odd ? -1 : 1;
    if (magnitude == 0 || std::isinf(magnitude)) {
        return sign * ((magnitude == 0) == (y > 0) ? 0 : kInfinity);
    }
    const LogarithmEstimate quickLog = EstimateLogarithm(magnitude);
    const double estimate = y * quickLog.value.hi;
    if (estimate > kOverflow) {
        return sign * kInfinity;
    }
    if (estimate < kUnderflow) {
        return sign * 0;
    }
    if (const auto quick = QuickPowerFrom(quickLog, y)) {
        return sign * *quick;
    }
    const dd::DoubleDouble log = LogarithmOf(magnitude);
    const dd::DoubleDouble exponent = dd::Add(dd::TwoProduct(y, log.hi), y * log.lo);
    return sign * ExponentialOf(exponent);
}

} // namespace talmiron
