#include "engine/number_text.h"

#include "tests/test_support.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

namespace talmiron {
namespace {

using testing::FailureOf;
using Limits = std::numeric_limits<double>;

TEST(NumberToText, Doubles) {
    // clang-format off
    const std::pair<double, Text> cases[] = {
        {0.0, u"0"},           {-0.0, u"0"},          {3, u"3"},              {-2.5, u"-2.5"},
        {0.5, u"0.5"},         {-0.5, u"-0.5"},       {0.1 + 0.2, u"0.3"},    {1.0 - 1e-16, u"1"},
        {1.0 / 3, u"0.333333333333333"},              {2.0 / 3, u"0.666666666666667"},
        {123456789012345, u"123456789012345"},        {1234567890123456, u"1234567890123460"},
        {1E+20, u"1" + Text(20, u'0')},               {-1.5E+20, u"-15" + Text(19, u'0')},
        {0.00000015, u"0.00000015"},                  {-0.00000015, u"-0.00000015"},
        {1E-20, u"0." + Text(19, u'0') + u"1"},       {0.0001, u"0.0001"},
        {999999999999999.4, u"999999999999999"},      {999999999999999.6, u"1000000000000000"},
        {Limits::denorm_min(), u"0." + Text(323, u'0') + u"494065645841247"},
    };
    // clang-format on
    for (const auto& [value, text] : cases) {
        EXPECT_EQ(NumberToText(value), text) << value;
    }
    for (const double value : {Limits::infinity(), -Limits::infinity(), Limits::quiet_NaN()}) {
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
        {u" 12 ", u"12"},   {u".5", u"0.5"},     {u"+.5", u"+0.5"},   {u"-.5", u"-0.5"},
        {u"", u""},         {u"   ", u""},       {u"abc", u"ABC"},    {u"1.5e+3", u"1500"},
        {u" -1.5E-3 ", u"-0.0015"},              {u"-", u"-"},        {u".", u"0."},
        {u"-.", u"-0."},    {u"\t5", u"\t5"},    {u"1.50", u"1.50"},
    };
    const std::pair<Text, Text> expansions[] = {
        {u"1E+3", u"1000"},        {u"1.25E+1", u"12.5"},     {u"1.25E+2", u"125"},
        {u"1.5E+3", u"1500"},      {u"1.25E+3", u"1250"},     {u"1.5E+07", u"15000000"},
        {u"12.5E-1", u"1.25"},     {u"15E-1", u"1.5"},        {u"1.5E-3", u"0.0015"},
        {u"1E-3", u"0.001"},       {u"15E-2", u"0.15"},       {u"-1.5E-3", u"-0.0015"},
        {u"1.23456789012345E-05", u"0.0000123456789012345"},  {u"1.5E+00", u"1.5"},
        {u"1E5", u"1"},            {u"1E55", u"1"},           {u"1E", u"1"},
        {u"1E+", u"1"},            {u"-12.5", u"-12.5"},      {u"+7", u"+7"},
        {u"+1.5e+1", u"+15"},      {u"1.5e-3", u"0.0015"},    {u"abc", u"ABC"},
        {u"2.5E+1X", u"25"},       {u"-1.5E+2.4", u"-150"}, // exponent read by Val, rounded
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

TEST(IsNumericText, PlainDecimalLiteralsOnly) {
    for (const TextView text :
         {u"12.5", u"-3", u"+.5", u"007", u" 7 ", u"+", u"-", u".", u"-.", u"5."}) {
        EXPECT_TRUE(IsNumericText(text)) << TextToUtf8(text);
    }
    for (const TextView text :
         {u"", u"   ", u"1.2.3", u"1-2", u"1+", u"1E5", u"1 2", u"1,5", u"\t7", u"--1", u"&H10"}) {
        EXPECT_FALSE(IsNumericText(text)) << TextToUtf8(text);
    }
}

} // namespace
} // namespace talmiron
