// The built-in functions that produce text (and Oct), end to end: state
// String (Oct Numeric), no sign before them, rejections in the layout of the
// function-evaluation catch-all. The computations' own edge cases are tested
// with the computations.
#include "tests/e2e/evaluation_table.h"

#include <gtest/gtest.h>

namespace talmiron::e2e {
namespace {

const Text kChrError = u"2004 ERROR: Illegal parameter value for CHR function.";
const Text kStringSign = u"1010 ERROR: Unary operator not permitted in string-returning functions.";

TEST(EvaluateStringFunctions, CodesAndNumbersAsText) {
    ExpectRows({
        {u"CHR(65)+CHR(66)", u"AB", kStr},
        {u"CHR(66.5)", u"B", kStr},
        {u"LEN(CHR(0))", u"1", kNum},
        {u"CHR(128)", u"€", kStr},
        {u"CHR(255.4)", u"ÿ", kStr},
        {u"CHR(255.5)", kChrError, kErr},
        {u"CHR(-0.4)", kChrError, kErr},
        {u"CHR(10000000000)", kChrError, kErr},
        {u"-CHR(65)", kStringSign, kErr},
        {u"CHR('65')", u"1019 ERROR: Type mismatch in function argument: 65", kErr},
        {u"HEX(26)", u"1A", kStr},
        {u"HEX(-2147483648.5)", u"80000000", kStr},
        {u"HEX(2147483647.5)", CallFailure(u"HEX(2147483647.5)", 6), kErr},
        // A Hex text of digits only reads as a number again; one with letters does not.
        {u"HEX(9)+1", u"10", kNum},
        {u"HEX(16)+'x'", u"10x", kStr},
        {u"HEX(255)+1", u"1004 ERROR: Type mismatch in expression.", kErr},
        {u"-HEX(255)", kStringSign, kErr},
        {u"OCT(8)+1", u"11", kNum},
        {u"-OCT(8)", u"-10", kNum},
        {u"OCT(-1)", u"37777777777", kNum},
        {u"OCT(8)+'x'", u"1004 ERROR: Type mismatch in expression.", kErr},
        {u"OCT(4294967296)", CallFailure(u"OCT(4294967296)", 6), kErr},
        {u"STR(1/3)", u"0.333333333333333", kStr},
        {u"STR(0.1+0.2)", u"0.3", kStr},
        {u"STR(2^100)", u"1267650600228230000000000000000", kStr},
        {u"STR(-0)", u"0", kStr},
        {u"STR(5)+STR(6)", u"56", kStr},
        {u"STR(5)+1", u"6", kNum},
        {u"-STR(5)", kStringSign, kErr},
    });
}

TEST(EvaluateStringFunctions, TrimmingCaseAndParts) {
    ExpectRows({
        {u"TRIM('  a b  ')", u"a b", kStr},
        {u"LTRIM('  a  ')", u"a  ", kStr},
        {u"RTRIM('  a  ')", u"  a", kStr},
        {u"TRIM(CHR(9)+' a '+CHR(9))", u"\t a \t", kStr},
        {u"-TRIM('a')", kStringSign, kErr},
        {u"LTRIM(5)", u"1019 ERROR: Type mismatch in function argument: 5", kErr},
        {u"UCASE('a1_b!é')", u"A1_B!É", kStr},
        {u"LCASE('ΟΔΟΣ')", u"οδοσ", kStr},
        {u"UCASE('straße')", u"STRAßE", kStr},
        {u"+UCASE('a')", kStringSign, kErr},
        {u"left('abc',1.5)", u"ab", kStr},
        {u"LEFT('abc',2147483647)", u"abc", kStr},
        {u"LEFT('abc',-1)", CallFailure(u"LEFT('abc',-1)", 5), kErr},
        {u"LEFT('abc',2147483648)", CallFailure(u"LEFT('abc',2147483648)", 6), kErr},
        {u"RIGHT('abcdef',2)", u"ef", kStr},
        {u"RIGHT('abc',-1)", CallFailure(u"RIGHT('abc',-1)", 5), kErr},
        {u"MID('abcdef',2,3)", u"bcd", kStr},
        {u"MID('abcdef',7,1)", u"", kStr},
        {u"MID('abcdef',1.5,2.5)", u"bc", kStr},
        {u"MID('abcdef',0,1)", CallFailure(u"MID('abcdef',0,1)", 5), kErr},
        {u"MID('abc',1,3000000000)", CallFailure(u"MID('abc',1,3000000000)", 6), kErr},
        {u"MID('abc',1,2,3)",
         u"1018 ERROR: Wrong number of arguments in function 'MID('abc',1,2,3)', expected 3.",
         kErr},
        // Arguments are checked in order; a failing one stops the rest.
        {u"LEFT(5,1/0)", u"1019 ERROR: Type mismatch in function argument: 5", kErr},
        {u"LEFT('abc',1/0)", u"1005 ERROR: Division by zero.", kErr},
        {u"LEFT('abc','1')", u"1019 ERROR: Type mismatch in function argument: 1", kErr},
    });
}

TEST(EvaluateStringFunctions, ReplaceRepeatAndReverse) {
    ExpectRows({
        {u"REPLACE('aaaa','aa','a')", u"aa", kStr},
        {u"REPLACE('abc','','x')", u"abc", kStr},
        {u"REPLACE('it''s','''','`')", u"it`s", kStr},
        {u"SPACE(2.5)", u"  ", kStr},
        {u"SPACE(-1)", CallFailure(u"SPACE(-1)", 5), kErr},
        {u"STRING(3,'xy')", u"xxx", kStr},
        {u"STRING(3,'')", CallFailure(u"STRING(3,'')", 5), kErr},
        {u"STRING('3','x')", u"1019 ERROR: Type mismatch in function argument: 3", kErr},
        {u"STRREVERSE('it''s')", u"s'ti", kStr},
    });
}

TEST(EvaluateStringFunctions, TextsLongerThanTheLimitAreOutOfStringSpace) {
    ExpectRows({
        {u"SPACE(67108865)", CallFailure(u"SPACE(67108865)", 14), kErr},
        {u"LEN(SPACE(1000000000))", CallFailure(u"SPACE(1000000000)", 14), kErr},
        {u"STRING(67108865,'x')", CallFailure(u"STRING(67108865,'x')", 14), kErr},
        {u"REPLACE(SPACE(10000000),' ','1234567')",
         CallFailure(u"REPLACE(SPACE(10000000),' ','1234567')", 14), kErr},
        // Joining two texts is the operators' own step.
        {u"SPACE(34000000)+SPACE(34000000)", PolynomialFailure(14, 3), kErr},
    });
}

} // namespace
} // namespace talmiron::e2e
