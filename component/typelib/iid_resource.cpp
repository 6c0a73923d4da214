#include "component/typelib/iid_resource.h"

#include <cstring>

namespace talmiron::com::typelib {

std::array<unsigned char, kIidResourceSize> IidResource(const GUID& iid) {
    static_assert(sizeof(GUID) == 16);
    std::array<unsigned char, kIidResourceSize> bytes{16, 0, 0, 0};
    // Windows targets are little-endian, so the in-memory order is the
    // order of the resource.
    std::memcpy(bytes.data() + 4, &iid, sizeof iid);
    return bytes;
}

} // namespace talmiron::com::typelib
