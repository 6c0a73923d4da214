#include "component/com/symbols_object.h"

#include "component/com/automation_text.h"
#include "component/com/dispatch_arguments.h"
#include "component/com/symbol_enumerator.h"
#include "component/com/symbol_object.h"
#include "component/com/variant_coercion.h"
#include "runtime/failure.h"

#include <utility>

namespace talmiron::com {

namespace {

constexpr const wchar_t* kSource = L"TALMIRON.Symbols";

constexpr DispatchMember kMembers[] = {
    {L"Clear", kDispidSymbolsClear, {}},
    {L"Add", kDispidSymbolsAdd, {L"Name", L"DataType", L"Value"}},
    {L"Item", kDispidSymbolsItem, {L"IndexName"}},
    {L"Count", kDispidSymbolsCount, {}},
    {L"Remove", kDispidSymbolsRemove, {L"IndexName"}},
    {L"NewEnum", kDispidSymbolsNewEnum, {}},
    // The name hosts use for DISPID_NEWENUM by convention.
    {L"_NewEnum", kDispidSymbolsNewEnum, {}},
};

template <typename Body> HRESULT Run(Body&& body) noexcept {
    return Guarded(kSymbolsInterfaceId, kSource, std::forward<Body>(body));
}

// An index of Item and Remove: a text is a name; anything else is read as a
// whole number, a position. A number beyond 32 bits is a position outside
// the collection as well.
struct Index {
    bool isName = false;
    Text name;
    std::int32_t position = 0;
};

Index ReadIndex(const VARIANT& indexName) {
    const VARIANT& d = Dereferenced(indexName);
    Index index;
    if (V_VT(&d) == VT_BSTR || V_VT(&d) == (VT_BYREF | VT_BSTR)) {
        index.isName = true;
        const HRESULT read = VariantToText(d, index.name);
        if (FAILED(read)) {
            RaiseFailure(kTypeMismatch);
        }
        return index;
    }
    const HRESULT read = VariantToInt32(d, index.position);
    if (read == DISP_E_OVERFLOW) {
        RaiseFailure(kSubscriptOutOfRange);
    }
    if (read == E_OUTOFMEMORY) {
        throw std::bad_alloc();
    }
    if (FAILED(read)) {
        RaiseFailure(kTypeMismatch);
    }
    return index;
}

} // namespace

SymbolsObject::SymbolsObject(std::shared_ptr<talmiron::Symbols> symbols) noexcept
    : symbols_(std::move(symbols)) {}

ISymbol* SymbolsObject::WrapperOf(const std::shared_ptr<Symbol>& symbol) {
    const auto [at, made] = wrappers_.try_emplace(symbol.get(), nullptr);
    if (!made) {
        at->second->AddRef();
        return at->second;
    }
    try {
        at->second = new SymbolObject(symbol, this);
    } catch (...) {
        wrappers_.erase(at);
        throw;
    }
    return at->second;
}

void SymbolsObject::Forget(const Symbol* symbol) noexcept {
    wrappers_.erase(symbol);
}

ISymbol* SymbolsObject::AddSymbol(Text name, EvaluationTypes dataType, Text value) {
    const std::shared_ptr<Symbol> symbol =
        symbols_->Add(std::move(name), dataType, std::move(value));
    try {
        return WrapperOf(symbol);
    } catch (...) {
        // Without its wrapper the host never sees the symbol: undo the Add.
        symbols_->Remove(symbols_->Count());
        throw;
    }
}

std::shared_ptr<Symbol> SymbolsObject::Find(const VARIANT& indexName) const {
    const Index index = ReadIndex(indexName);
    return index.isName ? symbols_->Item(index.name) : symbols_->Item(index.position);
}

void SymbolsObject::RemoveAt(const VARIANT& indexName) {
    const Index index = ReadIndex(indexName);
    if (index.isName) {
        symbols_->Remove(index.name);
    } else {
        symbols_->Remove(index.position);
    }
}

HRESULT SymbolsObject::Clear() {
    symbols_->Clear();
    return S_OK;
}

HRESULT SymbolsObject::Add(BSTR* name, EvaluationTypes* dataType, BSTR* value, ISymbol** symbol) {
    if (symbol != nullptr) {
        *symbol = nullptr;
    }
    if (name == nullptr || dataType == nullptr || value == nullptr) {
        return ReportPlainFailure(E_POINTER);
    }
    return Run([&] {
        ISymbol* added = AddSymbol(Text(BstrView(*name)), *dataType, Text(BstrView(*value)));
        // A caller that passes no place for the result only adds.
        if (symbol != nullptr) {
            *symbol = added;
        } else {
            added->Release();
        }
        return S_OK;
    });
}

HRESULT SymbolsObject::get_Item(VARIANT* indexName, ISymbol** symbol) {
    if (indexName == nullptr || symbol == nullptr) {
        return ReportPlainFailure(E_POINTER);
    }
    *symbol = nullptr;
    return Run([&] {
        *symbol = WrapperOf(Find(*indexName));
        return S_OK;
    });
}

HRESULT SymbolsObject::get_Count(LONG* count) {
    if (count == nullptr) {
        return ReportPlainFailure(E_POINTER);
    }
    *count = symbols_->Count();
    return S_OK;
}

HRESULT SymbolsObject::Remove(VARIANT* indexName) {
    if (indexName == nullptr) {
        return ReportPlainFailure(E_POINTER);
    }
    return Run([&] {
        RemoveAt(*indexName);
        return S_OK;
    });
}

HRESULT SymbolsObject::get_NewEnum(IUnknown** enumerator) {
    if (enumerator == nullptr) {
        return ReportPlainFailure(E_POINTER);
    }
    *enumerator = nullptr;
    return Run([&] {
        *enumerator = CreateSymbolEnumerator(this, *symbols_);
        return S_OK;
    });
}

std::span<const DispatchMember> SymbolsObject::Members() const noexcept {
    return kMembers;
}

HRESULT SymbolsObject::InvokeMember(DISPID id, WORD flags, DISPPARAMS* params, VARIANT* result,
                                    UINT* argErr) {
    DispatchArguments arguments;
    HRESULT outcome;
    if (!IsRead(flags) || IsWrite(flags)) {
        return DISP_E_MEMBERNOTFOUND;
    }
    switch (id) {
    case kDispidSymbolsClear:
        if (FAILED(outcome = arguments.Bind(params, 0, 0, argErr))) {
            return outcome;
        }
        return Clear();
    case kDispidSymbolsAdd: {
        if (FAILED(outcome = arguments.Bind(params, 3, 3, argErr))) {
            return outcome;
        }
        return Run([&] {
            Text name;
            std::int32_t dataType = 0;
            Text value;
            HRESULT read = VariantToText(*arguments.At(0), name);
            if (FAILED(read)) {
                return arguments.Reject(0, read, argErr);
            }
            if (FAILED(read = VariantToInt32(*arguments.At(1), dataType))) {
                return arguments.Reject(1, read, argErr);
            }
            if (FAILED(read = VariantToText(*arguments.At(2), value))) {
                return arguments.Reject(2, read, argErr);
            }
            ISymbol* added = AddSymbol(std::move(name), dataType, std::move(value));
            if (result != nullptr) {
                V_VT(result) = VT_DISPATCH;
                V_DISPATCH(result) = added;
            } else {
                added->Release();
            }
            return S_OK;
        });
    }
    case kDispidSymbolsItem:
        if (FAILED(outcome = arguments.Bind(params, 1, 1, argErr))) {
            return outcome;
        }
        return Run([&] {
            ISymbol* found = WrapperOf(Find(*arguments.At(0)));
            if (result != nullptr) {
                V_VT(result) = VT_DISPATCH;
                V_DISPATCH(result) = found;
            } else {
                found->Release();
            }
            return S_OK;
        });
    case kDispidSymbolsCount:
        if (FAILED(outcome = arguments.Bind(params, 0, 0, argErr))) {
            return outcome;
        }
        if (result != nullptr) {
            V_VT(result) = VT_I4;
            V_I4(result) = symbols_->Count();
        }
        return S_OK;
    case kDispidSymbolsRemove:
        if (FAILED(outcome = arguments.Bind(params, 1, 1, argErr))) {
            return outcome;
        }
        return Run([&] {
            RemoveAt(*arguments.At(0));
            return S_OK;
        });
    case kDispidSymbolsNewEnum:
        if (FAILED(outcome = arguments.Bind(params, 0, 0, argErr))) {
            return outcome;
        }
        return Run([&] {
            IUnknown* enumerator = CreateSymbolEnumerator(this, *symbols_);
            if (result != nullptr) {
                V_VT(result) = VT_UNKNOWN;
                V_UNKNOWN(result) = enumerator;
            } else {
                enumerator->Release();
            }
            return S_OK;
        });
    default:
        return DISP_E_MEMBERNOTFOUND;
    }
}

} // namespace talmiron::com
