// Every numbered error the host can meet, and the texts of the run-time
// failures that the engine catches.
#include "tests/e2e/evaluation_table.h"

#include <gtest/gtest.h>

namespace talmiron::e2e {
namespace {

TEST(EvaluateFailures, EveryNumberedErrorWithItsText) {
    ExpectRows(
        {
            {u"'abc", u"1001 ERROR: Unclosed quotes in expression.", kErr},
            {u"(1+2", u"1002 ERROR: Unmatched opening/closing parenthesis.", kErr},
            {u"", u"1003 ERROR: Operand expected.", kErr},
            {u"'a'+3", u"1004 ERROR: Type mismatch in expression.", kErr},
            {u"1/0", u"1005 ERROR: Division by zero.", kErr},
            {u"(0-8)^(1/3)",
             u"1006 ERROR: Illegal value for power operator (for fractional exponent, base must be "
             u"positive).",
             kErr},
            {u"1.2.3", u"1007 ERROR: Invalid numeric literal: '1.2.3'", kErr},
            {u"'abc'x", u"1008 ERROR: Unclosed single cuotes in literal string constant: ''abc'x'",
             kErr},
            {u"'a'b'c'", u"1009 ERROR: Invalid string literal: 'a'b'c'", kErr},
            {u"-UCASE('a')",
             u"1010 ERROR: Unary operator not permitted in string-returning functions.", kErr},
            {u"-Name", u"1011 ERROR: Unary operator not permitted in string symbols.", kErr},
            {u"x", u"1012 ERROR: Undefined symbol in expression: 'x'", kErr},
            {u"#x", u"1013 ERROR: Illegal symbol name: '#x'", kErr},
            {u"#A(1)", u"1015 ERROR: Illegal function name: #A", kErr},
            {u"FOO(1)", u"1016 ERROR: Unknown function: FOO", kErr},
            {u"LEFT('abc')",
             u"1018 ERROR: Wrong number of arguments in function 'LEFT('abc')', expected 2.", kErr},
            {u"LEN(5)", u"1019 ERROR: Type mismatch in function argument: 5", kErr},
            {u"LOG(0)", u"2000 ERROR: Illegal parameter value for LOG function.", kErr},
            {u"SQR(-4)", u"2001 ERROR: Illegal parameter value for SQR function.", kErr},
            {u"ARCSIN(2)", u"2002 ERROR: Illegal parameter value for ARCSIN function.", kErr},
            {u"ARCCOS(2)", u"2003 ERROR: Illegal parameter value for ARCCOS function.", kErr},
            {u"CHR(256)", u"2004 ERROR: Illegal parameter value for CHR function.", kErr},
        },
        {{u"Name", EvaluationTypes_String, u"Bob"}});
}

TEST(EvaluateFailures, FailuresInsideFunctionCalls) {
    ExpectRows({
        {u"SPACE(-1)",
         u"ERROR: Unexpected error during function evaluation [SPACE(-1)]; 5 - Invalid procedure "
         u"call or argument",
         kErr},
        {u"HEX(4294967296)",
         u"ERROR: Unexpected error during function evaluation [HEX(4294967296)]; 6 - Overflow",
         kErr},
        {u"SPACE(1000000000)",
         u"ERROR: Unexpected error during function evaluation [SPACE(1000000000)]; 14 - Out of "
         u"string space",
         kErr},
        // The call text is the operand as it stands once blanks are gone.
        {u"2 * space( -1 )", CallFailure(u"space(-1)", 5), kErr},
        {u"LEN(SPACE(-1))", CallFailure(u"SPACE(-1)", 5), kErr},
        {u"SPACE(-1)+SPACE(-2)", CallFailure(u"SPACE(-1)", 5), kErr},
    });
}

TEST(EvaluateFailures, RunTimeFailuresOfTheOperators) {
    const Text nines = Repeat(u"9", 308);
    const Text tooLong = u"1" + Repeat(u"0", 399);
    ExpectRows({
        // A power without a finite result.
        {u"0^-1",
         u"ERROR: Unexpected error (Polynomial): 6 - Overflow, the error occured at line: 3", kErr},
        {u"10^400", PolynomialFailure(6, 3), kErr},
        {u"10^309", PolynomialFailure(6, 3), kErr},
        {u"(0-10)^309", PolynomialFailure(6, 3), kErr},
        // Operations that leave the double range.
        {nines + u"*10", PolynomialFailure(6, 3), kErr},
        {nines + u"+" + nines, PolynomialFailure(6, 3), kErr},
        {u"-" + nines + u"-" + nines, PolynomialFailure(6, 3), kErr},
        {nines + u"/0.1", PolynomialFailure(6, 3), kErr},
        // A literal beyond the double range.
        {tooLong, PolynomialFailure(6, 43), kErr},
        {u"-" + tooLong, PolynomialFailure(6, 43), kErr},
        {u"2" + Repeat(u"0", 308), PolynomialFailure(6, 43), kErr},
        {u"1+" + tooLong, PolynomialFailure(6, 43), kErr},
        // Caught where they happen; the callers pass the text on.
        {u"(" + tooLong + u")", PolynomialFailure(6, 43), kErr},
        {u"ABS(" + tooLong + u")", PolynomialFailure(6, 43), kErr},
        {u"LEN(STR(" + nines + u"*10))", PolynomialFailure(6, 3), kErr},
        // Within range, nothing fails.
        {u"10^308", u"1" + Repeat(u"0", 308), kNum},
        {nines, u"1" + Repeat(u"0", 308), kNum},
    });
}

} // namespace
} // namespace talmiron::e2e
