// The number text routines where the property test does not reach: texts
// given by hosts as symbol values, exponent expansion, whole numbers, and
// values with no text.
#include "engine/number_text.h"

#include "tests/test_support.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

namespace talmiron {
namespace {

using testing::FailureOf;

TEST(NumberToText, WholesAppendingAndValuesWithoutText) {
    for (const double value :
         {std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(),
          std::numeric_limits<double>::quiet_NaN()}) {
        EXPECT_EQ(FailureOf([&] { NumberToText(value); }), kOverflow) << value;
    }
    Text appended = u"x";
    AppendNumberText(appended, -2.5);
    AppendNumberText(appended, 1E+20);
    EXPECT_EQ(appended, u"x-2.51" + Text(20, u'0'));
    EXPECT_EQ(NumberToText(std::int32_t{3}), u"3");
    EXPECT_EQ(NumberToText(std::numeric_limits<std::int32_t>::min()), u"-2147483648");
}

TEST(NumberToText, TextsAndExponentExpansion) {
    // clang-format off
    const std::pair<Text, Text> texts[] = {
        {u" 12 ", u"12"},   {u"+.5", u"+0.5"},   {u"   ", u""},         {u"abc", u"ABC"},
        {u" -1.5E-3 ", u"-0.0015"},              {u"-.", u"-0."},       {u"\t5", u"\t5"},
        {u"1.50", u"1.50"},
    };
    const std::pair<Text, Text> expansions[] = {
        {u"1.25E+1", u"12.5"},     {u"1.25E+3", u"1250"},     {u"1.5E+07", u"15000000"},
        {u"12.5E-1", u"1.25"},     {u"1E-3", u"0.001"},       {u"1.5E+00", u"1.5"},
        {u"1.23456789012345E-05", u"0.0000123456789012345"},  {u"1E5", u"1"},
        {u"1E+", u"1"},            {u"+1.5e+1", u"+15"},      {u"2.5E+1X", u"25"},
        {u"-1.5E+2.4", u"-150"}, // exponent read by Val, rounded
    };
    // clang-format on
    for (const auto& [text, expected] : texts) {
        EXPECT_EQ(NumberToText(TextView(text)), expected) << TextToUtf8(text);
    }
    for (const auto& [text, expected] : expansions) {
        EXPECT_EQ(ExpandExponent(text), expected) << TextToUtf8(text);
    }
    for (const TextView text : {u"1E+-3", u"1.5E+-5"}) {
        EXPECT_EQ(FailureOf([&] { ExpandExponent(text); }), kInvalidProcedureCall);
    }
    for (const TextView text : {u"1E+99999999999", u"1E-99999999999"}) {
        EXPECT_EQ(FailureOf([&] { ExpandExponent(text); }), kOverflow);
        EXPECT_EQ(FailureOf([&] { NumberToText(text); }), kOverflow);
    }
}

} // namespace
} // namespace talmiron
