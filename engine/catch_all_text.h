// The texts of the catch-all handlers of Simplify and Polynomial: the
// failure's number and description and the step at which it happened.
#pragma once

#include "engine/caught_failure.h"
#include "runtime/text.h"

#include <cstdint>

namespace talmiron {

Text SimplifyFailureText(const CaughtFailure& failure, std::int32_t line);
Text PolynomialFailureText(const CaughtFailure& failure, std::int32_t line);
Text FunctionFailureText(TextView call, const CaughtFailure& failure);

} // namespace talmiron
