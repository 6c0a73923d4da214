// Exact, case-sensitive search of a text for another, in time linear in the
// lengths of both. Positions are 0-based offsets; npos when there is none.
#pragma once

#include "runtime/text.h"

#include <cstddef>

namespace talmiron {

inline constexpr std::size_t kNotFound = TextView::npos;

// The first occurrence of pattern that starts at or after from. An empty
// pattern is found at from when from is at most the length of text.
std::size_t FindFirst(TextView text, TextView pattern, std::size_t from = 0);

// The last occurrence of pattern lying wholly within text. An empty pattern
// is found at the end of text.
std::size_t FindLast(TextView text, TextView pattern);

// Text with every occurrence of find replaced by with, scanning from the
// left and going on after each replaced occurrence, so that occurrences do
// not overlap. An empty find leaves the text unchanged. A result longer than
// kMaxTextLength is failure 14, raised before it is built.
Text ReplaceAll(TextView text, TextView find, TextView with);

} // namespace talmiron
