#include "functions/computation.h"

#include "functions/named_computation.h"

#include <array>

namespace talmiron {

namespace {

Computation FindIn(std::span<const NamedComputation> group, TextView upperName) noexcept {
    for (const NamedComputation& entry : group) {
        if (entry.name == upperName) {
            return entry.computation;
        }
    }
    return nullptr;
}

} // namespace

Computation FindComputation(TextView upperName) noexcept {
    for (const auto group : {NumericComputations(), StringComputations(), DateComputations()}) {
        if (const Computation found = FindIn(group, upperName)) {
            return found;
        }
    }
    return nullptr;
}

} // namespace talmiron
