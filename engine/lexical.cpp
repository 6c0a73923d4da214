#include "engine/lexical.h"

#include "runtime/case_mapping.h"

#include <algorithm>

namespace talmiron {

namespace {

bool IsNameCharacter(char16_t c) {
    const char16_t upper = UpperCaseChar(c);
    return (upper >= u'A' && upper <= u'Z') || (c >= u'0' && c <= u'9') || c == u'_' || c == u'@';
}

} // namespace

void RemoveBlanks(Text& text) {
    // One pass with a running quote count: a blank is inside a literal when
    // an odd number of quotes stands before it, and deleting blanks never
    // changes that count.
    bool inside = false;
    std::size_t kept = 0;
    for (const char16_t c : text) {
        if (c == u' ' && !inside) {
            continue;
        }
        if (c == kQuote) {
            inside = !inside;
        }
        text[kept++] = c;
    }
    text.resize(kept);
}

bool HasBlankOutsideLiterals(TextView text) noexcept {
    bool inside = false;
    for (const char16_t c : text) {
        if (c == u' ' && !inside) {
            return true;
        }
        inside ^= c == kQuote;
    }
    return false;
}

bool QuotesBalanced(TextView text) noexcept {
    return std::count(text.begin(), text.end(), kQuote) % 2 == 0;
}

bool InsideLiteral(TextView text, std::int32_t p) noexcept {
    if (p < 1 || static_cast<std::size_t>(p) > text.size()) {
        return false;
    }
    return std::count(text.begin(), text.begin() + (p - 1), kQuote) % 2 == 1;
}

void UnescapeLiteral(Text& text) {
    std::size_t kept = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        text[kept++] = text[i];
        if (text[i] == kQuote && i + 1 < text.size() && text[i + 1] == kQuote) {
            ++i;
        }
    }
    text.resize(kept);
}

bool IsValidLiteralBody(TextView body) noexcept {
    for (std::size_t i = 0; i < body.size(); ++i) {
        if (body[i] != kQuote) {
            continue;
        }
        const bool left = i > 0 && body[i - 1] == kQuote;
        const bool right = i + 1 < body.size() && body[i + 1] == kQuote;
        if (left == right) {
            return false;
        }
    }
    return true;
}

bool LooksLikeCall(TextView text) noexcept {
    const std::size_t p = text.find(u'(');
    if (p == TextView::npos || p == 0) {
        return false;
    }
    return IsNameCharacter(text[p - 1]);
}

bool IsSymbolName(TextView name) noexcept {
    if (name.empty()) {
        return true;
    }
    const char16_t first = UpperCaseChar(name.front());
    if (!((first >= u'A' && first <= u'Z') || first == u'_' || first == u'@')) {
        return false;
    }
    return std::all_of(name.begin() + 1, name.end(), IsNameCharacter);
}

bool IsNameChar(TextView ch) noexcept {
    return ch.empty() || IsNameCharacter(ch.front());
}

} // namespace talmiron
