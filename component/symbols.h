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
#include <unordered_map>
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
    // Names compared by their upper-case forms, character by character, so
    // that a look-up needs no upper-case copy of the name.
    struct KeyHash {
        using is_transparent = void;
        std::size_t operator()(TextView name) const noexcept;
    };
    struct KeyEqual {
        using is_transparent = void;
        bool operator()(TextView left, TextView right) const noexcept;
    };
    using Keys = std::unordered_map<Text, std::shared_ptr<Symbol>, KeyHash, KeyEqual>;

    void Erase(Keys::iterator key) noexcept;

    Entries entries_;
    // The symbols of entries_ by their names as added.
    Keys byKey_;
};

} // namespace talmiron
