// The path of a loaded module, for the type library and the registration.
#include "component/com/module_state.h"

#include <new>
#include <utility>

namespace talmiron::com {

bool ModulePath(HMODULE module, std::wstring& path) noexcept {
    try {
        // GetModuleFileNameW truncates silently when the buffer is short, so
        // grow it until the path and its terminator fit.
        std::wstring buffer(MAX_PATH, L'\0');
        for (;;) {
            const DWORD size = static_cast<DWORD>(buffer.size());
            const DWORD length = GetModuleFileNameW(module, buffer.data(), size);
            if (length == 0) {
                return false;
            }
            if (length < size) {
                buffer.resize(length);
                path = std::move(buffer);
                return true;
            }
            if (size >= 32768) {
                return false; // beyond the longest path Windows knows
            }
            buffer.resize(size * 2);
        }
    } catch (const std::bad_alloc&) {
        return false;
    }
}

} // namespace talmiron::com
