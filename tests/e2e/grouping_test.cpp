// A group gives the value of what it holds, whatever that value is.
#include "tests/e2e/evaluation_table.h"

#include <gtest/gtest.h>

namespace talmiron::e2e {
namespace {

Text Grouped(TextView expression, std::size_t depth) {
    return Repeat(u"(", depth) + Text(expression) + Repeat(u")", depth);
}

// For every expression that evaluates without an error, one group or many
// around it give the same text and state, alone, signed where a sign keeps
// the value, and as an operand.
TEST(Grouping, AGroupGivesItsValueUnchanged) {
    Expression expression;
    expression.Symbols()->Add(u"Quotes", EvaluationTypes_String, u"'' ' '''");
    expression.Symbols()->Add(u"Rate", EvaluationTypes_Numeric, u"0.25");
    expression.Symbols()->Add(u"Open", 7, u"(");
    expression.Symbols()->Add(u"Sum", 7, u"1+'");
    expression.Symbols()->Add(u"Zero", 0, u"zero");
    expression.Symbols()->Add(u"Minus", -1, u"-");
    const Text expressions[] = {
        u"STRING(2,'''')",
        u"'a'''+'''b'",
        u"''",
        u"REPLACE('a,b',',',')(')",
        // The longest text there is.
        u"STRING(67108864,'''')",
        u"Quotes",
        u"0-1.5",
        u"10^300",
        u"1/3",
        u"-Rate",
        u"Open",
        u"Sum",
        u"Zero",
        u"Minus",
        u"LEN(('a'+'b'''))*(1+2)",
    };
    for (const Text& e : expressions) {
        EvaluationStates state = EvaluationStates_None;
        const Text value = expression.Evaluate(e, &state);
        ASSERT_NE(state, EvaluationStates_Error) << Show(e) << " gives " << Show(value);
        for (const std::size_t depth : {1, 2, 470}) {
            const Text grouped = Grouped(e, depth);
            EvaluationStates groupedState = EvaluationStates_None;
            const Text groupedValue = expression.Evaluate(grouped, &groupedState);
            EXPECT_TRUE(groupedValue == value) << Show(grouped) << " gives " << Show(groupedValue);
            EXPECT_EQ(groupedState, state) << Show(grouped);
        }
        if (state == EvaluationStates_String) {
            EvaluationStates joinedState = EvaluationStates_None;
            const Text joined = expression.Evaluate(u"''+(" + e + u")+''", &joinedState);
            EXPECT_TRUE(joined == value) << Show(e) << " as an operand gives " << Show(joined);
            EXPECT_EQ(joinedState, state) << Show(e);
        }
    }
}

} // namespace
} // namespace talmiron::e2e
