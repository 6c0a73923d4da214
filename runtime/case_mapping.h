// Case of single characters: the Unicode simple case mappings of the Basic
// Multilingual Plane, one character to one character, so that converting a
// text keeps its length. Surrogates and characters without a mapping stay.
#pragma once

namespace talmiron {

char16_t UpperCaseChar(char16_t c) noexcept;
char16_t LowerCaseChar(char16_t c) noexcept;

} // namespace talmiron
