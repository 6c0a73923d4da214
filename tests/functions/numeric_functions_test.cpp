#include "tests/functions/call.h"

#include <gtest/gtest.h>

namespace talmiron {
namespace {

using testing::CallCase;
using testing::Describe;
using testing::Outcome;

void ExpectNumeric(const std::vector<CallCase>& cases) {
    for (const CallCase& c : cases) {
        EXPECT_EQ(TextToUtf8(Outcome(c.name, c.arguments, true)), TextToUtf8(c.expected))
            << Describe(c);
    }
}

TEST(NumericFunctions, Mathematics) {
    ExpectNumeric({
        {u"ABS", {u"-2.5"}, u"2.5"},
        {u"ABS", {u"0"}, u"0"},
        {u"ABS", {u"7"}, u"7"},
        {u"ATN", {u"1"}, u"0.785398163397448"},
        {u"ATN", {u"-100000000000000000000"}, u"-1.5707963267949"},
        {u"COS", {u"0"}, u"1"},
        {u"COS", {u"3.14159265358979"}, u"-1"},
        {u"SIN", {u"0"}, u"0"},
        {u"SIN", {u"1.5707963267949"}, u"1"},
        {u"TAN", {u"0"}, u"0"},
        {u"TAN", {u"1"}, u"1.5574077246549"},
        {u"EXP", {u"0"}, u"1"},
        {u"EXP", {u"1"}, u"2.71828182845905"},
        {u"EXP", {u"-1000"}, u"0"},
        {u"EXP", {u"709"}, u"821840746155497" + Text(293, u'0')},
        {u"EXP", {u"710"}, u"failure 6"},
        {u"EXP", {u"1000"}, u"failure 6"},
        {u"INT", {u"2.7"}, u"2"},
        {u"INT", {u"2.5"}, u"2"},
        {u"INT", {u"-2.3"}, u"-3"},
        {u"INT", {u"-2.5"}, u"-3"},
        {u"INT", {u"-0.5"}, u"-1"},
        {u"INT", {u"5"}, u"5"},
        {u"SGN", {u"-7"}, u"-1"},
        {u"SGN", {u"0"}, u"0"},
        {u"SGN", {u"0.0001"}, u"1"},
    });
}

TEST(NumericFunctions, DomainsOfLogSqrArcsinArccos) {
    ExpectNumeric({
        {u"LOG", {u"1"}, u"0"},
        {u"LOG", {u"10"}, u"2.30258509299405"},
        {u"LOG", {u"0.000001"}, u"-13.8155105579643"},
        {u"LOG", {u"0"}, u"error 2000"},
        {u"LOG", {u"-1"}, u"error 2000"},
        {u"SQR", {u"0"}, u"0"},
        {u"SQR", {u"4"}, u"2"},
        {u"SQR", {u"2"}, u"1.4142135623731"},
        {u"SQR", {u"-4"}, u"error 2001"},
        {u"SQR", {u"-0.0000001"}, u"error 2001"},
        {u"ARCSIN", {u"0"}, u"0"},
        {u"ARCSIN", {u"0.5"}, u"0.523598775598299"},
        {u"ARCSIN", {u"-0.5"}, u"-0.523598775598299"},
        {u"ARCSIN", {u"0.999999999999999"}, u"1.57079628209141"},
        {u"ARCSIN", {u"1"}, u"1.5707963267949"},
        {u"ARCSIN", {u"-1"}, u"-1.5707963267949"},
        {u"ARCSIN", {u"1.000000000000001"}, u"error 2002"},
        {u"ARCSIN", {u"2"}, u"error 2002"},
        {u"ARCSIN", {u"-2"}, u"error 2002"},
        {u"ARCCOS", {u"0"}, u"1.5707963267949"},
        {u"ARCCOS", {u"0.5"}, u"1.0471975511966"},
        {u"ARCCOS", {u"-0.5"}, u"2.0943951023932"},
        {u"ARCCOS", {u"1"}, u"0"},
        {u"ARCCOS", {u"-1"}, u"3.14159265358979"},
        {u"ARCCOS", {u"1.5"}, u"error 2003"},
        {u"ARCCOS", {u"-1.000000000000001"}, u"error 2003"},
    });
}

TEST(NumericFunctions, RoundGoesToEvenOnTheExactBinaryValue) {
    ExpectNumeric({
        {u"ROUND", {u"2.5", u"0"}, u"2"},
        {u"ROUND", {u"3.5", u"0"}, u"4"},
        {u"ROUND", {u"-2.5", u"0"}, u"-2"},
        {u"ROUND", {u"0.5", u"0"}, u"0"},
        {u"ROUND", {u"-0.5", u"0"}, u"0"},
        {u"ROUND", {u"1.5", u"0"}, u"2"},
        {u"ROUND", {u"2.500001", u"0"}, u"3"},
        {u"ROUND", {u"1.375", u"2"}, u"1.38"},
        {u"ROUND", {u"0.125", u"2"}, u"0.12"},
        {u"ROUND", {u"-0.375", u"2"}, u"-0.38"},
        // Not halves in binary: 1.385 lies above its half, the others below.
        {u"ROUND", {u"1.385", u"2"}, u"1.39"},
        {u"ROUND", {u"2.675", u"2"}, u"2.67"},
        {u"ROUND", {u"1.005", u"2"}, u"1"},
        {u"ROUND", {u"1.015", u"2"}, u"1.01"},
        {u"ROUND", {u"123.456", u"0"}, u"123"},
        {u"ROUND", {u"123.456", u"1"}, u"123.5"},
        {u"ROUND", {u"0.1", u"20"}, u"0.1"},
        {u"ROUND", {u"123456789012345", u"2"}, u"123456789012345"},
        {u"ROUND", {u"1" + Text(300, u'0'), u"3"}, u"1" + Text(300, u'0')},
        {u"ROUND", {u"0." + Text(299, u'0') + u"1", u"1073"}, u"0." + Text(299, u'0') + u"1"},
        {u"ROUND", {u"0." + Text(299, u'0') + u"1", u"300"}, u"0." + Text(299, u'0') + u"1"},
        {u"ROUND", {u"0." + Text(299, u'0') + u"1", u"299"}, u"0"},
        {u"ROUND", {u"0.1", u"1074"}, u"0.1"},
        {u"ROUND", {u"0.1", u"2147483647"}, u"0.1"},
        // The number of digits is a whole-number parameter.
        {u"ROUND", {u"1.2345", u"1.5"}, u"1.23"},
        {u"ROUND", {u"1.2345", u"2.5"}, u"1.23"},
        {u"ROUND", {u"2.5", u"-0.5"}, u"2"},
        {u"ROUND", {u"1", u"-1"}, u"failure 5"},
        {u"ROUND", {u"1", u"2147483648"}, u"failure 6"},
    });
}

TEST(NumericFunctions, MeasuringAndReadingText) {
    ExpectNumeric({
        {u"LEN", {u""}, u"0"},
        {u"LEN", {u"abc"}, u"3"},
        {u"LEN", {u" a\t"}, u"3"},
        {u"LEN", {u"\U0001F600"}, u"2"},
        {u"VAL", {u" 1 2"}, u"12"},
        {u"VAL", {u"1.5E2"}, u"150"},
        {u"VAL", {u"&H1F"}, u"31"},
        {u"VAL", {u"&O17"}, u"15"},
        {u"VAL", {u"12abc"}, u"12"},
        {u"VAL", {u"abc"}, u"0"},
        {u"VAL", {u""}, u"0"},
        {u"VAL", {u"3,5"}, u"3"},
        {u"VAL", {u"-.5"}, u"-0.5"},
        {u"VAL", {u"1E400"}, u"failure 6"},
        {u"ASC", {u"A"}, u"65"},
        {u"ASC", {u"abc"}, u"97"},
        {u"ASC", {Text(1, u'\0')}, u"0"},
        {u"ASC", {u"\u20AC"}, u"128"},
        {u"ASC", {u"\u00E9"}, u"233"},
        {u"ASC", {u"\u0100"}, u"63"},
        {u"ASC", {u""}, u"failure 5"},
    });
}

TEST(NumericFunctions, InStrSearchesForwardFromStart) {
    ExpectNumeric({
        {u"INSTR", {u"1", u"abcabc", u"c"}, u"3"},
        {u"INSTR", {u"4", u"abcabc", u"c"}, u"6"},
        {u"INSTR", {u"3", u"abcabc", u"c"}, u"3"},
        {u"INSTR", {u"1", u"abcabc", u"bca"}, u"2"},
        {u"INSTR", {u"3", u"abcabc", u"bca"}, u"0"},
        {u"INSTR", {u"1", u"aaab", u"aab"}, u"2"},
        {u"INSTR", {u"1", u"abc", u"C"}, u"0"},
        {u"INSTR", {u"1", u"abc", u"abcd"}, u"0"},
        {u"INSTR", {u"1.5", u"abab", u"ab"}, u"3"},
        {u"INSTR", {u"2.5", u"abab", u"ab"}, u"3"},
        {u"INSTR", {u"1", u"", u"a"}, u"0"},
        {u"INSTR", {u"1", u"", u""}, u"0"},
        {u"INSTR", {u"2", u"abc", u""}, u"2"},
        {u"INSTR", {u"3", u"abc", u""}, u"3"},
        {u"INSTR", {u"4", u"abc", u""}, u"0"},
        {u"INSTR", {u"4", u"abc", u"c"}, u"0"},
        {u"INSTR", {u"0", u"abc", u"a"}, u"failure 5"},
        {u"INSTR", {u"-1", u"abc", u"a"}, u"failure 5"},
        {u"INSTR", {u"0", u"", u""}, u"failure 5"},
        {u"INSTR", {u"10000000000", u"abc", u"a"}, u"failure 6"},
    });
}

TEST(NumericFunctions, InStrRevFindsTheLastMatchWithinTheFirstStartCharacters) {
    ExpectNumeric({
        {u"INSTRREV", {u"abcabc", u"c", u"-1"}, u"6"},
        {u"INSTRREV", {u"abcabc", u"c", u"5"}, u"3"},
        {u"INSTRREV", {u"abcabc", u"c", u"6"}, u"6"},
        {u"INSTRREV", {u"abcabc", u"abc", u"5"}, u"1"},
        {u"INSTRREV", {u"abcabc", u"abc", u"6"}, u"4"},
        {u"INSTRREV", {u"abcabc", u"abc", u"2"}, u"0"},
        {u"INSTRREV", {u"aaaa", u"aa", u"-1"}, u"3"},
        {u"INSTRREV", {u"abc", u"C", u"-1"}, u"0"},
        {u"INSTRREV", {u"abc", u"a", u"1"}, u"1"},
        {u"INSTRREV", {u"abc", u"a", u"4"}, u"0"},
        {u"INSTRREV", {u"abc", u"", u"2"}, u"2"},
        {u"INSTRREV", {u"abc", u"", u"-1"}, u"3"},
        {u"INSTRREV", {u"", u"a", u"-1"}, u"0"},
        {u"INSTRREV", {u"", u"", u"-1"}, u"0"},
        {u"INSTRREV", {u"", u"", u"1"}, u"0"},
        {u"INSTRREV", {u"abcabc", u"c", u"0"}, u"failure 5"},
        {u"INSTRREV", {u"abcabc", u"c", u"-2"}, u"failure 5"},
        {u"INSTRREV", {u"abcabc", u"c", u"-1.5"}, u"failure 5"},
        {u"INSTRREV", {u"abcabc", u"c", u"-0.5"}, u"failure 5"},
        {u"INSTRREV", {u"abcabc", u"c", u"-3000000000"}, u"failure 6"},
    });
}

TEST(NumericFunctions, PiIsTheLiteralText) {
    const Text pi = u"3.1415926535897932384626433832795028841971693993751058209749445923";
    EXPECT_EQ(testing::Call(u"PI", {}).value.GetText(), pi);
    EXPECT_EQ(Outcome(u"PI", {}, true), u"3.14159265358979");
}

} // namespace
} // namespace talmiron
