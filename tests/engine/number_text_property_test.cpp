// Every finite double must come out as canonical number text that reads back
// as the double nearest to the value rounded to 15 significant digits. The
// reference rounds the exact decimal expansion itself, halves to even.
#include "engine/number_text.h"
#include "runtime/val.h"

#include "tests/test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <random>
#include <string>
#include <system_error>
#include <vector>

namespace talmiron {
namespace {

// The digits of |v| correctly rounded to 1 + precision significant digits.
std::string Digits(double v, int precision, int& exponent) {
    char buffer[1024];
    char* end = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(v),
                              std::chars_format::scientific, precision)
                    .ptr;
    char* e = std::find(buffer, end, 'e');
    std::from_chars(e + (e[1] == '+' ? 2 : 1), end, exponent);
    std::string digits(buffer, e);
    if (digits.size() > 1) {
        digits.erase(1, 1); // the point
    }
    return digits;
}

// None when the rounded decimal lies beyond the double range.
std::optional<double> Reference(double v) {
    if (v == 0.0) {
        return 0.0;
    }
    int exponent = 0;
    // 25 digits settle the rounding unless digits 16 to 25 are 5000000000;
    // then the exact expansion (at most 767 significant digits) does.
    std::string digits = Digits(v, 24, exponent);
    if (digits.compare(15, std::string::npos, "5000000000") == 0) {
        digits = Digits(v, 780, exponent);
    }
    const bool tie = digits[15] == '5' && digits.find_first_not_of('0', 16) == std::string::npos;
    const bool up = digits[15] > '5' || (digits[15] == '5' && (!tie || digits[14] % 2 != 0));
    digits.resize(15);
    if (up) {
        std::size_t i = 15;
        while (i > 0 && digits[i - 1] == '9') {
            digits[--i] = '0';
        }
        if (i == 0) {
            digits.insert(0, "1");
            ++exponent;
        } else {
            ++digits[i - 1];
        }
    }
    const std::string text = (v < 0 ? "-0." : "0.") + digits + "e" + std::to_string(exponent + 1);
    double result = 0;
    if (std::from_chars(text.data(), text.data() + text.size(), result).ec != std::errc{}) {
        return std::nullopt;
    }
    return result;
}

// "-" for a negative value, an integer part without leading zeros, a point
// only before digits that do not end in 0, at most 15 significant digits.
bool IsCanonical(const std::string& t, double v) {
    const std::size_t begin = v < 0 ? 1 : 0;
    const std::size_t point = t.find('.');
    const std::size_t int_end = point == std::string::npos ? t.size() : point;
    if ((v < 0) != (t.substr(0, 1) == "-") || int_end <= begin ||
        t.find_first_not_of("0123456789.", begin) != std::string::npos ||
        (t[begin] == '0' && int_end - begin > 1) ||
        (point != std::string::npos &&
         (t.find('.', point + 1) != std::string::npos || t.back() == '0' || t.back() == '.'))) {
        return false;
    }
    std::string significant = t.substr(begin, int_end - begin);
    if (point == std::string::npos) {
        significant.erase(significant.find_last_not_of('0') + 1);
    } else {
        significant += t.substr(point + 1);
    }
    significant.erase(0, significant.find_first_not_of('0'));
    return significant.size() <= 15 && (!significant.empty() || t == "0");
}

std::vector<double> Sample() {
    std::mt19937_64 random(20240611);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    std::vector<double> values;
    auto add = [&](double v) {
        values.push_back(v);
        values.push_back(-v);
    };
    while (values.size() < 400'000) { // bit patterns: every binade, subnormals too
        const double v = std::bit_cast<double>(random());
        if (std::isfinite(v)) {
            values.push_back(v);
        }
    }
    for (int n = 0; n < 200'000; ++n) {
        add((1.0 + 9.0 * unit(random)) * std::pow(10.0, -300.0 + 600.0 * unit(random)));
    }
    for (int d = -1000; d <= 1000; ++d) {
        add(9007199254740992.0 + d);
    }
    // Exact ties at the 16th digit: q / 2^j with q odd ends in 5 after j
    // fraction digits; 16 digits in all when the integer part has 16 - j.
    for (int n = 0; n < 100'000; ++n) {
        const int j = 1 + n % 10;
        std::uint64_t low = std::uint64_t{1} << j;
        for (int i = 0; i < 15 - j; ++i) {
            low *= 10;
        }
        const std::uint64_t q = std::uniform_int_distribution<std::uint64_t>(low, 10 * low)(random);
        add(std::ldexp(static_cast<double>(q | 1), -j));
    }
    // Integer ties: 16 digits ending in 5, and ten times such, still exact.
    for (int n = 0; n < 50'000; ++n) {
        const std::uint64_t d = std::uniform_int_distribution<std::uint64_t>(
                                    100'000'000'000'000, 179'999'999'999'999)(random) *
                                    10 +
                                5;
        add(static_cast<double>(d));
        add(static_cast<double>(d * 10));
    }
    // Where rounding carries into a new digit, and the ends of the range.
    for (int k = -307; k <= 308; ++k) {
        for (const std::string mantissa : {"1", "9.9999999999999995", "9.999999999999999", "5"}) {
            const std::string text = mantissa + "e" + std::to_string(k);
            double v = 0;
            std::from_chars(text.data(), text.data() + text.size(), v);
            add(v);
            add(std::nextafter(v, 0.0));
            add(std::nextafter(v, DBL_MAX));
        }
    }
    for (const double v : {0.0, DBL_MAX, std::nextafter(DBL_MAX, 0.0), DBL_MIN,
                           std::numeric_limits<double>::denorm_min()}) {
        add(v);
    }
    return values;
}

TEST(NumberTextProperty, EveryDoubleIsCanonicalAndReadsBackRounded) {
    const std::vector<double> values = Sample();
    ASSERT_GE(values.size(), 1'000'000u);
    int failures = 0;
    for (const double v : values) {
        const Text text = NumberToText(v);
        const std::string t = TextToUtf8(text);
        const std::optional<double> expected = Reference(v);
        bool good = IsCanonical(t, v);
        if (good && expected) {
            good = testing::SameDouble(Val(text), *expected);
        } else if (good) { // rounds beyond the largest double: reading it back overflows
            good = testing::FailureOf([&] { Val(text); }) == kOverflow;
        }
        if (!good && ++failures <= 10) {
            char shortest[32] = {};
            std::to_chars(shortest, shortest + sizeof shortest - 1, v);
            ADD_FAILURE() << shortest << " -> \"" << t << "\"";
        }
    }
    EXPECT_EQ(failures, 0) << "of " << values.size() << " values";
}

} // namespace
} // namespace talmiron
