// The computations of the built-in functions, selected by the function's
// upper-case name. Each receives its evaluated arguments, already checked
// for number and type. A value that a platform routine rejects
// raises RuntimeFailure; the domain errors 2000 to 2004 come back as a number.
#pragma once

#include "engine/value.h"
#include "runtime/text.h"

#include <cstdint>
#include <span>

namespace talmiron {

struct Computed {
    Value value;            // the result when error is 0
    std::int32_t error = 0; // else the number of a domain error, 2000 to 2004
};

using Computation = Computed (*)(std::span<const Value> arguments);

// The computation of a function given its name in upper case; null when no
// function has that name.
Computation FindComputation(TextView upperName) noexcept;

} // namespace talmiron
