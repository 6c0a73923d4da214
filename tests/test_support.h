// Small helpers shared by the unit and property tests.
#pragma once

#include "runtime/failure.h"

#include <bit>
#include <cstdint>
#include <optional>

namespace talmiron::testing {

// The failure number an action raises, or none when it returns normally.
template <typename Action> std::optional<std::int32_t> FailureOf(Action&& action) {
    try {
        action();
    } catch (const RuntimeFailure& failure) {
        return failure.Number();
    }
    return std::nullopt;
}

// Exact equality of two doubles by their bits, with both zeros equal. Going
// through the bits also drops any x87 excess precision on 32-bit builds.
inline bool SameDouble(double a, double b) {
    if (a == 0.0 && b == 0.0) {
        return true;
    }
    return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

} // namespace talmiron::testing
