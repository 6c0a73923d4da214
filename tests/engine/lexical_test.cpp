// What a formula cannot aim at: positions at and past the ends of a
// literal, and the edges of the name tests. The rest shows through Evaluate.
#include "engine/lexical.h"

#include <gtest/gtest.h>

namespace talmiron {
namespace {

TEST(Lexical, EdgesOfLiteralsAndNames) {
    const TextView text = u"'a+b'+c";
    EXPECT_FALSE(InsideLiteral(text, 1)); // the opening quote
    EXPECT_TRUE(InsideLiteral(text, 5));  // the closing quote
    EXPECT_FALSE(InsideLiteral(text, 6));
    EXPECT_FALSE(InsideLiteral(text, 8));
    EXPECT_FALSE(InsideLiteral(text, 100));
    EXPECT_TRUE(IsNameChar(u""));
    EXPECT_FALSE(IsNameChar(u"`"));
    EXPECT_FALSE(IsNameChar(u"["));
    EXPECT_TRUE(LooksLikeCall(u"a(1)+(2)"));
    EXPECT_FALSE(LooksLikeCall(u""));
}

} // namespace
} // namespace talmiron
