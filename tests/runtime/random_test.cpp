#include "runtime/random.h"
#include "runtime/val.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>

namespace talmiron {
namespace {

// In [0, 1), with at most 7 significant digits in plain or exponent form.
bool Drawn(const Text& text) {
    Text digits = text.substr(0, text.find(u'e'));
    std::erase(digits, u'.');
    const std::size_t first = digits.find_first_not_of(u'0');
    const std::size_t count = first == Text::npos ? 0 : digits.find_last_not_of(u'0') - first + 1;
    return Val(text) >= 0 && Val(text) < 1 && count <= 7;
}

TEST(Random, DrawsLieBelowOneWithAtMostSevenDigits) {
    std::set<Text> distinct;
    std::set<float> sameTick;
    for (int i = 0; i < 20000; ++i) {
        const Text text = RandomText(NextRandom());
        ASSERT_TRUE(Drawn(text)) << TextToUtf8(text);
        distinct.insert(text);
        sameTick.insert(NextRandom(12345));
    }
    // 24-bit values: a handful of repeats at most, also when the clock stands still.
    EXPECT_GT(distinct.size(), 19800u);
    EXPECT_GT(sameTick.size(), 19800u);
    // The largest single below 1 must not round up to 1 at 7 digits.
    EXPECT_EQ(RandomText(std::nextafter(1.0f, 0.0f)), u"0.9999999");
    EXPECT_EQ(RandomText(0.0f), u"0");
    EXPECT_EQ(Val(RandomText(std::ldexp(1.0f, -24))), 5.960464e-08);
}

} // namespace
} // namespace talmiron
