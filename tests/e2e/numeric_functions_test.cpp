// The built-in functions with a Numeric result, end to end.
#include "tests/e2e/evaluation_table.h"

#include <gtest/gtest.h>

namespace talmiron::e2e {
namespace {

TEST(EvaluateNumericFunctions, AbsSgnInt) {
    ExpectRows({
        {u"ABS(-2.5)", u"2.5", kNum},
        {u"ABS(3)", u"3", kNum},
        {u"ABS(0)", u"0", kNum},
        {u"ABS(-0.001)", u"0.001", kNum},
        {u"-ABS(-2)", u"-2", kNum},
        {u"-SGN(-1)", u"1", kNum},
        {u"-ROUND(0.4,0)", u"0", kNum},
        {u"ABS('a')", u"1019 ERROR: Type mismatch in function argument: a", kErr},
        {u"SGN(-7)", u"-1", kNum},
        {u"SGN(0)", u"0", kNum},
        {u"SGN(3.2)", u"1", kNum},
        {u"SGN(-0.001)", u"-1", kNum},
        {u"INT(2.7)", u"2", kNum},
        {u"INT(-2.3)", u"-3", kNum},
        {u"INT(2.5)", u"2", kNum},
        {u"INT(-2.5)", u"-3", kNum},
        {u"INT(5)", u"5", kNum},
        {u"INT(-0.5)", u"-1", kNum},
        {u"INT(0.999999999999999)", u"0", kNum},
    });
}

TEST(EvaluateNumericFunctions, Trigonometry) {
    ExpectRows({
        {u"SIN(0)", u"0", kNum},
        {u"SIN(1)", u"0.841470984807897", kNum},
        {u"SIN(-1)", u"-0.841470984807897", kNum},
        {u"COS(0)", u"1", kNum},
        {u"COS(1)", u"0.54030230586814", kNum},
        {u"COS(PI())", u"-1", kNum},
        {u"TAN(0)", u"0", kNum},
        {u"TAN(1)", u"1.5574077246549", kNum},
        {u"ATN(0)", u"0", kNum},
        {u"ATN(1)", u"0.785398163397448", kNum},
        {u"ATN(-1)", u"-0.785398163397448", kNum},
        {u"ATN(1)*4", u"3.14159265358979", kNum},
        {u"sin(0)", u"0", kNum},
        {u"Sin(0)", u"0", kNum},
        {u"sIn(0)", u"0", kNum},
    });
}

TEST(EvaluateNumericFunctions, ArcsinAndArccos) {
    const Text arcsinError = u"2002 ERROR: Illegal parameter value for ARCSIN function.";
    const Text arccosError = u"2003 ERROR: Illegal parameter value for ARCCOS function.";
    ExpectRows({
        {u"ARCSIN(0)", u"0", kNum},
        {u"ARCSIN(0.5)", u"0.523598775598299", kNum},
        {u"ARCSIN(-0.5)", u"-0.523598775598299", kNum},
        {u"ARCSIN(1)", u"1.5707963267949", kNum},
        {u"ARCSIN(-1)", u"-1.5707963267949", kNum},
        {u"ARCSIN(2)", arcsinError, kErr},
        {u"ARCSIN(-1.5)", arcsinError, kErr},
        {u"ARCSIN(1.0000001)", arcsinError, kErr},
        {u"ARCCOS(0)", u"1.5707963267949", kNum},
        {u"ARCCOS(0.5)", u"1.0471975511966", kNum},
        {u"ARCCOS(-0.5)", u"2.0943951023932", kNum},
        {u"ARCCOS(1)", u"0", kNum},
        {u"ARCCOS(-1)", u"3.14159265358979", kNum},
        {u"ARCCOS(2)", arccosError, kErr},
        {u"ARCCOS(-2)", arccosError, kErr},
        // The local trap of these two does not swallow argument failures.
        {u"ARCSIN(1/0)", u"1005 ERROR: Division by zero.", kErr},
        {u"ASIN(1)", u"1016 ERROR: Unknown function: ASIN", kErr},
    });
}

TEST(EvaluateNumericFunctions, ExpLogSqr) {
    const Text logError = u"2000 ERROR: Illegal parameter value for LOG function.";
    const Text sqrError = u"2001 ERROR: Illegal parameter value for SQR function.";
    ExpectRows({
        {u"EXP(0)", u"1", kNum},
        {u"EXP(1)", u"2.71828182845905", kNum},
        {u"EXP(-1)", u"0.367879441171442", kNum},
        {u"EXP(-1000)", u"0", kNum},
        {u"EXP(1000)", CallFailure(u"EXP(1000)", 6), kErr},
        {u"1+EXP(710)", CallFailure(u"EXP(710)", 6), kErr},
        {u"LOG(1)", u"0", kNum},
        {u"LOG(10)", u"2.30258509299405", kNum},
        {u"LOG(0.5)", u"-0.693147180559945", kNum},
        {u"LOG(EXP(2))", u"2", kNum},
        {u"LOG(0)", logError, kErr},
        {u"LOG(-1)", logError, kErr},
        {u"SQR(0)", u"0", kNum},
        {u"SQR(4)", u"2", kNum},
        {u"SQR(0.25)", u"0.5", kNum},
        {u"SQR(2)", u"1.4142135623731", kNum},
        {u"SQR(-4)", sqrError, kErr},
        {u"SQR(-0.0001)", sqrError, kErr},
        {u"SQRT(4)", u"1016 ERROR: Unknown function: SQRT", kErr},
        {u"ATAN(1)", u"1016 ERROR: Unknown function: ATAN", kErr},
    });
}

TEST(EvaluateNumericFunctions, RoundHalvesToEvenOnTheBinaryValue) {
    ExpectRows({
        {u"ROUND(2.5,0)", u"2", kNum},
        {u"ROUND(3.5,0)", u"4", kNum},
        {u"ROUND(-2.5,0)", u"-2", kNum},
        {u"ROUND(0.5,0)", u"0", kNum},
        {u"ROUND(1.5,0)", u"2", kNum},
        {u"ROUND(-1.5,0)", u"-2", kNum},
        {u"ROUND(-0.4,0)", u"0", kNum},
        {u"ROUND(1.375,2)", u"1.38", kNum},
        {u"ROUND(-1.375,2)", u"-1.38", kNum},
        {u"ROUND(0.125,2)", u"0.12", kNum},
        {u"ROUND(0.375,2)", u"0.38", kNum},
        // Not halves once the literal is a double.
        {u"ROUND(2.675,2)", u"2.67", kNum},
        {u"ROUND(1.005,2)", u"1", kNum},
        {u"ROUND(1.35,1)", u"1.4", kNum},
        {u"ROUND(1234.5678,2)", u"1234.57", kNum},
        {u"ROUND(5,3)", u"5", kNum},
        // The digits are rounded to a whole number first, halves to even.
        {u"ROUND(2.5,1.5)", u"2.5", kNum},
        {u"ROUND(1.2355,2.5)", u"1.24", kNum},
        {u"ROUND(1.25,0.5)", u"1", kNum},
        {u"ROUND(1.25,-0.5)", u"1", kNum},
        {u"ROUND(1.25,-1)", CallFailure(u"ROUND(1.25,-1)", 5), kErr},
        {u"ROUND(1.5,3000000000)", CallFailure(u"ROUND(1.5,3000000000)", 6), kErr},
        {u"ROUND(2.5)",
         u"1018 ERROR: Wrong number of arguments in function 'ROUND(2.5)', expected 2.", kErr},
    });
}

TEST(EvaluateNumericFunctions, Pi) {
    ExpectRows({
        {u"PI()", u"3.14159265358979", kNum},
        {u"pi()", u"3.14159265358979", kNum},
        {u"-PI()", u"-3.14159265358979", kNum},
        {u"PI()*2", u"6.28318530717958", kNum},
        {u"PI( )", u"3.14159265358979", kNum},
        {u"PI(1)", u"1018 ERROR: Wrong number of arguments in function 'PI(1)', expected 0.", kErr},
        {u"PI(,)", u"1018 ERROR: Wrong number of arguments in function 'PI(,)', expected 0.", kErr},
        {u"PI", u"1012 ERROR: Undefined symbol in expression: 'PI'", kErr},
    });
}

TEST(EvaluateNumericFunctions, Len) {
    ExpectRows({
        {u"LEN('')", u"0", kNum},
        {u"LEN('abc')", u"3", kNum},
        {u"LEN('it''s')", u"4", kNum},
        {u"LEN(' a ')", u"3", kNum},
        {u"LEN('é')", u"1", kNum},
        // Counted in 16-bit units.
        {u"LEN('😀')", u"2", kNum},
        {u"LEN('a'+'bc')", u"3", kNum},
        {u"LEN(SPACE(1000))", u"1000", kNum},
        {u"-LEN('ab')", u"-2", kNum},
        {u"2*-LEN('abc')", u"-6", kNum},
        {u"LEN(5)", u"1019 ERROR: Type mismatch in function argument: 5", kErr},
        {u"LEN(1+1)", u"1019 ERROR: Type mismatch in function argument: 2", kErr},
    });
}

TEST(EvaluateNumericFunctions, Val) {
    ExpectRows({
        {u"VAL(' 1 2')", u"12", kNum},
        {u"VAL('1 000')", u"1000", kNum},
        {u"VAL('1.5E2')", u"150", kNum},
        {u"VAL('1.5e2')", u"150", kNum},
        {u"VAL('1.5E-3')", u"0.0015", kNum},
        {u"VAL('&H1F')", u"31", kNum},
        {u"VAL('&O17')", u"15", kNum},
        {u"VAL('12abc')", u"12", kNum},
        {u"VAL('abc')", u"0", kNum},
        {u"VAL('3,5')", u"3", kNum},
        {u"VAL('')", u"0", kNum},
        {u"VAL('-3.5')", u"-3.5", kNum},
        {u"VAL('+5')", u"5", kNum},
        {u"VAL('- 4')", u"-4", kNum},
        {u"VAL('.5')", u"0.5", kNum},
        {u"VAL('1.2.3')", u"1.2", kNum},
        {u"VAL(CHR(9)+'7')", u"7", kNum},
        {u"VAL(CHR(10)+'7')", u"7", kNum},
        {u"VAL('0.30000000000000004')", u"0.3", kNum},
        {u"VAL('1e400')", CallFailure(u"VAL('1e400')", 6), kErr},
        {u"VAL(12)", u"1019 ERROR: Type mismatch in function argument: 12", kErr},
    });
}

TEST(EvaluateNumericFunctions, AscUsesWindows1252) {
    ExpectRows({
        {u"ASC('A')", u"65", kNum},
        {u"ASC('abc')", u"97", kNum},
        {u"ASC(' ')", u"32", kNum},
        {u"ASC(CHR(0))", u"0", kNum},
        {u"ASC('€')", u"128", kNum},
        {u"ASC('—')", u"151", kNum},
        {u"ASC('Ÿ')", u"159", kNum},
        {u"ASC('é')", u"233", kNum},
        {u"ASC('ÿ')", u"255", kNum},
        {u"ASC(CHR(150))", u"150", kNum},
        // Characters the code page lacks.
        {u"ASC('Ā')", u"63", kNum},
        {u"ASC('α')", u"63", kNum},
        {u"ASC('😀')", u"63", kNum},
        {u"ASC('')", CallFailure(u"ASC('')", 5), kErr},
        {u"ASC(5)", u"1019 ERROR: Type mismatch in function argument: 5", kErr},
    });
}

TEST(EvaluateNumericFunctions, InStr) {
    ExpectRows({
        {u"INSTR(1,'abcabc','c')", u"3", kNum},
        {u"INSTR(4,'abcabc','c')", u"6", kNum},
        {u"INSTR(3,'abcabc','c')", u"3", kNum},
        {u"INSTR(1,'abc','C')", u"0", kNum},
        {u"INSTR(1,'abc','x')", u"0", kNum},
        {u"INSTR(1,'abcabc','bc')", u"2", kNum},
        {u"INSTR(1.5,'abab','b')", u"2", kNum},
        {u"INSTR(2.5,'abab','a')", u"3", kNum},
        {u"iNsTr(1,'abc','b')", u"2", kNum},
        {u"INSTR(1,'','a')", u"0", kNum},
        {u"INSTR(5,'abc','a')", u"0", kNum},
        {u"INSTR(1,'abc','')", u"1", kNum},
        {u"INSTR(3,'abc','')", u"3", kNum},
        {u"INSTR(1,'','')", u"0", kNum},
        {u"INSTR(4,'abc','')", u"0", kNum},
        {u"INSTR(0,'abc','a')", CallFailure(u"INSTR(0,'abc','a')", 5), kErr},
        {u"INSTR(-1,'abc','a')", CallFailure(u"INSTR(-1,'abc','a')", 5), kErr},
        {u"INSTR(0,'','')", CallFailure(u"INSTR(0,'','')", 5), kErr},
        {u"INSTR(3000000000,'a','a')", CallFailure(u"INSTR(3000000000,'a','a')", 6), kErr},
        {u"INSTR('abc','b')",
         u"1018 ERROR: Wrong number of arguments in function 'INSTR('abc','b')', expected 3.",
         kErr},
        {u"INSTR('1','abc','b')", u"1019 ERROR: Type mismatch in function argument: 1", kErr},
    });
}

TEST(EvaluateNumericFunctions, InStrRev) {
    ExpectRows({
        {u"INSTRREV('abcabc','c',-1)", u"6", kNum},
        {u"INSTRREV('abcabc','c',5)", u"3", kNum},
        {u"INSTRREV('abcabc','c',6)", u"6", kNum},
        {u"INSTRREV('abcabc','a',1)", u"1", kNum},
        {u"INSTRREV('abcabc','x',-1)", u"0", kNum},
        {u"INSTRREV('abcabc','C',-1)", u"0", kNum},
        // A match must end within the first start characters.
        {u"INSTRREV('abcabc','bc',5)", u"2", kNum},
        {u"INSTRREV('abcabc','bc',6)", u"5", kNum},
        {u"instrrev('abcabc','c',-1)", u"6", kNum},
        {u"INSTRREV('abcabc','c',0)", CallFailure(u"INSTRREV('abcabc','c',0)", 5), kErr},
        {u"INSTRREV('abcabc','c',-2)", CallFailure(u"INSTRREV('abcabc','c',-2)", 5), kErr},
        {u"INSTRREV(1,'c',-1)", u"1019 ERROR: Type mismatch in function argument: 1", kErr},
    });
}

} // namespace
} // namespace talmiron::e2e
