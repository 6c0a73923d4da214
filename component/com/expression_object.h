// Creates the automation object of a new Expression; the class object's
// CreateInstance is its only caller.
#pragma once

#include <windows.h>

namespace talmiron::com {

// Queries the new object for iid; on failure *object is null.
HRESULT CreateExpressionObject(REFIID iid, void** object) noexcept;

} // namespace talmiron::com
