// The shape of a type library as the generator writes it: plain tables that
// name every type, member and parameter, independent of how the platform's
// writer wants them handed over.
#pragma once

#include <oaidl.h>
#include <windows.h>

#include <vector>

namespace talmiron::com::typelib {

// A type as a member's signature uses it: an automation base type or a type
// of this library (by its index), behind `pointers` levels of indirection.
struct TypeSpec {
    VARTYPE base = VT_EMPTY; // VT_USERDEFINED for a type of this library
    int libraryType = -1;    // index in LibraryDescription::types
    int pointers = 0;
};

struct ParameterDescription {
    const wchar_t* name; // nullptr for a result, which hosts never name
    TypeSpec type;
    USHORT flags; // PARAMFLAG_*
};

// One member of a dual interface: a vtable slot returning HRESULT.
struct FunctionDescription {
    const wchar_t* name;
    MEMBERID id;
    INVOKEKIND kind;
    std::vector<ParameterDescription> parameters; // the result last
    const wchar_t* helpString;                    // nullptr when none
    WORD flags = 0;                               // FUNCFLAG_*
};

struct ConstantDescription {
    const wchar_t* name;
    LONG value;
};

struct TypeDescription {
    const wchar_t* name;
    TYPEKIND kind; // TKIND_INTERFACE (dual), TKIND_COCLASS or TKIND_ENUM
    const GUID* guid;
    WORD flags;                                 // TYPEFLAG_*
    std::vector<FunctionDescription> members;   // interfaces
    int defaultInterface = -1;                  // classes: index of their one interface
    std::vector<ConstantDescription> constants; // enumerations
};

struct LibraryDescription {
    const wchar_t* name;
    const GUID* guid;
    WORD majorVersion;
    WORD minorVersion;
    LCID locale;
    const wchar_t* helpString;
    const wchar_t* helpFile;
    DWORD helpContext;
    std::vector<TypeDescription> types; // in their order in the library
};

} // namespace talmiron::com::typelib
