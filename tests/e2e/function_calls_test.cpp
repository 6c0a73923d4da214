// How calls are recognised, split into arguments and checked, and the texts
// of the failures they end in.
#include "tests/e2e/evaluation_table.h"

#include <gtest/gtest.h>

namespace talmiron::e2e {
namespace {

TEST(EvaluateFunctionCalls, ArgumentsAndTheirFailures) {
    ExpectRows({
        {u"LEFT('(,)',2)", u"(,", kStr},
        {u"INSTR(1,'a,b')",
         u"1018 ERROR: Wrong number of arguments in function 'INSTR(1,'a,b')', expected 3.", kErr},
        {u"left ( 'abc' )",
         u"1018 ERROR: Wrong number of arguments in function 'left('abc')', expected 2.", kErr},
        {u"ABS(1,)", u"1018 ERROR: Wrong number of arguments in function 'ABS(1,)', expected 1.",
         kErr},
        // The count is checked before any argument is evaluated ...
        {u"LEFT(1/0)",
         u"1018 ERROR: Wrong number of arguments in function 'LEFT(1/0)', expected 2.", kErr},
        // ... and an unknown function evaluates none.
        {u"foo(1/0)", u"1016 ERROR: Unknown function: foo", kErr},
        {u"-#A(1)", u"1015 ERROR: Illegal function name: #A", kErr},
        {u"é(1)", u"1013 ERROR: Illegal symbol name: 'é(1)'", kErr},
        // Empty arguments are evaluated like any other, in order.
        {u"LEFT(,1)", u"1003 ERROR: Operand expected.", kErr},
        {u"ROUND(1/0,x)", u"1005 ERROR: Division by zero.", kErr},
        // The argument goes into the message trimmed, "%s" in it untouched.
        {u"ABS(' a ')", u"1019 ERROR: Type mismatch in function argument: a", kErr},
        {u"ABS('')", u"1019 ERROR: Type mismatch in function argument: ", kErr},
        {u"ABS('a%sb')", u"1019 ERROR: Type mismatch in function argument: a%sb", kErr},
        {u"LEN(OCT(8))", u"1019 ERROR: Type mismatch in function argument: 10", kErr},
        // The call text is the operand as it stands once blanks are gone.
        {u"2 * space( -1 )", CallFailure(u"space(-1)", 5), kErr},
        {u"SPACE(-1)+SPACE(-2)", CallFailure(u"SPACE(-1)", 5), kErr},
    });
}

// Failures of the operator scan name line 3, of reading a literal line 43;
// callers pass the text on.
TEST(EvaluateFunctionCalls, RunTimeFailuresOfTheOperators) {
    const Text nines = Repeat(u"9", 308);
    const Text tooLong = u"1" + Repeat(u"0", 399);
    ExpectRows({
        {u"(0-10)^309", PolynomialFailure(6, 3), kErr},
        {nines + u"+" + nines, PolynomialFailure(6, 3), kErr},
        {u"-" + nines + u"-" + nines, PolynomialFailure(6, 3), kErr},
        {nines + u"/0.1", PolynomialFailure(6, 3), kErr},
        {u"-" + tooLong, PolynomialFailure(6, 43), kErr},
        {u"2" + Repeat(u"0", 308), PolynomialFailure(6, 43), kErr},
        {u"(" + tooLong + u")", PolynomialFailure(6, 43), kErr},
        {u"ABS(" + tooLong + u")", PolynomialFailure(6, 43), kErr},
        {u"LEN(STR(" + nines + u"*10))", PolynomialFailure(6, 3), kErr},
        {u"10^308", u"1" + Repeat(u"0", 308), kNum},
        {nines, u"1" + Repeat(u"0", 308), kNum},
    });
}

} // namespace
} // namespace talmiron::e2e
