// The automation object of one Symbol. Its collection object keeps a single
// wrapper per symbol for as long as anyone holds it, so every way of reaching
// the symbol gives the same COM object.
#pragma once

#include "component/com/dispatch_object.h"
#include "component/com/interfaces.h"
#include "component/symbol.h"

#include <memory>

namespace talmiron::com {

class SymbolsObject;

class SymbolObject final : public DispatchObject<ISymbol, kSymbolInterfaceId> {
  public:
    // Holds a reference to the collection object, whose identity map the
    // wrapper leaves when it ends. Starts with one reference.
    SymbolObject(std::shared_ptr<Symbol> symbol, SymbolsObject* collection) noexcept;

    HRESULT STDMETHODCALLTYPE get_Name(BSTR* name) override;
    HRESULT STDMETHODCALLTYPE put_DataType(EvaluationTypes* dataType) override;
    HRESULT STDMETHODCALLTYPE get_DataType(EvaluationTypes* dataType) override;
    HRESULT STDMETHODCALLTYPE put_Value(BSTR* value) override;
    HRESULT STDMETHODCALLTYPE get_Value(BSTR* value) override;

  private:
    ~SymbolObject() override;

    std::span<const DispatchMember> Members() const noexcept override;
    HRESULT InvokeMember(DISPID id, WORD flags, DISPPARAMS* params, VARIANT* result,
                         UINT* argErr) override;

    std::shared_ptr<Symbol> symbol_;
    SymbolsObject* collection_;
};

} // namespace talmiron::com
