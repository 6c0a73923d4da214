// What holds for any text: the form of results, the value of groups, the limits of depth.
#include "tests/e2e/evaluation_table.h"
#include "tests/test_support.h"

#include <gtest/gtest.h>

#include <pthread.h>

#include <vector>

namespace talmiron::e2e {
namespace {

TEST(EvaluateArbitraryText, EveryResultHasTheFormOfItsState) {
    const std::vector<Text> fragments = {
        u"1", u"0",   u"-",    u"+",    u"*",    u"/",    u"^",    u"(",    u")",
        u"'", u"'a'", u"''",   u",",    u" ",    u".",    u"2.5",  u"'1'",  u"x",
        u"s", u"z",   u"LEN(", u"ABS(", u"MID(", u"PI()", u"CHR(", u"HEX(", u"SPACE(",
        u"é", u"1e5", u"&H",   u"%s",   u"\t",   u"n",    u"m",
    };
    Expression expression;
    EXPECT_EQ(expression.State(), EvaluationStates_None);
    expression.Symbols()->Add(u"x", EvaluationTypes_Numeric, u"2");
    expression.Symbols()->Add(u"s", EvaluationTypes_String, u"it's");
    expression.Symbols()->Add(u"z", 7, u"(");
    expression.Symbols()->Add(u"n", 0, u"none");
    expression.Symbols()->Add(u"m", -1, u"'-'");
    for (const Text& a : fragments) {
        for (const Text& b : fragments) {
            for (const Text& c : fragments) {
                const Text text = a + b + c;
                EvaluationStates state = 99, groupedState = 99;
                const Text result = expression.Evaluate(text, &state);
                const bool formed = state == kNum ? testing::IsCanonicalNumber(result)
                                    : state == kErr
                                        ? result.find(u"ERROR: ") != Text::npos
                                        : state == kStr || state == 7 || state == 0 || state == -1;
                // Without parentheses of its own, the text is what the group holds.
                const bool grouped =
                    state == kErr || text.find_first_of(u"()") != Text::npos ||
                    (expression.Evaluate(u"(" + text + u")", &groupedState) == result &&
                     groupedState == state);
                ASSERT_TRUE(formed && grouped && expression.State() == state)
                    << Show(text) << " gave " << Show(result) << " (" << state << ")";
            }
        }
    }
}

Text Nested(TextView open, std::size_t depth, TextView inner) {
    Text text;
    for (std::size_t i = 0; i < depth; ++i) {
        text += open;
    }
    return text + Text(inner) + Text(depth, u')');
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
        // The value is not written back as a literal, which would double its quotes.
        {Nested(u"(", 470, u"STRING(67108864,'''')"), Text(67108864, u'\''), kStr},
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
