// Names in expressions: symbols of each data type, their look-up and signs.
#include "tests/e2e/evaluation_table.h"

#include <gtest/gtest.h>

namespace talmiron::e2e {
namespace {

constexpr EvaluationTypes kNumeric = EvaluationTypes_Numeric;
constexpr EvaluationTypes kString = EvaluationTypes_String;

TEST(EvaluateSymbols, NumericSymbolsReadTheirValueAsANumber) {
    ExpectRows(
        {
            {u"rate", u"0.5", kNum},
            {u"RATE", u"0.5", kNum},
            {u"rAtE", u"0.5", kNum},
            {u"Ra te", u"0.5", kNum},
            {u"-Rate", u"-0.5", kNum},
            {u"+Rate", u"0.5", kNum},
            {u"Rate*2", u"1", kNum},
            {u"Rate+Count", u"3.5", kNum},
            {u"-Rate^2", u"0.25", kNum},
            {u"2^-Rate", u"0.707106781186548", kNum},
            {u"(Rate)", u"0.5", kNum},
            // Values are read by the leading-number rule.
            {u"Letters", u"0", kNum},
            {u"Spaced", u"12", kNum},
            {u"Scientific", u"150", kNum},
            {u"-Scientific", u"-150", kNum},
            {u"HexValue", u"31", kNum},
            {u"Trailing", u"12", kNum},
            {u"Empty", u"0", kNum},
            {u"Long", u"0.3", kNum},
            {u"Huge", u"1" + Repeat(u"0", 308), kNum},
            {u"Huge*10", PolynomialFailure(6, 3), kErr},
            // Legal names beyond plain letters.
            {u"a_b@c", u"1", kNum},
            {u"A_B@C", u"1", kNum},
            {u"_tmp", u"2", kNum},
            {u"@var", u"3", kNum},
            {u"Rate2", u"4", kNum},
            // A symbol may share a function's name; only a call reaches the function.
            {u"PI", u"10", kNum},
            {u"PI()", u"3.14159265358979", kNum},
            {u"PI+PI()", u"13.1415926535898", kNum},
            {u"rate(1)", u"1016 ERROR: Unknown function: rate", kErr},
        },
        {
            {u"Rate", kNumeric, u"0.5"},
            {u"Count", kNumeric, u"3"},
            {u"Letters", kNumeric, u"abc"},
            {u"Spaced", kNumeric, u" 1 2"},
            {u"Scientific", kNumeric, u"1.5E2"},
            {u"HexValue", kNumeric, u"&H1F"},
            {u"Trailing", kNumeric, u"12abc"},
            {u"Empty", kNumeric, u""},
            {u"Long", kNumeric, u"0.30000000000000004"},
            {u"Huge", kNumeric, u"1E308"},
            {u"a_b@c", kNumeric, u"1"},
            {u"_tmp", kNumeric, u"2"},
            {u"@var", kNumeric, u"3"},
            {u"Rate2", kNumeric, u"4"},
            {u"PI", kNumeric, u"10"},
        });
}

TEST(EvaluateSymbols, NumericValueBeyondTheDoubleRangeIsAnOverflow) {
    // The line is that of reading the operand.
    ExpectRows(
        {
            {u"Big",
             u"ERROR: Unexpected error (Polynomial): 6 - Overflow, the error occured at line: 4",
             kErr, Match::Prefix},
            {u"1+Big",
             u"ERROR: Unexpected error (Polynomial): 6 - Overflow, the error occured at line: 4",
             kErr, Match::Prefix},
        },
        {{u"Big", kNumeric, u"1E400"}});
}

TEST(EvaluateSymbols, StringSymbolsGiveTheirValueUnchanged) {
    ExpectRows(
        {
            {u"Name", u"Bob", kStr},
            {u"name", u"Bob", kStr},
            {u"Name+'!'", u"Bob!", kStr},
            {u"'Hi '+Name", u"Hi Bob", kStr},
            {u"-Name", u"1011 ERROR: Unary operator not permitted in string symbols.", kErr},
            {u"+Name", u"1011 ERROR: Unary operator not permitted in string symbols.", kErr},
            {u"2*-Name", u"1011 ERROR: Unary operator not permitted in string symbols.", kErr},
            {u"Name+1", u"1004 ERROR: Type mismatch in expression.", kErr},
            {u"Name*2", u"1004 ERROR: Type mismatch in expression.", kErr},
            {u"Quote", u"it's", kStr},
            {u"(Quote)", u"it's", kStr},
            {u"(Quote)+'!'", u"it's!", kStr},
            {u"Quote+Quote", u"it'sit's", kStr},
            {u"LEN(Quote)", u"4", kNum},
            {u"UCASE(Quote)", u"IT'S", kStr},
            {u"One+1", u"2", kNum},
            {u"One+Two", u"12", kStr},
            {u"One*Two", u"2", kNum},
            {u"(One)+(Two)", u"12", kStr},
            {u"Paren", u"(", kStr},
            {u"(Paren)+')'", u"()", kStr},
            {u"LEN(Paren)", u"1", kNum},
            {u"Spaces", u"  ", kStr},
        },
        {
            {u"Name", kString, u"Bob"},
            {u"Quote", kString, u"it's"},
            {u"One", kString, u"1"},
            {u"Two", kString, u"2"},
            {u"Paren", kString, u"("},
            {u"Spaces", kString, u"  "},
        });
}

TEST(EvaluateSymbols, OtherDataTypesPassThroughAsTheState) {
    ExpectRows(
        {
            {u"Other", u"hello", 7},
            // The sign is ignored.
            {u"-Other", u"hello", 7},
            // An accumulated value of another state takes no operand ...
            {u"Other+1", u"hello", 7},
            {u"Five*2", u"5", 7},
            // ... and an operand of another state changes nothing.
            {u"1+Other", u"1", kNum},
            {u"LEN(Other)", u"1019 ERROR: Type mismatch in function argument: hello", kErr},
            // Data type 0 is the state None, which the next operand replaces.
            {u"Zero", u"zero", kNone},
            {u"-Zero", u"zero", kNone},
            {u"Zero+1", u"1", kNum},
            {u"Zero*3", u"3", kNum},
            {u"1+Zero", u"1", kNum},
            {u"Negative", u"n", -1},
        },
        {
            {u"Other", 7, u"hello"},
            {u"Five", 7, u"5"},
            {u"Zero", 0, u"zero"},
            {u"Negative", -1, u"n"},
        });
}

TEST(EvaluateSymbols, NamesThatAreNotSymbols) {
    ExpectRows({
        {u"x", u"1012 ERROR: Undefined symbol in expression: 'x'", kErr},
        {u"-x", u"1012 ERROR: Undefined symbol in expression: 'x'", kErr},
        {u"Rate3", u"1012 ERROR: Undefined symbol in expression: 'Rate3'", kErr},
        {u"_tmp", u"1012 ERROR: Undefined symbol in expression: '_tmp'", kErr},
        {u"#x", u"1013 ERROR: Illegal symbol name: '#x'", kErr},
        {u"a.b", u"1013 ERROR: Illegal symbol name: 'a.b'", kErr},
        {u"é", u"1013 ERROR: Illegal symbol name: 'é'", kErr},
        {u"a%sb", u"1013 ERROR: Illegal symbol name: 'a%sb'", kErr},
        {u"2x", u"1007 ERROR: Invalid numeric literal: '2x'", kErr},
    });
}

TEST(EvaluateSymbols, ALoneSignNamesTheSymbolWithTheEmptyName) {
    ExpectRows(
        {
            {u"-", u"-5", kNum},
            {u"+", u"5", kNum},
            {u"2*-", u"-10", kNum},
            {u"1-", u"1003 ERROR: Operand expected.", kErr},
        },
        {{u"", kNumeric, u"5"}});
}

} // namespace
} // namespace talmiron::e2e
