// Functions end to end: how calls are recognised, split and checked, and the edges of each.
#include "tests/e2e/evaluation_table.h"

#include <gtest/gtest.h>

namespace talmiron::e2e {
namespace {

TEST(EvaluateFunctionCalls, ArgumentsAndTheirFailures) {
    const Text nines = Text(308, u'9');
    const Text tooLong = u"1" + Text(399, u'0');
    ExpectRows({
        {u"LEFT('(,)',2)", u"(,", kStr},
        // The count is checked before any argument is evaluated ...
        {u"LEFT(1/0)",
         u"1018 ERROR: Wrong number of arguments in function 'LEFT(1/0)', expected 2.", kErr},
        // ... and an unknown function evaluates none.
        {u"foo(1/0)", u"1016 ERROR: Unknown function: foo", kErr},
        {u"LEFT(,1)", u"1003 ERROR: Operand expected.", kErr},
        // The argument goes into the message trimmed, "%s" in it untouched.
        {u"ABS(' a%sb ')", u"1019 ERROR: Type mismatch in function argument: a%sb", kErr},
        // The call text is the operand as it stands once blanks are gone.
        {u"2 * space( -1 )", CallFailure(u"space(-1)", 5), kErr},
        // Arguments go through the same object, whose state ends as the whole expression's.
        {u"UCASE(STR(1))+1", u"2", kNum},
        // The operator scan fails on line 3, reading a literal on 43; callers pass the text on.
        {nines + u"+" + nines, PolynomialFailure(6, 3), kErr},
        {u"-" + tooLong, PolynomialFailure(6, 43), kErr},
        {u"(" + tooLong + u")", PolynomialFailure(6, 43), kErr},
        {u"ABS(" + tooLong + u")", PolynomialFailure(6, 43), kErr},
        {u"LEN(STR(" + nines + u"*10))", PolynomialFailure(6, 3), kErr},
        {nines, u"1" + Text(308, u'0'), kNum},
    });
}

const Text kTiny = u"0." + Text(299, u'0') + u"1";

TEST(EvaluateFunctions, Edges) {
    ExpectRows({
        // Results that once depended on the machine's own sine and arctangent.
        {u"COS(94961194206024400000)", u"0.241505802876477", kNum},
        {u"SIN(PI())", u"0.00000000000000323108914886517", kNum},
        {u"ATN(0.83345)", u"0.694807124705287", kNum},
        {u"EXP(709)", u"821840746155497" + Text(293, u'0'), kNum},
        {u"EXP(709.78)", u"179282279439452" + Text(294, u'0'), kNum}, // scaled by 2^1024
        {u"SQR(-0.0000001)", u"2001 ERROR: Illegal parameter value for SQR function.", kErr},
        {u"ARCCOS(-1.00000000000001)", u"2003 ERROR: Illegal parameter value for ARCCOS function.",
         kErr},
        {u"ARCSIN(-1)", u"-1.5707963267949", kNum},
        // The local trap of the domain checks does not swallow argument failures.
        {u"ARCSIN(1/0)", u"1005 ERROR: Division by zero.", kErr},
        // Halves go to even on the exact binary value; the digits are a whole number.
        {u"ROUND(0.125,2)", u"0.12", kNum},
        // Not halves in binary: 1.385 lies above its half, the others below.
        {u"ROUND(1.385,2)", u"1.39", kNum},
        {u"ROUND(2.675,2)", u"2.67", kNum},
        {u"ROUND(1" + Text(300, u'0') + u",3)", u"1" + Text(300, u'0'), kNum},
        {u"ROUND(" + kTiny + u",1073)", kTiny, kNum},
        {u"ROUND(0.1,1074)", u"0.1", kNum},
        {u"ROUND(0.1,2147483647)", u"0.1", kNum},
        {u"ROUND(2.5,-0.5)", u"2", kNum},
        {u"ASC('\U0001F600')", u"63", kNum},
        {u"INSTR(1,'aaab','aab')", u"2", kNum},
        {u"INSTRREV('abc','',2)", u"2", kNum},
        // Chr checks its range before rounding, which goes to even.
        {u"CHR(66.5)", u"B", kStr},
        {u"CHR(255.4)", u"\u00FF", kStr},
        {u"HEX(0)", u"0", kStr},
        {u"HEX(-2147483648.5)", u"80000000", kStr},
        // A Hex text of digits only reads as a number again, one with letters (below) not.
        {u"HEX(9)+1", u"10", kNum},
        {u"HEX(255)+1", u"1004 ERROR: Type mismatch in expression.", kErr},
        {u"OCT(-2147483648)", u"20000000000", kNum},
        {u"-OCT(8)", u"-10", kNum},
        {u"STR(2^100)", u"1267650600228230000000000000000", kStr},
        {u"TRIM(CHR(9)+' a '+CHR(160))", u"\t a \u00A0", kStr},
        {u"UCASE('aß ǅ ı ς \u00B5 😀\xDC00')", u"Aß Ǆ I Σ \u039C 😀\xDC00", kStr},
        {u"LCASE('İ ǅ Σ ẞ \u212A 😀')", u"i ǆ σ ß k 😀", kStr},
        {u"MID('abcdef',1.5,2.5)", u"bc", kStr},
        {u"RIGHT('abcdef',10)", u"abcdef", kStr},
        // Arguments are checked in order; a failing one stops the rest.
        {u"LEFT(5,1/0)", u"1019 ERROR: Type mismatch in function argument: 5", kErr},
        {u"REPLACE('abc','','x')", u"abc", kStr},
        // 2^26 characters is the longest text; one more fails before anything is allocated.
        {u"LEN(SPACE(67108864))", u"67108864", kNum},
        {u"LEN(REPLACE(STRING(67108864,'a'),'aa','a'))", u"33554432", kNum},
        // Joining two texts is the operators' own step.
        {u"SPACE(34000000)+SPACE(34000000)", PolynomialFailure(14, 3), kErr},
    });
    ExpectAll(u"0", kNum,
              {u"SQR(0)", u"EXP(-1000)", u"ROUND(" + kTiny + u",299)", u"INSTR(4,'abc','')",
               u"INSTRREV('abc','a',4)"});
    ExpectAll(
        u"", kStr,
        {u"LEFT('abc',-0.5)", u"MID('abcdef',7,1)", u"REPLACE('abab','ab','')", u"STRING(0,'x')"});
    ExpectAll(u"3", kNum,
              {u"INSTR(2.5,'abab','ab')", u"INSTR(3,'abc','')", u"INSTRREV('aaaa','aa',-1)",
               u"INSTRREV('abc','',-1)"});
    ExpectAll(u"2002 ERROR: Illegal parameter value for ARCSIN function.", kErr,
              {u"ARCSIN(1.00000000000001)", u"ARCSIN(-1.00000000000001)"});
    ExpectAll(u"2004 ERROR: Illegal parameter value for CHR function.", kErr,
              {u"CHR(-0.4)", u"CHR(255.5)", u"CHR(10000000000)"});
    ExpectFailures(5, {u"ROUND(1,-1)", u"INSTR(0,'','')", u"INSTRREV('abcabc','c',-2)",
                       u"INSTRREV('abcabc','c',-0.5)", u"LEFT('abc',-1)", u"RIGHT('abc',-1)",
                       u"MID('abcdef',0.5,1)", u"MID('abcdef',2,-1)", u"STRING(3,'')",
                       u"STRING(-1,'x')"});
    ExpectFailures(6, {u"EXP(710)", u"ROUND(1,2147483648)", u"VAL('1e400')",
                       u"INSTR(10000000000,'abc','a')", u"INSTRREV('abcabc','c',-3000000000)",
                       u"HEX(2147483647.5)", u"HEX(-2147483649)", u"HEX(2^100)", u"OCT(2147483648)",
                       u"LEFT('abc',2147483648)", u"MID('abc',1,3000000000)"});
    ExpectFailures(14, {u"SPACE(67108865)", u"STRING(67108865,'x')",
                        u"REPLACE(STRING(1048576,'a'),'a',STRING(65,'b'))"});
}

} // namespace
} // namespace talmiron::e2e
