// The bound on the length of every text the system builds.
#pragma once

#include "runtime/text.h"

#include <cstdint>

namespace talmiron {

// The length as a size when it is at most kMaxTextLength; else failure 14
// (Out of string space), raised before anything is allocated.
std::size_t CheckedTextLength(std::uint64_t length);

} // namespace talmiron
