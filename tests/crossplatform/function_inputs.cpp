#include "tests/crossplatform/function_inputs.h"

#include "runtime/arctangent.h"
#include "runtime/exponential.h"
#include "runtime/logarithm.h"
#include "runtime/power.h"
#include "runtime/trigonometric.h"

#include <cmath>

namespace talmiron::crossplatform {
namespace {

using R = RandomSource&;

// Within a few hundred units in the last place of a small multiple of pi/2,
// where the reduced argument loses the most bits; now and then the double
// nearest to a multiple of pi/2 of all.
Inputs NearHalfPiMultiple(R r) {
    if (r.Below(64) == 0) {
        return {0x1.6ac5b262ca1ffp+849};
    }
    // Doubling is exact; the other multiples come from the neighbourhood.
    const double twice = 1.5707963267948966 * static_cast<double>(1 << r.Below(8));
    const double x = Neighbour(twice, r.Between(-300, 300));
    return {r.Coin() ? -x : x};
}

// The result anywhere in the double range and beyond both ends: the exponent
// divides a random binary exponent of the result by x's.
Inputs PowerAnywhere(R r) {
    const auto exponent = static_cast<int>(r.Between(-1022, 1023) | 1);
    return {std::fabs(r.Magnitude(exponent, exponent + 1)),
            r.Uniform(1080) / static_cast<double>(exponent)};
}

constexpr Area kAnywhere = [](R r) { return Inputs(r.Magnitude(-1074, 1024)); };

const std::vector<Area> kTrigonometric{
    [](R r) { return Inputs(r.Uniform(8)); }, [](R r) { return Inputs(r.Magnitude(-40, 3)); },
    [](R r) { return Inputs(r.Magnitude(3, 1024)); }, NearHalfPiMultiple, kAnywhere};
const std::vector<Area> kArctangent{[](R r) { return Inputs(r.Uniform(4)); },
                                    [](R r) { return Inputs(r.Magnitude(-40, 60)); }, kAnywhere};
const std::vector<Area> kExponential{[](R r) { return Inputs(r.Uniform(746)); },
                                     [](R r) { return Inputs(r.Magnitude(-60, 1)); }, kAnywhere,
                                     [](R r) { return Inputs(r.Uniform(18) - 727); }};
const std::vector<Area> kLogarithm{
    // Next to 1, where the result is small and cancellation lurks.
    [](R r) { return Inputs(Neighbour(1.0, r.Between(-(1 << 30), 1 << 30))); },
    [](R r) { return Inputs(std::fabs(r.Magnitude(-1074, 1024))); },
    [](R r) { return Inputs(std::fabs(r.Magnitude(-8, 8))); }};
const std::vector<Area> kPower{
    [](R r) { return Inputs(std::fabs(r.Magnitude(-12, 12)), r.Uniform(64)); },
    // Half a whole: square roots, some of them exact.
    [](R r) { return Inputs(std::fabs(r.Magnitude(-12, 12)), r.Between(-99, 99) / 2.0); },
    // Next to 1 with a large exponent: the result needs the logarithm of x far
    // beyond double precision.
    [](R r) { return Inputs(Neighbour(1.0, r.Between(-(1 << 20), 1 << 20)), r.Magnitude(10, 45)); },
    // A negative base takes whole exponents only.
    [](R r) { return Inputs(r.Uniform(100), static_cast<double>(r.Between(-60, 60))); },
    PowerAnywhere, [](R r) { return Inputs(std::fabs(r.Magnitude(-1074, 1024)), r.Uniform(4)); }};

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
