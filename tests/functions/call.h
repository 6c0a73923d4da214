// Calling a computation by name the way the function-call evaluator does,
// and summing up how the call ended.
#pragma once

#include "engine/number_text.h"
#include "functions/computation.h"
#include "runtime/failure.h"
#include "runtime/str.h"
#include "runtime/val.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace talmiron::testing {

inline Computed Call(TextView upperName, const std::vector<Text>& arguments) {
    const Computation computation = FindComputation(upperName);
    if (computation == nullptr) {
        ADD_FAILURE() << "no computation for " << TextToUtf8(upperName);
        return {};
    }
    const std::vector<Value> values(arguments.begin(), arguments.end());
    return computation(values);
}

// "error N" for a domain error, "failure N" for a rejection, otherwise the
// result text: for a numeric function as the caller keeps it, read back and
// written as canonical number text.
inline Text Outcome(TextView upperName, const std::vector<Text>& arguments, bool numeric) {
    try {
        const Computed computed = Call(upperName, arguments);
        if (computed.error != 0) {
            return AsciiToText("error " + IntegerToAscii(computed.error));
        }
        const Text& text = computed.value.GetText();
        return numeric ? NumberToText(Val(text)) : text;
    } catch (const RuntimeFailure& failure) {
        return AsciiToText("failure " + IntegerToAscii(failure.Number()));
    }
}

struct CallCase {
    const char16_t* name;
    std::vector<Text> arguments;
    Text expected;
};

inline std::string Describe(const CallCase& c) {
    std::string text = TextToUtf8(c.name) + "(";
    for (std::size_t i = 0; i < c.arguments.size(); ++i) {
        text += (i == 0 ? "" : ", ") + TextToUtf8(c.arguments[i]);
    }
    return text + ")";
}

} // namespace talmiron::testing
