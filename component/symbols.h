// The ordered, keyed collection of symbols of one expression object. Keys
// match without regard to case. Failures are raised as RuntimeFailure with
// the collection's numbers: 457 for a key already present, 9 for a position
// outside 1 to the count, 5 for a name that is no key.
#pragma once

#include "component/symbol.h"
#include "runtime/text.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace talmiron {

class Symbols {
  public:
    using Entries = std::vector<std::shared_ptr<Symbol>>;

    void Clear() noexcept;
    // Appends a new symbol under the key name; a failed Add changes nothing.
    std::shared_ptr<Symbol> Add(Text name, EvaluationTypes dataType, Text value);
    // Position counts from 1.
    std::shared_ptr<Symbol> Item(std::int32_t position) const;
    std::shared_ptr<Symbol> Item(TextView name) const;
    std::int32_t Count() const noexcept;
    void Remove(std::int32_t position);
    void Remove(TextView name);

    // The symbol whose name matches without regard to case, or null.
    const Symbol* Find(TextView name) const;

    // Insertion order.
    Entries::const_iterator begin() const noexcept { return entries_.begin(); }
    Entries::const_iterator end() const noexcept { return entries_.end(); }

  private:
    static constexpr std::size_t kNone = static_cast<std::size_t>(-1);

    // One place of the table of keys: the entry's index + 1 (0 for an empty
    // slot) and the hash of its key.
    struct Slot {
        std::uint32_t entry;
        std::uint32_t hash;
    };

    // The index in entries_ of the key name, or kNone.
    std::size_t IndexOf(TextView name, std::uint32_t hash) const noexcept;
    // Into the first free slot from the one of its hash; the table has room.
    void Place(Slot slot) noexcept;
    void RemoveAt(std::size_t index) noexcept;

    Entries entries_;
    // An open-addressing table of the entries by key, at most half full and
    // its size a power of two, so that a look-up reads a slot or two.
    std::vector<Slot> slots_;
};

} // namespace talmiron
