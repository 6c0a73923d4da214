// What holds for any text: results have the form of their state, groups keep values, depth has
// limits.
#include "tests/e2e/evaluation_table.h"
#include "tests/test_support.h"

#include <gtest/gtest.h>

#include <pthread.h>

#include <vector>

namespace talmiron::e2e {
namespace {

TEST(EvaluateArbitraryText, EveryResultHasTheFormOfItsState) {
    const std::vector<Text> fragments = {
        u"1",    u"0",    u"-",      u"+",  u"*",    u"/",    u"^",    u"(",
        u")",    u"'",    u"'a'",    u"''", u",",    u" ",    u".",    u"2.5",
        u"'1'",  u"x",    u"s",      u"z",  u"LEN(", u"ABS(", u"MID(", u"PI()",
        u"CHR(", u"HEX(", u"SPACE(", u"é",  u"1e5",  u"&H",   u"%s",   u"\t",
    };
    Expression expression;
    EXPECT_EQ(expression.State(), kNone);
    expression.Symbols()->Add(u"x", EvaluationTypes_Numeric, u"2");
    expression.Symbols()->Add(u"s", EvaluationTypes_String, u"it's");
    expression.Symbols()->Add(u"z", 7, u"(");
    for (const Text& a : fragments) {
        for (const Text& b : fragments) {
            for (const Text& c : fragments) {
                EvaluationStates state = 99;
                const Text result = expression.Evaluate(a + b + c, &state);
                const bool formed = state == kNum   ? testing::IsCanonicalNumber(result)
                                    : state == kErr ? result.find(u"ERROR: ") != Text::npos
                                                    : state == kStr || state == kNone || state == 7;
                ASSERT_TRUE(formed && expression.State() == state)
                    << Show(a + b + c) << " gave " << Show(result) << " (" << state << ")";
            }
        }
    }
    EXPECT_EQ(TextToUtf8(expression.Evaluate(u"x+1")), "3");
}

Text Nested(TextView open, std::size_t depth, TextView inner) {
    Text text;
    for (std::size_t i = 0; i < depth; ++i) {
        text += open;
    }
    return text + Text(inner) + Text(depth, u')');
}

// Around an expression that gives no error, groups give the same text and state, also as operands.
TEST(Grouping, AGroupGivesItsValueUnchanged) {
    Expression expression;
    expression.Symbols()->Add(u"Quotes", EvaluationTypes_String, u"'' ' '''");
    expression.Symbols()->Add(u"Open", 7, u"(");
    expression.Symbols()->Add(u"Zero", 0, u"zero");
    expression.Symbols()->Add(u"Minus", -1, u"-");
    // clang-format off
    const Text expressions[] = {
        u"STRING(2,'''')", u"'a'''+'''b'", u"''", u"REPLACE('a,b',',',')(')", u"Quotes", u"0-1.5",
        u"10^300", u"1/3", u"Open", u"Zero", u"Minus", u"LEN(('a'+'b'''))*(1+2)",
        u"STRING(67108864,'''')", // the longest text there is
    };
    // clang-format on
    for (const Text& e : expressions) {
        EvaluationStates state = kNone;
        const Text value = expression.Evaluate(e, &state);
        ASSERT_NE(state, kErr) << Show(e) << " gives " << Show(value);
        for (const std::size_t depth : {1, 2, 470}) {
            const Text grouped = Nested(u"(", depth, e);
            EvaluationStates groupedState = kNone;
            EXPECT_TRUE(expression.Evaluate(grouped, &groupedState) == value &&
                        groupedState == state)
                << Show(grouped);
        }
        if (state == kStr) {
            EXPECT_TRUE(expression.Evaluate(u"''+(" + e + u")+''") == value) << Show(e);
        }
    }
}

// Deep nesting ends in an error text instead of exhausting the stack, checked on a thread with
// a stack of known size; AddressSanitizer's red zones make the frames several times larger.
#ifdef __SANITIZE_ADDRESS__
constexpr std::size_t kStackSize = std::size_t{16} << 20;
#else
constexpr std::size_t kStackSize = std::size_t{1} << 20;
#endif

void* RunRows(void*) {
    const Text outOfStack = u"9000 ERROR: Unexpected error (Simplify): 28 - Out of stack space, "
                            u"the error occured at line: 1";
    // 480 levels of grouping count the whole text and each argument; 160 of calls.
    ExpectRows({
        {Nested(u"(", 479, u"1"), u"1", kNum},
        {Nested(u"(", 480, u"1"), outOfStack, kErr},
        {Nested(u"(", 100000, u"1"), outOfStack, kErr},
        {Nested(u"ABS(", 160, Nested(u"(", 319, u"1")), u"1", kNum},
        {Nested(u"ABS(", 160, Nested(u"(", 320, u"1")), outOfStack, kErr},
        // The text names the call that would have gone one level too deep.
        {Nested(u"ABS(", 161, u"1"), CallFailure(u"ABS(1)", 28), kErr},
        {Nested(u"ABS(", 100000, u"1"), CallFailure(Nested(u"ABS(", 99840, u"1"), 28), kErr},
    });
    return nullptr;
}

TEST(DeepNesting, LimitsOnASmallStack) {
    pthread_attr_t attributes;
    ASSERT_EQ(pthread_attr_init(&attributes), 0);
    ASSERT_EQ(pthread_attr_setstacksize(&attributes, kStackSize), 0);
    pthread_t thread;
    ASSERT_EQ(pthread_create(&thread, &attributes, RunRows, nullptr), 0);
    EXPECT_EQ(pthread_join(thread, nullptr), 0);
    pthread_attr_destroy(&attributes);
}

} // namespace
} // namespace talmiron::e2e
