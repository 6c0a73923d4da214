#include "engine/number_text.h"

#include "engine/rounded_digits.h"
#include "runtime/failure.h"
#include "runtime/str.h"
#include "runtime/text_ops.h"
#include "runtime/val.h"
#include "runtime/whole_number.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <limits>
#include <optional>

namespace talmiron {

namespace {

// Position arithmetic is 32-bit and checked: a result outside the range is
// an overflow, a negative count or a position past the end is an invalid
// argument, and a text past the longest allowed is out of string space.
std::int32_t Checked(std::int64_t value) {
    if (value < std::numeric_limits<std::int32_t>::min() ||
        value > std::numeric_limits<std::int32_t>::max()) {
        RaiseFailure(kOverflow);
    }
    return static_cast<std::int32_t>(value);
}

std::size_t Count(std::int64_t count, std::size_t existing) {
    if (count < 0) {
        RaiseFailure(kInvalidProcedureCall);
    }
    if (static_cast<std::uint64_t>(count) > kMaxTextLength - existing) {
        RaiseFailure(kOutOfStringSpace);
    }
    return static_cast<std::size_t>(count);
}

// Deletes the point at 1-based position d, if the mantissa has one.
void RemovePoint(Text& s, bool hasPoint, std::int32_t d) {
    if (hasPoint) {
        s.erase(static_cast<std::size_t>(d - 1), 1);
    }
}

// Puts a "." after the first `before` characters.
void InsertPoint(Text& s, std::int32_t before) {
    if (before < 0 || static_cast<std::size_t>(before) > s.size()) {
        RaiseFailure(kInvalidProcedureCall);
    }
    s.insert(static_cast<std::size_t>(before), 1, u'.');
}

// Below this a whole double is written digit for digit.
constexpr double kWholeBound = 1e15;

// The decimal digits of n, most significant first; returns the new end.
char16_t* WriteDigits(char16_t* out, std::uint64_t n) {
    char16_t reversed[20];
    int count = 0;
    do {
        reversed[count++] = static_cast<char16_t>(u'0' + n % 10);
        n /= 10;
    } while (n != 0);
    while (count > 0) {
        *out++ = reversed[--count];
    }
    return out;
}

// The 15 significant digits d1..d15 of d1.d2...d15 × 10^exponent in plain
// form, without the zeros that end them; returns the new end.
template <typename Digit>
char16_t* WritePlain(char16_t* out, const Digit (&digits)[15], int exponent) {
    int count = 15;
    while (count > 1 && digits[count - 1] == '0') {
        --count;
    }
    if (exponent >= 0) {
        const int before = exponent + 1;
        if (before >= count) {
            out = std::copy(digits, digits + count, out);
            return std::fill_n(out, before - count, u'0');
        }
        out = std::copy(digits, digits + before, out);
        *out++ = u'.';
        return std::copy(digits + before, digits + count, out);
    }
    *out++ = u'0';
    *out++ = u'.';
    out = std::fill_n(out, -exponent - 1, u'0');
    return std::copy(digits, digits + count, out);
}

// Any finite value, from the correctly rounded scientific rendering of the
// standard library: the general path, for magnitudes the short one leaves.
Text LongNumberText(double value) {
    if (!std::isfinite(value)) {
        RaiseFailure(kOverflow);
    }
    // "d.dddddddddddddde±x" of the magnitude.
    char scientific[32];
    const char* end = std::to_chars(scientific, scientific + sizeof scientific, std::fabs(value),
                                    std::chars_format::scientific, 14)
                          .ptr;
    char digits[15];
    digits[0] = scientific[0];
    std::copy(scientific + 2, scientific + 16, digits + 1);
    int exponent = 0;
    for (const char* c = scientific + 18; c < end; ++c) {
        exponent = exponent * 10 + (*c - '0');
    }
    if (scientific[17] == '-') {
        exponent = -exponent;
    }
    // The longest: "-0.", 323 zeros and 15 digits.
    char16_t text[344];
    char16_t* out = text;
    if (value < 0) {
        *out++ = u'-';
    }
    return Text(text, WritePlain(out, digits, exponent));
}

Text Canonical(TextView rendered) {
    Text text = ExpandExponent(TrimView(rendered));
    if (text.empty()) {
        return text;
    }
    if (text[0] == u'+' || text[0] == u'-') {
        if (text.size() > 1 && text[1] == u'.') {
            text.insert(1, 1, u'0');
        }
    } else if (text[0] == u'.') {
        text.insert(0, 1, u'0');
    }
    return text;
}

} // namespace

Text ExpandExponent(TextView text) {
    Text s = UpperCase(text);
    Text sign;
    if (!s.empty() && (s[0] == u'+' || s[0] == u'-')) {
        sign.assign(1, s[0]);
        s.erase(0, 1);
    }
    const auto ePos = s.find(u'E');
    if (ePos == Text::npos) {
        return sign + s;
    }
    // 1-based positions, as the rewriting rules count them.
    const auto e = Checked(static_cast<std::int64_t>(ePos) + 1);
    const auto pointPos = s.find(u'.');
    std::int32_t d = pointPos == Text::npos ? 0 : Checked(static_cast<std::int64_t>(pointPos) + 1);
    // The exponent's digits start after its sign character, whatever it is.
    const TextView afterSign = ePos + 2 <= s.size() ? TextView(s).substr(ePos + 2) : TextView();
    const std::int32_t k = ToInt32(Val(afterSign));
    const char16_t t = ePos + 1 < s.size() ? s[ePos + 1] : u'\0';
    s.resize(ePos);
    if (k == 0) {
        return sign + s;
    }
    const bool hasPoint = d != 0 && d < e;
    const auto length = Checked(static_cast<std::int64_t>(s.size()));
    if (t == u'+') {
        if (!hasPoint) {
            s.append(Count(k, s.size()), u'0');
        } else {
            const auto p = Checked(std::int64_t{d} + k);
            RemovePoint(s, hasPoint, d);
            if (p < length) {
                InsertPoint(s, Checked(std::int64_t{p} - 1));
            } else if (p > length) {
                s.append(Count(std::int64_t{p} - length, s.size()), u'0');
            }
        }
    } else if (t == u'-') {
        if (!hasPoint) {
            d = Checked(std::int64_t{length} + 1);
        }
        const auto before = Checked(std::int64_t{d} - k - 1);
        RemovePoint(s, hasPoint, d);
        if (before > 0) {
            InsertPoint(s, before);
        } else {
            const auto zeros = Count(std::int64_t{k} - d + 1, s.size() + 2);
            s.insert(0, zeros, u'0');
            s.insert(0, u"0.");
        }
    }
    return sign + s;
}

Text NumberToText(double value) {
    char16_t buffer[kShortNumberText];
    const std::size_t length = ShortNumberText(value, buffer);
    if (length == 0) {
        return LongNumberText(value);
    }
    return Text(buffer, length);
}

void AppendNumberText(Text& out, double value) {
    char16_t buffer[kShortNumberText];
    const std::size_t length = ShortNumberText(value, buffer);
    if (length == 0) {
        out += LongNumberText(value);
    } else {
        out.append(buffer, length);
    }
}

std::size_t ShortNumberText(double value, char16_t (&out)[kShortNumberText]) {
    char16_t* end = out;
    if (value < 0) {
        *end++ = u'-';
    }
    const double magnitude = std::fabs(value);
    // Whole numbers below 10^15 are their own 15-digit rounding.
    if (magnitude < kWholeBound) {
        const auto whole = static_cast<std::uint64_t>(magnitude);
        if (static_cast<double>(whole) == magnitude) {
            return static_cast<std::size_t>(WriteDigits(end, whole) - out);
        }
    }
    const std::optional<RoundedDigits> rounded = RoundTo15Digits(value);
    if (!rounded) {
        return 0;
    }
    char16_t digits[15];
    std::uint64_t rest = rounded->digits;
    for (int i = 14; i >= 0; --i) {
        digits[i] = static_cast<char16_t>(u'0' + rest % 10);
        rest /= 10;
    }
    return static_cast<std::size_t>(WritePlain(end, digits, rounded->exponent) - out);
}

Text NumberToTextReference(double value) {
    return Canonical(Str(value));
}

Text NumberToText(std::int32_t value) {
    char16_t buffer[12];
    char16_t* end = buffer;
    if (value < 0) {
        *end++ = u'-';
    }
    // Through 64 bits, so that the most negative value has a magnitude.
    const std::int64_t wide = value;
    end = WriteDigits(end, static_cast<std::uint64_t>(wide < 0 ? -wide : wide));
    return Text(buffer, end);
}

Text NumberToText(TextView text) {
    return Canonical(text);
}

bool IsNumericText(TextView text) {
    const TextView t = TrimView(text);
    if (t.empty()) {
        return false;
    }
    bool seenPoint = false;
    for (std::size_t i = 0; i < t.size(); ++i) {
        const char16_t c = t[i];
        if (c >= u'0' && c <= u'9') {
            continue;
        }
        if (c == u'.' && !seenPoint) {
            seenPoint = true;
        } else if (!((c == u'+' || c == u'-') && i == 0)) {
            return false;
        }
    }
    return true;
}

} // namespace talmiron
