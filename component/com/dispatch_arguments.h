// The arguments of one IDispatch::Invoke call, bound to the parameters of
// the member it reaches. Positional arguments arrive last to first in
// rgvarg; named ones carry the position of their parameter as the DISPID
// that GetIDsOfNames gave for the parameter's name.
#pragma once

#include <array>
#include <cstdint>

#include <oaidl.h>

namespace talmiron::com {

class DispatchArguments {
  public:
    // No member takes more parameters.
    static constexpr unsigned kMaxParameters = 3;

    // Binds the arguments of a method or property read that takes between
    // required and total parameters. DISP_E_BADPARAMCOUNT for too few or too
    // many, DISP_E_PARAMNOTFOUND for a named argument that names no
    // parameter or one given twice, DISP_E_PARAMNOTOPTIONAL for a required
    // parameter passed as missing; *argErr tells which argument.
    HRESULT Bind(const DISPPARAMS* params, unsigned required, unsigned total,
                 UINT* argErr) noexcept;

    // Binds the one value of a property write: the argument named
    // DISPID_PROPERTYPUT, or the single argument when none is named.
    HRESULT BindPut(const DISPPARAMS* params) noexcept;

    // The argument of a parameter, or null where the caller left it out.
    VARIANT* At(unsigned parameter) const noexcept { return slots_[parameter]; }
    // The argument of a property write.
    VARIANT* PutValue() const noexcept { return slots_[0]; }

    // Records in *argErr the argument of a parameter that could not be used,
    // as its index in rgvarg; returns failure.
    HRESULT Reject(unsigned parameter, HRESULT failure, UINT* argErr) const noexcept;

  private:
    std::array<VARIANT*, kMaxParameters> slots_{};
    std::array<UINT, kMaxParameters> indexes_{};
};

// Invoke flags: a property read may come as a method call and a method as a
// property read (script engines set both for "x = object.Member").
inline bool IsRead(WORD flags) noexcept {
    return (flags & (DISPATCH_METHOD | DISPATCH_PROPERTYGET)) != 0;
}
inline bool IsWrite(WORD flags) noexcept {
    return (flags & DISPATCH_PROPERTYPUT) != 0;
}

} // namespace talmiron::com
