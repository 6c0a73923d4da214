// Reading the arguments that hosts pass in variants, as an automation server
// is expected to: a reference to a variant is followed to the variant it
// names, and a value of another type is converted to the parameter's type.
// Conversions do not depend on the user's locale, so that a number reaches
// the evaluator with "." as its decimal point.
#pragma once

#include "runtime/text.h"

#include <cstdint>

#include <oaidl.h>

namespace talmiron::com {

// The variant that v stands for once references to variants are followed.
const VARIANT& Dereferenced(const VARIANT& v) noexcept;

// True for a parameter that the caller left out: absent, or the "missing"
// marker (VT_ERROR holding DISP_E_PARAMNOTFOUND).
bool IsMissing(const VARIANT* v) noexcept;

// The value as text. Numbers come as canonical number text and dates as
// "yyyy-mm-dd" or "yyyy-mm-dd hh:nn:ss", the forms the evaluator reads;
// everything else as the platform converts it. A value that has no text
// (Null, an array, an object without a default value) gives
// DISP_E_TYPEMISMATCH; lack of memory throws std::bad_alloc.
HRESULT VariantToText(const VARIANT& v, Text& text);

// The value as a 32-bit signed integer, rounded as the platform rounds
// (halves to even): DISP_E_TYPEMISMATCH or DISP_E_OVERFLOW when it is none.
HRESULT VariantToInt32(const VARIANT& v, std::int32_t& number) noexcept;

// Writes a whole number through a by-reference argument: into the variant
// that a reference to a variant names (replacing its content), or converted
// into a referenced number of another type. DISP_E_TYPEMISMATCH for a target
// that holds no number (text, objects, arrays) and for a value that is not a
// reference at all; the target is then unchanged.
HRESULT StoreThroughReference(const VARIANT& target, std::int32_t number) noexcept;
// True when StoreThroughReference would succeed; changes nothing.
bool CanStoreThroughReference(const VARIANT& target) noexcept;

} // namespace talmiron::com
