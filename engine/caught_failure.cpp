#include "engine/caught_failure.h"

#include "runtime/failure.h"

#include <new>
#include <stdexcept>

namespace talmiron {

CaughtFailure CurrentFailure() {
    try {
        throw;
    } catch (const RuntimeFailure& failure) {
        return {failure.Number(), failure.Description()};
    } catch (const std::bad_alloc&) {
        return {kOutOfMemory, Text(FailureDescription(kOutOfMemory))};
    } catch (const std::length_error&) {
        return {kOutOfStringSpace, Text(FailureDescription(kOutOfStringSpace))};
    } catch (...) {
        return {kInternalError, Text(FailureDescription(kInternalError))};
    }
}

} // namespace talmiron
