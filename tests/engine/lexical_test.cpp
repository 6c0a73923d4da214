#include "engine/lexical.h"

#include <gtest/gtest.h>

#include <string>

namespace talmiron {
namespace {

std::string Show(TextView text) {
    return TextToUtf8(text);
}

TEST(RemoveBlanks, KeepsBlanksInsideLiteralsOnly) {
    struct Case {
        const char16_t* in;
        const char16_t* out;
    };
    const Case cases[] = {
        {u"1 + 'a b' ", u"1+'a b'"},
        {u"  ", u""},
        {u"1\t+ 2", u"1\t+2"},
        {u"'it''s  x' + ' '", u"'it''s  x'+' '"},
        {u"' a ' b ' c '", u"' a 'b' c '"},
        {u"LEFT( 'x y' , 1 )", u"LEFT('x y',1)"},
        {u"'unclosed  ", u"'unclosed  "},
    };
    for (const Case& c : cases) {
        Text text = c.in;
        RemoveBlanks(text);
        EXPECT_EQ(text, c.out) << Show(c.in);
    }
}

TEST(QuotesAndLiterals, BalanceAndPosition) {
    EXPECT_TRUE(QuotesBalanced(u""));
    EXPECT_TRUE(QuotesBalanced(u"'it''s'"));
    EXPECT_FALSE(QuotesBalanced(u"'abc"));
    EXPECT_FALSE(QuotesBalanced(u"'''"));

    const TextView text = u"'a+b'+c";
    EXPECT_FALSE(InsideLiteral(text, 1)); // the opening quote
    EXPECT_TRUE(InsideLiteral(text, 3));
    EXPECT_TRUE(InsideLiteral(text, 5)); // the closing quote
    EXPECT_FALSE(InsideLiteral(text, 6));
    EXPECT_FALSE(InsideLiteral(text, 8));
    EXPECT_FALSE(InsideLiteral(text, 100));
}

TEST(QuotesAndLiterals, UnescapeAndValidate) {
    struct Case {
        const char16_t* body;
        bool valid;
        const char16_t* unescaped;
    };
    const Case cases[] = {
        {u"", true, u""},          {u"it''s", true, u"it's"},
        {u"''", true, u"'"},       {u"a''b''c", true, u"a'b'c"},
        {u"it's", false, nullptr}, {u"'''", false, nullptr},
        {u"''''", false, nullptr}, {u"'", false, nullptr},
        {u"ab'", false, nullptr},  {u"'ab", false, nullptr},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IsValidLiteralBody(c.body), c.valid) << Show(c.body);
        if (c.unescaped != nullptr) {
            Text text = c.body;
            UnescapeLiteral(text);
            EXPECT_EQ(text, c.unescaped) << Show(c.body);
        }
    }
    Text four = u"''''";
    UnescapeLiteral(four);
    EXPECT_EQ(four, u"''");
}

TEST(Names, CallsAndSymbolNames) {
    for (const TextView call : {u"SIN(1)", u"f2(x)", u"_(1)", u"@(1)", u"a(1)+(2)"}) {
        EXPECT_TRUE(LooksLikeCall(call)) << Show(call);
    }
    for (const TextView notCall : {u"(1)", u"x", u"'a'(1)", u"+(1)", u"x1+(2)", u""}) {
        EXPECT_FALSE(LooksLikeCall(notCall)) << Show(notCall);
    }
    for (const TextView name : {u"x", u"_tmp", u"@var", u"Rate2", u"a_b@c", u"", u"Z9"}) {
        EXPECT_TRUE(IsSymbolName(name)) << Show(name);
    }
    for (const TextView name : {u"2x", u"#x", u"a.b", u"a-b", u"\u00e9", u"a b", u"x\u00e9"}) {
        EXPECT_FALSE(IsSymbolName(name)) << Show(name);
    }
    EXPECT_TRUE(IsNameChar(u""));
    EXPECT_TRUE(IsNameChar(u"q"));
    EXPECT_TRUE(IsNameChar(u"7"));
    EXPECT_FALSE(IsNameChar(u"'"));
    EXPECT_FALSE(IsNameChar(u"["));
    EXPECT_FALSE(IsNameChar(u"`"));
}

} // namespace
} // namespace talmiron
