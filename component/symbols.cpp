#include "component/symbols.h"

#include "runtime/failure.h"
#include "runtime/text_ops.h"

#include <algorithm>

namespace talmiron {

void Symbols::Clear() noexcept {
    byKey_.clear();
    entries_.clear();
}

std::shared_ptr<Symbol> Symbols::Add(Text name, EvaluationTypes dataType, Text value) {
    auto symbol = std::make_shared<Symbol>();
    symbol->SetName(std::move(name));
    symbol->SetDataType(dataType);
    symbol->SetValue(std::move(value));
    Text key = UpperCase(symbol->Name());
    if (byKey_.contains(key)) {
        RaiseFailure(kKeyAlreadyAssociated);
    }
    // Room first, so that neither insertion can fail after the other.
    entries_.reserve(entries_.size() + 1);
    byKey_.emplace(std::move(key), symbol);
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
    const auto found = byKey_.find(UpperCase(name));
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
    const auto at = entries_.begin() + (position - 1);
    byKey_.erase(UpperCase((*at)->Name()));
    entries_.erase(at);
}

void Symbols::Remove(TextView name) {
    const auto found = byKey_.find(UpperCase(name));
    if (found == byKey_.end()) {
        RaiseFailure(kInvalidProcedureCall);
    }
    const auto at = std::find(entries_.begin(), entries_.end(), found->second);
    byKey_.erase(found);
    entries_.erase(at);
}

const Symbol* Symbols::Find(TextView name) const {
    // Keys are unique without regard to case, so the one match is also the
    // first in collection order.
    const auto found = byKey_.find(UpperCase(name));
    return found == byKey_.end() ? nullptr : found->second.get();
}

} // namespace talmiron
