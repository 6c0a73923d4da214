#include "component/com/symbol_object.h"

#include "component/com/automation_text.h"
#include "component/com/dispatch_arguments.h"
#include "component/com/symbols_object.h"
#include "component/com/variant_coercion.h"

#include <utility>

namespace talmiron::com {

namespace {

constexpr const wchar_t* kSource = L"TALMIRON.Symbol";

constexpr DispatchMember kMembers[] = {
    {L"Name", kDispidSymbolName, {}},
    {L"DataType", kDispidSymbolDataType, {}},
    {L"Value", kDispidSymbolValue, {}},
};

template <typename Body> HRESULT Run(Body&& body) noexcept {
    return Guarded(kSymbolInterfaceId, kSource, std::forward<Body>(body));
}

} // namespace

SymbolObject::SymbolObject(std::shared_ptr<Symbol> symbol, SymbolsObject* collection) noexcept
    : symbol_(std::move(symbol)), collection_(collection) {
    collection_->AddRef();
}

SymbolObject::~SymbolObject() {
    collection_->Forget(symbol_.get());
    collection_->Release();
}

HRESULT SymbolObject::get_Name(BSTR* name) {
    if (name == nullptr) {
        return ReportPlainFailure(E_POINTER);
    }
    *name = nullptr;
    return Run([&] {
        *name = AllocateBstr(symbol_->Name());
        return S_OK;
    });
}

HRESULT SymbolObject::put_DataType(EvaluationTypes* dataType) {
    if (dataType == nullptr) {
        return ReportPlainFailure(E_POINTER);
    }
    symbol_->SetDataType(*dataType);
    return S_OK;
}

HRESULT SymbolObject::get_DataType(EvaluationTypes* dataType) {
    if (dataType == nullptr) {
        return ReportPlainFailure(E_POINTER);
    }
    *dataType = symbol_->DataType();
    return S_OK;
}

HRESULT SymbolObject::put_Value(BSTR* value) {
    if (value == nullptr) {
        return ReportPlainFailure(E_POINTER);
    }
    return Run([&] {
        symbol_->SetValue(Text(BstrView(*value)));
        return S_OK;
    });
}

HRESULT SymbolObject::get_Value(BSTR* value) {
    if (value == nullptr) {
        return ReportPlainFailure(E_POINTER);
    }
    *value = nullptr;
    return Run([&] {
        *value = AllocateBstr(symbol_->Value());
        return S_OK;
    });
}

std::span<const DispatchMember> SymbolObject::Members() const noexcept {
    return kMembers;
}

HRESULT SymbolObject::InvokeMember(DISPID id, WORD flags, DISPPARAMS* params, VARIANT* result,
                                   UINT* argErr) {
    DispatchArguments arguments;
    HRESULT outcome;
    switch (id) {
    case kDispidSymbolName:
        if (!IsRead(flags) || IsWrite(flags)) {
            return DISP_E_MEMBERNOTFOUND;
        }
        if (FAILED(outcome = arguments.Bind(params, 0, 0, argErr))) {
            return outcome;
        }
        if (result != nullptr) {
            V_VT(result) = VT_BSTR;
            return get_Name(&V_BSTR(result));
        }
        return S_OK;
    case kDispidSymbolDataType:
        if (IsWrite(flags)) {
            if (FAILED(outcome = arguments.BindPut(params))) {
                return outcome;
            }
            std::int32_t dataType = 0;
            if (FAILED(outcome = VariantToInt32(*arguments.PutValue(), dataType))) {
                return arguments.Reject(0, outcome, argErr);
            }
            return put_DataType(&dataType);
        }
        if (!IsRead(flags)) {
            return DISP_E_MEMBERNOTFOUND;
        }
        if (FAILED(outcome = arguments.Bind(params, 0, 0, argErr))) {
            return outcome;
        }
        if (result != nullptr) {
            V_VT(result) = VT_I4;
            V_I4(result) = symbol_->DataType();
        }
        return S_OK;
    case kDispidSymbolValue:
        if (IsWrite(flags)) {
            if (FAILED(outcome = arguments.BindPut(params))) {
                return outcome;
            }
            return Run([&] {
                Text value;
                const HRESULT read = VariantToText(*arguments.PutValue(), value);
                if (FAILED(read)) {
                    return arguments.Reject(0, read, argErr);
                }
                symbol_->SetValue(std::move(value));
                return S_OK;
            });
        }
        if (!IsRead(flags)) {
            return DISP_E_MEMBERNOTFOUND;
        }
        if (FAILED(outcome = arguments.Bind(params, 0, 0, argErr))) {
            return outcome;
        }
        if (result != nullptr) {
            V_VT(result) = VT_BSTR;
            return get_Value(&V_BSTR(result));
        }
        return S_OK;
    default:
        return DISP_E_MEMBERNOTFOUND;
    }
}

} // namespace talmiron::com
