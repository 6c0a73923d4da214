// The elementary functions against MPFR: random inputs from a fixed seed over
// each function's whole domain plus the hard cases of each, judged in ulps of
// the exact value. Every result must lie within 1 ulp and at least 99.99% must
// be the correctly rounded double. Where a function first tries a quick
// estimate, every result that estimate settles must be correctly rounded, and
// it must settle nearly all of them.
#include "runtime/arctangent.h"
#include "runtime/exponential.h"
#include "runtime/logarithm.h"
#include "runtime/math_constants.h"
#include "runtime/power.h"
#include "runtime/trigonometric.h"

#include <gtest/gtest.h>
#include <mpfr.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <limits>
#include <optional>
#include <random>
#include <vector>

namespace talmiron {
namespace {

constexpr mpfr_prec_t kPrecision = 128;
#ifdef TALMIRON_MATH_RANDOM_COUNT
constexpr int kRandomCount = TALMIRON_MATH_RANDOM_COUNT;
#else
constexpr int kRandomCount = 1'000'000;
#endif
constexpr double kRequiredShare = 0.9999;

struct Big {
    mpfr_t v;
    explicit Big(mpfr_prec_t precision = kPrecision) { mpfr_init2(v, precision); }
    ~Big() { mpfr_clear(v); }
    Big(const Big&) = delete;
    Big& operator=(const Big&) = delete;
};

struct Score {
    long count = 0;
    long correct = 0;
    double worst = 0;
    double worstInput[2] = {0, 0};
    long quick = 0; // settled by the quick estimate
    long quickWrong = 0;
    double quickWrongInput[2] = {0, 0};
};

// Error of `got` in ulps of the exact value; an infinity or a 0 must match.
double UlpError(double got, const mpfr_t exact) {
    const double nearest = mpfr_get_d(exact, MPFR_RNDN);
    if (std::isinf(nearest) || std::isinf(got) || mpfr_zero_p(exact)) {
        return got == nearest ? 0 : std::numeric_limits<double>::infinity();
    }
    Big difference;
    mpfr_sub_d(difference.v, exact, got, MPFR_RNDN);
    const long ulpExponent = std::max<long>(mpfr_get_exp(exact) - 53, -1074);
    mpfr_div_2si(difference.v, difference.v, ulpExponent, MPFR_RNDN);
    return std::fabs(mpfr_get_d(difference.v, MPFR_RNDN));
}

void Judge(Score& score, double got, const mpfr_t exact, double x, double y = 0,
           std::optional<double> quick = std::nullopt) {
    ++score.count;
    if (quick) {
        ++score.quick;
        if (std::bit_cast<std::uint64_t>(*quick) !=
            std::bit_cast<std::uint64_t>(mpfr_get_d(exact, MPFR_RNDN))) {
            ++score.quickWrong;
            score.quickWrongInput[0] = x;
            score.quickWrongInput[1] = y;
        }
    }
    if (std::bit_cast<std::uint64_t>(got) ==
            std::bit_cast<std::uint64_t>(mpfr_get_d(exact, MPFR_RNDN)) ||
        (got == 0 && mpfr_get_d(exact, MPFR_RNDN) == 0)) {
        ++score.correct;
    }
    const double error = UlpError(got, exact);
    if (!(error <= score.worst)) {
        score.worst = error;
        score.worstInput[0] = x;
        score.worstInput[1] = y;
    }
}

void Report(const char* name, const Score& score) {
    const double share = static_cast<double>(score.correct) / static_cast<double>(score.count);
    std::printf("%-5s %8ld inputs, max error %.3f ulp (at %a, %a), correctly rounded %.5f%%\n",
                name, score.count, score.worst, score.worstInput[0], score.worstInput[1],
                100 * share);
    EXPECT_LE(score.worst, 1.0) << name;
    EXPECT_GE(share, kRequiredShare) << name;
}

void ReportQuick(const char* name, const Score& score) {
    Report(name, score);
    const double slow = 1 - static_cast<double>(score.quick) / static_cast<double>(score.count);
    std::printf("%-5s careful path taken for %.4f%% of the inputs\n", name, 100 * slow);
    EXPECT_EQ(score.quickWrong, 0) << name << " quick estimate misrounds at "
                                   << score.quickWrongInput[0] << ", " << score.quickWrongInput[1];
}

std::mt19937_64& Generator() {
    static std::mt19937_64 generator(20261207);
    return generator;
}

double Uniform(double low, double high) {
    return std::uniform_real_distribution<double>(low, high)(Generator());
}

// Any finite double, every bit pattern equally likely.
double AnyDouble() {
    for (;;) {
        const double x = std::bit_cast<double>(Generator()());
        if (std::isfinite(x)) {
            return x;
        }
    }
}

using Unary = double (*)(double);
using MpfrUnary = int (*)(mpfr_ptr, mpfr_srcptr, mpfr_rnd_t);
using Quick = std::optional<double> (*)(double);

Score Check(Unary ours, MpfrUnary exact, const std::vector<double>& inputs, Quick quick = nullptr) {
    Score score;
    Big x(53);
    Big y;
    for (const double input : inputs) {
        mpfr_set_d(x.v, input, MPFR_RNDN);
        exact(y.v, x.v, MPFR_RNDN);
        Judge(score, ours(input), y.v, input, 0, quick ? quick(input) : std::optional<double>());
    }
    return score;
}

// Half random bit patterns, half uniform over the range that matters most.
std::vector<double> RandomInputs(const std::function<double()>& pattern,
                                 const std::function<double()>& uniform) {
    std::vector<double> inputs;
    for (int i = 0; i < kRandomCount / 2; ++i) {
        inputs.push_back(pattern());
        inputs.push_back(uniform());
    }
    return inputs;
}

// The doubles nearest to multiples of pi/2 at every scale, with neighbours,
// and the double closest to a multiple of pi/2 of all.
std::vector<double> NearHalfPiMultiples() {
    std::vector<double> inputs;
    Big multiple(2200);
    for (int scale = 0; scale < 1020; scale += 2) {
        const auto k = static_cast<long>(Generator()() >> (63 - std::min(scale, 62)));
        mpfr_const_pi(multiple.v, MPFR_RNDN);
        mpfr_mul_si(multiple.v, multiple.v, k, MPFR_RNDN);
        mpfr_mul_2si(multiple.v, multiple.v, std::max(scale - 63, 0) - 1, MPFR_RNDN);
        double x = mpfr_get_d(multiple.v, MPFR_RNDN);
        for (int i = 0; i < 4; ++i) {
            inputs.push_back(x);
            inputs.push_back(-x);
            x = std::nextafter(x, 0.0);
        }
    }
    double worst = std::ldexp(6381956970095103.0, 797);
    for (int i = 0; i < 3; ++i) {
        inputs.push_back(worst);
        worst = std::nextafter(worst, 0.0);
    }
    return inputs;
}

struct TrigCase {
    const char* name;
    Unary ours;
    MpfrUnary exact;
};

TEST(ElementaryFunctions, TrigonometricWithinOneUlp) {
    for (const TrigCase& f : {TrigCase{"sin", Sine, mpfr_sin}, TrigCase{"cos", Cosine, mpfr_cos},
                              TrigCase{"tan", Tangent, mpfr_tan}}) {
        std::vector<double> inputs = RandomInputs(AnyDouble, [] { return Uniform(-100, 100); });
        const std::vector<double> hard = NearHalfPiMultiples();
        inputs.insert(inputs.end(), hard.begin(), hard.end());
        Report(f.name, Check(f.ours, f.exact, inputs));
    }
}

TEST(ElementaryFunctions, ArctangentWithinOneUlp) {
    std::vector<double> inputs = RandomInputs(AnyDouble, [] { return Uniform(-4, 4); });
    Report("atan", Check(Arctangent, mpfr_atan, inputs));
}

TEST(ElementaryFunctions, ExponentialWithinOneUlp) {
    std::vector<double> inputs = RandomInputs(
        [] {
            const double x = AnyDouble();
            return std::fabs(x) < 746 ? x : std::fmod(x, 746.0);
        },
        [] { return Uniform(-746, 710); });
    for (int i = 0; i < kRandomCount / 50; ++i) {
        inputs.push_back(Uniform(708, 709.8));   // near overflow
        inputs.push_back(Uniform(-745.2, -708)); // subnormal results
        inputs.push_back(Uniform(-0x1p-20, 0x1p-20));
    }
    ReportQuick("exp", Check(Exponential, mpfr_exp, inputs, [](double x) {
                    return QuickExponentialOf({x, 0}, 0);
                }));
}

TEST(ElementaryFunctions, LogarithmWithinOneUlp) {
    std::vector<double> inputs =
        RandomInputs([] { return std::fabs(AnyDouble()); }, [] { return Uniform(0, 4); });
    for (int i = 0; i < kRandomCount / 50; ++i) {
        inputs.push_back(1 + Uniform(-0x1p-20, 0x1p-20));             // near 1
        inputs.push_back(std::bit_cast<double>(Generator()() >> 12)); // subnormal
    }
    ReportQuick("log", Check(NaturalLogarithm, mpfr_log, inputs, [](double x) {
                    if (x == 0) {
                        return std::optional<double>();
                    }
                    const LogarithmEstimate estimate = EstimateLogarithm(x);
                    return dd::RoundWithin(estimate.value, estimate.error);
                }));
}

TEST(ElementaryFunctions, PowerWithinOneUlp) {
    Score score;
    Big x(53);
    Big y(53);
    Big z;
    const auto check = [&](double base, double exponent) {
        mpfr_set_d(x.v, base, MPFR_RNDN);
        mpfr_set_d(y.v, exponent, MPFR_RNDN);
        mpfr_pow(z.v, x.v, y.v, MPFR_RNDN);
        const bool finite = std::isfinite(base) && base != 0 && std::isfinite(exponent);
        Judge(score, Power(base, exponent), z.v, base, exponent,
              finite && !std::signbit(base) ? QuickPower(base, exponent) : std::nullopt);
    };
    // An exponent that puts the result anywhere in the double range, or near
    // a given natural logarithm of the result.
    const auto towards = [](double base, double logResult) {
        return logResult / std::log(std::fabs(base));
    };
    for (int i = 0; i < kRandomCount / 8; ++i) {
        const double base = std::fabs(AnyDouble());
        check(base, towards(base, Uniform(-745, 709.7)));
        check(Uniform(0, 10), Uniform(-60, 60));
        check(Uniform(0, 10), std::floor(Uniform(-60, 60)) + 0.5); // half-integer
        const double whole = std::floor(Uniform(-40, 40));
        check(Uniform(-20, 20), whole); // negative bases too
        check(-base, std::floor(towards(base, Uniform(-745, 709.7))));
        check(base, towards(base, Uniform(709, 709.78)));            // near overflow
        check(base, towards(base, Uniform(-745, -700)));             // subnormal results
        check(1 + Uniform(-0x1p-30, 0x1p-30), Uniform(-1e10, 1e10)); // base near 1
    }
    ReportQuick("pow", score);
}

// Over the ranges that formulas use, the careful path stays rare.
TEST(ElementaryFunctions, QuickEstimatesSettleNearlyAll) {
    constexpr int kCount = 100'000;
    int careful[4] = {0, 0, 0, 0};
    for (int i = 0; i < kCount; ++i) {
        careful[0] += !QuickExponentialOf({Uniform(-700, 700), 0}, 0);
        const LogarithmEstimate log = EstimateLogarithm(std::fabs(AnyDouble()) + 0x1p-1074);
        careful[1] += !dd::RoundWithin(log.value, log.error);
        careful[2] += !QuickPower(Uniform(0, 100), Uniform(-100, 100));
        careful[3] += !QuickPower(Uniform(0, 10), Uniform(-60, 60));
    }
    for (const int count : careful) {
        std::printf("careful path taken %d times in %d\n", count, kCount);
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
    const auto expectParts = [&](const double* parts, int count, const char* name) {
        mpfr_set(rest.v, value.v, MPFR_RNDN);
        for (int i = 0; i < count; ++i) {
            EXPECT_EQ(parts[i], mpfr_get_d(rest.v, MPFR_RNDN)) << name << " part " << i;
            mpfr_sub_d(rest.v, rest.v, parts[i], MPFR_RNDN);
        }
    };
    const auto expectPair = [&](const dd::DoubleDouble& pair, const char* name) {
        const double parts[] = {pair.hi, pair.lo};
        expectParts(parts, 2, name);
    };

    mpfr_const_pi(value.v, MPFR_RNDN);
    mpfr_ui_div(value.v, 2, value.v, MPFR_RNDN);
    for (const std::uint32_t limb : math_constants::kTwoOverPi) {
        mpfr_mul_2ui(value.v, value.v, 32, MPFR_RNDN);
        EXPECT_EQ(limb, mpfr_get_ui(value.v, MPFR_RNDZ));
        mpfr_sub_ui(value.v, value.v, limb, MPFR_RNDN);
    }
    mpfr_const_pi(value.v, MPFR_RNDN);
    mpfr_div_2ui(value.v, value.v, 1, MPFR_RNDN);
    expectParts(math_constants::kHalfPi, 3, "pi/2");
    mpfr_const_log2(value.v, MPFR_RNDN);
    expectParts(math_constants::kLn2, 3, "ln 2");
    mpfr_ui_div(value.v, 1, value.v, MPFR_RNDN);
    EXPECT_EQ(math_constants::kInverseLn2, mpfr_get_d(value.v, MPFR_RNDN));
    for (unsigned long n = 0; n < std::size(math_constants::kInverseFactorial); ++n) {
        mpfr_fac_ui(value.v, n, MPFR_RNDN);
        mpfr_ui_div(value.v, 1, value.v, MPFR_RNDN);
        expectPair(math_constants::kInverseFactorial[n], "1/n!");
    }
    for (unsigned long n = 0; n < std::size(math_constants::kInverseOdd); ++n) {
        mpfr_set_ui(value.v, 1, MPFR_RNDN);
        mpfr_div_ui(value.v, value.v, 2 * n + 1, MPFR_RNDN);
        expectPair(math_constants::kInverseOdd[n], "1/(2n+1)");
    }
    for (unsigned long n = 0; n < std::size(math_constants::kArctangentOfEighth); ++n) {
        mpfr_set_ui(value.v, n, MPFR_RNDN);
        mpfr_div_ui(value.v, value.v, 8, MPFR_RNDN);
        mpfr_atan(value.v, value.v, MPFR_RNDN);
        expectPair(math_constants::kArctangentOfEighth[n], "atan(n/8)");
    }
    for (unsigned long n = 0; n < std::size(math_constants::kReciprocal); ++n) {
        mpfr_set_ui(value.v, 1, MPFR_RNDN);
        mpfr_div_ui(value.v, value.v, n + 1, MPFR_RNDN);
        expectPair(math_constants::kReciprocal[n], "1/(n+1)");
    }
    for (int n = -32; n <= 64; ++n) {
        mpfr_set_d(value.v, 1 / (1 + n / 128.0), MPFR_RNDN);
        mpfr_log(value.v, value.v, MPFR_RNDN);
        mpfr_neg(value.v, value.v, MPFR_RNDN);
        expectPair(math_constants::kLogOfPoint[n + 32], "-ln(1/(1 + n/128))");
    }
    for (unsigned long n = 0; n < std::size(math_constants::kTwoToSixtyFourth); ++n) {
        mpfr_set_ui(value.v, n, MPFR_RNDN);
        mpfr_div_ui(value.v, value.v, 64, MPFR_RNDN);
        mpfr_exp2(value.v, value.v, MPFR_RNDN);
        expectPair(math_constants::kTwoToSixtyFourth[n], "2^(n/64)");
    }
}

} // namespace
} // namespace talmiron
