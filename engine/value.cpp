#include "engine/value.h"

#include "engine/number_text.h"
#include "runtime/failure.h"
#include "runtime/text_limit.h"
#include "runtime/val.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace talmiron {

namespace {

// Whole numbers below this have at most 15 digits: their text is exact.
constexpr double kExactWhole = 1e15;

// Plain decimal digits with at most one point and a sign in front, and no
// more than 15 significant digits: the double read from it writes back as
// the same digits.
bool FewDigits(TextView text) {
    std::size_t i = !text.empty() && (text[0] == u'+' || text[0] == u'-') ? 1 : 0;
    int significant = 0;
    bool point = false;
    for (; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c == u'.' && !point) {
            point = true;
        } else if (c < u'0' || c > u'9') {
            return false;
        } else if (significant > 0 || c != u'0') {
            ++significant;
        }
    }
    return significant <= 15;
}

} // namespace

Value Value::Canonical(double x) {
    Value value;
    value.number_ = x == 0 ? 0 : x; // negative zero is written "0"
    value.hasNumber_ = true;
    value.hasText_ = false;
    return value;
}

// The 15-digit rounding below is the one the number text makes. Subnormal
// numbers have too few bits to come back from 15 digits as the same digits,
// and a rounding beyond the largest double reads back as an overflow: both
// keep their text, and reading it does what it always did.
Value Value::Number(double x) {
    if (!std::isfinite(x)) {
        RaiseFailure(kOverflow);
    }
    const double magnitude = std::fabs(x);
    if (magnitude < kExactWhole && x == std::floor(x)) {
        return Canonical(x);
    }
    if (magnitude >= std::numeric_limits<double>::min()) {
        char digits[32];
        const auto written =
            std::to_chars(digits, digits + sizeof digits, x, std::chars_format::scientific, 14);
        double rounded = 0;
        const auto read = std::from_chars(digits, written.ptr, rounded);
        if (read.ec == std::errc()) {
            return Canonical(rounded);
        }
    }
    return Value(NumberToText(x));
}

Value Value::ReadNumber(TextView literal, double sign) {
    const double x = sign * Val(literal);
    if (FewDigits(literal) && (x == 0 || std::fabs(x) >= std::numeric_limits<double>::min())) {
        return Canonical(x);
    }
    return Number(x);
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
