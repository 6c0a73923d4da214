#include "tests/crossplatform/function_inputs.h"

#include "runtime/arctangent.h"
#include "runtime/exponential.h"
#include "runtime/logarithm.h"
#include "runtime/power.h"
#include "runtime/trigonometric.h"

#include <cmath>

namespace talmiron::crossplatform {

namespace {

using Area = Inputs (*)(RandomSource&);
using R = RandomSource&;

// Within a few hundred units in the last place of a small multiple of pi/2,
// where the reduced argument loses the most bits; now and then the double
// nearest to a multiple of pi/2 of all.
Inputs NearHalfPiMultiple(RandomSource& random) {
    if (random.Below(64) == 0) {
        return {0x1.6ac5b262ca1ffp+849};
    }
    double x = 1.5707963267948966;
    // Doubling is exact; the other multiples come from the neighbourhood.
    for (auto doublings = random.Below(8); doublings > 0; --doublings) {
        x = x + x;
    }
    x = RandomSource::Neighbour(x, random.Between(-300, 300));
    return {random.Coin() ? -x : x};
}

// Any finite double of either sign, subnormals included.
Inputs Anywhere(RandomSource& random) {
    return {random.Magnitude(-1074, 1024)};
}

const std::vector<Area> kTrigonometric{[](R r) -> Inputs { return {r.Uniform(8)}; },
                                       [](R r) -> Inputs { return {r.Magnitude(-40, 3)}; },
                                       [](R r) -> Inputs { return {r.Magnitude(3, 1024)}; },
                                       NearHalfPiMultiple, Anywhere};

const std::vector<Area> kArctangent{[](R r) -> Inputs { return {r.Uniform(4)}; },
                                    [](R r) -> Inputs { return {r.Magnitude(-40, 60)}; }, Anywhere};

const std::vector<Area> kExponential{[](R r) -> Inputs { return {r.Uniform(746)}; },
                                     [](R r) -> Inputs { return {r.Magnitude(-60, 1)}; }, Anywhere};

const std::vector<Area> kLogarithm{
    // Next to 1, where the result is small and cancellation lurks.
    [](R r) -> Inputs { return {RandomSource::Neighbour(1.0, r.Between(-(1 << 30), 1 << 30))}; },
    [](R r) -> Inputs { return {std::fabs(r.Magnitude(-1074, 1024))}; },
    [](R r) -> Inputs { return {std::fabs(r.Magnitude(-8, 8))}; }};

const std::vector<Area> kPower{
    [](R r) -> Inputs {
        return {std::fabs(r.Magnitude(-12, 12)), r.Uniform(64)};
    },
    // Half a whole: square roots, some of them exact.
    [](R r) -> Inputs {
        return {std::fabs(r.Magnitude(-12, 12)), static_cast<double>(r.Between(-99, 99)) / 2};
    },
    // Next to 1 with a large exponent: the result needs the logarithm of x far
    // beyond double precision.
    [](R r) -> Inputs {
        return {RandomSource::Neighbour(1.0, r.Between(-(1 << 20), 1 << 20)), r.Magnitude(10, 45)};
    },
    // A negative base takes whole exponents only.
    [](R r) -> Inputs {
        return {r.Uniform(100), static_cast<double>(r.Between(-60, 60))};
    },
    // The result anywhere in the double range and beyond both ends: the
    // exponent divides a random binary exponent of the result by x's.
    [](R r) -> Inputs {
        const auto exponent = static_cast<int>(r.Between(-1022, 1023) | 1);
        return {std::fabs(r.Magnitude(exponent, exponent + 1)),
                r.Uniform(1080) / static_cast<double>(exponent)};
    },
    [](R r) -> Inputs {
        return {std::fabs(r.Magnitude(-1074, 1024)), r.Uniform(4)};
    }};

} // namespace

const std::array<Computation, 7> kComputations{{
    {"sin", [](double x, double) { return Sine(x); }, kTrigonometric},
    {"cos", [](double x, double) { return Cosine(x); }, kTrigonometric},
    {"tan", [](double x, double) { return Tangent(x); }, kTrigonometric},
    {"atan", [](double x, double) { return Arctangent(x); }, kArctangent},
    {"exp", [](double x, double) { return Exponential(x); }, kExponential},
    {"log", [](double x, double) { return NaturalLogarithm(x); }, kLogarithm},
    {"pow", Power, kPower},
}};

} // namespace talmiron::crossplatform
