// Whatever the text, Evaluate returns a value of a known form and the object
// stays usable: every combination of a few troublesome fragments.
#include "tests/e2e/evaluation_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <regex>
#include <string>
#include <vector>

namespace talmiron::e2e {
namespace {

// Canonical number text: no "-0", no needless zeros, at most 15 significant digits.
bool IsCanonicalNumber(const std::string& text) {
    static const std::regex form("-?(0|[1-9][0-9]*)(\\.[0-9]*[1-9])?");
    std::string digits;
    std::copy_if(text.begin(), text.end(), std::back_inserter(digits),
                 [](char c) { return c >= '0' && c <= '9'; });
    digits.erase(0, std::min(digits.find_first_not_of('0'), digits.size()));
    digits.erase(digits.find_last_not_of('0') + 1);
    return std::regex_match(text, form) && text != "-0" && digits.size() <= 15;
}

TEST(EvaluateArbitraryText, EveryResultHasTheFormOfItsState) {
    const std::vector<Text> fragments = {
        u"1",    u"0",    u"-",      u"+",  u"*",    u"/",    u"^",    u"(",
        u")",    u"'",    u"'a'",    u"''", u",",    u" ",    u".",    u"2.5",
        u"'1'",  u"x",    u"s",      u"z",  u"LEN(", u"ABS(", u"MID(", u"PI()",
        u"CHR(", u"HEX(", u"SPACE(", u"é",  u"1e5",  u"&H",   u"%s",   u"\t",
    };
    Expression expression;
    expression.Symbols()->Add(u"x", EvaluationTypes_Numeric, u"2");
    expression.Symbols()->Add(u"s", EvaluationTypes_String, u"it's");
    expression.Symbols()->Add(u"z", 7, u"(");
    for (const Text& a : fragments) {
        for (const Text& b : fragments) {
            for (const Text& c : fragments) {
                const Text text = a + b + c;
                EvaluationStates state = 99;
                const std::string result = TextToUtf8(expression.Evaluate(text, &state));
                if (state == kNum) {
                    EXPECT_TRUE(IsCanonicalNumber(result)) << Show(text) << " gave " << result;
                } else if (state == kErr) {
                    EXPECT_NE(result.find("ERROR: "), std::string::npos) << Show(text) << result;
                } else {
                    EXPECT_TRUE(state == kStr || state == kNone || state == 7) << Show(text);
                }
                ASSERT_EQ(expression.State(), state) << Show(text);
            }
        }
    }
    EXPECT_EQ(TextToUtf8(expression.Evaluate(u"x+1")), "3");
}

} // namespace
} // namespace talmiron::e2e
