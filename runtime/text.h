// The text type of the whole system: 16-bit characters with their own length,
// and the UTF-8 conversion used wherever text crosses a byte stream.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace talmiron {

using Text = std::u16string;
using TextView = std::u16string_view;

// The longest text the system builds; a longer result is failure 14
// (Out of string space) before anything is allocated for it.
inline constexpr std::size_t kMaxTextLength = std::size_t{1} << 26;

// Invalid UTF-8 becomes U+FFFD. The three-byte encoding of a surrogate code
// point is accepted, so that a lone surrogate written by TextToUtf8 reads back.
Text Utf8ToText(std::string_view utf8);

// Surrogate pairs become four-byte sequences; a lone surrogate is written as
// the three-byte encoding of its code point instead of being lost.
std::string TextToUtf8(TextView text);

// ASCII only: for building texts from literals and for number digits.
Text AsciiToText(std::string_view ascii);

} // namespace talmiron
