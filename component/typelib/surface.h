// The automation surface of TALMIRON.dll: its library, classes, interfaces
// and enumerations in the order in which hosts find them.
#pragma once

#include "component/typelib/description.h"

namespace talmiron::com::typelib {

// The library as the component ships it; the same on every target.
const LibraryDescription& ComponentLibrary();

} // namespace talmiron::com::typelib
