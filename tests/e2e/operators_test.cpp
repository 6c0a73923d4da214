// Operators, signs, groups, literals and blanks, end to end: the paths that
// the language reference's examples do not show.
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

TEST(EvaluateOperators, NumbersAndArithmetic) {
    ExpectRows({
        // A zero keeps no sign; a sign before a group acts as before its value.
        {u"-0", u"0", kNum},
        {u"1-(0-2)", u"3", kNum},
        {u"-(1-3)", u"1013 ERROR: Illegal symbol name: '-2'", kErr},
        {u"-(-(2))", u"1013 ERROR: Illegal symbol name: '-2'", kErr},
        {u"-('a')", u"a", kStr},
        {u"-", u"1012 ERROR: Undefined symbol in expression: ''", kErr},
        {u".", u"0", kNum},
        {u"0.00000000000000000001", u"0.00000000000000000001", kNum},
        {u"1.99999999999999999", u"2", kNum},
        // There is no exponent notation: the text splits at the sign. Nor hexadecimal.
        {u"1e5", u"1007 ERROR: Invalid numeric literal: '1e5'", kErr},
        {u"1E+5", u"1007 ERROR: Invalid numeric literal: '1E'", kErr},
        {u"&H1F", u"1013 ERROR: Illegal symbol name: '&H1F'", kErr},
        // Every step is rounded to 15 digits.
        {u"1234567890123456+0", u"1234567890123460", kNum},
        {u"1/3*3", u"0.999999999999999", kNum},
        {u"1/3000000", u"0.000000333333333333333", kNum},
        {u"2^53", u"9007199254740990", kNum},
        {u"2^0.5*2^0.5", u"2.00000000000001", kNum},
        {u"631^81.713695527",
         u"6320428575839230000000000000000000000000000000000000000000000000000000000000000000000000"
         u"0000000000000000000000000000000000000000000000000000000000000000000000000000000000000000"
         u"00000000000000000000000000000000000000000000000000000",
         kNum},
        {u"0^0", u"1", kNum},
        {u"0^0.5", u"0", kNum},
        {u"(0-8)^2.0", u"64", kNum},
        {u"(0-2)^-0.5", kIllegalPower, kErr},
        {u"(1/3)+(2)", u"2.33333333333333", kNum},
    });
}

TEST(EvaluateOperators, StringsAndNumbersCombine) {
    ExpectRows({
        {u"''+''", u"", kStr},
        {u"'1'+'2'+3", u"15", kNum},
        {u"3+'1'+'2'", u"6", kNum},
        // A doubled quote does not end the literal for the operator scan.
        {u"'a''+'+'b'", u"a'+b", kStr},
        {u"(LEN('a)'))", u"2", kNum},
        // Numeric text admits blanks around it and a lone sign or point, which reads as 0.
        {u"'-'+1", u"1", kNum},
        {u"'+'*2", u"0", kNum},
        {u"1+'.'", u"1", kNum},
        {u"' 5 '*1", u"5", kNum},
    });
    // The type test comes before the division check; the leftmost failure wins.
    ExpectRows(
        Giving(kTypeMismatch, kErr, {u"'1 2'+1", u"'1e5'+1", u"1+''", u"'a'/0", u"2*'a'+1/0"}));
    ExpectRows(Giving(kDivisionByZero, kErr, {u"5/'0'", u"1/-0", u"(1/0)+(x)", u"1/0+x"}));
}

TEST(EvaluateOperators, MalformedTexts) {
    ExpectRows({
        // Equal counts pass the balance check, and ")(" is no name.
        {u")(", u"1013 ERROR: Illegal symbol name: ')('", kErr},
        // A "(" after anything but an operator opens a call.
        {u"2(3)", u"1007 ERROR: Invalid numeric literal: '2(3)'", kErr},
        {u"x(1)", u"1016 ERROR: Unknown function: x", kErr},
        {u"'a'(1)", u"1008 ERROR: Unclosed single cuotes in literal string constant: ''a'(1)'",
         kErr},
        {u"'a'''b'c'", u"1009 ERROR: Invalid string literal: 'a'''b'c'", kErr},
        {u"''''''", u"1009 ERROR: Invalid string literal: ''''''", kErr},
        // The body goes into the message trimmed of blanks.
        {u"' a'b'c '", u"1009 ERROR: Invalid string literal: 'a'b'c'", kErr},
    });
    ExpectRows(Giving(kUnmatched, kErr, {u"1+2)", u"'('+(1"}));
    ExpectRows(Giving(kOperandExpected, kErr, {u"(1)2", u"2**3", u"*2", u"-1-", u""}));
    ExpectRows(Giving(kUnclosedQuotes, kErr, {u"'abc", u"'''", u"it's", u"LEN('a)"}));
}

TEST(EvaluateOperators, OnlyTheBlankOutsideLiteralsIsDropped) {
    ExpectRows({
        {u"L EN('ab')", u"2", kNum},
        {u"LEN( ' ab ' )", u"4", kNum},
        {u"1\t+2", u"1007 ERROR: Invalid numeric literal: '1\t'", kErr},
        {u"\t1", u"1013 ERROR: Illegal symbol name: '\t1'", kErr},
        {u"1+\n2", u"1013 ERROR: Illegal symbol name: '\n2'", kErr},
        {u"1+\u00A02", u"1013 ERROR: Illegal symbol name: '\u00A02'", kErr},
    });
}

} // namespace
} // namespace talmiron::e2e
