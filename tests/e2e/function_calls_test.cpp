// How calls are recognised, split into arguments and checked.
#include "tests/e2e/evaluation_table.h"

#include <gtest/gtest.h>

namespace talmiron::e2e {
namespace {

const Text kOperandExpected = u"1003 ERROR: Operand expected.";

TEST(EvaluateFunctionCalls, ArgumentsAreWholeExpressions) {
    ExpectRows({
        {u"LEFT(UCASE('abc'),1+1)", u"AB", kStr},
        {u"LEN(LEFT('abcdef',LEN('abc')))", u"3", kNum},
        {u"ABS(ABS(-3))", u"3", kNum},
        {u"UCASE(LEFT('hello',1))+LCASE(MID('HELLO',2,4))", u"Hello", kStr},
        {u"ABS(2*(3-5))", u"4", kNum},
        {u"left( 'a b' , 2 )", u"a ", kStr},
        {u"1+LEN('abc')*2", u"7", kNum},
        {u"LEN('ab')^LEN('abc')", u"8", kNum},
    });
}

TEST(EvaluateFunctionCalls, LiteralsKeepTheirParenthesesAndCommas) {
    ExpectRows({
        {u"REPLACE('a,b',',',';')", u"a;b", kStr},
        {u"LEN(')')", u"1", kNum},
        {u"LEN('(')", u"1", kNum},
        {u"LEN(',')", u"1", kNum},
        {u"LEN('a,b')", u"3", kNum},
        {u"INSTR(1,'a,b',',')", u"2", kNum},
        {u"LEFT('(,)',2)", u"(,", kStr},
        {u"REPLACE('(a)','(','[')", u"[a)", kStr},
        {u"LEN('it''s,')", u"5", kNum},
        {u"LEN('a'',b')", u"4", kNum},
        {u"LEN('a''')", u"2", kNum},
        {u"REPLACE('a''b','''','')", u"ab", kStr},
        {u"INSTR(1,'a,b')",
         u"1018 ERROR: Wrong number of arguments in function 'INSTR(1,'a,b')', expected 3.", kErr},
        {u"LEN(')'+'(')", u"2", kNum},
    });
}

TEST(EvaluateFunctionCalls, NameAndArgumentCountFailures) {
    ExpectRows({
        {u"#A(1)", u"1015 ERROR: Illegal function name: #A", kErr},
        {u"A.B(1)", u"1015 ERROR: Illegal function name: A.B", kErr},
        {u"-#A(1)", u"1015 ERROR: Illegal function name: #A", kErr},
        {u"1A(1)", u"1007 ERROR: Invalid numeric literal: '1A(1)'", kErr},
        {u"é(1)", u"1013 ERROR: Illegal symbol name: 'é(1)'", kErr},
        {u"FOO(1)", u"1016 ERROR: Unknown function: FOO", kErr},
        // Unknown functions do not evaluate their arguments.
        {u"foo(1/0)", u"1016 ERROR: Unknown function: foo", kErr},
        {u"SIN2(0)", u"1016 ERROR: Unknown function: SIN2", kErr},
        {u"LEFTT('a',1)", u"1016 ERROR: Unknown function: LEFTT", kErr},
        {u"LEFT('abc')",
         u"1018 ERROR: Wrong number of arguments in function 'LEFT('abc')', expected 2.", kErr},
        {u"left ( 'abc' )",
         u"1018 ERROR: Wrong number of arguments in function 'left('abc')', expected 2.", kErr},
        {u"1+LEFT('a')",
         u"1018 ERROR: Wrong number of arguments in function 'LEFT('a')', expected 2.", kErr},
        {u"-LEFT('a')",
         u"1018 ERROR: Wrong number of arguments in function 'LEFT('a')', expected 2.", kErr},
        {u"LEFT('it''s')",
         u"1018 ERROR: Wrong number of arguments in function 'LEFT('it''s')', expected 2.", kErr},
        {u"LEN()", u"1018 ERROR: Wrong number of arguments in function 'LEN()', expected 1.", kErr},
        {u"LEN('a','b')",
         u"1018 ERROR: Wrong number of arguments in function 'LEN('a','b')', expected 1.", kErr},
        {u"ABS(1,)", u"1018 ERROR: Wrong number of arguments in function 'ABS(1,)', expected 1.",
         kErr},
        {u"RND(1)", u"1018 ERROR: Wrong number of arguments in function 'RND(1)', expected 0.",
         kErr},
        // The count is checked before any argument is evaluated.
        {u"LEFT(1/0)",
         u"1018 ERROR: Wrong number of arguments in function 'LEFT(1/0)', expected 2.", kErr},
        // Empty arguments are evaluated like any other.
        {u"LEFT('abc',)", kOperandExpected, kErr},
        {u"LEFT(,1)", kOperandExpected, kErr},
        {u"LEFT(,)", kOperandExpected, kErr},
    });
}

TEST(EvaluateFunctionCalls, ArgumentFailuresComeBackUnchanged) {
    ExpectRows({
        {u"LEN(1/0)", u"1005 ERROR: Division by zero.", kErr},
        {u"ABS(x)", u"1012 ERROR: Undefined symbol in expression: 'x'", kErr},
        {u"ABS(LEN(5))", u"1019 ERROR: Type mismatch in function argument: 5", kErr},
        {u"ROUND(1/0,x)", u"1005 ERROR: Division by zero.", kErr},
        {u"ROUND(1,x)", u"1012 ERROR: Undefined symbol in expression: 'x'", kErr},
        {u"ABS(())", kOperandExpected, kErr},
        {u"ABS((1)(2))", kOperandExpected, kErr},
        {u"ABS(1+)", kOperandExpected, kErr},
        {u"UCASE('a'+1)", u"1004 ERROR: Type mismatch in expression.", kErr},
        // The argument goes into the message trimmed, "%s" in it untouched.
        {u"ABS(' a ')", u"1019 ERROR: Type mismatch in function argument: a", kErr},
        {u"ABS('')", u"1019 ERROR: Type mismatch in function argument: ", kErr},
        {u"ABS('a%sb')", u"1019 ERROR: Type mismatch in function argument: a%sb", kErr},
        {u"ABS(HEX(1))", u"1019 ERROR: Type mismatch in function argument: 1", kErr},
        {u"LEN(OCT(8))", u"1019 ERROR: Type mismatch in function argument: 10", kErr},
    });
}

} // namespace
} // namespace talmiron::e2e
