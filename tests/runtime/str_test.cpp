#include "runtime/str.h"

#include "tests/test_support.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cstdint>
#include <limits>

namespace talmiron {
namespace {

using Limits = std::numeric_limits<double>;

TEST(Str, Doubles) {
    // clang-format off
    const std::pair<double, Text> cases[] = {
        {0.0, u" 0"},            {-0.0, u" 0"},           {3, u" 3"},            {-12, u"-12"},
        {0.5, u" .5"},           {-0.25, u"-.25"},        {0.1 + 0.2, u" .3"},
        {1.0 / 3, u" .333333333333333"},                  {2.0 / 3, u" .666666666666667"},
        {123456789012345, u" 123456789012345"},           {1234567890123456, u" 1.23456789012346E+15"},
        {1E+20, u" 1E+20"},      {-1E+20, u"-1E+20"},     {1e300, u" 1E+300"},
        {0.00000015, u" 1.5E-07"},                        {-1.5e-100, u"-1.5E-100"},
        {DBL_MAX, u" 1.79769313486232E+308"},             {Limits::denorm_min(), u" 4.94065645841247E-324"},
        // Where exponent form starts.
        {0.001, u" .001"},       {0.0001, u" 1E-04"},     {999999999999999, u" 999999999999999"},
        {1E+15, u" 1E+15"},
    };
    // clang-format on
    for (const auto& [value, text] : cases) {
        EXPECT_EQ(Str(value), text) << value;
    }
    for (const double value : {Limits::infinity(), -Limits::infinity(), Limits::quiet_NaN()}) {
        EXPECT_EQ(testing::FailureOf([&] { Str(value); }), kOverflow) << value;
    }
}

TEST(Str, Integers) {
    EXPECT_EQ(Str(std::int32_t{0}), u" 0");
    EXPECT_EQ(Str(std::int32_t{3}), u" 3");
    EXPECT_EQ(Str(std::int32_t{-12}), u"-12");
    EXPECT_EQ(Str(std::numeric_limits<std::int32_t>::min()), u"-2147483648");
    EXPECT_EQ(Str(std::int16_t{0}), u" 0");
    EXPECT_EQ(Str(std::int16_t{3}), u" 3");
    EXPECT_EQ(Str(std::int16_t{-12}), u"-12");
    EXPECT_EQ(Str(std::numeric_limits<std::int16_t>::min()), u"-32768");
    EXPECT_EQ(IntegerToAscii(std::numeric_limits<std::int64_t>::min()), "-9223372036854775808");
}

} // namespace
} // namespace talmiron
