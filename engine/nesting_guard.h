// Counts one level of nesting while it is open: Simplify for each group or
// argument it evaluates, or a function call. Beyond the limits the stack
// could run out, so one more level is failure 28 instead. A call level takes
// about 2.4 KB of stack and a Simplify level about 0.4 KB on 64-bit builds,
// so the deepest allowed evaluation needs about half a MiB: well inside the
// 1 MiB that a thread has by default on Windows.
#pragma once

#include "engine/evaluator.h"
#include "runtime/failure.h"

namespace talmiron {

inline constexpr std::int32_t kMaxSimplifyNesting = 480;
inline constexpr std::int32_t kMaxCallNesting = 160;

class Evaluator::NestingGuard {
  public:
    // Raises failure 28 instead of opening a level beyond the limit.
    NestingGuard(std::int32_t& nesting, std::int32_t limit) : nesting_(nesting) {
        if (nesting_ >= limit) {
            RaiseFailure(kOutOfStackSpace);
        }
        ++nesting_;
    }
    ~NestingGuard() { --nesting_; }
    NestingGuard(const NestingGuard&) = delete;
    NestingGuard& operator=(const NestingGuard&) = delete;

  private:
    std::int32_t& nesting_;
};

} // namespace talmiron
