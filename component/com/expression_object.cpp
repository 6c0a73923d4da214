#include "component/com/expression_object.h"

#include "component/com/automation_text.h"
#include "component/com/dispatch_arguments.h"
#include "component/com/dispatch_object.h"
#include "component/com/interfaces.h"
#include "component/com/symbols_object.h"
#include "component/com/variant_coercion.h"
#include "component/expression.h"

#include <new>
#include <utility>

namespace talmiron::com {

namespace {

constexpr const wchar_t* kSource = L"TALMIRON.Expression";

constexpr DispatchMember kMembers[] = {
    {L"State", kDispidExpressionState, {}},
    {L"Symbols", kDispidExpressionSymbols, {}},
    {L"Evaluate", kDispidExpressionEvaluate, {L"Expression", L"State"}},
};

template <typename Body> HRESULT Run(Body&& body) noexcept {
    return Guarded(kExpressionInterfaceId, kSource, std::forward<Body>(body));
}

class ExpressionObject final : public DispatchObject<IExpression, kExpressionInterfaceId> {
  public:
    // The collection object lives as long as the expression object holds it,
    // so Symbols hands out the same one every time.
    ExpressionObject() : symbols_(new SymbolsObject(expression_.Symbols())) {}

    HRESULT STDMETHODCALLTYPE get_State(EvaluationStates* state) override {
        if (state == nullptr) {
            return ReportPlainFailure(E_POINTER);
        }
        *state = expression_.State();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_Symbols(ISymbols** symbols) override {
        if (symbols == nullptr) {
            return ReportPlainFailure(E_POINTER);
        }
        symbols_->AddRef();
        *symbols = symbols_;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Evaluate(BSTR expression, EvaluationStates* state,
                                       BSTR* result) override {
        if (result == nullptr) {
            return ReportPlainFailure(E_POINTER);
        }
        *result = nullptr;
        EvaluationStates outcome = EvaluationStates_None;
        const HRESULT made = Run([&] {
            *result = AllocateBstr(expression_.Evaluate(BstrView(expression), &outcome));
            return S_OK;
        });
        if (state != nullptr) {
            *state = outcome;
        }
        return made;
    }

  private:
    ~ExpressionObject() override {
        // The portable object empties the collection as it ends; a host that
        // still holds the collection object finds it empty.
        symbols_->Release();
    }

    std::span<const DispatchMember> Members() const noexcept override { return kMembers; }

    HRESULT InvokeMember(DISPID id, WORD flags, DISPPARAMS* params, VARIANT* result,
                         UINT* argErr) override {
        if (!IsRead(flags) || IsWrite(flags)) {
            return DISP_E_MEMBERNOTFOUND;
        }
        DispatchArguments arguments;
        HRESULT outcome;
        switch (id) {
        case kDispidExpressionState:
            if (FAILED(outcome = arguments.Bind(params, 0, 0, argErr))) {
                return outcome;
            }
            if (result != nullptr) {
                V_VT(result) = VT_I4;
                V_I4(result) = expression_.State();
            }
            return S_OK;
        case kDispidExpressionSymbols:
            // Arguments given to the property, which takes none, belong to the
            // collection's default member: hosts write e.Symbols("x") for
            // e.Symbols.Item("x").
            if (params != nullptr && params->cArgs > 0) {
                return symbols_->InvokeDefault(flags, params, result, argErr);
            }
            if (FAILED(outcome = arguments.Bind(params, 0, 0, argErr))) {
                return outcome;
            }
            if (result != nullptr) {
                symbols_->AddRef();
                V_VT(result) = VT_DISPATCH;
                V_DISPATCH(result) = symbols_;
            }
            return S_OK;
        case kDispidExpressionEvaluate:
            if (FAILED(outcome = arguments.Bind(params, 1, 2, argErr))) {
                return outcome;
            }
            return InvokeEvaluate(arguments, result, argErr);
        default:
            return DISP_E_MEMBERNOTFOUND;
        }
    }

    // State may be left out or passed by value, and is then only not written;
    // passed by reference, it receives the state of this evaluation.
    HRESULT InvokeEvaluate(const DispatchArguments& arguments, VARIANT* result, UINT* argErr) {
        return Run([&] {
            Text text;
            const HRESULT read = VariantToText(*arguments.At(0), text);
            if (FAILED(read)) {
                return arguments.Reject(0, read, argErr);
            }
            const VARIANT* state = arguments.At(1);
            const bool writesState = state != nullptr && (V_VT(state) & VT_BYREF) != 0;
            if (writesState && !CanStoreThroughReference(*state)) {
                return arguments.Reject(1, DISP_E_TYPEMISMATCH, argErr);
            }
            EvaluationStates outcome = EvaluationStates_None;
            Text value = expression_.Evaluate(text, &outcome);
            if (writesState) {
                StoreThroughReference(*state, outcome);
            }
            if (result != nullptr) {
                V_BSTR(result) = AllocateBstr(value);
                V_VT(result) = VT_BSTR;
            }
            return S_OK;
        });
    }

    talmiron::Expression expression_;
    SymbolsObject* symbols_;
};

} // namespace

HRESULT CreateExpressionObject(REFIID iid, void** object) noexcept {
    if (object == nullptr) {
        return E_POINTER;
    }
    *object = nullptr;
    ExpressionObject* created = nullptr;
    try {
        created = new ExpressionObject();
    } catch (...) {
        return E_OUTOFMEMORY;
    }
    const HRESULT answer = created->QueryInterface(iid, object);
    created->Release();
    return answer;
}

} // namespace talmiron::com
