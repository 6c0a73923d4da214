#include "runtime/random.h"
#include "runtime/val.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <string>

namespace talmiron {
namespace {

// Significant digits of a number text in plain or exponent form.
int SignificantDigits(const Text& text) {
    std::string digits;
    for (const char16_t c : text.substr(0, text.find_first_of(u"eE"))) {
        if (c >= u'0' && c <= u'9') {
            digits += static_cast<char>(c);
        }
    }
    const auto first = digits.find_first_not_of('0');
    return first == std::string::npos ? 0 : int(digits.find_last_not_of('0') - first + 1);
}

TEST(Random, DrawsLieInRangeWithAtMostSevenDigits) {
    std::set<Text> distinct;
    for (int i = 0; i < 20000; ++i) {
        const Text text = RandomText(NextRandom());
        const double value = Val(text);
        ASSERT_TRUE(value >= 0 && value < 1) << TextToUtf8(text);
        ASSERT_LE(SignificantDigits(text), 7) << TextToUtf8(text);
        distinct.insert(text);
    }
    // 24-bit values: a handful of repeats at most.
    EXPECT_GT(distinct.size(), 19800u);
}

TEST(Random, DrawsDifferWithinOneClockTick) {
    std::set<float> values;
    for (int i = 0; i < 1000; ++i) {
        const float value = NextRandom(12345);
        ASSERT_TRUE(value >= 0.0f && value < 1.0f);
        values.insert(value);
    }
    EXPECT_GT(values.size(), 990u);
}

// The largest singles below 1 must not round up to 1 at 7 digits.
TEST(Random, TextNeverReachesOne) {
    float value = 1.0f;
    for (int i = 0; i < 2000; ++i) {
        value = std::nextafter(value, 0.0f);
        const Text text = RandomText(value);
        ASSERT_LT(Val(text), 1) << TextToUtf8(text);
        ASSERT_LE(SignificantDigits(text), 7) << TextToUtf8(text);
    }
    EXPECT_EQ(RandomText(std::nextafter(1.0f, 0.0f)), u"0.9999999");
    EXPECT_EQ(RandomText(0.0f), u"0");
    EXPECT_EQ(RandomText(0.5f), u"0.5");
    EXPECT_EQ(Val(RandomText(std::ldexp(1.0f, -24))), 5.960464e-08);
}

} // namespace
} // namespace talmiron
