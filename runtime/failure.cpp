#include "runtime/failure.h"

#include <utility>

namespace talmiron {

RuntimeFailure::RuntimeFailure(std::int32_t number, Text description)
    : number_(number), description_(std::move(description)) {}

TextView FailureDescription(std::int32_t number) noexcept {
    switch (number) {
    case kInvalidProcedureCall:
        return u"Invalid procedure call or argument";
    case kOverflow:
        return u"Overflow";
    case kOutOfMemory:
        return u"Out of memory";
    case kSubscriptOutOfRange:
        return u"Subscript out of range";
    case kTypeMismatch:
        return u"Type mismatch";
    case kOutOfStringSpace:
        return u"Out of string space";
    case kOutOfStackSpace:
        return u"Out of stack space";
    case kInternalError:
        return u"Internal error";
    case kKeyAlreadyAssociated:
        return u"This key is already associated with an element of this collection";
    default:
        return {};
    }
}

void RaiseFailure(std::int32_t number) {
    throw RuntimeFailure(number, Text(FailureDescription(number)));
}

} // namespace talmiron
