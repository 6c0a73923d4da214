#include "runtime/str.h"

#include "runtime/failure.h"

#include <charconv>
#include <cmath>
#include <string>

namespace talmiron {

namespace {

// Plain digits from 1E-3 up to below 1E+15; exponent form outside.
constexpr int kSmallestPlainExponent = -3;
constexpr int kLargestPlainExponent = 14;

template <typename Integer> Text IntegerStr(Integer value) {
    return AsciiToText((value >= 0 ? " " : "") + IntegerToAscii(value));
}

} // namespace

std::string IntegerToAscii(std::int64_t value) {
    char buffer[24];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

Text Str(double value) {
    if (!std::isfinite(value)) {
        RaiseFailure(kOverflow);
    }
    if (value == 0) {
        return u" 0";
    }
    // d.dddddddddddddde±x: the value correctly rounded to 15 significant digits.
    char buffer[32];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, 14);
    const std::string scientific(buffer, result.ptr);
    const auto e = scientific.find('e');
    int exponent = 0;
    std::from_chars(scientific.data() + e + (scientific[e + 1] == '+' ? 2 : 1),
                    scientific.data() + scientific.size(), exponent);

    const bool negative = scientific[0] == '-';
    std::string digits;
    for (std::size_t i = negative ? 1 : 0; i < e; ++i) {
        if (scientific[i] != '.') {
            digits.push_back(scientific[i]);
        }
    }
    while (digits.size() > 1 && digits.back() == '0') {
        digits.pop_back();
    }

    std::string text(1, negative ? '-' : ' ');
    if (exponent >= kSmallestPlainExponent && exponent <= kLargestPlainExponent) {
        if (exponent < 0) {
            text += '.';
            text.append(static_cast<std::size_t>(-exponent - 1), '0');
            text += digits;
        } else if (digits.size() > static_cast<std::size_t>(exponent) + 1) {
            text += digits.substr(0, exponent + 1);
            text += '.';
            text += digits.substr(exponent + 1);
        } else {
            text += digits;
            text.append(exponent + 1 - digits.size(), '0');
        }
    } else {
        text += digits[0];
        if (digits.size() > 1) {
            text += '.';
            text += digits.substr(1);
        }
        text += exponent < 0 ? "E-" : "E+";
        const int magnitude = exponent < 0 ? -exponent : exponent;
        if (magnitude < 10) {
            text += '0';
        }
        text += IntegerToAscii(magnitude);
    }
    return AsciiToText(text);
}

Text Str(std::int32_t value) {
    return IntegerStr(value);
}
Text Str(std::int16_t value) {
    return IntegerStr(value);
}

} // namespace talmiron
