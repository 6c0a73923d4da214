// The elementary functions against MPFR on the inputs the builds are compared
// on: every result within 1 ulp, 99.99% correctly rounded, and every result a
// quick estimate settles correctly rounded.
#include "runtime/exponential.h"
#include "runtime/logarithm.h"
#include "runtime/power.h"
#include "tests/crossplatform/function_inputs.h"

#include <gtest/gtest.h>
#include <mpfr.h>

#include <bit>
#include <optional>
#include <utility>

namespace talmiron {
namespace {

using namespace crossplatform;

bool Same(double a, double b) {
    return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b) || (a == 0 && b == 0);
}

std::optional<double> QuickLogarithm(double x, double) {
    const LogarithmEstimate estimate = EstimateLogarithm(x);
    return dd::RoundWithin(estimate.value, estimate.error);
}

// Asked only where the result is neither 1 nor beyond the range.
std::optional<double> QuickExponential(double x, double) {
    return x > -745.2 && x < 709.8 ? QuickExponentialOf({x, 0}, 0) : std::nullopt;
}

std::optional<double> QuickPowerOf(double x, double y) {
    return x > 0 ? QuickPower(x, y) : std::nullopt;
}

// The exact value of each computation, in their order (the power's is
// mpfr_pow), and the quick estimate where one is tried first.
const std::pair<int (*)(mpfr_ptr, mpfr_srcptr, mpfr_rnd_t), decltype(&QuickPowerOf)> kExact[] = {
    {mpfr_sin, nullptr},    {mpfr_cos, nullptr},          {mpfr_tan, nullptr},
    {mpfr_atan, nullptr},   {mpfr_exp, QuickExponential}, {mpfr_log, QuickLogarithm},
    {nullptr, QuickPowerOf}};

TEST(ElementaryFunctions, FaithfulAndNearlyAlwaysCorrectlyRounded) {
    RandomSource random(20261207);
    mpfr_t x, y, exact;
    mpfr_inits2(128, x, y, exact, static_cast<mpfr_ptr>(nullptr));
    for (std::size_t f = 0; f < kComputations.size(); ++f) {
        const auto& [exactOf, quickOf] = kExact[f];
        int correct = 0, settled = 0;
        for (int i = 0; i < TALMIRON_MATH_RANDOM_COUNT; ++i) {
            const auto in = kComputations[f].Draw(random);
            mpfr_set_d(x, in.x, MPFR_RNDN);
            mpfr_set_d(y, in.y, MPFR_RNDN);
            exactOf ? exactOf(exact, x, MPFR_RNDN) : mpfr_pow(exact, x, y, MPFR_RNDN);
            const double got = kComputations[f].compute(in.x, in.y);
            const double nearest = mpfr_get_d(exact, MPFR_RNDN);
            correct += Same(got, nearest);
            // Within 1 ulp: one of the two doubles around the exact value.
            ASSERT_TRUE(Same(got, mpfr_get_d(exact, MPFR_RNDD)) ||
                        Same(got, mpfr_get_d(exact, MPFR_RNDU)))
                << kComputations[f].name << std::hexfloat << " at " << in.x << ", " << in.y;
            const auto quick = quickOf ? quickOf(in.x, in.y) : std::nullopt;
            ASSERT_TRUE(!quick || Same(*quick, nearest))
                << kComputations[f].name << ": quick estimate misrounds " << in.x << ", " << in.y;
            settled += quick.has_value();
        }
        EXPECT_GE(correct, 0.9999 * TALMIRON_MATH_RANDOM_COUNT) << kComputations[f].name;
        EXPECT_TRUE(!quickOf || settled > TALMIRON_MATH_RANDOM_COUNT / 2) << settled;
    }
    mpfr_clears(x, y, exact, static_cast<mpfr_ptr>(nullptr));
}

// Whole powers whose value is a double come out exactly.
TEST(ElementaryFunctions, ExactPowersAreExact) {
    for (int base = -12; base <= 12; ++base) {
        for (double n = 0, exact = 1; n <= 15; ++n, exact *= base) {
            EXPECT_EQ(Power(base, n), exact) << base << "^" << n;
        }
    }
    EXPECT_EQ(Power(4, 0.5), 2);
    EXPECT_EQ(Power(0.5, 3), 0.125);
    EXPECT_EQ(Power(2, -1074), 0x1p-1074);
    EXPECT_EQ(Power(2, 1023), 0x1p1023);
}

} // namespace
} // namespace talmiron
