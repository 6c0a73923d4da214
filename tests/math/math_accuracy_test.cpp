// The elementary functions against MPFR, on the inputs the builds are compared
// on: random over each function's whole domain and dense where it is hard.
// Every result must lie within 1 ulp of the exact value and at least 99.99%
// must be the correctly rounded double. Where a function first tries a quick
// estimate, every result that estimate settles must be correctly rounded.
#include "runtime/arctangent.h"
#include "runtime/exponential.h"
#include "runtime/logarithm.h"
#include "runtime/math_constants.h"
#include "runtime/power.h"
#include "runtime/trigonometric.h"
#include "tests/crossplatform/function_inputs.h"

#include <gtest/gtest.h>
#include <mpfr.h>

#include <bit>
#include <cmath>
#include <limits>
#include <optional>

namespace talmiron {
namespace {

using crossplatform::Inputs;
using crossplatform::RandomSource;

#ifdef TALMIRON_MATH_RANDOM_COUNT
constexpr int kRandomCount = TALMIRON_MATH_RANDOM_COUNT;
#else
constexpr int kRandomCount = 1'000'000;
#endif

struct Big {
    mpfr_t v;
    explicit Big(mpfr_prec_t precision = 128) { mpfr_init2(v, precision); }
    ~Big() { mpfr_clear(v); }
    Big(const Big&) = delete;
    Big& operator=(const Big&) = delete;
};

// Error of `got` in ulps of the exact value; an infinity or a 0 must match.
double UlpError(double got, const mpfr_t exact) {
    const double nearest = mpfr_get_d(exact, MPFR_RNDN);
    if (std::isinf(nearest) || std::isinf(got) || mpfr_zero_p(exact)) {
        return got == nearest ? 0 : std::numeric_limits<double>::infinity();
    }
    Big difference;
    mpfr_sub_d(difference.v, exact, got, MPFR_RNDN);
    mpfr_div_2si(difference.v, difference.v, std::max<long>(mpfr_get_exp(exact) - 53, -1074),
                 MPFR_RNDN);
    return std::fabs(mpfr_get_d(difference.v, MPFR_RNDN));
}

bool Same(double a, double b) {
    return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b) || (a == 0 && b == 0);
}

// The double nearest to a multiple of pi/2 of all, now and then, for the
// argument reduction.
Inputs TrigonometricOrHardest(RandomSource& random) {
    if (random.Below(1000) == 0) {
        return {RandomSource::Neighbour(0x1.6ac5b262ca1ffp+849, -random.Between(0, 2))};
    }
    return crossplatform::TrigonometricInputs(random);
}

std::optional<double> QuickLogarithm(double x, double) {
    const LogarithmEstimate estimate = EstimateLogarithm(x);
    return dd::RoundWithin(estimate.value, estimate.error);
}

struct Function {
    const char* name;
    Inputs (*inputs)(RandomSource&);
    double (*ours)(double, double);
    int (*exact)(mpfr_ptr, mpfr_srcptr, mpfr_srcptr);
    std::optional<double> (*quick)(double, double) = nullptr;
};

const Function kFunctions[] = {
    {"sin", TrigonometricOrHardest, [](double x, double) { return Sine(x); },
     [](mpfr_ptr r, mpfr_srcptr x, mpfr_srcptr) { return mpfr_sin(r, x, MPFR_RNDN); }},
    {"cos", TrigonometricOrHardest, [](double x, double) { return Cosine(x); },
     [](mpfr_ptr r, mpfr_srcptr x, mpfr_srcptr) { return mpfr_cos(r, x, MPFR_RNDN); }},
    {"tan", TrigonometricOrHardest, [](double x, double) { return Tangent(x); },
     [](mpfr_ptr r, mpfr_srcptr x, mpfr_srcptr) { return mpfr_tan(r, x, MPFR_RNDN); }},
    {"atan", crossplatform::ArctangentInputs, [](double x, double) { return Arctangent(x); },
     [](mpfr_ptr r, mpfr_srcptr x, mpfr_srcptr) { return mpfr_atan(r, x, MPFR_RNDN); }},
    {"exp", crossplatform::ExponentialInputs, [](double x, double) { return Exponential(x); },
     [](mpfr_ptr r, mpfr_srcptr x, mpfr_srcptr) { return mpfr_exp(r, x, MPFR_RNDN); },
     // Asked only where the result is neither 1 nor beyond the range.
     [](double x, double) {
         return x > -745.2 && x < 709.8 ? QuickExponentialOf({x, 0}, 0) : std::nullopt;
     }},
    {"log", crossplatform::LogarithmInputs, [](double x, double) { return NaturalLogarithm(x); },
     [](mpfr_ptr r, mpfr_srcptr x, mpfr_srcptr) { return mpfr_log(r, x, MPFR_RNDN); },
     QuickLogarithm},
    // Negative bases with whole exponents too.
    {"pow", crossplatform::PowerInputs, Power,
     [](mpfr_ptr r, mpfr_srcptr x, mpfr_srcptr y) { return mpfr_pow(r, x, y, MPFR_RNDN); },
     [](double x, double y) { return x > 0 ? QuickPower(x, y) : std::nullopt; }},
};

TEST(ElementaryFunctions, WithinOneUlpAndNearlyAlwaysCorrectlyRounded) {
    RandomSource random(20261207);
    Big x(53);
    Big y(53);
    Big exact;
    for (const Function& function : kFunctions) {
        int correct = 0;
        int quickWrong = 0;
        double worst = 0;
        Inputs worstAt;
        for (int i = 0; i < kRandomCount; ++i) {
            const Inputs inputs = function.inputs(random);
            mpfr_set_d(x.v, inputs.x, MPFR_RNDN);
            mpfr_set_d(y.v, inputs.y, MPFR_RNDN);
            function.exact(exact.v, x.v, y.v);
            const double nearest = mpfr_get_d(exact.v, MPFR_RNDN);
            const double got = function.ours(inputs.x, inputs.y);
            correct += Same(got, nearest);
            const auto quick = function.quick ? function.quick(inputs.x, inputs.y) : std::nullopt;
            quickWrong += quick && !Same(*quick, nearest);
            const double error = UlpError(got, exact.v);
            if (!(error <= worst)) {
                worst = error;
                worstAt = inputs;
            }
        }
        std::printf("%-4s max error %.3f ulp at %a, %a; correctly rounded %d of %d\n",
                    function.name, worst, worstAt.x, worstAt.y, correct, kRandomCount);
        EXPECT_LE(worst, 1.0) << function.name;
        EXPECT_GE(correct, 0.9999 * kRandomCount) << function.name;
        EXPECT_EQ(quickWrong, 0) << function.name << ": the quick estimate misrounds";
    }
}

// Over the ranges that formulas use, the careful path stays rare.
TEST(ElementaryFunctions, QuickEstimatesSettleNearlyAll) {
    constexpr int kCount = 100'000;
    RandomSource random(1207);
    int careful[4] = {0, 0, 0, 0};
    for (int i = 0; i < kCount; ++i) {
        careful[0] += !QuickExponentialOf({random.Uniform(700), 0}, 0);
        careful[1] += !QuickLogarithm(random.PositiveMagnitude(-1074, 1024), 0);
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
        double exact = 1;
        for (int n = 0; n <= 15; ++n) {
            EXPECT_EQ(Power(base, n), exact) << base << "^" << n;
            exact *= base;
        }
    }
    EXPECT_EQ(Power(4, 0.5), 2);
    EXPECT_EQ(Power(0.5, 3), 0.125);
    EXPECT_EQ(Power(2, -1074), std::numeric_limits<double>::denorm_min());
    EXPECT_EQ(Power(2, 1023), 0x1p1023);
}

// Every generated constant is the exact value rounded to the last bit.
TEST(ElementaryFunctions, ConstantsMatchMpfr) {
    Big value(2048);
    Big rest(2048);
    const auto expectParts = [&](std::initializer_list<double> parts, const char* name) {
        mpfr_set(rest.v, value.v, MPFR_RNDN);
        for (const double part : parts) {
            EXPECT_EQ(part, mpfr_get_d(rest.v, MPFR_RNDN)) << name;
            mpfr_sub_d(rest.v, rest.v, part, MPFR_RNDN);
        }
    };
    const auto expectPairs = [&](const auto& table, const char* name, auto exact) {
        for (unsigned long n = 0; n < std::size(table); ++n) {
            exact(n);
            expectParts({table[n].hi, table[n].lo}, name);
        }
    };
    mpfr_const_pi(value.v, MPFR_RNDN);
    mpfr_ui_div(value.v, 2, value.v, MPFR_RNDN);
    for (const std::uint32_t limb : math_constants::kTwoOverPi) {
        mpfr_mul_2ui(value.v, value.v, 32, MPFR_RNDN);
        EXPECT_EQ(limb, mpfr_get_ui(value.v, MPFR_RNDZ));
        mpfr_sub_ui(value.v, value.v, limb, MPFR_RNDN);
    }
    const auto* half = math_constants::kHalfPi;
    mpfr_const_pi(value.v, MPFR_RNDN);
    mpfr_div_2ui(value.v, value.v, 1, MPFR_RNDN);
    expectParts({half[0], half[1], half[2]}, "pi/2");
    const auto* ln2 = math_constants::kLn2;
    mpfr_const_log2(value.v, MPFR_RNDN);
    expectParts({ln2[0], ln2[1], ln2[2]}, "ln 2");
    mpfr_ui_div(value.v, 1, value.v, MPFR_RNDN);
    EXPECT_EQ(math_constants::kInverseLn2, mpfr_get_d(value.v, MPFR_RNDN));
    // 1/n!, 1/(2n+1), atan(n/8), 1/(n+1), -ln(1/(1 + (n-32)/128)), 2^(n/64)
    expectPairs(math_constants::kInverseFactorial, "1/n!", [&](unsigned long n) {
        mpfr_fac_ui(value.v, n, MPFR_RNDN);
        mpfr_ui_div(value.v, 1, value.v, MPFR_RNDN);
    });
    expectPairs(math_constants::kInverseOdd, "1/(2n+1)", [&](unsigned long n) {
        mpfr_set_ui(value.v, 2 * n + 1, MPFR_RNDN);
        mpfr_ui_div(value.v, 1, value.v, MPFR_RNDN);
    });
    expectPairs(math_constants::kArctangentOfEighth, "atan(n/8)", [&](unsigned long n) {
        mpfr_set_d(value.v, n / 8.0, MPFR_RNDN);
        mpfr_atan(value.v, value.v, MPFR_RNDN);
    });
    expectPairs(math_constants::kReciprocal, "1/(n+1)", [&](unsigned long n) {
        mpfr_set_ui(value.v, n + 1, MPFR_RNDN);
        mpfr_ui_div(value.v, 1, value.v, MPFR_RNDN);
    });
    expectPairs(math_constants::kLogOfPoint, "-ln(1/(1 + n/128))", [&](unsigned long n) {
        mpfr_set_d(value.v, 1 / (1 + (static_cast<double>(n) - 32) / 128.0), MPFR_RNDN);
        mpfr_log(value.v, value.v, MPFR_RNDN);
        mpfr_neg(value.v, value.v, MPFR_RNDN);
    });
    expectPairs(math_constants::kTwoToSixtyFourth, "2^(n/64)", [&](unsigned long n) {
        mpfr_set_d(value.v, n / 64.0, MPFR_RNDN);
        mpfr_exp2(value.v, value.v, MPFR_RNDN);
    });
}

} // namespace
} // namespace talmiron
