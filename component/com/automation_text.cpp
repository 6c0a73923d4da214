#include "component/com/automation_text.h"

#include <new>

namespace talmiron::com {

static_assert(sizeof(OLECHAR) == sizeof(char16_t));

TextView BstrView(BSTR text) noexcept {
    if (text == nullptr) {
        return {};
    }
    return TextView(reinterpret_cast<const char16_t*>(text), SysStringLen(text));
}

BSTR AllocateBstr(TextView text) {
    BSTR result = SysAllocStringLen(reinterpret_cast<const OLECHAR*>(text.data()),
                                    static_cast<UINT>(text.size()));
    if (result == nullptr) {
        throw std::bad_alloc();
    }
    return result;
}

} // namespace talmiron::com
