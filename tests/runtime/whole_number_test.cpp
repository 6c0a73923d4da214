#include "runtime/whole_number.h"

#include "tests/test_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>

namespace talmiron {
namespace {

using testing::FailureOf;

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr std::int32_t kMin32 = std::numeric_limits<std::int32_t>::min();

TEST(WholeNumber, NearestWithHalvesToEven) {
    // clang-format off
    const std::pair<double, std::int32_t> cases32[] = {
        {-0.0, 0},  {0.5, 0},   {1.5, 2},   {2.5, 2},   {3.5, 4},   {-0.5, 0},  {-1.5, -2},
        {-2.5, -2}, {2.4999999999999996, 2},  {0.49999999999999994, 0}, // adding 0.5 first gives 1
        {2147483647.4, 2147483647},           {2147483646.5, 2147483646},
        {-2147483648.5, kMin32},              {-2147483647.5, kMin32},
    };
    const std::pair<double, std::int16_t> cases16[] = {
        {2.5, 2}, {-1.5, -2}, {32766.5, 32766}, {32767.4, 32767}, {-32768.5, -32768},
    };
    // clang-format on
    for (const auto& [value, expected] : cases32) {
        EXPECT_EQ(ToInt32(value), expected) << value;
    }
    for (const auto& [value, expected] : cases16) {
        EXPECT_EQ(ToInt16(value), expected) << value;
    }
    for (const double value : {2147483647.5, std::nextafter(-2147483648.5, -kInf), -2147483649.0,
                               1e300, kInf, -kInf, kNaN}) {
        EXPECT_EQ(FailureOf([&] { ToInt32(value); }), kOverflow) << value;
    }
    for (const double value : {32767.5, -32768.6, -32769.0, 70000.0, kInf, kNaN}) {
        EXPECT_EQ(FailureOf([&] { ToInt16(value); }), kOverflow) << value;
    }
}

TEST(WholeNumber, OverflowCarriesItsStandardDescription) {
    try {
        ToInt32(kNaN);
        FAIL() << "no failure";
    } catch (const RuntimeFailure& failure) {
        EXPECT_FALSE(failure.Description().empty());
        EXPECT_EQ(failure.Description(), FailureDescription(kOverflow));
    }
}

} // namespace
} // namespace talmiron
