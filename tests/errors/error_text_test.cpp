// The message texts formulas reach are checked through Evaluate; these are
// the ones no formula reaches, the fallback, and how arguments fill a text.
#include "errors/error_text.h"

#include <gtest/gtest.h>

namespace talmiron {
namespace {

TEST(ErrorText, RowsNoFormulaReachesTheFallbackAndPlaceholders) {
    EXPECT_EQ(ErrorText(1014), u"1014 ERROR: Syntax error in function.");
    EXPECT_EQ(ErrorText(1017), u"1017 ERROR: Unmatched opening/closing parenthesis in function.");
    for (const std::int32_t number : {0, 1000, 1020, 2005, 9001}) {
        EXPECT_EQ(ErrorText(number, {u"x"}), u"9001 ERROR: Error description not found.");
    }
    // Arguments are trimmed and fill the places in order, an inserted "%s"
    // is not filled again, and a place without an argument stays empty.
    EXPECT_EQ(ErrorText(1018, {u" a%s ", u"x"}),
              u"1018 ERROR: Wrong number of arguments in function 'a%s', expected x.");
    EXPECT_EQ(ErrorText(1018, {u"   "}),
              u"1018 ERROR: Wrong number of arguments in function '', expected .");
}

} // namespace
} // namespace talmiron
