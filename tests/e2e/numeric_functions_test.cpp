// The functions with a Numeric result, end to end: the edges of each, where
// plain values are left to the language reference's examples.
#include "tests/e2e/evaluation_table.h"

#include <gtest/gtest.h>

namespace talmiron::e2e {
namespace {

const Text kTiny = u"0." + Repeat(u"0", 299) + u"1";

TEST(EvaluateNumericFunctions, Mathematics) {
    ExpectRows({
        {u"-ABS(-2)", u"-2", kNum},
        {u"SGN(0.0001)", u"1", kNum},
        {u"INT(-0.5)", u"-1", kNum},
        // Results that once depended on the machine's own sine and arctangent.
        {u"COS(94961194206024400000)", u"0.241505802876477", kNum},
        {u"SIN(PI())", u"0.00000000000000323108914886517", kNum},
        {u"ATN(0.83345)", u"0.694807124705287", kNum},
        {u"EXP(709)", u"821840746155497" + Repeat(u"0", 293), kNum},
        {u"EXP(-1000)", u"0", kNum},
        {u"LOG(-1)", u"2000 ERROR: Illegal parameter value for LOG function.", kErr},
        {u"SQR(0)", u"0", kNum},
        {u"SQR(-0.0000001)", u"2001 ERROR: Illegal parameter value for SQR function.", kErr},
        {u"ARCSIN(-1)", u"-1.5707963267949", kNum},
        {u"ARCSIN(1.00000000000001)", u"2002 ERROR: Illegal parameter value for ARCSIN function.",
         kErr},
        {u"ARCCOS(-1.00000000000001)", u"2003 ERROR: Illegal parameter value for ARCCOS function.",
         kErr},
        // The local trap of the domain checks does not swallow argument failures.
        {u"ARCSIN(1/0)", u"1005 ERROR: Division by zero.", kErr},
        {u"PI(,)", u"1018 ERROR: Wrong number of arguments in function 'PI(,)', expected 0.", kErr},
    });
    ExpectRows(Failing(6, {u"EXP(710)"}));
}

// Halves go to even on the exact binary value; the digits are a whole number.
TEST(EvaluateNumericFunctions, Round) {
    ExpectRows({
        {u"ROUND(-0.5,0)", u"0", kNum},
        {u"ROUND(2.500001,0)", u"3", kNum},
        {u"ROUND(0.125,2)", u"0.12", kNum},
        // Not halves in binary: 1.385 lies above its half, the others below.
        {u"ROUND(1.385,2)", u"1.39", kNum},
        {u"ROUND(2.675,2)", u"2.67", kNum},
        {u"ROUND(1.005,2)", u"1", kNum},
        {u"ROUND(1" + Repeat(u"0", 300) + u",3)", u"1" + Repeat(u"0", 300), kNum},
        {u"ROUND(" + kTiny + u",1073)", kTiny, kNum},
        {u"ROUND(" + kTiny + u",300)", kTiny, kNum},
        {u"ROUND(" + kTiny + u",299)", u"0", kNum},
        {u"ROUND(0.1,1074)", u"0.1", kNum},
        {u"ROUND(0.1,2147483647)", u"0.1", kNum},
        {u"ROUND(1.2355,2.5)", u"1.24", kNum},
        {u"ROUND(2.5,-0.5)", u"2", kNum},
    });
    ExpectRows(Failing(5, {u"ROUND(1,-1)"}));
    ExpectRows(Failing(6, {u"ROUND(1,2147483648)"}));
}

TEST(EvaluateNumericFunctions, MeasuringSearchingAndReadingText) {
    ExpectRows({
        {u"LEN(1+1)", u"1019 ERROR: Type mismatch in function argument: 2", kErr},
        {u"VAL('1.5e-3')", u"0.0015", kNum},
        {u"VAL(CHR(10)+'7')", u"7", kNum},
        {u"ASC(CHR(150))", u"150", kNum},
        // Characters outside Windows-1252 are "?".
        {u"ASC('\u0080')", u"63", kNum},
        {u"ASC('\u0100')", u"63", kNum},
        {u"ASC('\U0001F600')", u"63", kNum},
        {u"INSTR(3,'abcabc','c')", u"3", kNum},
        {u"INSTR(1,'aaab','aab')", u"2", kNum},
        {u"INSTR(2.5,'abab','ab')", u"3", kNum},
        {u"INSTR(3,'abc','')", u"3", kNum},
        {u"INSTR(4,'abc','')", u"0", kNum},
        {u"INSTR(1,'','')", u"0", kNum},
        {u"INSTRREV('abcabc','c',6)", u"6", kNum},
        {u"INSTRREV('abcabc','abc',5)", u"1", kNum},
        {u"INSTRREV('aaaa','aa',-1)", u"3", kNum},
        {u"INSTRREV('abc','a',4)", u"0", kNum},
        {u"INSTRREV('abc','',2)", u"2", kNum},
        {u"INSTRREV('abc','',-1)", u"3", kNum},
        {u"INSTRREV('','',-1)", u"0", kNum},
    });
    ExpectRows(Failing(6, {u"VAL('1e400')", u"INSTR(10000000000,'abc','a')",
                           u"INSTRREV('abcabc','c',-3000000000)"}));
    ExpectRows(Failing(5, {u"INSTR(0,'','')", u"INSTR(-1,'abc','a')", u"INSTRREV('abcabc','c',0)",
                           u"INSTRREV('abcabc','c',-2)", u"INSTRREV('abcabc','c',-1.5)",
                           u"INSTRREV('abcabc','c',-0.5)"}));
}

} // namespace
} // namespace talmiron::e2e
