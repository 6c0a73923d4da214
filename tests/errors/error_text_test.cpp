#include "errors/error_text.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

namespace talmiron {
namespace {

TEST(ErrorText, EveryRowWithoutArgumentsLosesItsPlaceholders) {
    const TextView texts[] = {
        u"1001 ERROR: Unclosed quotes in expression.",
        u"1002 ERROR: Unmatched opening/closing parenthesis.",
        u"1003 ERROR: Operand expected.",
        u"1004 ERROR: Type mismatch in expression.",
        u"1005 ERROR: Division by zero.",
        u"1006 ERROR: Illegal value for power operator (for fractional exponent, base must be "
        u"positive).",
        u"1007 ERROR: Invalid numeric literal: ''",
        u"1008 ERROR: Unclosed single cuotes in literal string constant: ''",
        u"1009 ERROR: Invalid string literal: ''",
        u"1010 ERROR: Unary operator not permitted in string-returning functions.",
        u"1011 ERROR: Unary operator not permitted in string symbols.",
        u"1012 ERROR: Undefined symbol in expression: ''",
        u"1013 ERROR: Illegal symbol name: ''",
        u"1014 ERROR: Syntax error in function.",
        u"1015 ERROR: Illegal function name: ",
        u"1016 ERROR: Unknown function: ",
        u"1017 ERROR: Unmatched opening/closing parenthesis in function.",
        u"1018 ERROR: Wrong number of arguments in function '', expected .",
        u"1019 ERROR: Type mismatch in function argument: ",
        u"2000 ERROR: Illegal parameter value for LOG function.",
        u"2001 ERROR: Illegal parameter value for SQR function.",
        u"2002 ERROR: Illegal parameter value for ARCSIN function.",
        u"2003 ERROR: Illegal parameter value for ARCCOS function.",
        u"2004 ERROR: Illegal parameter value for CHR function.",
    };
    for (const TextView text : texts) {
        const std::int32_t number = std::stoi(TextToUtf8(text.substr(0, 4)));
        EXPECT_TRUE(ErrorMessage(number).has_value()) << number;
        EXPECT_EQ(ErrorText(number), text) << number;
    }
    EXPECT_EQ(ErrorMessage(1018), u"Wrong number of arguments in function '%s', expected %s.");
    EXPECT_EQ(ErrorMessage(1008), u"Unclosed single cuotes in literal string constant: '%s'");
}

TEST(ErrorText, NumbersWithoutARowGiveTheFallback) {
    for (const std::int32_t number :
         {0, -1, 1000, 1020, 1999, 2005, 9000, 9001, std::numeric_limits<std::int32_t>::min()}) {
        EXPECT_FALSE(ErrorMessage(number).has_value()) << number;
        EXPECT_EQ(ErrorText(number), u"9001 ERROR: Error description not found.") << number;
        EXPECT_EQ(ErrorText(number, {u"x", u"%s"}), kErrorDescriptionNotFound) << number;
    }
}

TEST(ErrorText, ArgumentsFillPlaceholdersInOrder) {
    struct Case {
        std::int32_t number;
        std::vector<TextView> arguments;
        TextView expected;
    };
    const Case cases[] = {
        {1005, {u"x"}, u"1005 ERROR: Division by zero."},
        {1013, {u"1abc"}, u"1013 ERROR: Illegal symbol name: '1abc'"},
        {1018,
         {u"LEFT('abc')", u"2"},
         u"1018 ERROR: Wrong number of arguments in function 'LEFT('abc')', expected 2."},
        {1016, {u"  foo "}, u"1016 ERROR: Unknown function: foo"},
        {1019, {u" \tx\t "}, u"1019 ERROR: Type mismatch in function argument: \tx\t"},
        {1012, {u"a%sb"}, u"1012 ERROR: Undefined symbol in expression: 'a%sb'"},
        {1018, {u"F(1)"}, u"1018 ERROR: Wrong number of arguments in function 'F(1)', expected ."},
        {1018, {u"", u"3"}, u"1018 ERROR: Wrong number of arguments in function '', expected 3."},
        {1018,
         {u"   ", u" 3 "},
         u"1018 ERROR: Wrong number of arguments in function '', expected 3."},
        // An inserted "%s" is passed over, so the next argument still finds its own place.
        {1018,
         {u"a%s%s", u"%s", u"x"},
         u"1018 ERROR: Wrong number of arguments in function 'a%s%s', expected %s."},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ErrorText(c.number, c.arguments), c.expected) << c.number;
    }
    EXPECT_EQ(ErrorText(1018, {u"G(1,2)", u"1"}),
              u"1018 ERROR: Wrong number of arguments in function 'G(1,2)', expected 1.");
}

} // namespace
} // namespace talmiron
