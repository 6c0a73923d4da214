#include "component/typelib/surface.h"

#include "component/com/identity.h"

namespace talmiron::com::typelib {
namespace {

// Positions of the type descriptions; hosts and tools read them by index.
enum : int {
    kExpressionInterface = 0,
    kExpressionClass = 1,
    kSymbolInterface = 2,
    kSymbolClass = 3,
    kSymbolsInterface = 4,
    kSymbolsClass = 5,
    kEvaluationTypes = 6,
    kEvaluationStates = 7,
};

constexpr WORD kDualInterfaceFlags = TYPEFLAG_FHIDDEN | TYPEFLAG_FDUAL | TYPEFLAG_FNONEXTENSIBLE |
                                     TYPEFLAG_FOLEAUTOMATION | TYPEFLAG_FDISPATCHABLE;

constexpr USHORT kInOut = PARAMFLAG_FIN | PARAMFLAG_FOUT;
constexpr USHORT kResult = PARAMFLAG_FOUT | PARAMFLAG_FRETVAL;

constexpr TypeSpec Base(VARTYPE vt, int pointers = 0) {
    return {vt, -1, pointers};
}
constexpr TypeSpec Ours(int index, int pointers) {
    return {VT_USERDEFINED, index, pointers};
}

// The result of a getter or method, always the last parameter.
ParameterDescription Result(TypeSpec type) {
    ++type.pointers;
    return {nullptr, type, kResult};
}

// A property put's value, which the platform leaves unnamed: a host passes
// it as the named argument DISPID_PROPERTYPUT, never by a name.
ParameterDescription PutValue(TypeSpec type) {
    return {nullptr, type, kInOut};
}

std::vector<FunctionDescription> ExpressionMembers() {
    return {
        {L"State",
         0x68030002,
         INVOKE_PROPERTYGET,
         {Result(Ours(kEvaluationStates, 0))},
         L"Gets the state of the result of the last evaluated expression."},
        {L"Symbols",
         0x68030000,
         INVOKE_PROPERTYGET,
         {Result(Ours(kSymbolsInterface, 1))},
         L"Collection of symbols available for use within evaluated expressions."},
        {L"Evaluate",
         DISPID_VALUE,
         INVOKE_FUNC,
         {{L"Expression", Base(VT_BSTR), PARAMFLAG_FIN},
          {L"State", Ours(kEvaluationStates, 1), kInOut | PARAMFLAG_FOPT},
          Result(Base(VT_BSTR))},
         L"Evaluates the specified expression. The return value is the result of the "
         L"evaluation."},
    };
}

std::vector<FunctionDescription> SymbolMembers() {
    constexpr const wchar_t* kDataTypeHelp = L"Generic data-type of the symbol.";
    return {
        {L"Name", 0x68030001, INVOKE_PROPERTYGET, {Result(Base(VT_BSTR))}, nullptr},
        {L"DataType",
         0x68030000,
         INVOKE_PROPERTYPUT,
         {PutValue(Ours(kEvaluationTypes, 1))},
         kDataTypeHelp},
        {L"DataType",
         0x68030000,
         INVOKE_PROPERTYGET,
         {Result(Ours(kEvaluationTypes, 0))},
         kDataTypeHelp},
        {L"Value", DISPID_VALUE, INVOKE_PROPERTYPUT, {PutValue(Base(VT_BSTR, 1))}, nullptr},
        {L"Value", DISPID_VALUE, INVOKE_PROPERTYGET, {Result(Base(VT_BSTR))}, nullptr},
    };
}

std::vector<FunctionDescription> SymbolsMembers() {
    const ParameterDescription indexName{L"IndexName", Base(VT_VARIANT, 1), kInOut};
    return {
        {L"Clear",
         0x60030001,
         INVOKE_FUNC,
         {},
         L"Removes all symbols from the Symbols collection."},
        {L"Add",
         0x60030002,
         INVOKE_FUNC,
         {{L"Name", Base(VT_BSTR, 1), kInOut},
          {L"DataType", Ours(kEvaluationTypes, 1), kInOut},
          {L"Value", Base(VT_BSTR, 1), kInOut},
          Result(Ours(kSymbolInterface, 1))},
         L"Adds a symbol to the Symbols collection."},
        {L"Item",
         DISPID_VALUE,
         INVOKE_PROPERTYGET,
         {indexName, Result(Ours(kSymbolInterface, 1))},
         L"Returns a specific symbol of the Symbols collection either by position or name."},
        {L"Count",
         0x68030000,
         INVOKE_PROPERTYGET,
         {Result(Base(VT_I4))},
         L"Returns the number of symbols in the Symbols collection."},
        {L"Remove",
         0x60030003,
         INVOKE_FUNC,
         {indexName},
         L"Removes a symbol from the Symbols collection."},
        {L"NewEnum",
         DISPID_NEWENUM,
         INVOKE_PROPERTYGET,
         {Result(Base(VT_UNKNOWN))},
         nullptr,
         FUNCFLAG_FHIDDEN},
    };
}

TypeDescription DualInterface(const wchar_t* name, const GUID& iid,
                              std::vector<FunctionDescription> members) {
    return {name, TKIND_INTERFACE, &iid, kDualInterfaceFlags, std::move(members), -1, {}};
}

TypeDescription Class(const wchar_t* name, const GUID& clsid, WORD flags, int defaultInterface) {
    return {name, TKIND_COCLASS, &clsid, flags, {}, defaultInterface, {}};
}

TypeDescription Enumeration(const wchar_t* name, const GUID& guid,
                            std::vector<ConstantDescription> constants) {
    return {name, TKIND_ENUM, &guid, 0, {}, -1, std::move(constants)};
}

LibraryDescription BuildLibrary() {
    LibraryDescription library{
        L"TALMIRON",          &kLibraryId, kLibraryMajorVersion,
        kLibraryMinorVersion, 0,           L"Korvane Expression - Expression Evaluator Activex DLL",
        L"tlmexpression.chm", 0,           {}};
    library.types = {
        DualInterface(L"_Expression", kExpressionInterfaceId, ExpressionMembers()),
        Class(L"Expression", kExpressionClassId, TYPEFLAG_FCANCREATE, kExpressionInterface),
        DualInterface(L"_Symbol", kSymbolInterfaceId, SymbolMembers()),
        Class(L"Symbol", kSymbolClassId, 0, kSymbolInterface),
        DualInterface(L"_Symbols", kSymbolsInterfaceId, SymbolsMembers()),
        Class(L"Symbols", kSymbolsClassId, 0, kSymbolsInterface),
        Enumeration(L"EvaluationTypes", kEvaluationTypesId,
                    {{L"EvaluationTypes_Numeric", 1}, {L"EvaluationTypes_String", 2}}),
        Enumeration(L"EvaluationStates", kEvaluationStatesId,
                    {{L"EvaluationStates_None", 0},
                     {L"EvaluationStates_Numeric", 1},
                     {L"EvaluationStates_String", 2},
                     {L"EvaluationStates_Error", 3}}),
    };
    return library;
}

} // namespace

const LibraryDescription& ComponentLibrary() {
    static const LibraryDescription library = BuildLibrary();
    return library;
}

} // namespace talmiron::com::typelib
