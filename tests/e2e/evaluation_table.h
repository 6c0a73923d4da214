// End-to-end tables: each row is an expression, the text Evaluate returns and the state it reports.
#pragma once

#include "component/expression.h"
#include "engine/evaluation_states.h"
#include "runtime/text.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <tuple>
#include <vector>

namespace talmiron::e2e {

inline constexpr EvaluationStates kNum = EvaluationStates_Numeric;
inline constexpr EvaluationStates kStr = EvaluationStates_String;
inline constexpr EvaluationStates kErr = EvaluationStates_Error;

using Row = std::tuple<Text, Text, EvaluationStates>; // the text, its result and state

inline std::string Show(TextView text) {
    return "\u00ab" + TextToUtf8(text.substr(0, 300)) +
           (text.size() > 300 ? "...\u00bb" : "\u00bb");
}

// Evaluates every row, in order, on one Expression that holds the given symbols.
inline void ExpectRows(const std::vector<Row>& rows,
                       const std::vector<std::tuple<Text, EvaluationTypes, Text>>& symbols = {}) {
    Expression expression;
    for (const auto& [name, type, value] : symbols) {
        expression.Symbols()->Add(name, type, value);
    }
    for (const auto& [text, expected, expectedState] : rows) {
        EvaluationStates state = 99;
        const Text result = expression.Evaluate(text, &state);
        EXPECT_TRUE(result == expected && state == expectedState && expression.State() == state)
            << "expression: " << Show(text) << "\n  result: " << Show(result) << " (" << state
            << ")\n  expected: " << Show(expected) << " (" << expectedState << ")";
    }
}

inline Text Failure(std::int32_t failure) {
    const char16_t* description = failure == 5    ? u"Invalid procedure call or argument"
                                  : failure == 6  ? u"Overflow"
                                  : failure == 13 ? u"Type mismatch"
                                  : failure == 14 ? u"Out of string space"
                                                  : u"Out of stack space";
    return AsciiToText(std::to_string(failure)) + u" - " + description;
}

// The texts of a failure caught while a call was evaluated, and by the operator scan.
inline Text CallFailure(TextView call, std::int32_t failure) {
    return u"ERROR: Unexpected error during function evaluation [" + Text(call) + u"]; " +
           Failure(failure);
}

inline Text PolynomialFailure(std::int32_t failure, std::int32_t line) {
    return u"ERROR: Unexpected error (Polynomial): " + Failure(failure) +
           u", the error occured at line: " + AsciiToText(std::to_string(line));
}

// Expressions that all give the same text and state, each on an object of its own.
inline void ExpectAll(const Text& expected, EvaluationStates state,
                      const std::vector<Text>& texts) {
    for (const Text& text : texts) {
        ExpectRows({{text, expected, state}});
    }
}

// Calls that each end in the function-evaluation catch-all with the failure.
inline void ExpectFailures(std::int32_t failure, const std::vector<Text>& calls) {
    for (const Text& call : calls) {
        ExpectRows({{call, CallFailure(call, failure), kErr}});
    }
}

} // namespace talmiron::e2e
