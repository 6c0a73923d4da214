#include "tests/functions/call.h"

#include <gtest/gtest.h>

namespace talmiron {
namespace {

using testing::CallCase;
using testing::Describe;
using testing::Outcome;

void ExpectText(const std::vector<CallCase>& cases) {
    for (const CallCase& c : cases) {
        EXPECT_EQ(TextToUtf8(Outcome(c.name, c.arguments, false)), TextToUtf8(c.expected))
            << Describe(c);
    }
}

TEST(StringFunctions, ChrTestsItsRangeBeforeRounding) {
    ExpectText({
        {u"CHR", {u"65"}, u"A"},
        {u"CHR", {u"65.5"}, u"B"},
        {u"CHR", {u"66.5"}, u"B"},
        {u"CHR", {u"0"}, Text(1, u'\0')},
        {u"CHR", {u"-0.4"}, u"error 2004"},
        {u"CHR", {u"-1"}, u"error 2004"},
        {u"CHR", {u"254.6"}, u"\u00FF"},
        {u"CHR", {u"255"}, u"\u00FF"},
        {u"CHR", {u"255.4"}, u"\u00ff"},
        {u"CHR", {u"255.5"}, u"error 2004"},
        {u"CHR", {u"256"}, u"error 2004"},
        {u"CHR", {u"128"}, u"\u20AC"},
        {u"CHR", {u"129"}, u"\u0081"},
        {u"CHR", {u"159"}, u"\u0178"},
        {u"CHR", {u"160"}, u"\u00A0"},
    });
}

TEST(StringFunctions, HexAndOctWriteTwosComplement) {
    ExpectText({
        {u"HEX", {u"255"}, u"FF"},
        {u"HEX", {u"48879"}, u"BEEF"},
        {u"HEX", {u"0"}, u"0"},
        {u"HEX", {u"2.5"}, u"2"},
        {u"HEX", {u"3.5"}, u"4"},
        {u"HEX", {u"-1"}, u"FFFFFFFF"},
        {u"HEX", {u"-2147483648"}, u"80000000"},
        {u"HEX", {u"-2147483648.5"}, u"80000000"},
        {u"HEX", {u"2147483647"}, u"7FFFFFFF"},
        {u"HEX", {u"2147483647.5"}, u"failure 6"},
        {u"HEX", {u"-2147483649"}, u"failure 6"},
        {u"HEX", {u"4294967296"}, u"failure 6"},
        {u"OCT", {u"8"}, u"10"},
        {u"OCT", {u"0"}, u"0"},
        {u"OCT", {u"511"}, u"777"},
        {u"OCT", {u"-1"}, u"37777777777"},
        {u"OCT", {u"-2147483648"}, u"20000000000"},
        {u"OCT", {u"2147483648"}, u"failure 6"},
    });
    // Oct's digits are read by the caller as a decimal number.
    EXPECT_EQ(Outcome(u"OCT", {u"8"}, true), u"10");
}

TEST(StringFunctions, StrTrimAndCase) {
    ExpectText({
        {u"STR", {u"5"}, u"5"},
        {u"STR", {u"-0.5"}, u"-0.5"},
        {u"STR", {u"0.25"}, u"0.25"},
        {u"STR", {u"123456789012345"}, u"123456789012345"},
        {u"TRIM", {u"  a b  "}, u"a b"},
        {u"TRIM", {u"   "}, u""},
        {u"TRIM", {u"\ta\t"}, u"\ta\t"},
        {u"TRIM", {u"\u00A0a\u00A0"}, u"\u00A0a\u00A0"},
        {u"LTRIM", {u"  a  "}, u"a  "},
        {u"LTRIM", {u"   "}, u""},
        {u"RTRIM", {u"  a  "}, u"  a"},
        {u"RTRIM", {u""}, u""},
        {u"UCASE", {u"abc"}, u"ABC"},
        {u"UCASE", {u"a1-\u00E9\u00DF\u0101\u03C2\u044F"}, u"A1-\u00C9\u00DF\u0100\u03A3\u042F"},
        {u"LCASE", {u"ABC xyz"}, u"abc xyz"},
        {u"LCASE", {u"\u00C9\u0100\u01C5\u03A3\u042F\u0130"}, u"\u00E9\u0101\u01C6\u03C3\u044Fi"},
        {u"UCASE", {u"\xD83D\xDE00"}, u"\xD83D\xDE00"},
    });
}

TEST(StringFunctions, LeftRightMid) {
    ExpectText({
        {u"LEFT", {u"abc", u"5"}, u"abc"},
        {u"LEFT", {u"abc", u"0"}, u""},
        {u"LEFT", {u"abc", u"1.5"}, u"ab"},
        {u"LEFT", {u"abc", u"2.5"}, u"ab"},
        {u"LEFT", {u"abc", u"-0.5"}, u""},
        {u"LEFT", {u"abc", u"-1"}, u"failure 5"},
        {u"LEFT", {u"abc", u"10000000000"}, u"failure 6"},
        {u"RIGHT", {u"abcdef", u"2"}, u"ef"},
        {u"RIGHT", {u"abcdef", u"6"}, u"abcdef"},
        {u"RIGHT", {u"abcdef", u"10"}, u"abcdef"},
        {u"RIGHT", {u"abc", u"0"}, u""},
        {u"RIGHT", {u"", u"3"}, u""},
        {u"RIGHT", {u"abc", u"-1"}, u"failure 5"},
        {u"MID", {u"abcdef", u"2", u"3"}, u"bcd"},
        {u"MID", {u"abcdef", u"2", u"100"}, u"bcdef"},
        {u"MID", {u"abcdef", u"6", u"1"}, u"f"},
        {u"MID", {u"abcdef", u"7", u"1"}, u""},
        {u"MID", {u"abcdef", u"10", u"2"}, u""},
        {u"MID", {u"abcdef", u"1.5", u"2"}, u"bc"},
        {u"MID", {u"abcdef", u"2", u"2.5"}, u"bc"},
        {u"MID", {u"abcdef", u"2", u"-0.4"}, u""},
        {u"MID", {u"abcdef", u"2", u"0"}, u""},
        {u"MID", {u"abcdef", u"0", u"1"}, u"failure 5"},
        {u"MID", {u"abcdef", u"0.5", u"1"}, u"failure 5"},
        {u"MID", {u"abcdef", u"2", u"-1"}, u"failure 5"},
        {u"MID", {u"abcdef", u"2", u"3000000000"}, u"failure 6"},
        {u"MID", {u"abcdef", u"3000000000", u"1"}, u"failure 6"},
    });
}

TEST(StringFunctions, ReplaceSpaceStringStrReverse) {
    ExpectText({
        {u"REPLACE", {u"aAa", u"a", u"b"}, u"bAb"},
        {u"REPLACE", {u"aaa", u"aa", u"b"}, u"ba"},
        {u"REPLACE", {u"aaaa", u"aa", u"a"}, u"aa"},
        {u"REPLACE", {u"abcabc", u"bc", u"XYZ"}, u"aXYZaXYZ"},
        {u"REPLACE", {u"abab", u"ab", u""}, u""},
        {u"REPLACE", {u"abc", u"", u"x"}, u"abc"},
        {u"REPLACE", {u"", u"a", u"b"}, u""},
        {u"REPLACE", {u"a", u"abc", u"x"}, u"a"},
        {u"REPLACE", {u"a.b", u".", u".."}, u"a..b"},
        {u"SPACE", {u"3"}, u"   "},
        {u"SPACE", {u"0"}, u""},
        {u"SPACE", {u"2.5"}, u"  "},
        {u"SPACE", {u"-1"}, u"failure 5"},
        {u"STRING", {u"3", u"xy"}, u"xxx"},
        {u"STRING", {u"0", u"x"}, u""},
        {u"STRING", {u"3", u""}, u"failure 5"},
        {u"STRING", {u"-1", u"x"}, u"failure 5"},
        {u"STRREVERSE", {u"abc"}, u"cba"},
        {u"STRREVERSE", {u""}, u""},
        {u"STRREVERSE", {u"a b"}, u"b a"},
    });
}

// 2^26 characters is the longest text; one more is out of string space,
// found before anything is allocated.
TEST(StringFunctions, ResultsLongerThanTheLimitAreOutOfStringSpace) {
    ExpectText({
        {u"SPACE", {u"67108865"}, u"failure 14"},
        {u"SPACE", {u"1000000000"}, u"failure 14"},
        {u"SPACE", {u"2147483647"}, u"failure 14"},
        {u"STRING", {u"67108865", u"x"}, u"failure 14"},
        {u"STRING", {u"1000000000", u"x"}, u"failure 14"},
        // 2^20 characters, each made 65: 2^26 + 2^20.
        {u"REPLACE", {Text(1 << 20, u'a'), u"a", Text(65, u'b')}, u"failure 14"},
        // A replacement that shrinks one of them keeps the result in bounds.
        {u"REPLACE", {Text(1 << 20, u'a') + u"cd", u"cd", u""}, Text(1 << 20, u'a')},
    });
    const auto longest = testing::Call(u"SPACE", {u"67108864"});
    EXPECT_EQ(longest.value.GetText().size(), kMaxTextLength);
    EXPECT_EQ(longest.value.GetText().find_first_not_of(u' '), Text::npos);
}

} // namespace
} // namespace talmiron
