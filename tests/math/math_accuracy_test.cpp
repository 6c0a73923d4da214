// The elementary functions against MPFR on the inputs the builds are compared
// on: every result within 1 ulp, 99.99% correctly rounded, and every result a
// quick estimate settles correctly rounded.
#include "runtime/exponential.h"
#include "runtime/logarithm.h"
#include "runtime/math_constants.h"
#include "runtime/power.h"
#include "tests/crossplatform/function_inputs.h"

#include <gtest/gtest.h>
#include <mpfr.h>

#include <array>
#include <bit>
#include <cmath>
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
        int correct = 0;
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
        }
        EXPECT_GE(correct, 0.9999 * TALMIRON_MATH_RANDOM_COUNT) << kComputations[f].name;
    }
    mpfr_clears(x, y, exact, static_cast<mpfr_ptr>(nullptr));
}

// Over the ranges that formulas use, the careful path stays rare.
TEST(ElementaryFunctions, QuickEstimatesSettleNearlyAll) {
    constexpr int kCount = 100'000;
    RandomSource random(1207);
    int careful[4] = {};
    for (int i = 0; i < kCount; ++i) {
        careful[0] += !QuickExponentialOf({random.Uniform(700), 0}, 0);
        careful[1] += !QuickLogarithm(std::fabs(random.Magnitude(-1074, 1024)), 0);
        careful[2] += !QuickPower(std::fabs(random.Uniform(100)), random.Uniform(100));
        careful[3] += !QuickPower(std::fabs(random.Uniform(10)), random.Uniform(60));
    }
    for (const int count : careful) {
        EXPECT_LT(count, kCount / 100);
    }
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

// Every generated constant is the exact value rounded to the last bit.
TEST(ElementaryFunctions, ConstantsMatchMpfr) {
    mpfr_t value;
    mpfr_init2(value, 2048);
    const auto expectParts = [&](const auto& parts, const char* name) {
        for (const double part : parts) {
            EXPECT_EQ(part, mpfr_get_d(value, MPFR_RNDN)) << name;
            mpfr_sub_d(value, value, part, MPFR_RNDN);
        }
    };
    const auto expectPairs = [&](const auto& table, const char* name, auto exact) {
        for (unsigned long n = 0; n < std::size(table); ++n) {
            mpfr_set_ui(value, 1, MPFR_RNDN);
            exact(n);
            expectParts(std::array{table[n].hi, table[n].lo}, name);
        }
    };
    mpfr_const_pi(value, MPFR_RNDN);
    mpfr_ui_div(value, 2, value, MPFR_RNDN);
    for (const std::uint32_t limb : math_constants::kTwoOverPi) {
        mpfr_mul_2ui(value, value, 32, MPFR_RNDN);
        EXPECT_EQ(limb, mpfr_get_ui(value, MPFR_RNDZ));
        mpfr_sub_ui(value, value, limb, MPFR_RNDN);
    }
    mpfr_const_pi(value, MPFR_RNDN);
    mpfr_div_2ui(value, value, 1, MPFR_RNDN);
    expectParts(math_constants::kHalfPi, "pi/2");
    mpfr_const_log2(value, MPFR_RNDN);
    mpfr_ui_div(value, 1, value, MPFR_RNDN);
    EXPECT_EQ(math_constants::kInverseLn2, mpfr_get_d(value, MPFR_RNDN));
    mpfr_const_log2(value, MPFR_RNDN);
    expectParts(math_constants::kLn2, "ln 2");
    expectPairs(math_constants::kInverseFactorial, "1/n!", [&](unsigned long n) {
        mpfr_fac_ui(value, n, MPFR_RNDN);
        mpfr_ui_div(value, 1, value, MPFR_RNDN);
    });
    expectPairs(math_constants::kInverseOdd, "1/(2n+1)",
                [&](unsigned long n) { mpfr_div_ui(value, value, 2 * n + 1, MPFR_RNDN); });
    expectPairs(math_constants::kArctangentOfEighth, "atan(n/8)", [&](unsigned long n) {
        mpfr_set_d(value, n / 8.0, MPFR_RNDN);
        mpfr_atan(value, value, MPFR_RNDN);
    });
    expectPairs(math_constants::kReciprocal, "1/(n+1)",
                [&](unsigned long n) { mpfr_div_ui(value, value, n + 1, MPFR_RNDN); });
    expectPairs(math_constants::kLogOfPoint, "-ln(1/(1 + (n-32)/128))", [&](unsigned long n) {
        mpfr_set_d(value, 1 / (1 + (static_cast<double>(n) - 32) / 128.0), MPFR_RNDN);
        mpfr_log(value, value, MPFR_RNDN);
        mpfr_neg(value, value, MPFR_RNDN);
    });
    expectPairs(math_constants::kTwoToSixtyFourth, "2^(n/64)", [&](unsigned long n) {
        mpfr_set_d(value, n / 64.0, MPFR_RNDN);
        mpfr_exp2(value, value, MPFR_RNDN);
    });
    mpfr_clear(value);
}

} // namespace
} // namespace talmiron
