#include "component/symbols.h"

#include "runtime/case_mapping.h"
#include "runtime/failure.h"

#include <algorithm>

namespace talmiron {

std::size_t Symbols::KeyHash::operator()(TextView name) const noexcept {
    // FNV-1a over the upper-case characters.
    std::uint64_t hash = 0xCBF29CE484222325;
    for (const char16_t c : name) {
        hash = (hash ^ UpperCaseChar(c)) * 0x100000001B3;
    }
    return static_cast<std::size_t>(hash ^ (hash >> 32));
}

bool Symbols::KeyEqual::operator()(TextView left, TextView right) const noexcept {
    return left.size() == right.size() &&
           std::equal(left.begin(), left.end(), right.begin(), [](char16_t a, char16_t b) {
               return a == b || UpperCaseChar(a) == UpperCaseChar(b);
           });
}

void Symbols::Clear() noexcept {
    byKey_.clear();
    entries_.clear();
}

std::shared_ptr<Symbol> Symbols::Add(Text name, EvaluationTypes dataType, Text value) {
    if (byKey_.find(name) != byKey_.end()) {
        RaiseFailure(kKeyAlreadyAssociated);
    }
    auto symbol = std::make_shared<Symbol>();
    symbol->SetName(std::move(name));
    symbol->SetDataType(dataType);
    symbol->SetValue(std::move(value));
    // Room first, so that neither insertion can fail after the other; the
    // room doubles, so that many Adds cost linear time.
    if (entries_.size() == entries_.capacity()) {
        entries_.reserve(std::max<std::size_t>(8, 2 * entries_.capacity()));
    }
    byKey_.emplace(symbol->Name(), symbol);
    entries_.push_back(symbol);
    return symbol;
}

std::shared_ptr<Symbol> Symbols::Item(std::int32_t position) const {
    if (position < 1 || position > Count()) {
        RaiseFailure(kSubscriptOutOfRange);
    }
    return entries_[static_cast<std::size_t>(position - 1)];
}

std::shared_ptr<Symbol> Symbols::Item(TextView name) const {
    const auto found = byKey_.find(name);
    if (found == byKey_.end()) {
        RaiseFailure(kInvalidProcedureCall);
    }
    return found->second;
}

std::int32_t Symbols::Count() const noexcept {
    return static_cast<std::int32_t>(entries_.size());
}

void Symbols::Remove(std::int32_t position) {
    if (position < 1 || position > Count()) {
        RaiseFailure(kSubscriptOutOfRange);
    }
    Erase(byKey_.find(entries_[static_cast<std::size_t>(position - 1)]->Name()));
}

void Symbols::Remove(TextView name) {
    const auto found = byKey_.find(name);
    if (found == byKey_.end()) {
        RaiseFailure(kInvalidProcedureCall);
    }
    Erase(found);
}

const Symbol* Symbols::Find(TextView name) const {
    // Keys are unique without regard to case, so the one match is also the
    // first in collection order.
    const auto found = byKey_.find(name);
    return found == byKey_.end() ? nullptr : found->second.get();
}

// Removing from the middle moves the later entries: linear, as removal may be.
void Symbols::Erase(Keys::iterator key) noexcept {
    entries_.erase(std::find(entries_.begin(), entries_.end(), key->second));
    byKey_.erase(key);
}

} // namespace talmiron
