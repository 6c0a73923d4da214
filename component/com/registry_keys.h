// Small operations on the class keys that the registration writes and
// removes. Each returns a Win32 error code (ERROR_SUCCESS) or a truth.
#pragma once

#include <windows.h>

#include <string>

namespace talmiron::com {

// Where class keys live: HKEY_CLASSES_ROOT for the machine, or the current
// user's Software\Classes; and which registry view, so that a 32-bit and a
// 64-bit build can each see what the other registered.
struct ClassesRoot {
    HKEY root;
    const wchar_t* prefix; // the path from root to the class keys, "" or ending in '\'
    REGSAM view;           // 0 for the process's own view, else KEY_WOW64_32KEY or _64KEY
};

inline const ClassesRoot kMachineClasses{HKEY_CLASSES_ROOT, L"", 0};
inline const ClassesRoot kUserClasses{HKEY_CURRENT_USER, L"Software\\Classes\\", 0};

// The same classes as seen by a build of the other bitness, or false when
// there is none (32-bit Windows has one view only).
bool OtherView(const ClassesRoot& classes, ClassesRoot& other);

// "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}", as the registry spells GUIDs.
std::wstring GuidText(REFGUID guid);

// Creates the key if needed and sets one string value; a null name sets the
// key's default value.
LONG SetClassesValue(const ClassesRoot& classes, const std::wstring& key, const wchar_t* name,
                     const std::wstring& value);

// Creates the key, without values, if needed.
LONG CreateClassesKey(const ClassesRoot& classes, const std::wstring& key);

bool ClassesKeyExists(const ClassesRoot& classes, const std::wstring& key);
// True when the key exists and has at least one subkey.
bool ClassesKeyHasSubkeys(const ClassesRoot& classes, const std::wstring& key);
// The string value, or false when the key or value is missing or no string.
bool ReadClassesValue(const ClassesRoot& classes, const std::wstring& key, const wchar_t* name,
                      std::wstring& value);

// Removes the key with everything under it; a missing key is no failure.
LONG DeleteClassesTree(const ClassesRoot& classes, const std::wstring& key);

} // namespace talmiron::com
