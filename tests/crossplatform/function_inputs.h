// The numeric computations every build must agree on bit for bit, each with
// where its inputs come from: mostly where its values are interesting (near
// 0, near 1, argument reduction, the ends of its range), some of them
// anywhere in the double range.
#pragma once

#include "tests/crossplatform/random_source.h"

#include <array>
#include <vector>

namespace talmiron::crossplatform {

struct Inputs {
    double x = 0;
    double y = 0;
};

struct Computation {
    const char* name;
    double (*compute)(double x, double y);
    // Each area as likely as the others.
    std::vector<Inputs (*)(RandomSource&)> areas;

    Inputs Draw(RandomSource& random) const { return areas[random.Below(areas.size())](random); }
};

// Sine, cosine, tangent, arctangent, exponential, logarithm, power.
extern const std::array<Computation, 7> kComputations;

} // namespace talmiron::crossplatform
