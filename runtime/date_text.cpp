#include "runtime/date_text.h"

#include "runtime/failure.h"

#include <optional>

namespace talmiron {

namespace {

// A left-to-right scan over the text; every step either consumes what it
// expects or reports that the text is not a date.
class Scanner {
  public:
    explicit Scanner(TextView text) : text_(text) {}

    bool AtEnd() const noexcept { return position_ == text_.size(); }
    bool Peek(char16_t c) const noexcept { return !AtEnd() && text_[position_] == c; }

    bool Take(char16_t c) noexcept {
        if (!Peek(c)) {
            return false;
        }
        ++position_;
        return true;
    }

    // A run of minDigits to maxDigits ASCII digits, and no further digit.
    std::optional<std::int32_t> Number(std::size_t minDigits, std::size_t maxDigits) noexcept {
        std::int32_t value = 0;
        std::size_t count = 0;
        while (!AtEnd() && text_[position_] >= u'0' && text_[position_] <= u'9') {
            if (++count > maxDigits) {
                return std::nullopt;
            }
            value = value * 10 + (text_[position_] - u'0');
            ++position_;
        }
        if (count < minDigits) {
            return std::nullopt;
        }
        return value;
    }

  private:
    TextView text_;
    std::size_t position_ = 0;
};

[[noreturn]] void NotADate() {
    RaiseFailure(kTypeMismatch);
}

std::int32_t Field(Scanner& scan, std::size_t minDigits, std::size_t maxDigits) {
    const std::optional<std::int32_t> value = scan.Number(minDigits, maxDigits);
    if (!value) {
        NotADate();
    }
    return *value;
}

void Expect(Scanner& scan, char16_t c) {
    if (!scan.Take(c)) {
        NotADate();
    }
}

// hh:nn or hh:nn:ss, checked field by field.
std::int32_t SecondOfDay(Scanner& scan) {
    const std::int32_t hour = Field(scan, 1, 2);
    Expect(scan, u':');
    const std::int32_t minute = Field(scan, 1, 2);
    std::int32_t second = 0;
    if (scan.Take(u':')) {
        second = Field(scan, 1, 2);
    }
    if (hour > 23 || minute > 59 || second > 59) {
        NotADate();
    }
    return hour * 3600 + minute * 60 + second;
}

TextView TrimBlanks(TextView text) noexcept {
    const std::size_t first = text.find_first_not_of(u' ');
    if (first == TextView::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(u' ') - first + 1);
}

// Fixed-width decimal digits of a non-negative value.
void Digits(Text& out, std::int64_t value, int width) {
    const std::size_t end = out.size() + static_cast<std::size_t>(width);
    out.resize(end);
    for (std::size_t i = end; i-- > end - static_cast<std::size_t>(width);) {
        out[i] = static_cast<char16_t>(u'0' + value % 10);
        value /= 10;
    }
}

void AppendDate(Text& out, const DateTime& moment) {
    const CivilDate date = moment.Date();
    Digits(out, date.year, 4);
    out += u'-';
    Digits(out, date.month, 2);
    out += u'-';
    Digits(out, date.day, 2);
}

void AppendTime(Text& out, const DateTime& moment) {
    const ClockTime time = moment.Time();
    Digits(out, time.hour, 2);
    out += u':';
    Digits(out, time.minute, 2);
    out += u':';
    Digits(out, time.second, 2);
}

} // namespace

DateTime ReadDateText(TextView text) {
    const TextView trimmed = TrimBlanks(text);
    Scanner scan(trimmed);
    // Text that starts with digits and a colon is a time of day alone.
    const std::size_t afterDigits = trimmed.find_first_not_of(u"0123456789");
    if (afterDigits != TextView::npos && trimmed[afterDigits] == u':') {
        const std::int32_t second = SecondOfDay(scan);
        if (!scan.AtEnd()) {
            NotADate();
        }
        return DateTime::FromDayNumber(0, second);
    }
    const std::int32_t year = Field(scan, 3, 4);
    const char16_t separator = scan.Peek(u'/') ? u'/' : u'-';
    Expect(scan, separator);
    const std::int32_t month = Field(scan, 1, 2);
    Expect(scan, separator);
    const std::int32_t day = Field(scan, 1, 2);
    std::int32_t second = 0;
    if (scan.Take(u' ') || scan.Take(u'T')) {
        second = SecondOfDay(scan);
    }
    if (!scan.AtEnd()) {
        NotADate();
    }
    const CivilDate civil{year, month, day};
    if (!IsInRange(civil)) {
        NotADate();
    }
    return DateTime::FromDayNumber(DayNumberOf(civil), second);
}

Text WriteDate(const DateTime& moment) {
    Text out;
    out.reserve(10);
    AppendDate(out, moment);
    return out;
}

Text WriteDateTime(const DateTime& moment) {
    Text out;
    out.reserve(19);
    AppendDate(out, moment);
    out += u' ';
    AppendTime(out, moment);
    return out;
}

Text WriteTime(const DateTime& moment) {
    Text out;
    out.reserve(8);
    AppendTime(out, moment);
    return out;
}

} // namespace talmiron
