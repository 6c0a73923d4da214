// Texts across the automation boundary. A BSTR and a Text are both 16-bit
// strings with their own length, so they convert by copying, embedded NULs
// included; a null BSTR is the empty text.
#pragma once

#include "runtime/text.h"

#include <oaidl.h>

namespace talmiron::com {

TextView BstrView(BSTR text) noexcept;

// A new BSTR holding the text; throws std::bad_alloc when none can be had.
BSTR AllocateBstr(TextView text);

} // namespace talmiron::com
