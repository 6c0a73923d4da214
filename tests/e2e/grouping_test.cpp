// A group gives the value of what it holds, whatever that value is.
#include "tests/e2e/evaluation_table.h"

#include <gtest/gtest.h>

namespace talmiron::e2e {
namespace {

// For every expression that evaluates without an error, one group or many
// around it give the same text and state, alone and as an operand.
TEST(Grouping, AGroupGivesItsValueUnchanged) {
    Expression expression;
    for (const SymbolDef& s :
         std::vector<SymbolDef>{{u"Quotes", EvaluationTypes_String, u"'' ' '''"},
                                {u"Rate", EvaluationTypes_Numeric, u"0.25"},
                                {u"Open", 7, u"("},
                                {u"Sum", 7, u"1+'"},
                                {u"Zero", 0, u"zero"},
                                {u"Minus", -1, u"-"}}) {
        expression.Symbols()->Add(s.name, s.type, s.value);
    }
    // clang-format off
    const Text expressions[] = {
        u"STRING(2,'''')", u"'a'''+'''b'", u"''", u"REPLACE('a,b',',',')(')", u"Quotes", u"0-1.5",
        u"10^300", u"1/3", u"-Rate", u"Open", u"Sum", u"Zero", u"Minus", u"LEN(('a'+'b'''))*(1+2)",
        u"STRING(67108864,'''')", // the longest text there is
    };
    // clang-format on
    for (const Text& e : expressions) {
        EvaluationStates state = kNone;
        const Text value = expression.Evaluate(e, &state);
        ASSERT_NE(state, kErr) << Show(e) << " gives " << Show(value);
        for (const std::size_t depth : {1, 2, 470}) {
            const Text grouped = Repeat(u"(", depth) + e + Repeat(u")", depth);
            EvaluationStates groupedState = kNone;
            EXPECT_TRUE(expression.Evaluate(grouped, &groupedState) == value) << Show(grouped);
            EXPECT_EQ(groupedState, state) << Show(grouped);
        }
        if (state == kStr) {
            EXPECT_TRUE(expression.Evaluate(u"''+(" + e + u")+''") == value) << Show(e);
        }
    }
}

} // namespace
} // namespace talmiron::e2e
