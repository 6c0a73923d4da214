// Small operations on the keys of HKEY_CLASSES_ROOT that the registration
// writes and removes. Each returns a Win32 error code (ERROR_SUCCESS).
#pragma once

#include <windows.h>

#include <string>

namespace talmiron::com {

// "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}", as the registry spells GUIDs.
std::wstring GuidText(REFGUID guid);

// Creates the key if needed and sets one string value; a null name sets the
// key's default value.
LONG SetClassesValue(const std::wstring& key, const wchar_t* name, const std::wstring& value);

// Creates the key, without values, if needed.
LONG CreateClassesKey(const std::wstring& key);

bool ClassesKeyExists(const std::wstring& key);
// True when the key exists and has at least one subkey.
bool ClassesKeyHasSubkeys(const std::wstring& key);
// The string value, or false when the key or value is missing or no string.
bool ReadClassesValue(const std::wstring& key, const wchar_t* name, std::wstring& value);

// Removes the key with everything under it; a missing key is no failure.
LONG DeleteClassesTree(const std::wstring& key);

} // namespace talmiron::com
