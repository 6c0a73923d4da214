// Each elementary function next to the C library's on the same inputs, and a
// whole evaluation with and without such a function, to show its share.
#include "component/expression.h"
#include "runtime/arctangent.h"
#include "runtime/exponential.h"
#include "runtime/logarithm.h"
#include "runtime/power.h"
#include "runtime/trigonometric.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <random>
#include <vector>

namespace {

using namespace talmiron;

constexpr std::size_t kInputs = 4096;

std::vector<double> Inputs(double low, double high, unsigned seed) {
    std::mt19937_64 generator(seed);
    std::uniform_real_distribution<double> uniform(low, high);
    std::vector<double> inputs(kInputs);
    for (double& x : inputs) {
        x = uniform(generator);
    }
    return inputs;
}

void Unary(benchmark::State& state, double (*function)(double), double low, double high) {
    const std::vector<double> inputs = Inputs(low, high, 1);
    for (auto _ : state) {
        for (const double x : inputs) {
            benchmark::DoNotOptimize(function(x));
        }
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * kInputs));
}

void Binary(benchmark::State& state, double (*function)(double, double)) {
    const std::vector<double> bases = Inputs(0, 100, 2);
    const std::vector<double> exponents = Inputs(-100, 100, 3);
    for (auto _ : state) {
        for (std::size_t i = 0; i < kInputs; ++i) {
            benchmark::DoNotOptimize(function(bases[i], exponents[i]));
        }
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * kInputs));
}

void Evaluation(benchmark::State& state, const char16_t* expression) {
    Expression evaluator;
    for (auto _ : state) {
        benchmark::DoNotOptimize(evaluator.Evaluate(expression));
    }
}

double LibrarySine(double x) {
    return std::sin(x);
}
double LibraryCosine(double x) {
    return std::cos(x);
}
double LibraryTangent(double x) {
    return std::tan(x);
}
double LibraryArctangent(double x) {
    return std::atan(x);
}
double LibraryExponential(double x) {
    return std::exp(x);
}
double LibraryLogarithm(double x) {
    return std::log(x);
}
double LibraryPower(double x, double y) {
    return std::pow(x, y);
}

} // namespace

BENCHMARK_CAPTURE(Unary, sin_ours, Sine, -10, 10);
BENCHMARK_CAPTURE(Unary, sin_libm, LibrarySine, -10, 10);
BENCHMARK_CAPTURE(Unary, sin_large_ours, Sine, 1e6, 1e300);
BENCHMARK_CAPTURE(Unary, sin_large_libm, LibrarySine, 1e6, 1e300);
BENCHMARK_CAPTURE(Unary, cos_ours, Cosine, -10, 10);
BENCHMARK_CAPTURE(Unary, cos_libm, LibraryCosine, -10, 10);
BENCHMARK_CAPTURE(Unary, tan_ours, Tangent, -10, 10);
BENCHMARK_CAPTURE(Unary, tan_libm, LibraryTangent, -10, 10);
BENCHMARK_CAPTURE(Unary, atan_ours, Arctangent, -10, 10);
BENCHMARK_CAPTURE(Unary, atan_libm, LibraryArctangent, -10, 10);
BENCHMARK_CAPTURE(Unary, exp_ours, Exponential, -700, 700);
BENCHMARK_CAPTURE(Unary, exp_libm, LibraryExponential, -700, 700);
BENCHMARK_CAPTURE(Unary, log_ours, NaturalLogarithm, 1e-300, 1e300);
BENCHMARK_CAPTURE(Unary, log_libm, LibraryLogarithm, 1e-300, 1e300);
BENCHMARK_CAPTURE(Binary, pow_ours, Power);
BENCHMARK_CAPTURE(Binary, pow_libm, LibraryPower);
// Each evaluation next to one whose result text has the same digits but
// costs nothing to compute: the difference is the function's share.
BENCHMARK_CAPTURE(Evaluation, sin, u"SIN(1.2345)");
BENCHMARK_CAPTURE(Evaluation, sin_baseline, u"ABS(0.943983323944511)");
BENCHMARK_CAPTURE(Evaluation, sin_large, u"SIN(123456789012)");
BENCHMARK_CAPTURE(Evaluation, sin_large_baseline, u"ABS(-0.0815242016566116)");
BENCHMARK_CAPTURE(Evaluation, power, u"1.2345^0.5");
BENCHMARK_CAPTURE(Evaluation, power_baseline, u"1.11108055513541*1");

BENCHMARK_MAIN();
