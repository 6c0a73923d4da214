#include "cli/session.h"

#include "cli/json.h"

namespace talmiron::cli {

void Session::AddSymbol(const SymbolOption& symbol) {
    expression_.Symbols()->Add(symbol.name, symbol.dataType, symbol.value);
}

void Session::Evaluate(TextView expression, std::string& out) {
    EvaluationStates state = EvaluationStates_None;
    const Text result = expression_.Evaluate(expression, &state);
    if (state != EvaluationStates_Numeric && state != EvaluationStates_String) {
        allSucceeded_ = false;
    }
    if (json_) {
        AppendJsonResult(out, state, result);
    } else {
        out += TextToUtf8(result);
    }
    out.push_back('\n');
}

} // namespace talmiron::cli
