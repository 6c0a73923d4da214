#include "engine/text_index.h"

#include "engine/lexical.h"

#include <algorithm>
#include <functional>

namespace talmiron {

namespace {

// The slow paths below read the view itself: they give the same answers
// as the index, for a view whose literals the index would see differently.
std::size_t ScanLiteralEnd(TextView view, std::size_t i) {
    const std::size_t close = view.find(kQuote, i + 1);
    return close == TextView::npos ? view.size() - 1 : close;
}

std::size_t ScanGroupEnd(TextView view, std::size_t i) {
    std::size_t depth = 0;
    for (; i < view.size(); ++i) {
        const char16_t c = view[i];
        if (c == kQuote) {
            i = ScanLiteralEnd(view, i);
        } else if (c == u'(') {
            ++depth;
        } else if (c == u')' && --depth == 0) {
            return i;
        }
    }
    return TextView::npos;
}

} // namespace

// Texts never exceed 2^26 characters, so offsets fit in 32 bits. A first
// pass counts, so that each list takes at most one block; while the text is read,
// the close slot of each open group links to the group that encloses it.
TextIndex::TextIndex(TextView text) : begin_(text.data()), size_(text.size()) {
    std::size_t quoteCount = 0;
    std::size_t groupCount = 0;
    bool inside = false;
    for (const char16_t c : text) {
        if (c == kQuote) {
            ++quoteCount;
            inside = !inside;
        } else if (c == u'(' && !inside) {
            ++groupCount;
        }
    }
    std::uint32_t* quotes = inlineQuotes_.data();
    if (quoteCount > kInline) {
        heapQuotes_.resize(quoteCount);
        quotes = heapQuotes_.data();
    }
    Group* groups = inlineGroups_.data();
    if (groupCount > kInline) {
        heapGroups_.resize(groupCount);
        groups = heapGroups_.data();
    }
    std::size_t q = 0;
    std::size_t g = 0;
    std::uint32_t innermost = kOpen; // index of the innermost open group
    inside = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c == kQuote) {
            quotes[q++] = static_cast<std::uint32_t>(i);
            inside = !inside;
        } else if (inside) {
            continue;
        } else if (c == u'(') {
            groups[g] = {static_cast<std::uint32_t>(i), innermost};
            innermost = static_cast<std::uint32_t>(g++);
        } else if (c == u')' && innermost != kOpen) {
            const std::uint32_t enclosing = groups[innermost].close;
            groups[innermost].close = static_cast<std::uint32_t>(i);
            innermost = enclosing;
        }
    }
    while (innermost != kOpen) {
        const std::uint32_t enclosing = groups[innermost].close;
        groups[innermost].close = kOpen;
        innermost = enclosing;
    }
    quotes_ = {quotes, quoteCount};
    groups_ = {groups, groupCount};
}

bool TextIndex::Covers(TextView view) const noexcept {
    const std::less_equal<const char16_t*> notAfter;
    return notAfter(begin_, view.data()) && notAfter(view.data() + view.size(), begin_ + size_);
}

std::size_t TextIndex::OffsetOf(TextView view) const noexcept {
    return static_cast<std::size_t>(view.data() - begin_);
}

std::size_t TextIndex::LiteralEnd(TextView view, std::size_t i) const noexcept {
    const std::size_t offset = OffsetOf(view);
    const auto at = static_cast<std::uint32_t>(offset + i);
    const auto found = std::lower_bound(quotes_.begin(), quotes_.end(), at);
    if (found == quotes_.end() || *found != at || (found - quotes_.begin()) % 2 != 0) {
        return ScanLiteralEnd(view, i);
    }
    if (found + 1 == quotes_.end() || found[1] - offset >= view.size()) {
        return view.size() - 1;
    }
    return found[1] - offset;
}

std::size_t TextIndex::GroupEnd(TextView view, std::size_t i) const noexcept {
    const std::size_t offset = OffsetOf(view);
    const auto at = static_cast<std::uint32_t>(offset + i);
    const auto found = std::lower_bound(
        groups_.begin(), groups_.end(), at,
        [](const Group& group, std::uint32_t position) { return group.open < position; });
    if (found == groups_.end() || found->open != at) {
        return ScanGroupEnd(view, i);
    }
    if (found->close == kOpen || found->close - offset >= view.size()) {
        return npos;
    }
    return found->close - offset;
}

} // namespace talmiron
