// Functions whose result is a text: conversions of numbers to text,
// trimming, case, cutting, building and replacing.
#include "functions/arguments.h"
#include "functions/named_computation.h"
#include "runtime/code_page.h"
#include "runtime/failure.h"
#include "runtime/text_limit.h"
#include "runtime/text_ops.h"
#include "runtime/text_search.h"

#include <algorithm>
#include <array>
#include <cassert>
#include <charconv>

namespace talmiron {

namespace {

using Arguments = std::span<const Value>;

constexpr std::int32_t kChrDomain = 2004;

// A count or a length that the platform routines reject when negative.
std::size_t Count(std::int32_t n) {
    if (n < 0) {
        RaiseFailure(kInvalidProcedureCall);
    }
    return static_cast<std::size_t>(n);
}

// A negative code is refused before rounding, so -0.4 fails; above, the
// code must round to at most 255, so 255.4 gives code 255 and 255.5 fails.
Computed Chr(Arguments arguments) {
    assert(arguments.size() == 1);
    const double code = NumberArgument(arguments[0]);
    if (!(code >= 0 && code < 255.5)) {
        return DomainError(kChrDomain);
    }
    return TextResult(Text(1, CharFromCodePage(static_cast<std::uint8_t>(ToInt32(code)))));
}

// Negative values as their 32-bit two's complement, letters in upper case.
Text Digits(const Value& argument, int base) {
    const auto value = static_cast<std::uint32_t>(WholeArgument(argument));
    char buffer[16];
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, value, base);
    std::transform(buffer, written.ptr, buffer, [](char c) {
        return c >= 'a' && c <= 'f' ? static_cast<char>(c - 'a' + 'A') : c;
    });
    return AsciiToText(std::string_view(buffer, written.ptr));
}

Computed Hex(Arguments arguments) {
    assert(arguments.size() == 1);
    return TextResult(Digits(arguments[0], 16));
}

Computed Oct(Arguments arguments) {
    assert(arguments.size() == 1);
    return TextResult(Digits(arguments[0], 8));
}

Computed StrFunction(Arguments arguments) {
    assert(arguments.size() == 1);
    return TextResult(Trim(NumberToText(TextView(TextArgument(arguments[0])))));
}

template <TextView (*Cut)(TextView) noexcept> Computed Trimmed(Arguments arguments) {
    assert(arguments.size() == 1);
    return TextResult(Text(Cut(TextArgument(arguments[0]))));
}

template <Text (*Convert)(TextView)> Computed Converted(Arguments arguments) {
    assert(arguments.size() == 1);
    return TextResult(Convert(TextArgument(arguments[0])));
}

Computed Left(Arguments arguments) {
    assert(arguments.size() == 2);
    const std::size_t n = Count(WholeArgument(arguments[1]));
    return TextResult(TextArgument(arguments[0]).substr(0, n));
}

Computed Right(Arguments arguments) {
    assert(arguments.size() == 2);
    const Text& s = TextArgument(arguments[0]);
    const std::size_t n = Count(WholeArgument(arguments[1]));
    return TextResult(n >= s.size() ? s : s.substr(s.size() - n));
}

Computed Mid(Arguments arguments) {
    assert(arguments.size() == 3);
    const Text& s = TextArgument(arguments[0]);
    const std::int32_t start = WholeArgument(arguments[1]);
    const std::int32_t length = WholeArgument(arguments[2]);
    if (start < 1) {
        RaiseFailure(kInvalidProcedureCall);
    }
    const std::size_t count = Count(length);
    const auto offset = static_cast<std::size_t>(start) - 1;
    return TextResult(offset >= s.size() ? Text() : s.substr(offset, count));
}

Computed Replace(Arguments arguments) {
    assert(arguments.size() == 3);
    return TextResult(ReplaceAll(TextArgument(arguments[0]), TextArgument(arguments[1]),
                                 TextArgument(arguments[2])));
}

Computed Space(Arguments arguments) {
    assert(arguments.size() == 1);
    const std::size_t n = Count(WholeArgument(arguments[0]));
    return TextResult(Text(CheckedTextLength(n), u' '));
}

Computed String(Arguments arguments) {
    assert(arguments.size() == 2);
    const std::size_t n = Count(WholeArgument(arguments[0]));
    const Text& c = TextArgument(arguments[1]);
    if (c.empty()) {
        RaiseFailure(kInvalidProcedureCall);
    }
    return TextResult(Text(CheckedTextLength(n), c[0]));
}

// Character by character, as every position counts 16-bit characters.
Computed StrReverse(Arguments arguments) {
    assert(arguments.size() == 1);
    return TextResult(Text(TextArgument(arguments[0]).rbegin(), TextArgument(arguments[0]).rend()));
}

constexpr std::array kStringComputations = {
    NamedComputation{u"CHR", Chr},
    NamedComputation{u"HEX", Hex},
    NamedComputation{u"OCT", Oct},
    NamedComputation{u"TRIM", Trimmed<TrimView>},
    NamedComputation{u"RIGHT", Right},
    NamedComputation{u"LEFT", Left},
    NamedComputation{u"STR", StrFunction},
    NamedComputation{u"RTRIM", Trimmed<TrimEndView>},
    NamedComputation{u"LTRIM", Trimmed<TrimStartView>},
    NamedComputation{u"LCASE", Converted<LowerCase>},
    NamedComputation{u"UCASE", Converted<UpperCase>},
    NamedComputation{u"REPLACE", Replace},
    NamedComputation{u"SPACE", Space},
    NamedComputation{u"STRING", String},
    NamedComputation{u"STRREVERSE", StrReverse},
    NamedComputation{u"MID", Mid},
};

} // namespace

std::span<const NamedComputation> StringComputations() noexcept {
    return kStringComputations;
}

} // namespace talmiron
