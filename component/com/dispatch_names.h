// Late-bound names: the members of a dual interface and their parameters,
// resolved without regard to case as script hosts expect.
#pragma once

#include <array>
#include <span>

#include <oaidl.h>

namespace talmiron::com {

struct DispatchMember {
    const wchar_t* name;
    DISPID id;
    // The parameters' names, for named arguments; unused entries are null.
    std::array<const wchar_t*, 3> parameters;
};

// IDispatch::GetIDsOfNames over a member table: names[0] is a member, any
// further names are its parameters, whose DISPIDs are their positions. An
// unknown name gets DISPID_UNKNOWN and the call DISP_E_UNKNOWNNAME.
HRESULT NamesToIds(std::span<const DispatchMember> members, LPOLESTR* names, UINT count,
                   DISPID* ids) noexcept;

} // namespace talmiron::com
