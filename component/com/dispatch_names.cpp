#include "component/com/dispatch_names.h"

namespace talmiron::com {

namespace {

wchar_t FoldCase(wchar_t c) noexcept {
    return c >= L'a' && c <= L'z' ? static_cast<wchar_t>(c - L'a' + L'A') : c;
}

// Member and parameter names are ASCII, so folding ASCII letters is enough:
// no other character can make a name match.
bool SameName(const wchar_t* known, const OLECHAR* asked) noexcept {
    for (; *known != L'\0'; ++known, ++asked) {
        if (FoldCase(*known) != FoldCase(static_cast<wchar_t>(*asked))) {
            return false;
        }
    }
    return *asked == L'\0';
}

} // namespace

HRESULT NamesToIds(std::span<const DispatchMember> members, LPOLESTR* names, UINT count,
                   DISPID* ids) noexcept {
    if (count == 0) {
        return E_INVALIDARG;
    }
    if (names == nullptr || ids == nullptr) {
        return E_POINTER;
    }
    for (UINT n = 0; n < count; ++n) {
        ids[n] = DISPID_UNKNOWN;
    }
    const DispatchMember* member = nullptr;
    if (names[0] != nullptr) {
        for (const DispatchMember& m : members) {
            if (SameName(m.name, names[0])) {
                member = &m;
                break;
            }
        }
    }
    if (member == nullptr) {
        return DISP_E_UNKNOWNNAME;
    }
    ids[0] = member->id;
    HRESULT result = S_OK;
    for (UINT n = 1; n < count; ++n) {
        for (std::size_t p = 0; p < member->parameters.size(); ++p) {
            const wchar_t* parameter = member->parameters[p];
            if (parameter != nullptr && names[n] != nullptr && SameName(parameter, names[n])) {
                ids[n] = static_cast<DISPID>(p);
                break;
            }
        }
        if (ids[n] == DISPID_UNKNOWN) {
            result = DISP_E_UNKNOWNNAME;
        }
    }
    return result;
}

} // namespace talmiron::com
