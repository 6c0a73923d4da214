#include "runtime/text_ops.h"

namespace talmiron {

TextView TrimView(TextView text) noexcept {
    const auto first = text.find_first_not_of(u' ');
    if (first == TextView::npos) {
        return {};
    }
    const auto last = text.find_last_not_of(u' ');
    return text.substr(first, last - first + 1);
}

Text Trim(TextView text) {
    return Text(TrimView(text));
}

Text UpperCase(TextView text) {
    Text out(text);
    for (char16_t& c : out) {
        if (c >= u'a' && c <= u'z') {
            c = static_cast<char16_t>(c - u'a' + u'A');
        }
    }
    return out;
}

} // namespace talmiron
