// The message texts formulas reach are checked through Evaluate; these are
// the ones no formula reaches, the fallback, and how arguments fill a text.
#include "errors/error_text.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <vector>

namespace talmiron {
namespace {

TEST(ErrorText, RowsNoFormulaReachesAndTheFallback) {
    EXPECT_EQ(ErrorText(1014), u"1014 ERROR: Syntax error in function.");
    EXPECT_EQ(ErrorText(1017), u"1017 ERROR: Unmatched opening/closing parenthesis in function.");
    for (const std::int32_t number :
         {0, -1, 1000, 1020, 1999, 2005, 9001, std::numeric_limits<std::int32_t>::min()}) {
        EXPECT_FALSE(ErrorMessage(number).has_value()) << number;
        EXPECT_EQ(ErrorText(number, {u"x", u"%s"}), kErrorDescriptionNotFound) << number;
    }
    EXPECT_EQ(kErrorDescriptionNotFound, u"9001 ERROR: Error description not found.");
}

TEST(ErrorText, ArgumentsFillPlaceholdersInOrder) {
    struct Case {
        std::int32_t number;
        std::vector<TextView> arguments;
        TextView expected;
    };
    const Case cases[] = {
        {1005, {u"x"}, u"1005 ERROR: Division by zero."},
        {1013, {}, u"1013 ERROR: Illegal symbol name: ''"},
        {1016, {u"  foo "}, u"1016 ERROR: Unknown function: foo"},
        {1019, {u" \tx\t "}, u"1019 ERROR: Type mismatch in function argument: \tx\t"},
        {1018, {u"F(1)"}, u"1018 ERROR: Wrong number of arguments in function 'F(1)', expected ."},
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
}

} // namespace
} // namespace talmiron
