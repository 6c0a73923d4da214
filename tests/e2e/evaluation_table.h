// Table-driven end-to-end checks: each row is an expression, the text that
// Evaluate must return and the state it must report.
#pragma once

#include "component/expression.h"
#include "engine/evaluation_states.h"
#include "runtime/text.h"

#include <cstdint>
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

// Evaluates every row, in order, on one Expression that holds the given
// symbols; each mismatch is reported with the row's expression.
void ExpectRows(const std::vector<Row>& rows, const std::vector<SymbolDef>& symbols = {});

// Readable UTF-8 for failure messages, control characters escaped.
std::string Show(TextView text);

// The text of a platform failure caught while a function call was evaluated.
Text CallFailure(TextView call, std::int32_t failure);
// The text of a run-time failure caught by the operator scan.
Text PolynomialFailure(std::int32_t failure, std::int32_t line);
// Rows of calls that each end in the function-evaluation catch-all with the failure.
std::vector<Row> Failing(std::int32_t failure, const std::vector<Text>& calls);
// Rows of expressions that all give the same text and state.
std::vector<Row> Giving(const Text& expected, EvaluationStates state,
                        const std::vector<Text>& expressions);

// A text of count copies of piece.
Text Repeat(TextView piece, std::size_t count);

} // namespace talmiron::e2e
