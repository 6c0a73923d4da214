// The state of a value and the data type of a symbol. The same codes serve as
// the argument and result types of built-in functions and are compared
// directly with states.
#pragma once

#include <cstdint>

namespace talmiron {

using EvaluationStates = std::int32_t;
inline constexpr EvaluationStates EvaluationStates_None = 0;
inline constexpr EvaluationStates EvaluationStates_Numeric = 1;
inline constexpr EvaluationStates EvaluationStates_String = 2;
inline constexpr EvaluationStates EvaluationStates_Error = 3;

using EvaluationTypes = std::int32_t;
inline constexpr EvaluationTypes EvaluationTypes_Numeric = 1;
inline constexpr EvaluationTypes EvaluationTypes_String = 2;

} // namespace talmiron
