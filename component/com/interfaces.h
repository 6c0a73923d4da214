// The dual interfaces of the component's three classes, as the type library
// describes them: each derives from IDispatch and its members occupy the
// slots after IDispatch's seven, in the order of the library. Parameters
// that the library marks in/out travel by pointer.
#pragma once

#include "component/com/identity.h"
#include "engine/evaluation_states.h"

#include <oaidl.h>

namespace talmiron::com {

struct ISymbols;

// _Symbol in the type library.
struct ISymbol : IDispatch {
    virtual HRESULT STDMETHODCALLTYPE get_Name(BSTR* name) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_DataType(EvaluationTypes* dataType) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_DataType(EvaluationTypes* dataType) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_Value(BSTR* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Value(BSTR* value) = 0;
};

// _Symbols in the type library.
struct ISymbols : IDispatch {
    virtual HRESULT STDMETHODCALLTYPE Clear() = 0;
    virtual HRESULT STDMETHODCALLTYPE Add(BSTR* name, EvaluationTypes* dataType, BSTR* value,
                                          ISymbol** symbol) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Item(VARIANT* indexName, ISymbol** symbol) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Count(LONG* count) = 0;
    virtual HRESULT STDMETHODCALLTYPE Remove(VARIANT* indexName) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_NewEnum(IUnknown** enumerator) = 0;
};

// _Expression in the type library. A null state pointer omits the optional
// State argument.
struct IExpression : IDispatch {
    virtual HRESULT STDMETHODCALLTYPE get_State(EvaluationStates* state) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Symbols(ISymbols** symbols) = 0;
    virtual HRESULT STDMETHODCALLTYPE Evaluate(BSTR expression, EvaluationStates* state,
                                               BSTR* result) = 0;
};

// The dispatch identifiers of the members, as the type library lists them.
inline constexpr DISPID kDispidExpressionState = 0x68030002;
inline constexpr DISPID kDispidExpressionSymbols = 0x68030000;
inline constexpr DISPID kDispidExpressionEvaluate = DISPID_VALUE;

inline constexpr DISPID kDispidSymbolName = 0x68030001;
inline constexpr DISPID kDispidSymbolDataType = 0x68030000;
inline constexpr DISPID kDispidSymbolValue = DISPID_VALUE;

inline constexpr DISPID kDispidSymbolsClear = 0x60030001;
inline constexpr DISPID kDispidSymbolsAdd = 0x60030002;
inline constexpr DISPID kDispidSymbolsItem = DISPID_VALUE;
inline constexpr DISPID kDispidSymbolsCount = 0x68030000;
inline constexpr DISPID kDispidSymbolsRemove = 0x60030003;
inline constexpr DISPID kDispidSymbolsNewEnum = DISPID_NEWENUM;

} // namespace talmiron::com
