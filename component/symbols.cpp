#include "component/symbols.h"

#include "runtime/case_mapping.h"
#include "runtime/failure.h"

#include <algorithm>

namespace talmiron {

namespace {

// FNV-1a over the upper-case characters, mixed so that the low bits that
// pick a slot depend on every character.
std::uint32_t KeyHash(TextView name) noexcept {
    std::uint64_t hash = 0xCBF29CE484222325;
    for (const char16_t c : name) {
        hash = (hash ^ UpperCaseChar(c)) * 0x100000001B3;
    }
    hash = (hash ^ (hash >> 30)) * 0xBF58476D1CE4E5B9;
    hash = (hash ^ (hash >> 27)) * 0x94D049BB133111EB;
    return static_cast<std::uint32_t>(hash ^ (hash >> 32));
}

bool SameKey(TextView left, TextView right) noexcept {
    return left.size() == right.size() &&
           std::equal(left.begin(), left.end(), right.begin(), [](char16_t a, char16_t b) {
               return a == b || UpperCaseChar(a) == UpperCaseChar(b);
           });
}

} // namespace

void Symbols::Clear() noexcept {
    entries_.clear();
    slots_.clear();
}

std::shared_ptr<Symbol> Symbols::Add(Text name, EvaluationTypes dataType, Text value) {
    const std::uint32_t hash = KeyHash(name);
    if (IndexOf(name, hash) != kNone) {
        RaiseFailure(kKeyAlreadyAssociated);
    }
    auto symbol = std::make_shared<Symbol>();
    symbol->SetName(std::move(name));
    symbol->SetDataType(dataType);
    symbol->SetValue(std::move(value));
    // Room first, so that nothing can fail once the insertion has begun;
    // the room doubles, so that many Adds cost linear time.
    if (entries_.size() == entries_.capacity()) {
        entries_.reserve(std::max<std::size_t>(8, 2 * entries_.capacity()));
    }
    if (2 * (entries_.size() + 1) > slots_.size()) {
        std::vector<Slot> slots(std::max<std::size_t>(16, 2 * slots_.size()));
        slots_.swap(slots);
        for (const Slot slot : slots) {
            if (slot.entry != 0) {
                Place(slot);
            }
        }
    }
    entries_.push_back(symbol);
    Place({static_cast<std::uint32_t>(entries_.size()), hash});
    return symbol;
}

std::shared_ptr<Symbol> Symbols::Item(std::int32_t position) const {
    if (position < 1 || position > Count()) {
        RaiseFailure(kSubscriptOutOfRange);
    }
    return entries_[static_cast<std::size_t>(position - 1)];
}

std::shared_ptr<Symbol> Symbols::Item(TextView name) const {
    const std::size_t index = IndexOf(name, KeyHash(name));
    if (index == kNone) {
        RaiseFailure(kInvalidProcedureCall);
    }
    return entries_[index];
}

std::int32_t Symbols::Count() const noexcept {
    return static_cast<std::int32_t>(entries_.size());
}

void Symbols::Remove(std::int32_t position) {
    if (position < 1 || position > Count()) {
        RaiseFailure(kSubscriptOutOfRange);
    }
    RemoveAt(static_cast<std::size_t>(position - 1));
}

void Symbols::Remove(TextView name) {
    const std::size_t index = IndexOf(name, KeyHash(name));
    if (index == kNone) {
        RaiseFailure(kInvalidProcedureCall);
    }
    RemoveAt(index);
}

const Symbol* Symbols::Find(TextView name) const {
    // Keys are unique without regard to case, so the one match is also the
    // first in collection order.
    const std::size_t index = IndexOf(name, KeyHash(name));
    return index == kNone ? nullptr : entries_[index].get();
}

std::size_t Symbols::IndexOf(TextView name, std::uint32_t hash) const noexcept {
    if (slots_.empty()) {
        return kNone;
    }
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t at = hash & mask; slots_[at].entry != 0; at = (at + 1) & mask) {
        const std::size_t index = slots_[at].entry - 1;
        if (slots_[at].hash == hash && SameKey(entries_[index]->Name(), name)) {
            return index;
        }
    }
    return kNone;
}

void Symbols::Place(Slot slot) noexcept {
    const std::size_t mask = slots_.size() - 1;
    std::size_t at = slot.hash & mask;
    while (slots_[at].entry != 0) {
        at = (at + 1) & mask;
    }
    slots_[at] = slot;
}

// The later entries move down one position: linear, like the move itself.
void Symbols::RemoveAt(std::size_t index) noexcept {
    const std::size_t mask = slots_.size() - 1;
    const auto entry = static_cast<std::uint32_t>(index + 1);
    std::size_t hole = KeyHash(entries_[index]->Name()) & mask;
    while (slots_[hole].entry != entry) {
        hole = (hole + 1) & mask;
    }
    // Close the hole: a later slot of the same run moves into it unless its
    // own place lies between the hole and it.
    for (std::size_t at = (hole + 1) & mask; slots_[at].entry != 0; at = (at + 1) & mask) {
        const std::size_t home = slots_[at].hash & mask;
        const bool stays = hole <= at ? hole < home && home <= at : hole < home || home <= at;
        if (!stays) {
            slots_[hole] = slots_[at];
            hole = at;
        }
    }
    slots_[hole].entry = 0;
    for (Slot& slot : slots_) {
        if (slot.entry > entry) {
            --slot.entry;
        }
    }
    entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(index));
}

} // namespace talmiron
