// Self-registration of the library: its type library with the three dual
// interfaces, and Expression as an apartment-threaded in-process server
// under the program identifier "TALMIRON.Expression".
#pragma once

#include <windows.h>

namespace talmiron::com {

// S_OK, or SELFREG_E_TYPELIB / SELFREG_E_CLASS after undoing what was written.
HRESULT RegisterServer() noexcept;
// Removes every entry that RegisterServer writes; S_OK also when nothing was
// registered.
HRESULT UnregisterServer() noexcept;

} // namespace talmiron::com
