// The decimal reader must give the correctly rounded double on every
// platform. Natively the standard library's conversion is correctly rounded
// and serves as the reference; the fixed cases hold everywhere.
#include "runtime/decimal_to_double.h"

#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <string>

namespace talmiron {
namespace {

TEST(DecimalToDouble, HardCasesEverywhere) {
    const double max = std::numeric_limits<double>::max();
    const double tiny = std::numeric_limits<double>::denorm_min();
    const struct {
        const char* digits;
        std::int64_t scale;
        double expected;
    } cases[] = {
        {"686746346645523", 27, 0x1.1c08190644e8fp+89}, // once read wrong by a C runtime
        {"9007199254740993", 16, 0x1p+53},              // a tie, to even
        {"9007199254740995", 16, 0x1.0000000000002p+53},
        {"900719925474099300000000000000000000001", 16, 0x1.0000000000001p+53},
        {"1", 24, 1e23},
        {"22250738585072011", -307, 0x0.fffffffffffffp-1022}, // below the smallest normal
        {"22250738585072014", -307, 0x1p-1022},
        {"17976931348623157", 309, max},
        {"17976931348623158", 309, max},
        {"17976931348623159", 309, std::numeric_limits<double>::infinity()},
        {"494065645841246544", -323, tiny},
        {"247032822920623272", -323, 0},     // just below half the smallest subnormal
        {"2470328229206232721", -323, tiny}, // just above it
        {"1", -400, 0},
        {"1", 400, std::numeric_limits<double>::infinity()},
    };
    for (const auto& c : cases) {
        const double x = DecimalToDouble(c.digits, c.scale);
        EXPECT_EQ(std::bit_cast<std::uint64_t>(x), std::bit_cast<std::uint64_t>(c.expected))
            << "0." << c.digits << "e" << c.scale;
    }
}

// The standard library's conversion of 32-bit mingw-w64 goes through the C
// runtime, which is no reference: the fixed cases above stand for it there.
#if !defined(_WIN32)

// A decimal as its digits, the first not 0, and the scale of 0.digits × 10^scale.
struct Decimal {
    std::string digits;
    std::int64_t scale;
};

// Plain digits "ddd" with `exponent` standing for ddd × 10^exponent.
Decimal FromWhole(std::string whole, std::int64_t exponent) {
    const auto first = whole.find_first_not_of('0');
    whole.erase(0, first);
    const auto last = whole.find_last_not_of('0');
    exponent += static_cast<std::int64_t>(whole.size() - last - 1);
    whole.erase(last + 1);
    return {whole, exponent + static_cast<std::int64_t>(whole.size())};
}

// The exact decimal of a double, and of the point halfway to the next one:
// the texts where a wrong rounding shows.
Decimal Exact(double x) {
    char text[800];
    const char* end =
        std::to_chars(text, text + sizeof text, x, std::chars_format::scientific, 770).ptr;
    const std::string s(static_cast<const char*>(text), end);
    const auto e = s.find('e');
    std::int64_t exponent = 0;
    std::from_chars(s.data() + e + (s[e + 1] == '+' ? 2 : 1), s.data() + s.size(), exponent);
    return FromWhole(s.substr(0, 1) + s.substr(2, e - 2),
                     exponent - (static_cast<std::int64_t>(e) - 2));
}

std::string Add(std::string a, std::string b) {
    if (a.size() < b.size()) {
        a.swap(b);
    }
    b.insert(0, a.size() - b.size(), '0');
    int carry = 0;
    for (std::size_t i = a.size(); i-- > 0;) {
        const int sum = (a[i] - '0') + (b[i] - '0') + carry;
        a[i] = static_cast<char>('0' + sum % 10);
        carry = sum / 10;
    }
    return carry ? "1" + a : a;
}

Decimal Halfway(double x) {
    const Decimal a = Exact(x);
    const Decimal b = Exact(std::nextafter(x, std::numeric_limits<double>::infinity()));
    // Both as whole numbers times 10^low; their sum times 5 is twice the
    // halfway point times 10.
    auto whole = [](const Decimal& d, std::int64_t low) {
        const std::int64_t exponent = d.scale - static_cast<std::int64_t>(d.digits.size());
        return d.digits + std::string(static_cast<std::size_t>(exponent - low), '0');
    };
    const std::int64_t low = std::min(a.scale - static_cast<std::int64_t>(a.digits.size()),
                                      b.scale - static_cast<std::int64_t>(b.digits.size()));
    const std::string sum = Add(whole(a, low), whole(b, low));
    std::string five = Add(Add(sum, sum), Add(Add(sum, sum), sum));
    return FromWhole(five, low - 1);
}

double Reference(const Decimal& d) {
    const std::string text = "0." + d.digits + "e" + std::to_string(d.scale);
    double x = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), x);
    if (result.ec == std::errc::result_out_of_range) {
        return d.scale > 0 ? std::numeric_limits<double>::infinity() : 0;
    }
    return x;
}

TEST(DecimalToDouble, MatchesTheStandardConversion) {
    std::mt19937_64 random(21);
    int failures = 0;
    for (int i = 0; i < 100000 && failures < 10; ++i) {
        double x = std::bit_cast<double>(random() >> 1);
        if (i % 4 == 0) { // short decimals of every magnitude
            x = static_cast<double>(random() % 100000000000000000) *
                std::pow(10.0, static_cast<int>(random() % 640) - 340);
        }
        if (!std::isfinite(x) || x == std::numeric_limits<double>::max()) {
            continue;
        }
        Decimal halfway = Halfway(x);
        Decimal above = halfway;
        above.digits += "0000000001";
        Decimal below = halfway;
        below.digits.back() = static_cast<char>(below.digits.back() - 1);
        below.digits += "999";
        for (const Decimal& d : {Exact(x), halfway, above, below}) {
            if (d.digits.empty()) {
                continue;
            }
            const double got = DecimalToDouble(d.digits, d.scale);
            if (std::bit_cast<std::uint64_t>(got) != std::bit_cast<std::uint64_t>(Reference(d))) {
                ++failures;
                ADD_FAILURE() << "0." << d.digits << "e" << d.scale;
            }
        }
    }
    EXPECT_EQ(failures, 0);
}
#endif

} // namespace
} // namespace talmiron
