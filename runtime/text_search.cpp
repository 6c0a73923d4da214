#include "runtime/text_search.h"

#include "runtime/text_limit.h"

#include <cstdint>
#include <vector>

namespace talmiron {

namespace {

// Knuth-Morris-Pratt: fed one character at a time, tells where an
// occurrence of the pattern ends without ever stepping back in the text.
class Matcher {
  public:
    explicit Matcher(TextView pattern) : pattern_(pattern), border_(pattern.size(), 0) {
        // border_[i]: the length of the longest proper prefix of
        // pattern[0..i] that is also its suffix.
        std::uint32_t k = 0;
        for (std::size_t i = 1; i < pattern_.size(); ++i) {
            while (k > 0 && pattern_[i] != pattern_[k]) {
                k = border_[k - 1];
            }
            if (pattern_[i] == pattern_[k]) {
                ++k;
            }
            border_[i] = k;
        }
    }

    // True when the character completes an occurrence. After one, the next
    // occurrence may overlap it; Restart() makes it begin afresh.
    bool Step(char16_t c) {
        while (matched_ > 0 && c != pattern_[matched_]) {
            matched_ = border_[matched_ - 1];
        }
        if (c == pattern_[matched_]) {
            ++matched_;
        }
        if (matched_ == pattern_.size()) {
            matched_ = border_[matched_ - 1];
            return true;
        }
        return false;
    }

    void Restart() { matched_ = 0; }

  private:
    TextView pattern_;
    std::vector<std::uint32_t> border_;
    std::uint32_t matched_ = 0;
};

// Calls onMatch(start) for each occurrence that does not overlap an earlier
// one, from the left; pattern is not empty and not longer than text.
template <typename OnMatch> void ForEachSeparate(TextView text, TextView pattern, OnMatch onMatch) {
    Matcher matcher(pattern);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (matcher.Step(text[i])) {
            onMatch(i + 1 - pattern.size());
            matcher.Restart();
        }
    }
}

} // namespace

std::size_t FindFirst(TextView text, TextView pattern, std::size_t from) {
    if (from > text.size() || pattern.size() > text.size() - from) {
        return kNotFound;
    }
    if (pattern.size() <= 1) {
        return text.find(pattern, from);
    }
    Matcher matcher(pattern);
    for (std::size_t i = from; i < text.size(); ++i) {
        if (matcher.Step(text[i])) {
            return i + 1 - pattern.size();
        }
    }
    return kNotFound;
}

std::size_t FindLast(TextView text, TextView pattern) {
    if (pattern.size() > text.size()) {
        return kNotFound;
    }
    if (pattern.size() <= 1) {
        return text.rfind(pattern);
    }
    std::size_t last = kNotFound;
    Matcher matcher(pattern);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (matcher.Step(text[i])) {
            last = i + 1 - pattern.size();
        }
    }
    return last;
}

Text ReplaceAll(TextView text, TextView find, TextView with) {
    if (find.empty() || find.size() > text.size()) {
        return Text(text);
    }
    std::uint64_t count = 0;
    ForEachSeparate(text, find, [&](std::size_t) { ++count; });
    if (count == 0) {
        return Text(text);
    }
    const std::uint64_t length = text.size() - count * find.size() + count * with.size();
    Text out;
    out.reserve(CheckedTextLength(length));
    std::size_t copied = 0;
    ForEachSeparate(text, find, [&](std::size_t start) {
        out.append(text.substr(copied, start - copied));
        out.append(with);
        copied = start + find.size();
    });
    out.append(text.substr(copied));
    return out;
}

} // namespace talmiron
