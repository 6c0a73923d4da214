// Where each string literal and each parenthesised part of one expression
// text ends, found in a single pass. The scans of an evaluation jump over a
// literal or a nested part with it instead of reading it character by
// character, so a character deep inside nested groups or calls is read by
// the scan of its own level only, and the work stays in proportion to the
// length of the text however deep it nests.
#pragma once

#include "runtime/text.h"

#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace talmiron {

class TextIndex {
  public:
    // The text must outlive the index.
    explicit TextIndex(TextView text);
    TextIndex(const TextIndex&) = delete;
    TextIndex& operator=(const TextIndex&) = delete;

    // True when view lies inside the indexed text.
    bool Covers(TextView view) const noexcept;

    // For the quote that opens a literal at view[i]: the index in view of
    // the quote that closes it, or the last index of view when the literal
    // runs to its end. view starts outside any literal.
    std::size_t LiteralEnd(TextView view, std::size_t i) const noexcept;

    // For the "(" at view[i], outside any literal: the index in view of the
    // ")" that brings the depth back, or npos when view ends first.
    std::size_t GroupEnd(TextView view, std::size_t i) const noexcept;

    static constexpr std::size_t npos = TextView::npos;

  private:
    // Offset of view's first character in the indexed text.
    std::size_t OffsetOf(TextView view) const noexcept;

    struct Group {
        std::uint32_t open;
        std::uint32_t close; // kOpen when the text ends first
    };

    const char16_t* begin_;
    std::size_t size_;
    // Offsets of every quote character, in order: a literal opens at an even
    // entry and closes at the next one.
    std::span<const std::uint32_t> quotes_;
    // Each "(" outside literals with its matching ")", by offset.
    std::span<const Group> groups_;
    // Most texts fit the inline lists; longer ones take one block each.
    static constexpr std::size_t kInline = 32;
    std::array<std::uint32_t, kInline> inlineQuotes_;
    std::array<Group, kInline> inlineGroups_;
    std::vector<std::uint32_t> heapQuotes_;
    std::vector<Group> heapGroups_;
    static constexpr std::uint32_t kOpen = UINT32_MAX;
};

} // namespace talmiron
