// Operators, signs, groups, literals, blanks and symbols end to end.
#include "tests/e2e/evaluation_table.h"

#include <gtest/gtest.h>

namespace talmiron::e2e {
namespace {

TEST(EvaluateOperators, NumbersStringsSignsAndMalformedTexts) {
    ExpectRows({
        // A zero keeps no sign; a sign before a group acts as before its value.
        {u"-0", u"0", kNum},
        {u"+2.5*+2", u"5", kNum},
        {u"1-(0-2)", u"3", kNum},
        {u"-(1-3)", u"1013 ERROR: Illegal symbol name: '-2'", kErr},
        {u"-", u"1012 ERROR: Undefined symbol in expression: ''", kErr},
        {u"-('a')", u"a", kStr},
        {u"''+(STRING(2,''''))+''", u"''", kStr},
        {u"1e5", u"1007 ERROR: Invalid numeric literal: '1e5'", kErr},
        {u"&H1F", u"1013 ERROR: Illegal symbol name: '&H1F'", kErr},
        {u"1/3*3", u"0.999999999999999", kNum},
        {u"631^81.713695527", u"632042857583923" + Text(214, u'0'), kNum},
        {u"0^0", u"1", kNum},
        {u"0^0.5", u"0", kNum},
        {u"'1'+'2'+3", u"15", kNum},
        // A doubled quote does not end the literal for the operator scan.
        {u"'a''+'+'b'", u"a'+b", kStr},
        {u"(LEN('a)'))", u"2", kNum},
        // Numeric text admits blanks around it and a lone sign or point, which reads as 0.
        {u"' 5 '-'+'", u"5", kNum},
        // Equal counts pass the balance check, and ")(" is no name.
        {u")(", u"1013 ERROR: Illegal symbol name: ')('", kErr},
        // A "(" after anything but an operator opens a call.
        {u"2(3)", u"1007 ERROR: Invalid numeric literal: '2(3)'", kErr},
        {u"' a'b'c '", u"1009 ERROR: Invalid string literal: 'a'b'c'", kErr},
        // Only the blank outside literals is dropped.
        {u"L EN('ab')", u"2", kNum},
        {u"1\t+2", u"1007 ERROR: Invalid numeric literal: '1\t'", kErr},
    });
    // The type test comes before the division check; the leftmost failure wins.
    ExpectAll(u"1004 ERROR: Type mismatch in expression.", kErr,
              {u"'1 2'+1", u"'1e5'+1", u"1+''", u"'a'/0", u"2*'a'+1/0"});
    ExpectAll(u"1005 ERROR: Division by zero.", kErr, {u"5/'0'", u"1/-0", u"1/0+x"});
    ExpectAll(u"1002 ERROR: Unmatched opening/closing parenthesis.", kErr, {u"1+2)", u"'('+(1"});
    ExpectAll(u"1003 ERROR: Operand expected.", kErr, {u"2**3", u"*2", u"-1-", u""});
    ExpectAll(u"1001 ERROR: Unclosed quotes in expression.", kErr, {u"it's", u"LEN('a)"});
}

TEST(EvaluateSymbols, EachDataType) {
    ExpectRows(
        {
            {u"-PI^2", u"100", kNum},
            {u"Empty", u"0", kNum},
            // Reading the value is where it overflows.
            {u"1+Big", PolynomialFailure(6, 43), kErr},
            {u"PI+PI()", u"13.1415926535898", kNum},
            {u"-Name", u"1011 ERROR: Unary operator not permitted in string symbols.", kErr},
            {u"One+Two", u"12", kStr},
            // Other data types pass through as the state, sign ignored, and take no operand ...
            {u"-Other", u"hello", 7},
            {u"Other+1", u"hello", 7},
            // ... and an operand of another state changes nothing.
            {u"1+Other", u"1", kNum},
            {u"LEN(Other)", u"1019 ERROR: Type mismatch in function argument: hello", kErr},
            // Data type 0 is the state None, which the next operand replaces.
            {u"-Zero", u"zero", EvaluationStates_None},
            {u"Zero*3", u"3", kNum},
            // A lone sign names the symbol with the empty name.
            {u"2*-", u"-10", kNum},
        },
        {{u"Empty", 1, u""},
         {u"Big", 1, u"1E400"},
         {u"PI", 1, u"10"},
         {u"Name", 2, u"Bob"},
         {u"One", 2, u"1"},
         {u"Two", 2, u"2"},
         {u"Other", 7, u"hello"},
         {u"Zero", 0, u"zero"},
         {u"", 1, u"5"}});
}

} // namespace
} // namespace talmiron::e2e
