#include "functions/computation.h"

#include "functions/named_computation.h"
#include "runtime/failure.h"

#include <array>

namespace talmiron {

namespace {

// The date and time functions are not computed yet: every call of one is
// rejected as an invalid call.
Computed NotYetComputed(std::span<const Text>) {
    RaiseFailure(kInvalidProcedureCall);
}

constexpr std::array kDateTimeNames = {
    TextView(u"NOW"),     TextView(u"DATE"),     TextView(u"TIME"),       TextView(u"DATEDIFF"),
    TextView(u"DATEADD"), TextView(u"DATEPART"), TextView(u"DATESERIAL"), TextView(u"YEAR"),
    TextView(u"MONTH"),   TextView(u"DAY"),      TextView(u"HOUR"),       TextView(u"MINUTE"),
    TextView(u"SECOND"),
};

Computation FindIn(std::span<const NamedComputation> group, TextView upperName) noexcept {
    for (const NamedComputation& entry : group) {
        if (entry.name == upperName) {
            return entry.computation;
        }
    }
    return nullptr;
}

} // namespace

Computation FindComputation(TextView upperName) noexcept {
    if (const Computation found = FindIn(NumericComputations(), upperName)) {
        return found;
    }
    if (const Computation found = FindIn(StringComputations(), upperName)) {
        return found;
    }
    for (const TextView name : kDateTimeNames) {
        if (name == upperName) {
            return NotYetComputed;
        }
    }
    return nullptr;
}

} // namespace talmiron
