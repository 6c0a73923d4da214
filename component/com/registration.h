// Self-registration of the library: its type library with the three dual
// interfaces, and Expression as an apartment-threaded in-process server
// under the program identifier "TALMIRON.Expression", for the whole machine
// (HKEY_CLASSES_ROOT) or for the current user (HKEY_CURRENT_USER\Software\Classes).
#pragma once

#include <windows.h>

namespace talmiron::com {

enum class RegistrationScope { Machine, User };

// S_OK, or SELFREG_E_TYPELIB / SELFREG_E_CLASS after undoing what was written.
HRESULT RegisterServer(RegistrationScope scope = RegistrationScope::Machine) noexcept;
// Removes every entry that RegisterServer writes, except what a build of the
// other bitness registered beside this one still uses; S_OK also when
// nothing was registered.
HRESULT UnregisterServer(RegistrationScope scope = RegistrationScope::Machine) noexcept;

} // namespace talmiron::com
