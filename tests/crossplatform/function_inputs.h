// Inputs for each numeric computation: mostly where its values are
// interesting (near 0, near 1, argument reduction, the ends of its range),
// some of them anywhere in the double range.
#pragma once

#include "tests/crossplatform/random_source.h"

namespace talmiron::crossplatform {

struct Inputs {
    double x = 0;
    double y = 0;
};

Inputs TrigonometricInputs(RandomSource& random);
Inputs ArctangentInputs(RandomSource& random);
Inputs ExponentialInputs(RandomSource& random);
Inputs LogarithmInputs(RandomSource& random);
Inputs PowerInputs(RandomSource& random);

} // namespace talmiron::crossplatform
