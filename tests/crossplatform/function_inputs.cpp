#include "tests/crossplatform/function_inputs.h"

namespace talmiron::crossplatform {

namespace {

constexpr double kHalfPi = 1.5707963267948966;

// Any finite double of either sign, subnormals included.
double Anywhere(RandomSource& random) {
    return random.Magnitude(-1074, 1024);
}

// Within a few hundred units in the last place of a small multiple of pi/2,
// where the reduced argument loses the most bits.
double NearHalfPiMultiple(RandomSource& random) {
    double x = kHalfPi;
    // Doubling is exact; the other multiples come from the neighbourhood.
    for (auto doublings = random.Below(8); doublings > 0; --doublings) {
        x = x + x;
    }
    x = RandomSource::Neighbour(x, random.Between(-300, 300));
    return random.Coin() ? -x : x;
}

} // namespace

Inputs TrigonometricInputs(RandomSource& random) {
    switch (random.Below(5)) {
    case 0:
        return {random.Uniform(8)};
    case 1:
        return {random.Magnitude(-40, 3)};
    case 2:
        return {random.Magnitude(3, 1024)};
    case 3:
        return {NearHalfPiMultiple(random)};
    default:
        return {Anywhere(random)};
    }
}

Inputs ArctangentInputs(RandomSource& random) {
    switch (random.Below(3)) {
    case 0:
        return {random.Uniform(4)};
    case 1:
        return {random.Magnitude(-40, 60)};
    default:
        return {Anywhere(random)};
    }
}

Inputs ExponentialInputs(RandomSource& random) {
    switch (random.Below(3)) {
    case 0:
        return {random.Uniform(746)};
    case 1:
        return {random.Magnitude(-60, 1)};
    default:
        return {Anywhere(random)};
    }
}

Inputs LogarithmInputs(RandomSource& random) {
    switch (random.Below(3)) {
    case 0:
        // Next to 1, where the result is small and cancellation lurks.
        return {RandomSource::Neighbour(1.0, random.Between(-(1 << 30), 1 << 30))};
    case 1:
        return {random.PositiveMagnitude(-1074, 1024)};
    default:
        return {random.PositiveMagnitude(-8, 8)};
    }
}

Inputs PowerInputs(RandomSource& random) {
    switch (random.Below(6)) {
    case 0:
        return {random.PositiveMagnitude(-12, 12), random.Uniform(64)};
    case 4:
        // Half a whole: square roots, some of them exact.
        return {random.PositiveMagnitude(-12, 12),
                static_cast<double>(random.Between(-99, 99)) / 2};
    case 5: {
        // The result anywhere in the double range and beyond both ends: the
        // exponent divides a random binary exponent of the result by x's.
        const auto exponent = random.Between(-1022, 1023) | 1;
        return {
            random.PositiveMagnitude(static_cast<int>(exponent), static_cast<int>(exponent) + 1),
            random.Uniform(1080) / static_cast<double>(exponent)};
    }
    case 1:
        // Next to 1 with a large exponent: the result needs the logarithm of
        // x far beyond double precision.
        return {RandomSource::Neighbour(1.0, random.Between(-(1 << 20), 1 << 20)),
                random.Magnitude(10, 45)};
    case 2:
        // A negative base takes whole exponents only.
        return {random.Uniform(100), static_cast<double>(random.Between(-60, 60))};
    default:
        return {random.PositiveMagnitude(-1074, 1024), random.Uniform(4)};
    }
}

} // namespace talmiron::crossplatform
