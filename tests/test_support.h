// Small helpers shared by the unit and property tests.
#pragma once

#include "runtime/failure.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <optional>
#include <string_view>

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

// The one form a number result takes: "-" only before a nonzero value, no
// leading zeros, a point only before digits that do not end in 0, no
// exponent, at most 15 significant digits.
inline bool IsCanonicalNumber(std::u16string_view t) {
    const std::size_t begin = t.starts_with(u'-') ? 1 : 0;
    const std::size_t point = std::min(t.find(u'.'), t.size());
    if (point == begin || (t[begin] == u'0' && point - begin > 1) ||
        (point < t.size() && (point + 1 == t.size() || t.back() == u'0'))) {
        return false;
    }
    std::size_t first = t.size(), last = 0; // the outer significant digits
    for (std::size_t i = begin; i < t.size(); ++i) {
        if (i != point && (t[i] < u'0' || t[i] > u'9')) {
            return false;
        }
        if (i != point && t[i] != u'0') {
            first = std::min(first, i);
            last = i;
        }
    }
    if (first == t.size()) {
        return t == u"0";
    }
    return last - first + (first < point && point < last ? 0 : 1) <= 15;
}

} // namespace talmiron::testing
