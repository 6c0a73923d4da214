// The automation object of a Symbols collection. It keeps the identity map of
// the collection's symbol wrappers: one live SymbolObject per symbol.
#pragma once

#include "component/com/dispatch_object.h"
#include "component/com/interfaces.h"
#include "component/symbols.h"

#include <memory>
#include <unordered_map>

namespace talmiron::com {

class SymbolObject;

class SymbolsObject final : public DispatchObject<ISymbols, kSymbolsInterfaceId> {
  public:
    // Starts with one reference.
    explicit SymbolsObject(std::shared_ptr<talmiron::Symbols> symbols) noexcept;

    HRESULT STDMETHODCALLTYPE Clear() override;
    HRESULT STDMETHODCALLTYPE Add(BSTR* name, EvaluationTypes* dataType, BSTR* value,
                                  ISymbol** symbol) override;
    HRESULT STDMETHODCALLTYPE get_Item(VARIANT* indexName, ISymbol** symbol) override;
    HRESULT STDMETHODCALLTYPE get_Count(LONG* count) override;
    HRESULT STDMETHODCALLTYPE Remove(VARIANT* indexName) override;
    HRESULT STDMETHODCALLTYPE get_NewEnum(IUnknown** enumerator) override;

    // The one wrapper of a symbol of this collection, with a reference for
    // the caller; made when nobody holds one. Throws std::bad_alloc.
    ISymbol* WrapperOf(const std::shared_ptr<Symbol>& symbol);
    // Called by a wrapper as it ends.
    void Forget(const Symbol* symbol) noexcept;

    // A late-bound call of the default member, Item.
    HRESULT InvokeDefault(WORD flags, DISPPARAMS* params, VARIANT* result, UINT* argErr) {
        return InvokeMember(DISPID_VALUE, flags, params, result, argErr);
    }

  private:
    ~SymbolsObject() override = default;

    std::span<const DispatchMember> Members() const noexcept override;
    HRESULT InvokeMember(DISPID id, WORD flags, DISPPARAMS* params, VARIANT* result,
                         UINT* argErr) override;

    ISymbol* AddSymbol(Text name, EvaluationTypes dataType, Text value);
    std::shared_ptr<Symbol> Find(const VARIANT& indexName) const;
    void RemoveAt(const VARIANT& indexName);

    std::shared_ptr<talmiron::Symbols> symbols_;
    std::unordered_map<const Symbol*, SymbolObject*> wrappers_;
};

} // namespace talmiron::com
