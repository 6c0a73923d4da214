#include "functions/function_table.h"

#include "runtime/case_mapping.h"
#include "runtime/text_ops.h"

namespace talmiron {

namespace {

constexpr EvaluationTypes N = EvaluationTypes_Numeric;
constexpr EvaluationTypes S = EvaluationTypes_String;

struct Row {
    const char16_t* name;
    std::int32_t argCount;
    EvaluationTypes argTypes[kMaxArguments];
    EvaluationTypes returnType;
};

// In table order; the index of a row is its position here.
const Row kRows[kFunctionCount] = {
    {u"Abs", 1, {N}, N},
    {u"Cos", 1, {N}, N},
    {u"Exp", 1, {N}, N},
    {u"Int", 1, {N}, N},
    {u"Log", 1, {N}, N},
    {u"Rnd", 0, {}, N},
    {u"Sin", 1, {N}, N},
    {u"Sqr", 1, {N}, N},
    {u"Tan", 1, {N}, N},
    {u"Arcsin", 1, {N}, N},
    {u"Arccos", 1, {N}, N},
    {u"Len", 1, {S}, N},
    {u"Val", 1, {S}, N},
    {u"Asc", 1, {S}, N},
    {u"Chr", 1, {N}, S},
    {u"Hex", 1, {N}, S},
    {u"Oct", 1, {N}, N},
    {u"Round", 2, {N, N}, N},
    {u"InStr", 3, {N, S, S}, N},
    {u"Trim", 1, {S}, S},
    {u"Right", 2, {S, N}, S},
    {u"Left", 2, {S, N}, S},
    {u"Str", 1, {N}, S},
    {u"RTrim", 1, {S}, S},
    {u"LTrim", 1, {S}, S},
    {u"LCase", 1, {S}, S},
    {u"UCase", 1, {S}, S},
    {u"Replace", 3, {S, S, S}, S},
    {u"Space", 1, {N}, S},
    {u"String", 2, {N, S}, S},
    {u"StrReverse", 1, {S}, S},
    {u"Mid", 3, {S, N, N}, S},
    {u"Now", 0, {}, S},
    {u"Date", 0, {}, S},
    {u"Time", 0, {}, S},
    {u"DateDiff", 3, {S, S, S}, N},
    {u"DateAdd", 3, {S, N, S}, S},
    {u"DatePart", 2, {S, S}, N},
    {u"DateSerial", 3, {N, N, N}, S},
    {u"Year", 1, {S}, N},
    {u"Month", 1, {S}, N},
    {u"Day", 1, {S}, N},
    {u"Hour", 1, {S}, N},
    {u"Minute", 1, {S}, N},
    {u"Second", 1, {S}, N},
    {u"InStrRev", 3, {S, S, N}, N},
    {u"Atn", 1, {N}, N},
    {u"Sgn", 1, {N}, N},
    {u"Pi", 0, {}, N},
};

} // namespace

FunctionTable::FunctionTable() {
    for (std::size_t i = 0; i < kFunctionCount; ++i) {
        FunctionDef& row = rows_[i];
        row.Name = kRows[i].name;
        row.ArgCount = kRows[i].argCount;
        row.ArgTypes.assign(kRows[i].argTypes, kRows[i].argTypes + row.ArgCount);
        row.ReturnType = kRows[i].returnType;
        upperNames_[i] = UpperCase(row.Name);
        computations_[i] = FindComputation(upperNames_[i]);
    }
}

namespace {

// Compares character by character, so that a look-up makes no upper-case copy.
bool SameUpperCase(TextView upper, TextView name) noexcept {
    if (upper.size() != name.size()) {
        return false;
    }
    for (std::size_t i = 0; i < name.size(); ++i) {
        if (UpperCaseChar(name[i]) != upper[i]) {
            return false;
        }
    }
    return true;
}

} // namespace

const FunctionDef* FunctionTable::Lookup(TextView name) const {
    for (std::size_t i = 0; i < kFunctionCount; ++i) {
        if (SameUpperCase(upperNames_[i], name)) {
            return &rows_[i];
        }
    }
    return nullptr;
}

} // namespace talmiron
