#include "runtime/val.h"

#include "tests/test_support.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <string>

namespace talmiron {
namespace {

using testing::FailureOf;
using testing::SameDouble;

TEST(Val, LeadingNumber) {
    const double kLeast = 4.9406564584124654e-324;
    // clang-format off
    const std::pair<Text, double> cases[] = {
        {u"", 0},             {u"abc", 0},           {u"12abc", 12},        {u"3,5", 3},
        {u" 1 2", 12},        {u"1.5E2", 150},       {u"1.5e2", 150},       {u"150E-2", 1.5},
        {u"+5", 5},           {u"- 5", -5},          {u"-.5", -0.5},        {u"1.2.3", 1.2},
        {u"1e", 1},           {u"1e+", 1},           {u"1E2E3", 100},       {u"1d2", 1},
        {u"--5", 0},          {u"+-5", 0},           {u".", 0},             {u"e5", 0},
        {u"1\t2\n3", 123},    {u"1 . 5", 1.5},       {u"1.5E 1\n0", 1.5e10}, {u"1.5 E - 1", 0.15},
        {u"\r5", 0},          {u"5 x 6", 5},
        // Hexadecimal and octal are 32-bit two's complement.
        {u"&H10", 16},        {u"&hff", 255},        {u"&H1G", 1},          {u" &H 1 0", 16},
        {u"&H7FFFFFFF", 2147483647},                 {u"&HFFFFFFFF", -1},
        {u"&H80000000", -2147483648.0},              {u"&H0000000001", 1},
        {u"&H00000000FFFFFFFE", -2},                 {u"&H", 0},            {u"&HG", 0},
        {u"&O17", 15},        {u"&o17", 15},         {u"&O37777777777", -1},
        {u"&O17777777777", 2147483647},              {u"&O20000000000", -2147483648.0},
        {u"&O8", 0},          {u"&O78", 7},          {u"&", 0},             {u"&X10", 0},
        // The ends of the range, and exponents of any length.
        {u"1e-400", 0},       {u"2e-324", 0},        {u"3e-324", kLeast},
        {u"2.4703282292062328e-324", kLeast},        {u"1.7976931348623157e308", DBL_MAX},
        {u"1e-99999999999999999999", 0},             {u"0e99999999999", 0},
        {u"0.000e99999999999999999999", 0},          {u"1" + Text(400, u'0') + u"e-400", 1},
        {u"0." + Text(400, u'0') + u"15e402", 15},
        // Correct rounding, halfway cases to even.
        {u"0.1", 0.1},        {u"0.30000000000000004", 0.1 + 0.2},
        {u"9007199254740993", 9007199254740992.0},   {u"9007199254740995", 9007199254740996.0},
        {u"9007199254740993.0000000000000000000001", 9007199254740994.0},
    };
    // clang-format on
    for (const auto& [text, expected] : cases) {
        const double got = Val(text);
        EXPECT_TRUE(SameDouble(got, expected))
            << "Val(\"" << TextToUtf8(text) << "\") = " << got << ", expected " << expected;
    }
    for (const Text text :
         {u"&H100000000", u"&HFFFFFFFFF", u"&O40000000000", u"&O777777777777", u"1e309", u"-1e400",
          u"1.7976931348623159e308", u"1e99999999999999999999", u"123456789e99999999999"}) {
        EXPECT_EQ(FailureOf([&] { Val(text); }), kOverflow) << TextToUtf8(text);
    }
}

// Long digit strings, halfway points among them, round correctly.
TEST(Val, LongDigitStringsRoundCorrectly) {
    const struct {
        const char* text;
        double expected;
    } cases[] = {
        {"1234567890123456789012345678901234567890", 0x1.d064903ae06ep+129},
        {"0.1234567890123456789012345678901234567890", 0x1.f9add3746f65fp-4},
        {"2.225073858507201136057409796709131975934e-308", 0x0.fffffffffffffp-1022},
        {"4.4501477170144022721148195934182639518696e-308", 0x1.fffffffffffffp-1022},
        {"17976931348623157081452742373170435679807e268", 0x1.fffffffffffffp+1023},
        {"1.00000000000000011102230246251565404236316680908203125", 0x1p+0},
        {"1.00000000000000011102230246251565404236316680908203124", 0x1p+0},
        {"1.00000000000000011102230246251565404236316680908203126", 0x1.0000000000001p+0},
    };
    for (const auto& c : cases) {
        EXPECT_TRUE(SameDouble(Val(AsciiToText(c.text)), c.expected)) << c.text;
    }
}

} // namespace
} // namespace talmiron
