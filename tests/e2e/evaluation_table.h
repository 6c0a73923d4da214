// End-to-end tables: each row is an expression, the text Evaluate returns and the state it reports.
#pragma once

#include "component/expression.h"
#include "engine/evaluation_states.h"
#include "runtime/text.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace talmiron::e2e {

inline constexpr EvaluationStates kNone = EvaluationStates_None;
inline constexpr EvaluationStates kNum = EvaluationStates_Numeric;
inline constexpr EvaluationStates kStr = EvaluationStates_String;
inline constexpr EvaluationStates kErr = EvaluationStates_Error;

struct Row {
    Text expression;
    Text expected;
    EvaluationStates state;
};

struct SymbolDef {
    Text name;
    EvaluationTypes type;
    Text value;
};

// UTF-8 for failure messages, cut short.
inline std::string Show(TextView text) {
    return "\u00ab" + TextToUtf8(text.substr(0, 300)) +
           (text.size() > 300 ? "...\u00bb" : "\u00bb");
}

// Evaluates every row, in order, on one Expression that holds the given symbols.
inline void ExpectRows(const std::vector<Row>& rows, const std::vector<SymbolDef>& symbols = {}) {
    Expression expression;
    for (const SymbolDef& symbol : symbols) {
        expression.Symbols()->Add(symbol.name, symbol.type, symbol.value);
    }
    for (const Row& row : rows) {
        EvaluationStates state = 99;
        const Text result = expression.Evaluate(row.expression, &state);
        EXPECT_TRUE(result == row.expected && state == row.state && expression.State() == state)
            << "expression: " << Show(row.expression) << "\n  result: " << Show(result) << " ("
            << state << ")\n  expected: " << Show(row.expected) << " (" << row.state << ")";
    }
}

// The failure number and the description that the host sees for it.
inline Text Failure(std::int32_t failure) {
    static const std::map<std::int32_t, const char16_t*> descriptions = {
        {5, u"Invalid procedure call or argument"},
        {6, u"Overflow"},
        {13, u"Type mismatch"},
        {14, u"Out of string space"},
        {28, u"Out of stack space"}};
    return AsciiToText(std::to_string(failure)) + u" - " + descriptions.at(failure);
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

// Rows of calls that each end in the function-evaluation catch-all with the failure.
inline std::vector<Row> Failing(std::int32_t failure, const std::vector<Text>& calls) {
    std::vector<Row> rows;
    for (const Text& call : calls) {
        rows.push_back({call, CallFailure(call, failure), kErr});
    }
    return rows;
}

// Rows of expressions that all give the same text and state.
inline std::vector<Row> Giving(const Text& expected, EvaluationStates state,
                               const std::vector<Text>& expressions) {
    std::vector<Row> rows;
    for (const Text& expression : expressions) {
        rows.push_back({expression, expected, state});
    }
    return rows;
}

inline Text Repeat(TextView piece, std::size_t count) {
    Text text;
    while (count-- > 0) {
        text += piece;
    }
    return text;
}

} // namespace talmiron::e2e
