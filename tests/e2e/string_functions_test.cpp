// The functions that give text (and Oct), end to end: the edges of each,
// where plain values are left to the language reference's examples.
#include "tests/e2e/evaluation_table.h"

#include <gtest/gtest.h>

namespace talmiron::e2e {
namespace {

const Text kChrError = u"2004 ERROR: Illegal parameter value for CHR function.";
const Text kTypeMismatch = u"1004 ERROR: Type mismatch in expression.";

TEST(EvaluateStringFunctions, CodesAndNumbersAsText) {
    ExpectRows({
        // Chr checks its range before rounding, which goes to even.
        {u"CHR(66.5)", u"B", kStr},
        {u"CHR(255.4)", u"\u00FF", kStr},
        {u"LEN(CHR(0))", u"1", kNum},
        {u"CHR(129)", u"\u0081", kStr},
        {u"HEX(0)", u"0", kStr},
        {u"HEX(2.5)", u"2", kStr},
        {u"HEX(2147483647)", u"7FFFFFFF", kStr},
        {u"HEX(-2147483648.5)", u"80000000", kStr},
        // A Hex text of digits only reads as a number again, one with letters (below) not.
        {u"HEX(9)+1", u"10", kNum},
        {u"OCT(0)", u"0", kNum},
        {u"OCT(-2147483648)", u"20000000000", kNum},
        {u"-OCT(8)", u"-10", kNum},
        {u"STR(-0)", u"0", kStr},
        {u"STR(2^100)", u"1267650600228230000000000000000", kStr},
    });
    ExpectRows(Giving(kChrError, kErr, {u"CHR(-0.4)", u"CHR(255.5)", u"CHR(10000000000)"}));
    ExpectRows(Giving(kTypeMismatch, kErr, {u"HEX(255)+1", u"OCT(8)+'x'"}));
    ExpectRows(
        Failing(6, {u"HEX(2147483647.5)", u"HEX(-2147483649)", u"HEX(2^100)", u"OCT(2147483648)"}));
}

TEST(EvaluateStringFunctions, TrimmingCaseAndParts) {
    ExpectRows({
        // Only the blank is trimmed.
        {u"TRIM(CHR(9)+' a '+CHR(160))", u"\t a \u00A0", kStr},
        {u"LTRIM('   ')", u"", kStr},
        // The simple mapping keeps the length; surrogates stay.
        {u"UCASE('aß ǅ ı ς \u00B5 😀\xDC00')", u"Aß Ǆ I Σ \u039C 😀\xDC00", kStr},
        {u"LCASE('İ ǅ Σ ẞ \u212A 😀')", u"i ǆ σ ß k 😀", kStr},
        {u"LEFT('abc',2.5)", u"ab", kStr},
        {u"LEFT('abc',-0.5)", u"", kStr},
        {u"LEFT('abc',2147483647)", u"abc", kStr},
        {u"RIGHT('abcdef',10)", u"abcdef", kStr},
        {u"MID('abcdef',7,1)", u"", kStr},
        {u"MID('abcdef',1.5,2.5)", u"bc", kStr},
        {u"MID('abcdef',2,-0.4)", u"", kStr},
        // Arguments are checked in order; a failing one stops the rest.
        {u"LEFT(5,1/0)", u"1019 ERROR: Type mismatch in function argument: 5", kErr},
    });
    ExpectRows(Failing(
        5, {u"LEFT('abc',-1)", u"RIGHT('abc',-1)", u"MID('abcdef',0.5,1)", u"MID('abcdef',2,-1)"}));
    ExpectRows(Failing(
        6, {u"LEFT('abc',2147483648)", u"MID('abc',1,3000000000)", u"MID('abc',3000000000,1)"}));
}

TEST(EvaluateStringFunctions, ReplaceRepeatAndReverse) {
    ExpectRows({
        {u"REPLACE('aaaa','aa','a')", u"aa", kStr},
        {u"REPLACE('abab','ab','')", u"", kStr},
        {u"REPLACE('abc','','x')", u"abc", kStr},
        {u"REPLACE('a.b','.','..')", u"a..b", kStr},
        {u"SPACE(2.5)", u"  ", kStr},
        {u"STRING(0,'x')", u"", kStr},
        {u"STRREVERSE('it''s')", u"s'ti", kStr},
    });
    ExpectRows(Failing(5, {u"STRING(3,'')", u"STRING(-1,'x')"}));
}

// 2^26 characters is the longest text; one more is out of string space,
// found before anything is allocated.
TEST(EvaluateStringFunctions, TextsLongerThanTheLimitAreOutOfStringSpace) {
    ExpectRows({
        {u"LEN(SPACE(67108864))", u"67108864", kNum},
        {u"LEN(REPLACE(STRING(67108864,'a'),'aa','a'))", u"33554432", kNum},
        // Joining two texts is the operators' own step.
        {u"SPACE(34000000)+SPACE(34000000)", PolynomialFailure(14, 3), kErr},
    });
    ExpectRows(Failing(14, {u"SPACE(67108865)", u"SPACE(2147483647)", u"STRING(67108865,'x')",
                            u"REPLACE(STRING(1048576,'a'),'a',STRING(65,'b'))"}));
}

} // namespace
} // namespace talmiron::e2e
