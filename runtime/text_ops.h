// Text operations on 16-bit text.
#pragma once

#include "runtime/text.h"

namespace talmiron {

// Remove blanks (U+0020 only) at both ends, at the start or at the end; tabs
// and other white space stay.
TextView TrimView(TextView text) noexcept;
TextView TrimStartView(TextView text) noexcept;
TextView TrimEndView(TextView text) noexcept;
Text Trim(TextView text);

// Case conversion character by character with the Unicode simple case
// mappings (runtime/case_mapping.h): the result has the length of the text.
Text UpperCase(TextView text);
Text LowerCase(TextView text);

} // namespace talmiron
