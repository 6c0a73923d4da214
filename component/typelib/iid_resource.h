// The content of a class's "_IID_..." resource: the 32-bit little-endian
// length 16, then the IID of the class's default interface as it lies in
// memory. 20 bytes.
#pragma once

#include <guiddef.h>

#include <array>
#include <cstddef>

namespace talmiron::com::typelib {

inline constexpr std::size_t kIidResourceSize = 20;

std::array<unsigned char, kIidResourceSize> IidResource(const GUID& iid);

} // namespace talmiron::com::typelib
