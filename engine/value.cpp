#include "engine/value.h"

#include "engine/number_text.h"
#include "engine/rounded_digits.h"
#include "runtime/failure.h"
#include "runtime/text_limit.h"
#include "runtime/val.h"

#include <cmath>
#include <optional>

namespace talmiron {

namespace {

// Whole numbers below this have at most 15 digits: their text is exact.
constexpr double kExactWhole = 1e15;

// Powers of ten that a double holds exactly.
constexpr double kExactPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                        1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                        1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// Plain decimal digits with at most one point, a sign in front, at most 15
// significant digits and at most 22 after the point: the digits make a
// whole number that a double holds exactly, and one division by an exact
// power of ten rounds it correctly, as reading the text would. Such a
// number also writes back as the same digits.
bool ReadFewDigits(TextView text, double& x) {
    std::size_t i = !text.empty() && (text[0] == u'+' || text[0] == u'-') ? 1 : 0;
    const bool negative = i == 1 && text[0] == u'-';
    std::int64_t digits = 0;
    int significant = 0;
    std::size_t decimals = 0;
    bool point = false;
    for (; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c == u'.' && !point) {
            point = true;
            continue;
        }
        if (c < u'0' || c > u'9') {
            return false;
        }
        if (significant > 0 || c != u'0') {
            if (++significant > 15) {
                return false;
            }
        }
        digits = digits * 10 + (c - u'0');
        decimals += point ? 1 : 0;
    }
    if (decimals >= std::size(kExactPowersOfTen)) {
        return false;
    }
    x = static_cast<double>(digits) / kExactPowersOfTen[decimals];
    x = negative ? -x : x;
    return true;
}

} // namespace

Value Value::Canonical(double x) {
    Value value;
    value.number_ = x == 0 ? 0 : x; // negative zero is written "0"
    value.hasNumber_ = true;
    value.hasText_ = false;
    return value;
}

// The 15-digit rounding is the one the number text makes, read back by one
// exact operation when its power of ten is an exact double. Other
// magnitudes (subnormal numbers among them, whose digits do not come back
// the same, and roundings beyond the largest double, which read back as an
// overflow) keep their text, and reading it does what it always did.
Value Value::Number(double x) {
    if (!std::isfinite(x)) {
        RaiseFailure(kOverflow);
    }
    if (std::fabs(x) < kExactWhole && x == std::floor(x)) {
        return Canonical(x);
    }
    if (const std::optional<RoundedDigits> rounded = RoundTo15Digits(x)) {
        const int scale = rounded->exponent - 14;
        const int size = static_cast<int>(std::size(kExactPowersOfTen));
        if (scale > -size && scale < size) {
            const auto whole = static_cast<double>(rounded->digits);
            const double magnitude =
                scale < 0 ? whole / kExactPowersOfTen[-scale] : whole * kExactPowersOfTen[scale];
            return Canonical(x < 0 ? -magnitude : magnitude);
        }
    }
    return Value(NumberToText(x));
}

Value Value::ReadNumber(TextView literal, double sign) {
    double x = 0;
    if (ReadFewDigits(literal, x)) {
        return Canonical(sign * x);
    }
    return Number(sign * Val(literal));
}

// A number kept as its double is canonical already, and so is its negation.
Value Value::Signed(double sign) const {
    if (hasNumber_) {
        return Canonical(sign * number_);
    }
    return Number(sign * Read());
}

double Value::Read() const {
    return hasNumber_ ? number_ : Val(text_);
}

bool Value::IsNegative() const {
    return hasNumber_ ? number_ < 0 : !text_.empty() && text_.front() == u'-';
}

const Text& Value::GetText() const {
    if (!hasText_) {
        text_ = NumberToText(number_);
        hasText_ = true;
    }
    return text_;
}

Text Value::TakeText() {
    GetText();
    return std::move(text_);
}

void Value::Append(TextView more) {
    GetText();
    CheckedTextLength(text_.size() + more.size());
    text_ += more;
    hasNumber_ = false;
}

} // namespace talmiron
