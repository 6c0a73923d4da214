// Numbers read from texts and rounded to whole numbers. For Val: what the property comparing its
// two routes cannot see, and the ends of the range.
#include "runtime/val.h"
#include "runtime/whole_number.h"

#include "tests/test_support.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdint>

namespace talmiron {
namespace {

using testing::FailureOf;

TEST(Val, LeadingNumber) {
    // clang-format off
    const std::pair<Text, double> cases[] = {
        {u"1.5E 1\n0", 1.5e10}, {u"1.5 E - 1", 0.15}, {u"1d2", 1}, {u"--5", 0}, {u"\r5", 0},
        {u"1E2E3", 100}, {u"1e+", 1},
        // Hexadecimal and octal are 32-bit two's complement.
        {u" &H 1 0", 16}, {u"&hff", 255}, {u"&H1G", 1}, {u"&HG", 0}, {u"&H7FFFFFFF", 2147483647},
        {u"&H80000000", -2147483648.0}, {u"&H00000000FFFFFFFE", -2}, {u"&o17", 15}, {u"&O78", 7},
        {u"&O37777777777", -1}, {u"&X10", 0}, {u"&O17777777777", 2147483647},
        {u"&O20000000000", -2147483648.0},
        // The ends of the range, and exponents of any length.
        {u"2e-324", 0}, {u"3e-324", 4.9406564584124654e-324}, {u"1.7976931348623157e308", DBL_MAX},
        {u"1e-99999999999999999999", 0}, {u"0.000e99999999999999999999", 0},
        {u"1" + Text(400, u'0') + u"e-400", 1}, {u"0." + Text(400, u'0') + u"15e402", 15},
    };
    // clang-format on
    for (const auto& [text, expected] : cases) {
        EXPECT_TRUE(testing::SameDouble(Val(text), expected)) << TextToUtf8(text);
    }
    for (const Text text :
         {u"&H100000000", u"&HFFFFFFFFF", u"&O40000000000", u"&O777777777777", u"-1e400",
          u"1.7976931348623159e308", u"1e99999999999999999999", u"123456789e99999999999"}) {
        EXPECT_EQ(FailureOf([&] { Val(text); }), kOverflow) << TextToUtf8(text);
    }
}

TEST(WholeNumber, NearestWithHalvesToEvenAndOverflowBeyond) {
    // clang-format off
    const std::pair<double, std::int32_t> cases[] = {
        {-0.0, 0}, {0.5, 0}, {1.5, 2}, {2.5, 2}, {-0.5, 0}, {-1.5, -2}, {-2.5, -2}, {32766.5, 32766},
        {2.4999999999999996, 2}, {0.49999999999999994, 0}, // adding 0.5 first gives 1
        {-32768.5, -32768}, {2147483647.4, 2147483647}, {-2147483648.5, -2147483648},
    };
    // clang-format on
    for (const auto& [value, expected] : cases) {
        EXPECT_EQ(ToInt32(value), expected) << value;
        EXPECT_TRUE(std::fabs(value) > 32768.5 || ToInt16(value) == expected) << value;
    }
    for (const double value : {32767.5, -32768.6, 2147483647.5, std::nextafter(-2147483648.5, -3e9),
                               -HUGE_VAL, double(NAN)}) {
        EXPECT_EQ(FailureOf([&] { ToInt16(value); }), kOverflow) << value;
        EXPECT_TRUE(std::fabs(value) < 2147483647.5 ||
                    FailureOf([&] { ToInt32(value); }) == kOverflow)
            << value;
    }
}

} // namespace
} // namespace talmiron
