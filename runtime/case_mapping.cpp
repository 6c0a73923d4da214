#include "runtime/case_mapping.h"

#include "runtime/case_mapping_table.h"

#include <algorithm>

namespace talmiron {

namespace {

char16_t Map(std::span<const CasePair> pairs, char16_t c) noexcept {
    const auto found =
        std::lower_bound(pairs.begin(), pairs.end(), c,
                         [](const CasePair& pair, char16_t key) { return pair.from < key; });
    return found != pairs.end() && found->from == c ? found->to : c;
}

} // namespace

char16_t UpperCaseChar(char16_t c) noexcept {
    // Names and most texts are ASCII: no search for them.
    if (c < 0x80) {
        return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - u'a' + u'A') : c;
    }
    return Map(UpperCasePairs(), c);
}

char16_t LowerCaseChar(char16_t c) noexcept {
    if (c < 0x80) {
        return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c;
    }
    return Map(LowerCasePairs(), c);
}

} // namespace talmiron
