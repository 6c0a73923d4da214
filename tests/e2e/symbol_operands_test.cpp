// Names in expressions: symbols of each data type, their look-up and signs.
#include "tests/e2e/evaluation_table.h"

#include <gtest/gtest.h>

namespace talmiron::e2e {
namespace {

constexpr EvaluationTypes kNumeric = EvaluationTypes_Numeric;
constexpr EvaluationTypes kString = EvaluationTypes_String;
const Text kStringSign = u"1011 ERROR: Unary operator not permitted in string symbols.";

TEST(EvaluateSymbols, EachDataType) {
    ExpectRows(
        {
            {u"-Rate^2", u"0.25", kNum},
            // Numeric values are read by the leading-number rule.
            {u"HexValue", u"31", kNum},
            {u"Empty", u"0", kNum},
            {u"Huge*10", PolynomialFailure(6, 3), kErr},
            // Reading the value is where it overflows.
            {u"1+Big", PolynomialFailure(6, 43), kErr},
            // A symbol may share a function's name; only a call reaches the function.
            {u"PI+PI()", u"13.1415926535898", kNum},
            {u"rate(1)", u"1016 ERROR: Unknown function: rate", kErr},
            // String values are given unchanged.
            {u"-Name", kStringSign, kErr},
            {u"2*-Name", kStringSign, kErr},
            {u"One+1", u"2", kNum},
            {u"One+Two", u"12", kStr},
            {u"(Paren)+')'", u"()", kStr},
            // Other data types pass through as the state, sign ignored; an
            // accumulated value of another state takes no operand ...
            {u"-Other", u"hello", 7},
            {u"Other+1", u"hello", 7},
            {u"Five*2", u"5", 7},
            // ... and an operand of another state changes nothing.
            {u"1+Other", u"1", kNum},
            {u"LEN(Other)", u"1019 ERROR: Type mismatch in function argument: hello", kErr},
            // Data type 0 is the state None, which the next operand replaces.
            {u"-Zero", u"zero", kNone},
            {u"Zero*3", u"3", kNum},
            {u"Negative", u"n", -1},
            {u"é", u"1013 ERROR: Illegal symbol name: 'é'", kErr},
            {u"a%sb", u"1013 ERROR: Illegal symbol name: 'a%sb'", kErr},
        },
        {{u"Rate", kNumeric, u"0.5"},
         {u"HexValue", kNumeric, u"&H1F"},
         {u"Empty", kNumeric, u""},
         {u"Huge", kNumeric, u"1E308"},
         {u"Big", kNumeric, u"1E400"},
         {u"PI", kNumeric, u"10"},
         {u"Name", kString, u"Bob"},
         {u"One", kString, u"1"},
         {u"Two", kString, u"2"},
         {u"Paren", kString, u"("},
         {u"Other", 7, u"hello"},
         {u"Five", 7, u"5"},
         {u"Zero", 0, u"zero"},
         {u"Negative", -1, u"n"}});
}

TEST(EvaluateSymbols, ALoneSignNamesTheSymbolWithTheEmptyName) {
    ExpectRows(
        {
            {u"-", u"-5", kNum},
            {u"2*-", u"-10", kNum},
            {u"1-", u"1003 ERROR: Operand expected.", kErr},
        },
        {{u"", kNumeric, u"5"}});
}

} // namespace
} // namespace talmiron::e2e
