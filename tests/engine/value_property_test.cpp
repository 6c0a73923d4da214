// A number carried as a double must be the one its canonical text reads back
// as, and must write out as that same text: whatever path made it, the value
// behaves exactly as the text would.
#include "engine/number_text.h"
#include "engine/value.h"
#include "runtime/val.h"

#include "tests/test_support.h"

#include <gtest/gtest.h>

#include <bit>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <optional>
#include <random>
#include <string>

namespace talmiron {
namespace {

// What the value gives against what its text gives: the text, then the
// number read from it, each a failure number where one is raised.
struct Outcome {
    std::optional<Text> text;
    std::optional<double> read;
    std::optional<std::int32_t> failure;
};

template <typename Make> Outcome ByValue(Make make) {
    Outcome outcome;
    std::optional<Value> value;
    outcome.failure = testing::FailureOf([&] { value = make(); });
    if (value) {
        outcome.text = value->GetText();
        outcome.failure = testing::FailureOf([&] { outcome.read = value->Read(); });
    }
    return outcome;
}

template <typename Make> Outcome ByText(Make make) {
    Outcome outcome;
    std::optional<Text> text;
    outcome.failure = testing::FailureOf([&] { text = make(); });
    if (text) {
        outcome.text = *text;
        outcome.failure = testing::FailureOf([&] { outcome.read = Val(*text); });
    }
    return outcome;
}

bool Same(const Outcome& a, const Outcome& b) {
    if (a.text != b.text || a.failure != b.failure || a.read.has_value() != b.read.has_value()) {
        return false;
    }
    return !a.read || testing::SameDouble(*a.read, *b.read);
}

// Random bit patterns cover every magnitude; the others crowd where the
// 15-digit rounding is delicate: ties, the subnormals, the ends of the range
// and whole numbers around 10^15.
double Sample(std::mt19937_64& random, std::uint64_t i) {
    switch (i % 6) {
    case 0:
        return std::bit_cast<double>(random());
    case 1: {
        const double tie = (static_cast<double>(random() % 1000000000000000) + 0.5) *
                           std::pow(10.0, static_cast<int>(random() % 40) - 20);
        return std::nextafter(tie, (random() & 1) ? 0.0 : DBL_MAX);
    }
    case 2:
        return std::bit_cast<double>(random() % (std::uint64_t{1} << 53)); // subnormals and DBL_MIN
    case 3:
        return std::bit_cast<double>(std::bit_cast<std::uint64_t>(DBL_MAX) - random() % 100000);
    case 4:
        return 1e15 + static_cast<double>(static_cast<std::int64_t>(random() % 4096) - 2048) / 4;
    default:
        return std::ldexp(static_cast<double>(random() >> 11),
                          static_cast<int>(random() % 200) - 150);
    }
}

TEST(ValueProperties, NumbersBehaveAsTheirCanonicalText) {
    std::mt19937_64 random(12);
    std::uint64_t differences = 0;
    for (std::uint64_t i = 0; i < 200000 && differences < 10; ++i) {
        const double x = (i & 1) ? Sample(random, i / 2) : -Sample(random, i / 2);
        const Outcome value = ByValue([&] { return Value::Number(x); });
        const Outcome text = ByText([&] { return NumberToText(x); });
        // A sign in front of the number, as an operand applies it.
        const Outcome signedValue = ByValue([&] { return Value::Number(x).Signed(-1); });
        const Outcome signedText = ByText([&] { return NumberToText(-Val(NumberToText(x))); });
        if (!Same(value, text) || !Same(signedValue, signedText)) {
            ++differences;
            ADD_FAILURE() << "for " << x;
        }
    }
    EXPECT_EQ(differences, 0u);
}

// Literals of few and of many digits, with a sign or without.
TEST(ValueProperties, LiteralsReadAsTheirCanonicalText) {
    std::mt19937_64 random(13);
    std::uint64_t differences = 0;
    for (std::uint64_t i = 0; i < 200000 && differences < 10; ++i) {
        std::string digits(1 + random() % 25, '0');
        for (char& c : digits) {
            c = static_cast<char>('0' + random() % 10);
        }
        const std::size_t point = random() % (digits.size() + 1);
        if (point < digits.size()) {
            digits[point] = '.';
        }
        const Text literal = AsciiToText(digits);
        const double sign = (i & 1) ? -1 : 1;
        const Outcome value = ByValue([&] { return Value::ReadNumber(literal, sign); });
        const Outcome text = ByText([&] { return NumberToText(sign * Val(literal)); });
        if (!Same(value, text)) {
            ++differences;
            ADD_FAILURE() << "for " << digits;
        }
    }
    EXPECT_EQ(differences, 0u);
}

} // namespace
} // namespace talmiron
