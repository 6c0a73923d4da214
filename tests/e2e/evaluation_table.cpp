#include "tests/e2e/evaluation_table.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <map>

namespace talmiron::e2e {
namespace {

// The failure number and the description that the host sees for it.
Text Failure(std::int32_t failure) {
    static const std::map<std::int32_t, const char16_t*> descriptions = {
        {5, u"Invalid procedure call or argument"},
        {6, u"Overflow"},
        {13, u"Type mismatch"},
        {14, u"Out of string space"},
        {28, u"Out of stack space"}};
    return AsciiToText(std::to_string(failure)) + u" - " + descriptions.at(failure);
}

} // namespace

std::string Show(TextView text) {
    Text shown;
    for (const char16_t c : text.substr(0, 300)) {
        char escaped[8];
        std::snprintf(escaped, sizeof escaped, "\\x%02X", static_cast<unsigned>(c));
        shown += c < 0x20 || c == 0x7F ? AsciiToText(escaped) : Text(1, c);
    }
    const std::string more = text.size() > 300 ? "... (" + std::to_string(text.size()) + ")" : "";
    return "\u00ab" + TextToUtf8(shown) + more + "\u00bb";
}

void ExpectRows(const std::vector<Row>& rows, const std::vector<SymbolDef>& symbols) {
    Expression expression;
    for (const SymbolDef& symbol : symbols) {
        expression.Symbols()->Add(symbol.name, symbol.type, symbol.value);
    }
    for (const Row& row : rows) {
        EvaluationStates state = 99;
        const Text result = expression.Evaluate(row.expression, &state);
        EXPECT_TRUE(result == row.expected && state == row.state)
            << "expression: " << Show(row.expression) << "\n  result: " << Show(result) << " ("
            << state << ")\n  expected: " << Show(row.expected) << " (" << row.state << ")";
        EXPECT_EQ(expression.State(), state) << "expression: " << Show(row.expression);
    }
}

Text CallFailure(TextView call, std::int32_t failure) {
    return u"ERROR: Unexpected error during function evaluation [" + Text(call) + u"]; " +
           Failure(failure);
}

Text PolynomialFailure(std::int32_t failure, std::int32_t line) {
    return u"ERROR: Unexpected error (Polynomial): " + Failure(failure) +
           u", the error occured at line: " + AsciiToText(std::to_string(line));
}

std::vector<Row> Failing(std::int32_t failure, const std::vector<Text>& calls) {
    std::vector<Row> rows;
    for (const Text& call : calls) {
        rows.push_back({call, CallFailure(call, failure), kErr});
    }
    return rows;
}

std::vector<Row> Giving(const Text& expected, EvaluationStates state,
                        const std::vector<Text>& expressions) {
    std::vector<Row> rows;
    for (const Text& expression : expressions) {
        rows.push_back({expression, expected, state});
    }
    return rows;
}

Text Repeat(TextView piece, std::size_t count) {
    Text text;
    for (std::size_t i = 0; i < count; ++i) {
        text += piece;
    }
    return text;
}

} // namespace talmiron::e2e
