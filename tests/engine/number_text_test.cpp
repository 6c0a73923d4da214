// Where the property does not reach: host texts with exponents, whole numbers, values with no text.
#include "engine/number_text.h"

#include "tests/test_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>

namespace talmiron {
namespace {

using testing::FailureOf;

TEST(NumberToText, TextsWholesAndValuesWithoutText) {
    // clang-format off
    const std::pair<Text, Text> texts[] = {
        {u" -1.5E-3 ", u"-0.0015"}, {u"+.5", u"+0.5"},   {u"\t5", u"\t5"},     {u"1.25E+3", u"1250"},
        {u"12.5E-1", u"1.25"},      {u"1E5", u"1"},      {u"+1.5e+1", u"+15"}, {u"2.5E+1X", u"25"},
        {u"1.23456789012345E-05", u"0.0000123456789012345"}, {u"-1.5E+2.4", u"-150"},
    };
    // clang-format on
    for (const auto& [text, expected] : texts) {
        EXPECT_EQ(NumberToText(TextView(text)), expected) << TextToUtf8(text);
    }
    EXPECT_EQ(FailureOf([] { NumberToText(TextView(u"1.5E+-5")); }), kInvalidProcedureCall);
    for (const TextView text : {u"1E+99999999999", u"1E-99999999999"}) {
        EXPECT_EQ(FailureOf([&] { NumberToText(text); }), kOverflow);
    }
    for (const double value : {HUGE_VAL, double(NAN)}) {
        EXPECT_EQ(FailureOf([&] { NumberToText(value); }), kOverflow) << value;
    }
    EXPECT_EQ(NumberToText(std::numeric_limits<std::int32_t>::min()), u"-2147483648");
}

} // namespace
} // namespace talmiron
