// The TALMIRON.dll that the test program was given, loaded the ways a host
// loads it: as a type library and as a module with resources.
#pragma once

#include "tests/com/typelib/com_ref.h"

#include <string>

namespace talmiron::com::testing {

// Set once by main from the command line; a path of the build machine
// ("/...") is reached through Wine's drive Z:.
void SetLibraryPath(const wchar_t* path);
const std::wstring& LibraryPath();

// The library's type library, loaded from its resource without registering
// it. Null when it cannot be loaded (the test then fails).
ITypeLib* TypeLibrary();

// The library's module, loaded once for the resource checks.
HMODULE LibraryModule();

// Name and help string of a type or member, as GetDocumentation gives them.
struct Documentation {
    std::wstring name;
    std::wstring helpString;
    bool hasHelpString = false;
};
Documentation DocumentationOf(ITypeInfo* type, MEMBERID member);

// The type behind a reference of `type`, e.g. an implemented interface.
Ref<ITypeInfo> ReferencedType(ITypeInfo* type, HREFTYPE reference);

// The name of the type behind a reference.
std::wstring ReferencedName(ITypeInfo* type, HREFTYPE reference);

// A parameter or result type written as the interface definition language
// writes it: "BSTR", "long*", "EvaluationStates*", "_Symbols**", "IUnknown**".
std::wstring TypeText(ITypeInfo* type, const TYPEDESC& description);

} // namespace talmiron::com::testing
