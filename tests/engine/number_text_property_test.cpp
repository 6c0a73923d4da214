// Every finite double has one canonical text, which reads back as the value rounded to 15
// digits; a number carried as a double behaves exactly as its text, whatever path made it.
#include "engine/number_text.h"
#include "engine/value.h"
#include "runtime/decimal_to_double.h"
#include "runtime/val.h"

#include "tests/test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <tuple>

namespace talmiron {
namespace {

// v rounded to 15 significant digits, none beyond the double range; read by the engine's own
// conversion, as the C runtime of 32-bit Windows misreads some.
std::optional<double> Reference(double v) {
    if (v == 0.0) {
        return 0.0;
    }
    char b[32];
    char* end = std::to_chars(b, b + sizeof b, std::fabs(v), std::chars_format::scientific, 14).ptr;
    char* e = std::find(b, end, 'e');
    int exponent = 0;
    std::from_chars(e + (e[1] == '+' ? 2 : 1), end, exponent);
    const double result =
        DecimalToDouble(std::string(1, b[0]) + std::string(b + 2, e), exponent + 1);
    return std::isinf(result) ? std::nullopt : std::optional(std::copysign(result, v));
}

// Sanitizer and Windows runs (under an emulator here) take a twentieth.
#if defined(_WIN32) || defined(__SANITIZE_ADDRESS__)
constexpr int kRounds = 500'000;
#else
constexpr int kRounds = 10'000'000;
#endif

// Doubles of every kind, most where formulas and the shortcuts live.
struct Doubles {
    double Next() {
        static const double fixed[] = {0.0, DBL_MAX, DBL_MIN, std::nextafter(DBL_MAX, 0.0),
                                       std::numeric_limits<double>::denorm_min()};
        if (round_ < 5) {
            return fixed[round_++];
        }
        switch (round_++ % 11) {
        case 0: { // any bit pattern: every binade, subnormals, the ends of the range
            const double v = std::bit_cast<double>(random_());
            return std::isfinite(v) ? v : 0.0;
        }
        case 1: // any magnitude around the short range, 1E-20 to 1E+25
            return std::bit_cast<double>((random_() & 0x800F'FFFF'FFFF'FFFF) |
                                         (Between(955, 1107) << 52));
        case 2: // whole numbers of any length up to 2^64
            return Signed(static_cast<double>(random_() >> Between(0, 63)));
        case 3: // short decimals: 0.1, 2.75, 1234.5678
            return Signed(Between(0, 99'999'999) / std::pow(10.0, Power(0, 8)));
        case 4: // results of functions
            return Signed(std::sin(Power(0, 1'000'000)) * std::pow(10.0, Power(-15, 20)));
        case 5: // 16 digits ending in 5 times a power of ten: ties at the 15th digit, or near
            return Signed(
                Beside(std::to_string(Between(100'000'000'000'000, 999'999'999'999'999) * 10 + 5) +
                       "e" + std::to_string(Power(-40, 30))));
        case 6: { // exact ties q / 2^j, 16 digits ending in 5
            const int j = Power(1, 10);
            std::uint64_t low = std::uint64_t{1} << j;
            for (int i = j; i < 15; ++i) {
                low *= 10;
            }
            return Signed(std::ldexp(static_cast<double>(Between(low, 10 * low) | 1), -j));
        }
        case 7: // subnormals up to DBL_MIN
            return Signed(std::bit_cast<double>(random_() % (std::uint64_t{1} << 53)));
        case 8: // below the largest double
            return Signed(
                std::bit_cast<double>(std::bit_cast<std::uint64_t>(DBL_MAX) - Between(0, 100'000)));
        case 9: // whole numbers around 2^53, and quarters around 10^15
            return Signed(random_() % 2 != 0 ? 0x1p53 + Power(-1000, 1000)
                                             : 1e15 + Power(-2048, 2048) / 4.0);
        default: { // where rounding carries into a new digit
            static const char* const mantissas[] = {"1", "9.9999999999999995", "9.999999999999999",
                                                    "5"};
            return Signed(
                Beside(mantissas[Between(0, 3)] + ("e" + std::to_string(Power(-307, 308)))));
        }
        }
    }
    std::uint64_t Between(std::uint64_t low, std::uint64_t high) {
        return std::uniform_int_distribution<std::uint64_t>(low, high)(random_);
    }
    int Power(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
    double Signed(double v) { return (random_() & 1) != 0 ? -v : v; }
    // The double a decimal text names, or one of its neighbours.
    double Beside(const std::string& text) {
        double v = 0;
        std::from_chars(text.data(), text.data() + text.size(), v);
        const int side = Power(-1, 1);
        return side == 0 ? v : std::nextafter(v, side < 0 ? 0.0 : DBL_MAX);
    }

    std::mt19937_64 random_{20261207};
    int round_ = 0;
};

// A text around a number as hosts write them: leading zeros, radix forms, any digits with a point
// anywhere, exponents of any case and size, signs, blanks, and whatever follows.
Text Mangled(Doubles& source, const Text& canonical) {
    auto pick = [&](std::uint64_t n) { return source.Between(0, n - 1); };
    std::string text;
    if (const std::uint64_t kind = pick(4); kind == 0) { // leading zeros after the sign
        text = TextToUtf8(canonical);
        text.insert(text[0] == '-' ? 1 : 0, pick(3), '0');
    } else {
        static const char* const starts[] = {"", "+", "-", "&H", "&h", "&O", "&o", "&", "&X"};
        const bool radix = kind == 1;
        text = starts[radix ? 3 + pick(6) : pick(3)] + std::string(pick(4), '0');
        const std::uint64_t digits = pick(radix ? 14 : 26), point = pick(digits + 2);
        for (std::uint64_t i = 0; i < digits; ++i) {
            text += i == point && !radix ? "." : "";
            text += "0123456789ABCDEFabcdefg"[pick(radix ? 23 : 10)];
        }
        if (!radix && pick(2) == 0) {
            const std::uint64_t exponent = pick(8) == 0 ? source.Between(0, 1'000'000) : pick(330);
            text += std::string(1, "eE"[pick(2)]) + "+-"[pick(3) % 2] + std::to_string(exponent);
        }
    }
    for (std::uint64_t n = pick(8) == 0 ? pick(3) + 1 : 0; n > 0; --n) {
        text.insert(pick(text.size() + 1), 1, " \t\n"[pick(3)]);
    }
    static const char* const tails[] = {"", "", "x", ",5", ".5", "e", "E+", "-1", " 7", "\r"};
    return AsciiToText(text + tails[pick(10)]);
}

// The failure raised, or the text made and the bits of the number it reads as.
template <typename Make> std::tuple<std::int32_t, Text, std::uint64_t> Of(Make make) {
    try {
        const std::pair<Text, double> made = make();
        return {0, made.first, std::bit_cast<std::uint64_t>(made.second)};
    } catch (const RuntimeFailure& failure) {
        return {failure.Number(), {}, 0};
    }
}

TEST(NumberTextProperty, EveryDoubleHasOneTextAndBehavesAsIt) {
    const auto made = [](const Value& value) { return std::pair(value.GetText(), value.Read()); };
    Doubles doubles;
    int failures = 0;
    auto check = [&](bool good, auto what) {
        if (!good && ++failures <= 10) {
            ADD_FAILURE() << what();
        }
    };
    for (int round = 0; round < kRounds; ++round) {
        const double v = doubles.Next();
        char shortest[32] = {};
        std::to_chars(shortest, shortest + sizeof shortest - 1, v);
        const Text text = NumberToText(v);
        const Text reference = NumberToTextReference(v);
        check(text == reference, [&] { return std::string("NumberToText(") + shortest + ")"; });
        // Every fifth double meets the slow reference and is checked as a value, also signed.
        if (round % 5 == 0) {
            const std::optional<double> expected = Reference(v);
            check(testing::IsCanonicalNumber(text) && text.starts_with(u'-') == (v < 0) &&
                      (expected ? testing::SameDouble(Val(text), *expected)
                                : testing::FailureOf([&] { Val(text); }) == kOverflow) &&
                      Of([&] { return made(Value::Number(v)); }) ==
                          Of([&] { return made(text); }) &&
                      Of([&] { return made(Value::Number(v).Signed(-1)); }) ==
                          Of([&] { return made(NumberToText(-Val(text))); }),
                  [&] { return std::string(shortest) + " -> \"" + TextToUtf8(text) + "\""; });
        }
        // 40 characters or more mean over 19 digits or beyond 10^22: both readings take one path.
        for (const Text& read :
             {reference.size() < 40 ? reference : Text(), Mangled(doubles, reference)}) {
            check(Of([&] { return std::pair(Text(), Val(read)); }) ==
                      Of([&] { return std::pair(Text(), ValReference(read)); }),
                  [&] { return "Val(\"" + TextToUtf8(read) + "\")"; });
        }
        if (round % 16 == 0) { // a literal of few or many digits, with a point anywhere or none
            Text literal;
            for (auto n = doubles.Between(1, 25), point = doubles.Between(0, n); n > 0; --n) {
                literal += n == point ? u'.' : static_cast<char16_t>(u'0' + doubles.Between(0, 9));
            }
            const double sign = round % 32 == 0 ? -1 : 1;
            check(Of([&] { return made(Value::ReadNumber(literal, sign)); }) ==
                      Of([&] { return made(NumberToText(sign * Val(literal))); }),
                  [&] { return "Value::ReadNumber(\"" + TextToUtf8(literal) + "\")"; });
        }
    }
    EXPECT_EQ(failures, 0) << "of " << kRounds << " doubles and " << 2 * kRounds << " texts";
}

} // namespace
} // namespace talmiron
