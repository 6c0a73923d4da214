// The simple case mappings of the Basic Multilingual Plane, generated from
// the Unicode character database by tools/generate-case-mapping.py.
#pragma once

#include <span>

namespace talmiron {

struct CasePair {
    char16_t from;
    char16_t to;
};

// Sorted by from; a character that is not listed maps to itself. No pair
// has a surrogate on either side.
std::span<const CasePair> UpperCasePairs() noexcept;
std::span<const CasePair> LowerCasePairs() noexcept;

} // namespace talmiron
