// One entry of the computations' lookup: an upper-case function name and its
// computation.
#pragma once

#include "functions/computation.h"

#include <span>

namespace talmiron {

struct NamedComputation {
    TextView name;
    Computation computation;
};

// The computations of each group of functions.
std::span<const NamedComputation> NumericComputations() noexcept;
std::span<const NamedComputation> StringComputations() noexcept;
std::span<const NamedComputation> DateComputations() noexcept;

} // namespace talmiron
