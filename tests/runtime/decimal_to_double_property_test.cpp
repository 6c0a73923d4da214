// The decimal reader gives the correctly rounded double everywhere; natively the standard
// library's conversion is the reference.
#include "runtime/decimal_to_double.h"

#include "tests/test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <random>
#include <string>

namespace talmiron {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

// The digits, the first not 0, and the scale of 0.digits × 10^scale.
using Decimal = std::pair<std::string, std::int64_t>;

TEST(DecimalToDouble, HardCasesEverywhere) {
    const std::pair<Decimal, double> cases[] = {
        {{"686746346645523", 27}, 0x1.1c08190644e8fp+89}, // once read wrong by a C runtime
        {{"9007199254740993", 16}, 0x1p+53},              // a tie, to even
        {{"9007199254740995", 16}, 0x1.0000000000002p+53},
        {{"99999999999999999999", 0}, 1}, // carries into the next binade
        {{"900719925474099300000000000000000000001", 16}, 0x1.0000000000001p+53},
        // 2^100 + 2^47 + 2^32: only the lowest bit of a limb tips the tie
        {{"1267650600228229542238486528", 31}, 0x1.0000000000001p+100},
        {{"22250738585072011", -307}, 0x0.fffffffffffffp-1022}, // below the smallest normal
        {{"17976931348623158", 309}, DBL_MAX},
        {{"17976931348623159", 309}, kInf},
        {{"247032822920623272", -323}, 0}, // just below half the smallest subnormal
        {{"2470328229206232721", -323}, std::numeric_limits<double>::denorm_min()},
        {{"1", -400}, 0},
    };
    for (const auto& [decimal, expected] : cases) {
        EXPECT_TRUE(testing::SameDouble(DecimalToDouble(decimal.first, decimal.second), expected))
            << decimal.first << "e" << decimal.second;
    }
}

// 32-bit mingw-w64 converts through the C runtime, no reference: the fixed cases stand for it.
#if !defined(_WIN32)

// The exact decimal of a double, or of the point halfway between two, which long double holds.
Decimal Exact(long double x) {
    static_assert(std::numeric_limits<long double>::digits > 54);
    char text[900];
    char* end = std::to_chars(text, text + sizeof text, x, std::chars_format::scientific, 800).ptr;
    char* e = std::find(text, end, 'e');
    std::int64_t exponent = 0;
    std::from_chars(e + (e[1] == '+' ? 2 : 1), end, exponent);
    std::string digits = text[0] + std::string(text + 2, e);
    return {digits.erase(digits.find_last_not_of('0') + 1), exponent + 1};
}

TEST(DecimalToDouble, MatchesTheStandardConversion) {
    std::mt19937_64 random(21);
    int failures = 0;
    for (int i = 0; i < 100000; ++i) {
        double x = std::bit_cast<double>(random() >> 1);
        if (i % 4 == 0) { // short decimals of every magnitude
            x = static_cast<double>(random() % 100000000000000000) *
                std::pow(10.0, static_cast<int>(random() % 640) - 340);
        }
        if (!std::isfinite(x) || x == 0 || x == DBL_MAX) {
            continue;
        }
        const Decimal halfway = Exact((static_cast<long double>(x) + std::nextafter(x, kInf)) / 2);
        Decimal above = halfway, below = halfway;
        above.first += "0000000001";
        --below.first.back();
        below.first += "999";
        for (const auto& [digits, scale] : {Exact(x), halfway, above, below}) {
            const std::string text = "0." + digits + "e" + std::to_string(scale);
            double expected = scale > 0 ? kInf : 0; // kept when out of range
            std::from_chars(text.data(), text.data() + text.size(), expected);
            if (!testing::SameDouble(DecimalToDouble(digits, scale), expected) &&
                ++failures <= 10) {
                ADD_FAILURE() << text;
            }
        }
    }
    EXPECT_EQ(failures, 0);
}
#endif

} // namespace
} // namespace talmiron
