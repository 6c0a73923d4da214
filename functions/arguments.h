// Reading argument texts and writing results the way every computation does.
#pragma once

#include "engine/number_text.h"
#include "functions/computation.h"
#include "runtime/val.h"
#include "runtime/whole_number.h"

#include <cstdint>
#include <utility>

namespace talmiron {

// A numeric argument: the number its text reads as.
inline double NumberArgument(const Value& value) {
    return value.Read();
}

// A string argument, or the text of a numeric one.
inline const Text& TextArgument(const Value& value) {
    return value.GetText();
}

// A whole-number parameter: the nearest 32-bit integer, halves to even;
// failure 6 outside the range.
inline std::int32_t WholeArgument(const Value& value) {
    return ToInt32(value.Read());
}

// A numeric result, 15 significant digits; failure 6 for infinity or NaN.
inline Computed NumberResult(double value) {
    return {Value::Number(value)};
}

inline Computed IntegerResult(std::int32_t value) {
    return {Value::Number(value)};
}

inline Computed TextResult(Text text) {
    return {std::move(text)};
}

inline Computed DomainError(std::int32_t number) {
    return {{}, number};
}

} // namespace talmiron
