// Whatever the text, Evaluate returns a value of a known form and the object
// stays usable: every combination of a few troublesome fragments.
#include "tests/e2e/evaluation_table.h"

#include "component/expression.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace talmiron::e2e {
namespace {

// Canonical number text: optional "-", no leading zeros, no trailing zeros
// after the point, no "-0", at most 15 significant digits.
bool IsCanonicalNumber(const std::string& text) {
    std::size_t i = 0;
    if (i < text.size() && text[i] == '-') {
        ++i;
    }
    const std::size_t integerStart = i;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
        ++i;
    }
    const std::size_t integerDigits = i - integerStart;
    if (integerDigits == 0 || (integerDigits > 1 && text[integerStart] == '0')) {
        return false;
    }
    if (i < text.size()) {
        if (text[i] != '.' || i + 1 == text.size() || text.back() == '0') {
            return false;
        }
        for (++i; i < text.size(); ++i) {
            if (text[i] < '0' || text[i] > '9') {
                return false;
            }
        }
    }
    if (text == "-0") {
        return false;
    }
    std::string digits;
    for (const char c : text) {
        if (c >= '0' && c <= '9') {
            digits += c;
        }
    }
    const std::size_t first = digits.find_first_not_of('0');
    if (first == std::string::npos) {
        return true;
    }
    const std::size_t last = digits.find_last_not_of('0');
    return last - first + 1 <= 15;
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
    std::size_t evaluated = 0;
    for (const Text& a : fragments) {
        for (const Text& b : fragments) {
            for (const Text& c : fragments) {
                const Text text = a + b + c;
                EvaluationStates state = 99;
                const Text result = expression.Evaluate(text, &state);
                const std::string shown = TextToUtf8(result);
                ++evaluated;
                switch (state) {
                case EvaluationStates_Numeric:
                    EXPECT_TRUE(IsCanonicalNumber(shown)) << Show(text) << " gave " << shown;
                    break;
                case EvaluationStates_Error:
                    EXPECT_NE(shown.find("ERROR: "), std::string::npos)
                        << Show(text) << " gave " << shown;
                    break;
                case EvaluationStates_String:
                case EvaluationStates_None:
                case 7:
                    break;
                default:
                    ADD_FAILURE() << Show(text) << " gave the state " << state;
                }
                ASSERT_EQ(expression.State(), state) << Show(text);
            }
        }
    }
    EXPECT_EQ(evaluated, fragments.size() * fragments.size() * fragments.size());
    EXPECT_EQ(TextToUtf8(expression.Evaluate(u"x+1")), "3");
}

} // namespace
} // namespace talmiron::e2e
