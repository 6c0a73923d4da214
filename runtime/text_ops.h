// Text operations on 16-bit text.
#pragma once

#include "runtime/text.h"

namespace talmiron {

// Removes blanks (U+0020 only) at both ends; tabs and other white space stay.
TextView TrimView(TextView text) noexcept;
Text Trim(TextView text);

// Upper case of the ASCII letters; every other character stays.
Text UpperCase(TextView text);

} // namespace talmiron
