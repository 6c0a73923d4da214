// The State property and the optional state argument.
#include "tests/e2e/evaluation_table.h"

#include <gtest/gtest.h>

namespace talmiron::e2e {
namespace {

TEST(EvaluationState, FollowsEveryEvaluationAndTheArgumentIsOutputOnly) {
    Expression expression;
    EXPECT_EQ(expression.State(), kNone);
    // Arguments are evaluated through the same object; its state must end as
    // that of the whole expression, not of the last argument.
    const struct {
        TextView text;
        EvaluationStates state;
    } cases[] = {{u"LEFT('abc',1)", kStr},      {u"LEN('ab')", kNum}, {u"UCASE(STR(1))+1", kNum},
                 {u"LEFT('abc',LEN(5))", kErr}, {u"'abc", kErr},      {u"2*3", kNum}};
    for (const auto& c : cases) {
        for (const EvaluationStates incoming : {kNone, kStr, kErr, 99, -1}) {
            EvaluationStates state = incoming;
            expression.Evaluate(c.text, &state);
            EXPECT_EQ(state, c.state) << Show(c.text) << " " << incoming;
            EXPECT_EQ(expression.State(), c.state) << Show(c.text);
        }
    }
}

} // namespace
} // namespace talmiron::e2e
