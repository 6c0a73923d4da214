// Operators, signs, grouping, literals and blanks, end to end.
#include "tests/e2e/evaluation_table.h"

#include <gtest/gtest.h>

namespace talmiron::e2e {
namespace {

const Text kOperandExpected = u"1003 ERROR: Operand expected.";
const Text kUnmatched = u"1002 ERROR: Unmatched opening/closing parenthesis.";
const Text kUnclosedQuotes = u"1001 ERROR: Unclosed quotes in expression.";
const Text kTypeMismatch = u"1004 ERROR: Type mismatch in expression.";
const Text kDivisionByZero = u"1005 ERROR: Division by zero.";
const Text kIllegalPower =
    u"1006 ERROR: Illegal value for power operator (for fractional exponent, base must be "
    u"positive).";

TEST(EvaluateOperators, PrecedenceAndLeftAssociativity) {
    ExpectRows({
        {u"1+2*3", u"7", kNum},
        {u"7-2*3", u"1", kNum},
        {u"10-4-3", u"3", kNum},
        {u"1-2+3", u"2", kNum},
        {u"12/3/2", u"2", kNum},
        {u"8/2*4", u"16", kNum},
        {u"6/4", u"1.5", kNum},
        {u"2^3^2", u"64", kNum},
        {u"2^(2^3)", u"256", kNum},
        {u"2+3*4^2", u"50", kNum},
        {u"18/3^2", u"2", kNum},
        {u"1+2^2*3", u"13", kNum},
        {u"(2+3)*4", u"20", kNum},
        {u"1-(2+3)", u"-4", kNum},
        {u"LEN('ab') * (1 + 2)", u"6", kNum},
    });
}

TEST(EvaluateOperators, SignsBindTighterThanEveryOperator) {
    ExpectRows({
        {u"-2^2", u"4", kNum},
        {u"-2^3", u"-8", kNum},
        {u"2^-1", u"0.5", kNum},
        {u"-2^-2", u"0.25", kNum},
        {u"2*-3^2", u"18", kNum},
        {u"2^-1^2", u"0.25", kNum},
        {u"2*-3", u"-6", kNum},
        {u"2/-4", u"-0.5", kNum},
        {u"5--3", u"8", kNum},
        {u"1+-2", u"-1", kNum},
        {u"-1-1", u"-2", kNum},
        {u"-1*-1", u"1", kNum},
        {u"+1", u"1", kNum},
        {u"- 2", u"-2", kNum},
        // A zero keeps no sign.
        {u"-0", u"0", kNum},
        {u"0*-1", u"0", kNum},
        // Only one sign is taken; the next one makes the operand a bad name.
        {u"--3", u"1013 ERROR: Illegal symbol name: '-3'", kErr},
        {u"-+3", u"1013 ERROR: Illegal symbol name: '+3'", kErr},
        {u"1--+3", u"1013 ERROR: Illegal symbol name: '+3'", kErr},
        {u"-2--2", u"0", kNum},
        // A lone sign leaves the empty name.
        {u"-", u"1012 ERROR: Undefined symbol in expression: ''", kErr},
        // A sign before a string literal is dropped.
        {u"-'abc'", u"abc", kStr},
    });
}

TEST(EvaluateOperators, GroupValuesGoBackIntoTheText) {
    ExpectRows({
        {u"(1+2)*3", u"9", kNum},
        {u"((2))", u"2", kNum},
        {u"(1+(2*3))", u"7", kNum},
        {u"(1+2)*(3+4)", u"21", kNum},
        {u"(2)^(3)", u"8", kNum},
        {u"((1)+(2))*(3)", u"9", kNum},
        // Values longer and shorter than their groups: the scan resumes
        // right after the inserted value.
        {u"(10*10)+(1)", u"101", kNum},
        {u"(1/3)+(2)", u"2.33333333333333", kNum},
        {u"(12345678-12345677)*(2)", u"2", kNum},
        // A negative group value meets the operator before it as a sign.
        {u"-(2+3)", u"-5", kNum},
        {u"1-(0-2)", u"3", kNum},
        {u"2^(0-1)", u"0.5", kNum},
        {u"(0-2)^3", u"-8", kNum},
        {u"-(1-3)", u"1013 ERROR: Illegal symbol name: '-2'", kErr},
        {u"-(-(2))", u"1013 ERROR: Illegal symbol name: '-2'", kErr},
        // Call parentheses stay; grouping inside arguments is the argument's.
        {u"ABS((0-2)*3)", u"6", kNum},
        {u"SIN(0)+(1)", u"1", kNum},
        {u"(SIN(0))", u"0", kNum},
        {u"(LEN('a'))*2", u"2", kNum},
        {u"(LEN('a)'))", u"2", kNum},
        {u"LEN(('it''s'))", u"4", kNum},
        // Only outermost groups are checked for what follows them.
        {u"MID('abc',(1),2)", u"ab", kStr},
    });
}

TEST(EvaluateOperators, GroupedStringsReadBackUnchanged) {
    ExpectRows({
        {u"('a')+'b'", u"ab", kStr},
        {u"'a'+('b')", u"ab", kStr},
        {u"('5')*2", u"10", kNum},
        {u"('it''s')", u"it's", kStr},
        {u"(('a''b'))+'c'", u"a'bc", kStr},
        {u"('it''s')+'!'", u"it's!", kStr},
        {u"('')", u"", kStr},
        {u"('''')", u"'", kStr},
        {u"((''''))", u"'", kStr},
        {u"('(')", u"(", kStr},
        {u"('a)b')", u"a)b", kStr},
        {u"('x'+')')", u"x)", kStr},
        {u"('a+b')+'c'", u"a+bc", kStr},
        {u"('a''(')", u"a'(", kStr},
        {u"'a'+(1)", kTypeMismatch, kErr},
    });
}

TEST(EvaluateOperators, ParenthesisFailures) {
    ExpectRows({
        {u"(1+2", kUnmatched, kErr},
        {u"1+2)", kUnmatched, kErr},
        {u"((1)", kUnmatched, kErr},
        {u"LEN('a'", kUnmatched, kErr},
        {u"'('+(1", kUnmatched, kErr},
        // Equal counts pass the balance check; the operand is no name.
        {u")(", u"1013 ERROR: Illegal symbol name: ')('", kErr},
        {u"(1)(2)", kOperandExpected, kErr},
        {u"(1)2", kOperandExpected, kErr},
        {u"(1)x", kOperandExpected, kErr},
        {u"(1),2", kOperandExpected, kErr},
        {u"SIN(0)2", kOperandExpected, kErr},
        {u"LEN('a')'b'", kOperandExpected, kErr},
        {u"()", kOperandExpected, kErr},
        {u"1+()", kOperandExpected, kErr},
        // A "(" after anything but an operator opens a call.
        {u"2(3)", u"1007 ERROR: Invalid numeric literal: '2(3)'", kErr},
        {u"x(1)", u"1016 ERROR: Unknown function: x", kErr},
        {u"'a'(1)", u"1008 ERROR: Unclosed single cuotes in literal string constant: ''a'(1)'",
         kErr},
        {u"'a',(1+1)",
         u"1008 ERROR: Unclosed single cuotes in literal string constant: ''a',(1+1)'", kErr},
        // The first failing group ends the evaluation.
        {u"x+(1/0)", kDivisionByZero, kErr},
        {u"(1/0)+(x)", kDivisionByZero, kErr},
    });
}

TEST(EvaluateOperators, NumericLiteralsComeOutCanonical) {
    ExpectRows({
        {u"7", u"7", kNum},
        {u"-7", u"-7", kNum},
        {u"+7", u"7", kNum},
        {u"0", u"0", kNum},
        {u".5", u"0.5", kNum},
        {u"-.5", u"-0.5", kNum},
        {u"007", u"7", kNum},
        {u"5.", u"5", kNum},
        {u".", u"0", kNum},
        {u"3.14", u"3.14", kNum},
        {u"00.100", u"0.1", kNum},
        {u"123456789012345", u"123456789012345", kNum},
        {u"1234567890123456", u"1234567890123460", kNum},
        {u"123456789012345678", u"123456789012346000", kNum},
        {u"100000000000000000000", u"100000000000000000000", kNum},
        {u"0.00000015", u"0.00000015", kNum},
        {u"-0.00000015", u"-0.00000015", kNum},
        {u"0.00000000000000000001", u"0.00000000000000000001", kNum},
        {u"0.1234567890123456", u"0.123456789012346", kNum},
        {u"1.99999999999999999", u"2", kNum},
        {u"0.30000000000000004", u"0.3", kNum},
        {u"1" + Repeat(u"0", 308), u"1" + Repeat(u"0", 308), kNum},
        {u"1.2.3", u"1007 ERROR: Invalid numeric literal: '1.2.3'", kErr},
        {u".5.5", u"1007 ERROR: Invalid numeric literal: '.5.5'", kErr},
        {u"12abc", u"1007 ERROR: Invalid numeric literal: '12abc'", kErr},
        {u"1x", u"1007 ERROR: Invalid numeric literal: '1x'", kErr},
        {u"-1x", u"1007 ERROR: Invalid numeric literal: '1x'", kErr},
        {u"1,5", u"1007 ERROR: Invalid numeric literal: '1,5'", kErr},
        // There is no exponent notation: the text splits at the sign.
        {u"1e5", u"1007 ERROR: Invalid numeric literal: '1e5'", kErr},
        {u"1e-5", u"1007 ERROR: Invalid numeric literal: '1e'", kErr},
        {u"1E+5", u"1007 ERROR: Invalid numeric literal: '1E'", kErr},
        // Nor hexadecimal literals.
        {u"&H1F", u"1013 ERROR: Illegal symbol name: '&H1F'", kErr},
    });
}

TEST(EvaluateOperators, ArithmeticIsRoundedAfterEveryStep) {
    ExpectRows({
        {u"0.1+0.2", u"0.3", kNum},
        {u"0.1*3", u"0.3", kNum},
        {u"0.1+0.2-0.3", u"0", kNum},
        {u"1-0.9", u"0.1", kNum},
        {u"1/3", u"0.333333333333333", kNum},
        {u"-1/3", u"-0.333333333333333", kNum},
        {u"2/3", u"0.666666666666667", kNum},
        {u"1/3*3", u"0.999999999999999", kNum},
        {u"2/3*3", u"2", kNum},
        {u"10/3", u"3.33333333333333", kNum},
        {u"1/7", u"0.142857142857143", kNum},
        {u"1/1024", u"0.0009765625", kNum},
        {u"1/3000000", u"0.000000333333333333333", kNum},
        {u"1234567890123456+0", u"1234567890123460", kNum},
        {u"2^10", u"1024", kNum},
        {u"2^53", u"9007199254740990", kNum},
        {u"2^100", u"1267650600228230000000000000000", kNum},
        {u"2^-20", u"0.00000095367431640625", kNum},
        {u"2^0.5", u"1.4142135623731", kNum},
        {u"2^-0.5", u"0.707106781186548", kNum},
        {u"631^81.713695527",
         u"6320428575839230000000000000000000000000000000000000000000000000000000000000000000000000"
         u"0000000000000000000000000000000000000000000000000000000000000000000000000000000000000000"
         u"00000000000000000000000000000000000000000000000000000",
         kNum},
        {u"2^0.5*2^0.5", u"2.00000000000001", kNum},
        {u"4^0.5", u"2", kNum},
        {u"0^0", u"1", kNum},
        {u"0^0.5", u"0", kNum},
        {u"1/0.5", u"2", kNum},
        {u"0/5", u"0", kNum},
    });
}

TEST(EvaluateOperators, StringsAndNumbersCombine) {
    ExpectRows({
        {u"'5'+3", u"8", kNum},
        {u"3+'5'", u"8", kNum},
        {u"'1'+'2'", u"12", kStr},
        {u"'1'+2", u"3", kNum},
        {u"'2'*'3'", u"6", kNum},
        {u"'1'-'2'", u"-1", kNum},
        {u"'2'^'3'", u"8", kNum},
        {u"'-2'^2", u"4", kNum},
        {u"'8'/'2'/'2'", u"2", kNum},
        {u"'1'+'2'+3", u"15", kNum},
        {u"3+'1'+'2'", u"6", kNum},
        {u"'1'+'2'*3", u"7", kNum},
        {u"1+' 5 '", u"6", kNum},
        {u"1+'.'", u"1", kNum},
        {u"'a'+'b'", u"ab", kStr},
        {u"'a'+'b'+'c'", u"abc", kStr},
        {u"'x'+''", u"x", kStr},
        {u"''+''", u"", kStr},
        {u"'it''s'+'!'", u"it's!", kStr},
        // A doubled quote does not end the literal for the operator scan.
        {u"'a''+'+'b'", u"a'+b", kStr},
        {u"'-'+'-'", u"--", kStr},
        // Numeric text admits a lone sign or point, which reads as 0.
        {u"'-'+1", u"1", kNum},
        {u"'+'*2", u"0", kNum},
        {u"'-.'+1", u"1", kNum},
        {u"'007'+0", u"7", kNum},
        {u"' 5 '*1", u"5", kNum},
        {u"'1 2'+1", kTypeMismatch, kErr},
        {u"'a'+3", kTypeMismatch, kErr},
        {u"3+'a'", kTypeMismatch, kErr},
        {u"'a'-'b'", kTypeMismatch, kErr},
        {u"'a'*'b'", kTypeMismatch, kErr},
        {u"'a'+'b'-'c'", kTypeMismatch, kErr},
        {u"1+''", kTypeMismatch, kErr},
        {u"''+1", kTypeMismatch, kErr},
        {u"'1e5'+1", kTypeMismatch, kErr},
        {u"'1,5'+1", kTypeMismatch, kErr},
        // The type test comes before the division check.
        {u"'a'/0", kTypeMismatch, kErr},
        {u"5/'0'", kDivisionByZero, kErr},
        {u"'6'/'0'", kDivisionByZero, kErr},
    });
}

TEST(EvaluateOperators, DivisionAndPowerFailures) {
    ExpectRows({
        {u"1/0", kDivisionByZero, kErr},
        {u"0/0", kDivisionByZero, kErr},
        {u"1/0.0", kDivisionByZero, kErr},
        {u"1/.", kDivisionByZero, kErr},
        {u"1/-0", kDivisionByZero, kErr},
        {u"1/'0.0'", kDivisionByZero, kErr},
        {u"(0-1)^0.5", kIllegalPower, kErr},
        {u"(0-8)^2.0", u"64", kNum},
        {u"1/(1-1)", kDivisionByZero, kErr},
        {u"(0-8)^(1/3)", kIllegalPower, kErr},
        {u"-8^(1/3)", kIllegalPower, kErr},
        {u"(0-0.5)^1.5", kIllegalPower, kErr},
        {u"(0-2)^-0.5", kIllegalPower, kErr},
        {u"(0-8)^2", u"64", kNum},
        {u"(0-2)^-1", u"-0.5", kNum},
    });
}

TEST(EvaluateOperators, TheLeftmostFailureWins) {
    ExpectRows({
        {u"x+1/0", u"1012 ERROR: Undefined symbol in expression: 'x'", kErr},
        {u"1+x+1/0", u"1012 ERROR: Undefined symbol in expression: 'x'", kErr},
        {u"1+2*x", u"1012 ERROR: Undefined symbol in expression: 'x'", kErr},
        {u"1/0+x", kDivisionByZero, kErr},
        {u"2*'a'+1/0", kTypeMismatch, kErr},
        {u"1/0*'a'", kDivisionByZero, kErr},
    });
}

TEST(EvaluateOperators, MissingOperands) {
    ExpectRows({
        {u"1+", kOperandExpected, kErr},
        {u"1-", kOperandExpected, kErr},
        {u"1*", kOperandExpected, kErr},
        {u"1/", kOperandExpected, kErr},
        {u"1^", kOperandExpected, kErr},
        {u"2**3", kOperandExpected, kErr},
        {u"2*/3", kOperandExpected, kErr},
        {u"2^^3", kOperandExpected, kErr},
        {u"*2", kOperandExpected, kErr},
        {u"/2", kOperandExpected, kErr},
        {u"^2", kOperandExpected, kErr},
        {u"1+*2", kOperandExpected, kErr},
        {u"-1-", kOperandExpected, kErr},
    });
}

TEST(EvaluateOperators, StringLiterals) {
    ExpectRows({
        {u"'abc'", u"abc", kStr},
        {u"'a b'", u"a b", kStr},
        {u"'  a  '", u"  a  ", kStr},
        {u"' '", u" ", kStr},
        {u"''", u"", kStr},
        {u"'it''s'", u"it's", kStr},
        {u"'a'''", u"a'", kStr},
        {u"''''", u"'", kStr},
        {u"'''a'''", u"'a'", kStr},
        {u"'1+2'", u"1+2", kStr},
        {u"'a+b'", u"a+b", kStr},
        {u"'('", u"(", kStr},
        {u"')'", u")", kStr},
        {u"'\t'", u"\t", kStr},
        {u"'é'", u"é", kStr},
        {u"'😀'", u"😀", kStr},
        {u"'abc'x", u"1008 ERROR: Unclosed single cuotes in literal string constant: ''abc'x'",
         kErr},
        {u"'a'b'c'", u"1009 ERROR: Invalid string literal: 'a'b'c'", kErr},
        {u"'a'''b'c'", u"1009 ERROR: Invalid string literal: 'a'''b'c'", kErr},
        {u"''''''", u"1009 ERROR: Invalid string literal: ''''''", kErr},
        // The body goes into the message trimmed of blanks.
        {u"' a'b'c '", u"1009 ERROR: Invalid string literal: 'a'b'c'", kErr},
        {u"'abc", kUnclosedQuotes, kErr},
        {u"'''", kUnclosedQuotes, kErr},
        {u"it's", kUnclosedQuotes, kErr},
        {u"LEN('a)", kUnclosedQuotes, kErr},
    });
}

TEST(EvaluateOperators, BlanksOutsideLiteralsDoNotCount) {
    ExpectRows({
        {u"", kOperandExpected, kErr},
        {u"   ", kOperandExpected, kErr},
        {u" 1 + 2 ", u"3", kNum},
        {u"1 2", u"12", kNum},
        {u"12 34", u"1234", kNum},
        {u"' a '", u" a ", kStr},
        {u"'a' + ' ' + 'b'", u"a b", kStr},
        {u"'it''s a'", u"it's a", kStr},
        {u"'a'' b'", u"a' b", kStr},
        {u"L EN('ab')", u"2", kNum},
        {u"LEN( ' ab ' )", u"4", kNum},
        {u"1 + 'a b", kUnclosedQuotes, kErr},
        // Only U+0020 is a blank.
        {u"1\t+2", u"1007 ERROR: Invalid numeric literal: '1\t'", kErr},
        {u"\t1", u"1013 ERROR: Illegal symbol name: '\t1'", kErr},
        {u"1+\n2", u"1013 ERROR: Illegal symbol name: '\n2'", kErr},
        {u"1+\u00A02", u"1013 ERROR: Illegal symbol name: '\u00A02'", kErr},
    });
}

} // namespace
} // namespace talmiron::e2e
