#include "runtime/val.h"

#include "runtime/decimal_to_double.h"
#include "runtime/failure.h"

#include <cmath>
#include <cstdint>
#include <string>

namespace talmiron {

namespace {

// Walks a text character by character, skipping blanks, tabs and line feeds
// wherever they stand; 0 stands for the end.
class Reader {
  public:
    explicit Reader(TextView text) : text_(text) {}

    char16_t Peek() {
        while (pos_ < text_.size() &&
               (text_[pos_] == u' ' || text_[pos_] == u'\t' || text_[pos_] == u'\n')) {
            ++pos_;
        }
        return pos_ < text_.size() ? text_[pos_] : u'\0';
    }
    void Next() { ++pos_; }

  private:
    TextView text_;
    std::size_t pos_ = 0;
};

bool IsDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

int DigitValue(char16_t c, int base) {
    int value = 99;
    if (c >= u'0' && c <= u'9') {
        value = c - u'0';
    } else if (c >= u'A' && c <= u'F') {
        value = c - u'A' + 10;
    } else if (c >= u'a' && c <= u'f') {
        value = c - u'a' + 10;
    }
    return value < base ? value : -1;
}

// Digits after &H or &O, as a 32-bit two's complement value.
double ReadRadix(Reader& reader, int base) {
    std::uint64_t value = 0;
    for (int digit = DigitValue(reader.Peek(), base); digit >= 0;
         digit = DigitValue(reader.Peek(), base)) {
        value = value * base + digit;
        if (value > 0xFFFFFFFFu) {
            RaiseFailure(kOverflow);
        }
        reader.Next();
    }
    return static_cast<double>(static_cast<std::int32_t>(static_cast<std::uint32_t>(value)));
}

// Beyond these decimal exponents (of the form 0.ddd × 10^e) the value
// certainly overflows or underflows to zero, whatever the digits.
constexpr std::int64_t kMaxExponent = 310;
constexpr std::int64_t kMinExponent = -330;
// Exponent digits are accumulated only up to this, which is far enough out.
constexpr std::int64_t kExponentCap = 1'000'000'000'000;

double ReadDecimal(Reader& reader) {
    bool negative = false;
    if (reader.Peek() == u'+' || reader.Peek() == u'-') {
        negative = reader.Peek() == u'-';
        reader.Next();
    }
    // Significant digits without leading zeros, and the count of digits
    // before the point that they stand for.
    std::string digits;
    std::int64_t pointShift = 0;
    bool anyDigit = false;
    bool afterPoint = false;
    for (char16_t c = reader.Peek();; c = reader.Peek()) {
        if (IsDigit(c)) {
            anyDigit = true;
            if (c != u'0' || !digits.empty()) {
                digits.push_back(static_cast<char>(c));
                if (!afterPoint) {
                    ++pointShift;
                }
            } else if (afterPoint) {
                --pointShift;
            }
        } else if (c == u'.' && !afterPoint) {
            afterPoint = true;
        } else {
            break;
        }
        reader.Next();
    }
    if (!anyDigit) {
        return 0;
    }
    std::int64_t exponent = 0;
    if (reader.Peek() == u'E' || reader.Peek() == u'e') {
        reader.Next();
        bool exponentNegative = false;
        if (reader.Peek() == u'+' || reader.Peek() == u'-') {
            exponentNegative = reader.Peek() == u'-';
            reader.Next();
        }
        for (char16_t c = reader.Peek(); IsDigit(c); c = reader.Peek()) {
            if (exponent < kExponentCap) {
                exponent = exponent * 10 + (c - u'0');
            }
            reader.Next();
        }
        if (exponentNegative) {
            exponent = -exponent;
        }
    }
    const double zero = negative ? -0.0 : 0.0;
    while (!digits.empty() && digits.back() == '0') {
        digits.pop_back();
    }
    if (digits.empty()) {
        return zero;
    }
    const std::int64_t scale = pointShift + exponent;
    if (scale > kMaxExponent) {
        RaiseFailure(kOverflow);
    }
    if (scale < kMinExponent) {
        return zero;
    }
    const double value = DecimalToDouble(digits, scale);
    if (std::isinf(value)) {
        RaiseFailure(kOverflow);
    }
    return negative ? -value : value;
}

// Exact powers of ten: every one up to 10^22 is a double.
constexpr double kPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                   1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                   1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
constexpr int kMaxExactPower = 22;
constexpr std::uint64_t kMaxExactInteger = std::uint64_t{1} << 53;
// Significant digits kept in 64 bits before the shortcut gives up.
constexpr int kMaxShortDigits = 19;

bool IsBlank(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\n';
}

// The texts formulas mostly hold: no blanks, at most 19 significant digits
// that make at most 2^53, and an exponent that leaves a power of ten within
// 10^22. Both the digits and the power are then exact doubles, and one
// multiplication or division rounds correctly. False for any other text.
bool ReadShortDecimal(TextView text, double& result) {
    std::size_t i = 0;
    const std::size_t n = text.size();
    auto at = [&](std::size_t k) { return k < n ? text[k] : u'\0'; };
    bool negative = false;
    if (at(i) == u'+' || at(i) == u'-') {
        negative = at(i) == u'-';
        ++i;
    }
    std::uint64_t digits = 0;
    int count = 0;
    int scale = 0;
    bool anyDigit = false;
    bool afterPoint = false;
    for (;; ++i) {
        const char16_t c = at(i);
        if (IsDigit(c)) {
            anyDigit = true;
            if (digits != 0 || c != u'0') {
                if (++count > kMaxShortDigits) {
                    return false;
                }
                digits = digits * 10 + (c - u'0');
            }
            if (afterPoint && --scale < -kMaxExactPower - kMaxShortDigits) {
                return false; // too small for the shortcut whatever the exponent
            }
        } else if (c == u'.' && !afterPoint) {
            afterPoint = true;
        } else {
            break;
        }
    }
    if (!anyDigit) { // blanks, &H and &O, or no number at all
        return false;
    }
    if (at(i) == u'E' || at(i) == u'e') {
        ++i;
        bool exponentNegative = false;
        if (at(i) == u'+' || at(i) == u'-') {
            exponentNegative = at(i) == u'-';
            ++i;
        }
        int exponent = 0;
        for (; IsDigit(at(i)); ++i) {
            exponent = exponent * 10 + (at(i) - u'0');
            if (exponent > 2 * kMaxExactPower + kMaxShortDigits) {
                return false;
            }
        }
        scale += exponentNegative ? -exponent : exponent;
    }
    if (IsBlank(at(i))) { // a blank may hide more of the number
        return false;
    }
    if (digits == 0) {
        result = negative ? -0.0 : 0.0;
        return true;
    }
    if (digits > kMaxExactInteger || scale > kMaxExactPower || scale < -kMaxExactPower) {
        return false;
    }
    const double exact = static_cast<double>(digits);
    const double value = scale >= 0 ? exact * kPowersOfTen[scale] : exact / kPowersOfTen[-scale];
    result = negative ? -value : value;
    return true;
}

} // namespace

double Val(TextView text) {
    double result = 0;
    if (ReadShortDecimal(text, result)) {
        return result;
    }
    return ValReference(text);
}

double ValReference(TextView text) {
    Reader reader(text);
    if (reader.Peek() == u'&') {
        reader.Next();
        const char16_t prefix = reader.Peek();
        if (prefix == u'H' || prefix == u'h') {
            reader.Next();
            return ReadRadix(reader, 16);
        }
        if (prefix == u'O' || prefix == u'o') {
            reader.Next();
            return ReadRadix(reader, 8);
        }
        return 0;
    }
    return ReadDecimal(reader);
}

} // namespace talmiron
