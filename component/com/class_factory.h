// The class object of Expression: the only class that hosts may create.
#pragma once

#include <unknwn.h>

namespace talmiron::com {

// A new class object, queried for iid; on failure *object is null.
HRESULT CreateExpressionClassObject(REFIID iid, void** object) noexcept;

} // namespace talmiron::com
