// The built-in functions that produce text (and Oct), end to end.
#include "tests/e2e/evaluation_table.h"

#include <gtest/gtest.h>

namespace talmiron::e2e {
namespace {

const Text kChrError = u"2004 ERROR: Illegal parameter value for CHR function.";
const Text kStringSign = u"1010 ERROR: Unary operator not permitted in string-returning functions.";

TEST(EvaluateStringFunctions, ChrUsesWindows1252) {
    ExpectRows({
        {u"CHR(65)", u"A", kStr},
        {u"CHR(97)", u"a", kStr},
        {u"CHR(32)", u" ", kStr},
        {u"CHR(65.5)", u"B", kStr},
        {u"CHR(66.5)", u"B", kStr},
        {u"CHR(0)", Text(1, u'\0'), kStr},
        {u"CHR(0.4)", Text(1, u'\0'), kStr},
        {u"LEN(CHR(0))", u"1", kNum},
        {u"CHR(128)", u"€", kStr},
        {u"CHR(150)", u"–", kStr},
        {u"CHR(159)", u"Ÿ", kStr},
        {u"CHR(233)", u"é", kStr},
        {u"CHR(255.4)", u"ÿ", kStr},
        {u"CHR(65)+CHR(66)", u"AB", kStr},
        // The range is tested before rounding.
        {u"CHR(255.5)", kChrError, kErr},
        {u"CHR(-0.4)", kChrError, kErr},
        {u"CHR(256)", kChrError, kErr},
        {u"CHR(-1)", kChrError, kErr},
        {u"CHR(10000000000)", kChrError, kErr},
        {u"-CHR(65)", kStringSign, kErr},
        {u"CHR('65')", u"1019 ERROR: Type mismatch in function argument: 65", kErr},
    });
}

TEST(EvaluateStringFunctions, HexIsAString) {
    ExpectRows({
        {u"HEX(255)", u"FF", kStr},
        {u"HEX(8)", u"8", kStr},
        {u"HEX(26)", u"1A", kStr},
        {u"HEX(0)", u"0", kStr},
        {u"HEX(2.5)", u"2", kStr},
        {u"HEX(3.5)", u"4", kStr},
        {u"HEX(-1)", u"FFFFFFFF", kStr},
        {u"HEX(-2)", u"FFFFFFFE", kStr},
        {u"HEX(2147483647)", u"7FFFFFFF", kStr},
        {u"HEX(-2147483648)", u"80000000", kStr},
        {u"HEX(-2147483648.5)", u"80000000", kStr},
        {u"HEX(2147483648)", CallFailure(u"HEX(2147483648)", 6), kErr},
        {u"HEX(2147483647.5)", CallFailure(u"HEX(2147483647.5)", 6), kErr},
        {u"HEX(4294967296)", CallFailure(u"HEX(4294967296)", 6), kErr},
        {u"HEX(9)+1", u"10", kNum},
        {u"HEX(16)+'x'", u"10x", kStr},
        {u"HEX(255)+1", u"1004 ERROR: Type mismatch in expression.", kErr},
        {u"-HEX(255)", kStringSign, kErr},
        {u"HEX('FF')", u"1019 ERROR: Type mismatch in function argument: FF", kErr},
    });
}

TEST(EvaluateStringFunctions, OctIsANumber) {
    ExpectRows({
        {u"OCT(8)", u"10", kNum},
        {u"OCT(8)+1", u"11", kNum},
        {u"-OCT(8)", u"-10", kNum},
        {u"OCT(0)", u"0", kNum},
        {u"OCT(64)", u"100", kNum},
        {u"OCT(7.5)", u"10", kNum},
        {u"OCT(-1)", u"37777777777", kNum},
        {u"OCT(-2147483648)", u"20000000000", kNum},
        {u"OCT(8)+'x'", u"1004 ERROR: Type mismatch in expression.", kErr},
        {u"OCT(4294967296)", CallFailure(u"OCT(4294967296)", 6), kErr},
    });
}

TEST(EvaluateStringFunctions, Str) {
    ExpectRows({
        {u"STR(5)", u"5", kStr},
        {u"STR(007)", u"7", kStr},
        {u"STR(-0.5)", u"-0.5", kStr},
        {u"STR(1/4)", u"0.25", kStr},
        {u"STR(1/3)", u"0.333333333333333", kStr},
        {u"STR(0.1+0.2)", u"0.3", kStr},
        {u"STR(1234567890123456)", u"1234567890123460", kStr},
        {u"STR(2^100)", u"1267650600228230000000000000000", kStr},
        {u"STR(0.00000015)", u"0.00000015", kStr},
        {u"STR(-0)", u"0", kStr},
        {u"STR(5)+STR(6)", u"56", kStr},
        {u"STR(5)+1", u"6", kNum},
        {u"-STR(5)", kStringSign, kErr},
        {u"STR('5')", u"1019 ERROR: Type mismatch in function argument: 5", kErr},
    });
}

TEST(EvaluateStringFunctions, TrimmingRemovesBlanksOnly) {
    ExpectRows({
        {u"TRIM('  a b  ')", u"a b", kStr},
        {u"LTRIM('  a  ')", u"a  ", kStr},
        {u"RTRIM('  a  ')", u"  a", kStr},
        {u"TRIM('')", u"", kStr},
        {u"TRIM('   ')", u"", kStr},
        {u"TRIM(CHR(9)+' a '+CHR(9))", u"\t a \t", kStr},
        {u"LTRIM(CHR(160)+'a')", u"\u00A0a", kStr},
        {u"-TRIM('a')", kStringSign, kErr},
        {u"LTRIM(5)", u"1019 ERROR: Type mismatch in function argument: 5", kErr},
    });
}

TEST(EvaluateStringFunctions, CaseMappingCoversUnicode) {
    ExpectRows({
        {u"UCASE('abc')", u"ABC", kStr},
        {u"LCASE('ABC')", u"abc", kStr},
        {u"LCASE('MiXeD')", u"mixed", kStr},
        {u"UCASE('a1_b!')", u"A1_B!", kStr},
        {u"UCASE('')", u"", kStr},
        {u"UCASE('é')", u"É", kStr},
        {u"LCASE('É')", u"é", kStr},
        {u"UCASE('ÿ')", u"Ÿ", kStr},
        {u"UCASE('αβγ')", u"ΑΒΓ", kStr},
        {u"LCASE('ΑΒΓ')", u"αβγ", kStr},
        // Simple mapping: no final sigma, no expansion of ß.
        {u"LCASE('ΟΔΟΣ')", u"οδοσ", kStr},
        {u"UCASE('straße')", u"STRAßE", kStr},
        {u"UCASE('привет')", u"ПРИВЕТ", kStr},
        {u"LCASE('ПРИВЕТ')", u"привет", kStr},
        {u"-UCASE('a')", kStringSign, kErr},
        {u"+UCASE('a')", kStringSign, kErr},
    });
}

TEST(EvaluateStringFunctions, LeftRightMid) {
    ExpectRows({
        {u"LEFT('abc',1)", u"a", kStr},
        {u"left('abc',1)", u"a", kStr},
        {u"LEFT('abc',5)", u"abc", kStr},
        {u"LEFT('abc',0)", u"", kStr},
        {u"LEFT('abc',1.5)", u"ab", kStr},
        {u"LEFT('abc',2.5)", u"ab", kStr},
        {u"LEFT('',2)", u"", kStr},
        {u"LEFT('abc',2147483647)", u"abc", kStr},
        {u"LEFT('abc',-1)", CallFailure(u"LEFT('abc',-1)", 5), kErr},
        {u"LEFT('abc',2147483648)", CallFailure(u"LEFT('abc',2147483648)", 6), kErr},
        {u"RIGHT('abcdef',2)", u"ef", kStr},
        {u"RIGHT('abc',5)", u"abc", kStr},
        {u"RIGHT('abc',0)", u"", kStr},
        {u"RIGHT('abc',0.5)", u"", kStr},
        {u"RIGHT('abc',-1)", CallFailure(u"RIGHT('abc',-1)", 5), kErr},
        {u"MID('abcdef',2,3)", u"bcd", kStr},
        {u"MID('abcdef',5,10)", u"ef", kStr},
        {u"MID('abcdef',2,0)", u"", kStr},
        {u"MID('abcdef',10,2)", u"", kStr},
        {u"MID('abcdef',7,1)", u"", kStr},
        {u"MID('abcdef',1.5,2)", u"bc", kStr},
        {u"MID('abcdef',2,1.5)", u"bc", kStr},
        {u"MID('abcdef',2,2.5)", u"bc", kStr},
        {u"MID('abcdef',0,1)", CallFailure(u"MID('abcdef',0,1)", 5), kErr},
        {u"MID('abcdef',-1,1)", CallFailure(u"MID('abcdef',-1,1)", 5), kErr},
        {u"MID('abcdef',2,-1)", CallFailure(u"MID('abcdef',2,-1)", 5), kErr},
        {u"MID('abc',1,3000000000)", CallFailure(u"MID('abc',1,3000000000)", 6), kErr},
        {u"MID('abc',1,2,3)",
         u"1018 ERROR: Wrong number of arguments in function 'MID('abc',1,2,3)', expected 3.",
         kErr},
        // Arguments are checked in order; a failing one stops the rest.
        {u"LEFT(5,1)", u"1019 ERROR: Type mismatch in function argument: 5", kErr},
        {u"LEFT(5,1/0)", u"1019 ERROR: Type mismatch in function argument: 5", kErr},
        {u"LEFT('abc',1/0)", u"1005 ERROR: Division by zero.", kErr},
        {u"LEFT('abc','1')", u"1019 ERROR: Type mismatch in function argument: 1", kErr},
    });
}

TEST(EvaluateStringFunctions, Replace) {
    ExpectRows({
        {u"REPLACE('aAa','a','b')", u"bAb", kStr},
        {u"REPLACE('aaa','aa','b')", u"ba", kStr},
        {u"REPLACE('aaaa','aa','a')", u"aa", kStr},
        {u"REPLACE('abab','ab','ba')", u"baba", kStr},
        {u"REPLACE('x','x','xx')", u"xx", kStr},
        {u"REPLACE('abc','b','')", u"ac", kStr},
        {u"REPLACE('abc','abc','')", u"", kStr},
        {u"REPLACE('abc','','x')", u"abc", kStr},
        {u"REPLACE('','a','b')", u"", kStr},
        {u"REPLACE('a b',' ','-')", u"a-b", kStr},
        {u"REPLACE('it''s','''','`')", u"it`s", kStr},
    });
}

TEST(EvaluateStringFunctions, SpaceStringStrReverse) {
    ExpectRows({
        {u"SPACE(3)", u"   ", kStr},
        {u"SPACE(0)", u"", kStr},
        {u"SPACE(2.5)", u"  ", kStr},
        {u"SPACE(-1)", CallFailure(u"SPACE(-1)", 5), kErr},
        {u"SPACE(2147483648)", CallFailure(u"SPACE(2147483648)", 6), kErr},
        {u"STRING(3,'xy')", u"xxx", kStr},
        {u"STRING(0,'x')", u"", kStr},
        {u"STRING(1.5,'a')", u"aa", kStr},
        {u"STRING(2,'é')", u"éé", kStr},
        {u"STRING(3,'')", CallFailure(u"STRING(3,'')", 5), kErr},
        {u"STRING(-1,'x')", CallFailure(u"STRING(-1,'x')", 5), kErr},
        {u"STRING('3','x')", u"1019 ERROR: Type mismatch in function argument: 3", kErr},
        {u"STRING(3,5)", u"1019 ERROR: Type mismatch in function argument: 5", kErr},
        {u"STRREVERSE('abc')", u"cba", kStr},
        {u"STRREVERSE('')", u"", kStr},
        {u"STRREVERSE('a b')", u"b a", kStr},
        {u"STRREVERSE('it''s')", u"s'ti", kStr},
    });
}

TEST(EvaluateStringFunctions, TextsLongerThanTheLimitAreOutOfStringSpace) {
    ExpectRows({
        {u"SPACE(1000000000)", CallFailure(u"SPACE(1000000000)", 14), kErr},
        {u"SPACE(67108865)", CallFailure(u"SPACE(67108865)", 14), kErr},
        {u"STRING(1000000000,'x')", CallFailure(u"STRING(1000000000,'x')", 14), kErr},
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
