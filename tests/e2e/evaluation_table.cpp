#include "tests/e2e/evaluation_table.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>

namespace talmiron::e2e {
namespace {

// The descriptions that the host sees for the platform failures.
Text Description(std::int32_t failure) {
    switch (failure) {
    case 5:
        return u"Invalid procedure call or argument";
    case 6:
        return u"Overflow";
    case 7:
        return u"Out of memory";
    case 13:
        return u"Type mismatch";
    case 14:
        return u"Out of string space";
    case 28:
        return u"Out of stack space";
    default:
        ADD_FAILURE() << "no description for failure " << failure;
        return Text();
    }
}

Text Decimal(std::int32_t number) {
    return AsciiToText(std::to_string(number));
}

} // namespace

std::string Show(TextView text) {
    std::string shown;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c < 0x20 || c == 0x7F) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", static_cast<unsigned>(c));
            shown += escaped;
        } else if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size()) {
            // A surrogate pair is shown as the one character it stands for.
            shown += TextToUtf8(text.substr(i, 2));
            ++i;
        } else {
            shown += TextToUtf8(text.substr(i, 1));
        }
    }
    if (shown.size() > 300) {
        shown = shown.substr(0, 300) + "... (" + std::to_string(text.size()) + " characters)";
    }
    return "\u00ab" + shown + "\u00bb";
}

void ExpectRows(const std::vector<Row>& rows, const std::vector<SymbolDef>& symbols) {
    Expression expression;
    for (const SymbolDef& symbol : symbols) {
        expression.Symbols()->Add(symbol.name, symbol.type, symbol.value);
    }
    for (const Row& row : rows) {
        EvaluationStates state = 99;
        const Text result = expression.Evaluate(row.expression, &state);
        EXPECT_TRUE(result == row.expected)
            << "expression: " << Show(row.expression) << "\n  result: " << Show(result)
            << "\n  expected: " << Show(row.expected);
        EXPECT_EQ(state, row.state)
            << "expression: " << Show(row.expression) << "\n  result: " << Show(result);
        EXPECT_EQ(expression.State(), state) << "expression: " << Show(row.expression);
    }
}

Text CallFailure(TextView call, std::int32_t failure) {
    return u"ERROR: Unexpected error during function evaluation [" + Text(call) + u"]; " +
           Decimal(failure) + u" - " + Description(failure);
}

Text PolynomialFailure(std::int32_t failure, std::int32_t line) {
    return u"ERROR: Unexpected error (Polynomial): " + Decimal(failure) + u" - " +
           Description(failure) + u", the error occured at line: " + Decimal(line);
}

Row Failing(const Text& call, std::int32_t failure) {
    return {call, CallFailure(call, failure), kErr};
}

Text Repeat(TextView piece, std::size_t count) {
    Text text;
    text.reserve(piece.size() * count);
    for (std::size_t i = 0; i < count; ++i) {
        text += piece;
    }
    return text;
}

} // namespace talmiron::e2e
