// The State property, the optional state argument, and results that are not
// fixed texts (the random number).
#include "tests/e2e/evaluation_table.h"

#include "component/expression.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace talmiron::e2e {
namespace {

// The result as UTF-8, for readable failure messages.
std::string EvaluateToUtf8(Expression& expression, TextView text,
                           EvaluationStates* state = nullptr) {
    return TextToUtf8(expression.Evaluate(text, state));
}

TEST(EvaluationState, IsNoneUntilTheFirstEvaluation) {
    Expression expression;
    EXPECT_EQ(expression.State(), kNone);
}

TEST(EvaluationState, ThePropertyFollowsEveryEvaluation) {
    Expression expression;
    EXPECT_EQ(EvaluateToUtf8(expression, u"1 + 2"), "3");
    EXPECT_EQ(expression.State(), kNum);
    EXPECT_EQ(EvaluateToUtf8(expression, u"'a b'"), "a b");
    EXPECT_EQ(expression.State(), kStr);
    EXPECT_EQ(EvaluateToUtf8(expression, u"'abc"), "1001 ERROR: Unclosed quotes in expression.");
    EXPECT_EQ(expression.State(), kErr);
    // A failure leaves the object usable.
    EXPECT_EQ(EvaluateToUtf8(expression, u"2*3"), "6");
    EXPECT_EQ(expression.State(), kNum);
}

TEST(EvaluationState, TheArgumentIsOutputOnly) {
    Expression expression;
    for (const EvaluationStates incoming : {kNone, kNum, kStr, kErr, 99, -1}) {
        EvaluationStates state = incoming;
        EXPECT_EQ(EvaluateToUtf8(expression, u"'x'", &state), "x");
        EXPECT_EQ(state, kStr) << incoming;
        state = incoming;
        expression.Evaluate(u"1/0", &state);
        EXPECT_EQ(state, kErr) << incoming;
        state = incoming;
        expression.Evaluate(u"7", &state);
        EXPECT_EQ(state, kNum) << incoming;
    }
}

TEST(EvaluationState, TheHostsCallStoresTheStateLast) {
    // Arguments are evaluated through the same object; its state must end as
    // that of the whole expression, not of the last argument.
    Expression expression;
    EvaluationStates state = kNone;
    EXPECT_EQ(EvaluateToUtf8(expression, u"LEFT('abc',1)", &state), "a");
    EXPECT_EQ(state, kStr);
    EXPECT_EQ(expression.State(), kStr);
    EXPECT_EQ(EvaluateToUtf8(expression, u"LEN('ab')"), "2");
    EXPECT_EQ(expression.State(), kNum);
    EXPECT_EQ(EvaluateToUtf8(expression, u"UCASE(STR(1))+1"), "2");
    EXPECT_EQ(expression.State(), kNum);
    expression.Evaluate(u"LEFT('abc',LEN(5))");
    EXPECT_EQ(expression.State(), kErr);
}

TEST(EvaluationState, ObjectsAreIndependent) {
    Expression first;
    Expression second;
    first.Symbols()->Add(u"x", EvaluationTypes_Numeric, u"1");
    EXPECT_EQ(EvaluateToUtf8(first, u"x"), "1");
    EXPECT_EQ(EvaluateToUtf8(second, u"x"), "1012 ERROR: Undefined symbol in expression: 'x'");
    EXPECT_EQ(first.State(), kNum);
    EXPECT_EQ(second.State(), kErr);
}

// The number of significant digits of a canonical number text below 1.
std::size_t SignificantDigits(const std::string& text) {
    std::size_t digits = 0;
    bool leading = true;
    for (const char c : text) {
        if (c >= '1' && c <= '9') {
            leading = false;
        }
        if (c >= '0' && c <= '9' && !leading) {
            ++digits;
        }
    }
    return digits;
}

TEST(EvaluationState, RndGivesSingleValuesBelowOne) {
    Expression expression;
    for (int i = 0; i < 200; ++i) {
        EvaluationStates state = kNone;
        const std::string text = EvaluateToUtf8(expression, u"RND()", &state);
        ASSERT_EQ(state, kNum) << text;
        ASSERT_FALSE(text.empty());
        // Canonical text of a value in [0, 1): "0" or "0." and digits.
        EXPECT_TRUE(text == "0" || (text.starts_with("0.") && text.size() > 2 &&
                                    text.find_first_not_of("0123456789", 2) == std::string::npos &&
                                    text.back() != '0'))
            << text;
        const double value = std::strtod(text.c_str(), nullptr);
        EXPECT_GE(value, 0.0) << text;
        EXPECT_LT(value, 1.0) << text;
        EXPECT_LE(SignificantDigits(text), 7u) << text;
    }
    // A Numeric result that the operators take as a number.
    EXPECT_EQ(EvaluateToUtf8(expression, u"RND()*0"), "0");
    EXPECT_EQ(EvaluateToUtf8(expression, u"INT(RND())"), "0");
    EXPECT_EQ(EvaluateToUtf8(expression, u"SGN(RND()+1)"), "1");
}

} // namespace
} // namespace talmiron::e2e
