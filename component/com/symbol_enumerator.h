// The enumerator of a Symbols collection (IEnumVARIANT), which hosts use for
// for-each loops. A walk yields the symbols in insertion order as they were
// when the enumerator was made, so that adding or removing symbols during a
// loop neither skips nor repeats one.
#pragma once

#include "component/symbols.h"

#include <oaidl.h>

namespace talmiron::com {

class SymbolsObject;

// A new enumerator with one reference; it holds the collection object, whose
// wrappers it hands out. Throws std::bad_alloc.
IUnknown* CreateSymbolEnumerator(SymbolsObject* collection, const talmiron::Symbols& symbols);

} // namespace talmiron::com
