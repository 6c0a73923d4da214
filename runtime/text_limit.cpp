#include "runtime/text_limit.h"

#include "runtime/failure.h"

namespace talmiron {

std::size_t CheckedTextLength(std::uint64_t length) {
    if (length > kMaxTextLength) {
        RaiseFailure(kOutOfStringSpace);
    }
    return static_cast<std::size_t>(length);
}

} // namespace talmiron
