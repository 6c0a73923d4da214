// The built-in functions with a Numeric result, end to end: their results
// come back as canonical number text, their rejections in the layout of the
// function-evaluation catch-all. The computations' own edge cases are tested
// with the computations.
#include "tests/e2e/evaluation_table.h"

#include <gtest/gtest.h>

namespace talmiron::e2e {
namespace {

TEST(EvaluateNumericFunctions, MathematicsAndDomainErrors) {
    ExpectRows({
        {u"ABS(-2.5)", u"2.5", kNum},
        {u"-ABS(-2)", u"-2", kNum},
        {u"-ROUND(0.4,0)", u"0", kNum},
        {u"SGN(-0.001)", u"-1", kNum},
        {u"INT(-2.5)", u"-3", kNum},
        {u"INT(0.999999999999999)", u"0", kNum},
        {u"SIN(1)", u"0.841470984807897", kNum},
        {u"sIn(-1)", u"-0.841470984807897", kNum},
        {u"COS(PI())", u"-1", kNum},
        {u"TAN(1)", u"1.5574077246549", kNum},
        {u"ATN(1)*4", u"3.14159265358979", kNum},
        // Results that once depended on the machine's own sine and arctangent.
        {u"COS(94961194206024400000)", u"0.241505802876477", kNum},
        {u"SIN(PI())", u"0.00000000000000323108914886517", kNum},
        {u"ATN(0.83345)", u"0.694807124705287", kNum},
        {u"EXP(-1)", u"0.367879441171442", kNum},
        {u"LOG(EXP(2))", u"2", kNum},
        {u"SQR(0.25)", u"0.5", kNum},
        {u"ARCSIN(-1)", u"-1.5707963267949", kNum},
        {u"ARCCOS(-0.5)", u"2.0943951023932", kNum},
        {u"PI()*2", u"6.28318530717958", kNum},
        {u"PI( )", u"3.14159265358979", kNum},
        {u"ROUND(1234.5678,2)", u"1234.57", kNum},
        {u"ROUND(-2.5,0)", u"-2", kNum},
        {u"ROUND(1.2355,2.5)", u"1.24", kNum},
        {u"LOG(0)", u"2000 ERROR: Illegal parameter value for LOG function.", kErr},
        {u"SQR(-0.0001)", u"2001 ERROR: Illegal parameter value for SQR function.", kErr},
        {u"ARCSIN(1.0000001)", u"2002 ERROR: Illegal parameter value for ARCSIN function.", kErr},
        {u"ARCCOS(-2)", u"2003 ERROR: Illegal parameter value for ARCCOS function.", kErr},
        // The local trap of the domain checks does not swallow argument failures.
        {u"ARCSIN(1/0)", u"1005 ERROR: Division by zero.", kErr},
        {u"EXP(1000)", CallFailure(u"EXP(1000)", 6), kErr},
        {u"1+EXP(710)", CallFailure(u"EXP(710)", 6), kErr},
        {u"ROUND(1.25,-1)", CallFailure(u"ROUND(1.25,-1)", 5), kErr},
        {u"ROUND(1.5,3000000000)", CallFailure(u"ROUND(1.5,3000000000)", 6), kErr},
        {u"ABS('a')", u"1019 ERROR: Type mismatch in function argument: a", kErr},
        {u"ROUND(2.5)",
         u"1018 ERROR: Wrong number of arguments in function 'ROUND(2.5)', expected 2.", kErr},
        {u"PI(,)", u"1018 ERROR: Wrong number of arguments in function 'PI(,)', expected 0.", kErr},
        {u"PI", u"1012 ERROR: Undefined symbol in expression: 'PI'", kErr},
        {u"SQRT(4)", u"1016 ERROR: Unknown function: SQRT", kErr},
    });
}

TEST(EvaluateNumericFunctions, MeasuringSearchingAndReadingText) {
    ExpectRows({
        {u"LEN('it''s')", u"4", kNum},
        {u"LEN('😀')", u"2", kNum},
        {u"LEN('a'+'bc')", u"3", kNum},
        {u"2*-LEN('abc')", u"-6", kNum},
        {u"VAL(' 1 2')", u"12", kNum},
        {u"VAL('1.5e-3')", u"0.0015", kNum},
        {u"VAL('&H1F')", u"31", kNum},
        {u"VAL(CHR(10)+'7')", u"7", kNum},
        {u"VAL('0.30000000000000004')", u"0.3", kNum},
        {u"ASC('€')", u"128", kNum},
        {u"ASC('α')", u"63", kNum},
        {u"ASC(CHR(150))", u"150", kNum},
        {u"INSTR(4,'abcabc','c')", u"6", kNum},
        {u"INSTR(2.5,'abab','a')", u"3", kNum},
        {u"INSTR(3,'abc','')", u"3", kNum},
        {u"iNsTr(1,'abc','C')", u"0", kNum},
        {u"INSTRREV('abcabc','bc',5)", u"2", kNum},
        {u"INSTRREV('abcabc','c',-1)", u"6", kNum},
        {u"LEN(5)", u"1019 ERROR: Type mismatch in function argument: 5", kErr},
        {u"LEN(1+1)", u"1019 ERROR: Type mismatch in function argument: 2", kErr},
        {u"INSTR('1','abc','b')", u"1019 ERROR: Type mismatch in function argument: 1", kErr},
        {u"INSTR('abc','b')",
         u"1018 ERROR: Wrong number of arguments in function 'INSTR('abc','b')', expected 3.",
         kErr},
        {u"VAL('1e400')", CallFailure(u"VAL('1e400')", 6), kErr},
        {u"ASC('')", CallFailure(u"ASC('')", 5), kErr},
        {u"INSTR(0,'','')", CallFailure(u"INSTR(0,'','')", 5), kErr},
        {u"INSTR(3000000000,'a','a')", CallFailure(u"INSTR(3000000000,'a','a')", 6), kErr},
        {u"INSTRREV('abcabc','c',-2)", CallFailure(u"INSTRREV('abcabc','c',-2)", 5), kErr},
    });
}

} // namespace
} // namespace talmiron::e2e
