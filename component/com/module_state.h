// What the entry points need of the library's run-time state beyond what
// its objects share (module.h).
#pragma once

#include <windows.h>

#include <string>

namespace talmiron::com {

// The full path of a loaded module, however long; false when it cannot be read.
bool ModulePath(HMODULE module, std::wstring& path) noexcept;

// Drops the cached type library, once nothing of the library is alive.
void ReleaseLibraryTypes() noexcept;

} // namespace talmiron::com
