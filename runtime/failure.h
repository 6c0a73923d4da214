// Run-time failures: an operation that rejects a value raises one of these
// instead of returning. Only the evaluator's catch-all handlers catch them.
#pragma once

#include "runtime/text.h"

#include <cstdint>
#include <exception>

namespace talmiron {

// The platform's standard failure numbers.
enum FailureNumber : std::int32_t {
    kInvalidProcedureCall = 5,
    kOverflow = 6,
    kOutOfMemory = 7,
    kSubscriptOutOfRange = 9,
    kTypeMismatch = 13,
    kOutOfStringSpace = 14,
    kOutOfStackSpace = 28,
    kInternalError = 51,
    kKeyAlreadyAssociated = 457,
};

class RuntimeFailure : public std::exception {
  public:
    RuntimeFailure(std::int32_t number, Text description);

    std::int32_t Number() const noexcept { return number_; }
    const Text& Description() const noexcept { return description_; }
    const char* what() const noexcept override { return "talmiron run-time failure"; }

  private:
    std::int32_t number_;
    Text description_;
};

// The standard description of a failure number; empty for an unknown number.
TextView FailureDescription(std::int32_t number) noexcept;

// Raises the failure with its standard description.
[[noreturn]] void RaiseFailure(std::int32_t number);

} // namespace talmiron
