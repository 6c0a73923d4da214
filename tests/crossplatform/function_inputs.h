// The numeric computations every build must agree on bit for bit, each with
// where its inputs come from: mostly where its values are interesting (near 0,
// near 1, argument reduction, the ends of its range), some anywhere at all.
#pragma once

#include "tests/crossplatform/random_source.h"

#include <array>
#include <vector>

namespace talmiron::crossplatform {

struct Inputs {
    double x = 0, y = 0;
};
using Area = Inputs (*)(RandomSource&);

struct Computation {
    const char* name;
    double (*compute)(double x, double y);
    std::vector<Area> areas; // each as likely as the others

    Inputs Draw(RandomSource& random) const { return areas[random.Below(areas.size())](random); }
};

extern const std::array<Computation, 7> kComputations;

} // namespace talmiron::crossplatform
