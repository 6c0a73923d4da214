#include "runtime/text_ops.h"

#include "runtime/case_mapping.h"

namespace talmiron {

TextView TrimView(TextView text) noexcept {
    return TrimEndView(TrimStartView(text));
}

TextView TrimStartView(TextView text) noexcept {
    const auto first = text.find_first_not_of(u' ');
    return first == TextView::npos ? TextView() : text.substr(first);
}

TextView TrimEndView(TextView text) noexcept {
    const auto last = text.find_last_not_of(u' ');
    return last == TextView::npos ? TextView() : text.substr(0, last + 1);
}

Text Trim(TextView text) {
    return Text(TrimView(text));
}

Text UpperCase(TextView text) {
    Text out(text);
    for (char16_t& c : out) {
        c = UpperCaseChar(c);
    }
    return out;
}

Text LowerCase(TextView text) {
    Text out(text);
    for (char16_t& c : out) {
        c = LowerCaseChar(c);
    }
    return out;
}

} // namespace talmiron
