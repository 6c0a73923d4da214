#include "engine/catch_all_text.h"
#include "engine/evaluator.h"
#include "engine/lexical.h"
#include "engine/nesting_guard.h"
#include "engine/number_text.h"
#include "errors/error_text.h"
#include "functions/computation.h"
#include "runtime/text_ops.h"

#include <vector>

namespace talmiron {

namespace {

Text Fail(EvaluationStates& state, std::int32_t number, std::initializer_list<TextView> arguments) {
    state = EvaluationStates_Error;
    return ErrorText(number, arguments);
}

Text WrongCount(EvaluationStates& state, const Text& call, const FunctionDef& row) {
    return Fail(state, 1018, {call, NumberToText(row.ArgCount)});
}

} // namespace

// Every fault while a call is evaluated, its arguments' own evaluations
// aside, ends in the text that names the call.
Text Evaluator::EvaluateFunction(const Text& call, EvaluationStates& state) {
    try {
        const NestingGuard guard(callNesting_, kMaxCallNesting);
        return CallFunction(call, state);
    } catch (...) {
        state = EvaluationStates_Error;
        return FunctionFailureText(call, CurrentFailure());
    }
}

Text Evaluator::CallFunction(const Text& call, EvaluationStates& state) {
    const std::size_t open = call.find(u'(');
    if (open == Text::npos) {
        return Fail(state, 1014, {});
    }
    const TextView name = TextView(call).substr(0, open);
    if (!IsSymbolName(name)) {
        return Fail(state, 1015, {name});
    }
    const FunctionDef* row = functions_.Lookup(name);
    if (row == nullptr) {
        return Fail(state, 1016, {name});
    }

    // Split the argument list at the commas of its own level. Parentheses
    // and commas inside string literals are ordinary characters. The call's
    // closing parenthesis takes the depth to -1 and is dropped.
    std::vector<Text> arguments;
    arguments.reserve(static_cast<std::size_t>(row->ArgCount));
    Text current;
    std::int32_t depth = 0;
    bool inside = false;
    for (std::size_t i = open + 1; i < call.size(); ++i) {
        const char16_t c = call[i];
        if (c == kQuote) {
            inside = !inside;
        } else if (!inside && c == u'(') {
            ++depth;
        } else if (!inside && c == u')') {
            --depth;
            if (depth < 0) {
                continue;
            }
        } else if (!inside && c == u',' && depth == 0) {
            if (static_cast<std::int32_t>(arguments.size()) == row->ArgCount) {
                return WrongCount(state, call, *row);
            }
            arguments.push_back(std::move(current));
            current.clear();
            continue;
        }
        current.push_back(c);
    }
    if (depth != -1) {
        return Fail(state, 1017, {});
    }
    if (!current.empty() || !arguments.empty()) {
        if (static_cast<std::int32_t>(arguments.size()) == row->ArgCount) {
            return WrongCount(state, call, *row);
        }
        arguments.push_back(std::move(current));
    }
    if (static_cast<std::int32_t>(arguments.size()) < row->ArgCount) {
        return WrongCount(state, call, *row);
    }

    for (std::size_t i = 0; i < arguments.size(); ++i) {
        EvaluationStates argumentState = EvaluationStates_None;
        Text value = Evaluate(arguments[i], argumentState);
        if (argumentState == EvaluationStates_Error) {
            state = EvaluationStates_Error;
            return value;
        }
        if (argumentState != row->ArgTypes[i]) {
            return Fail(state, 1019, {value});
        }
        arguments[i] = std::move(value);
    }

    const Computation compute = FindComputation(UpperCase(row->Name));
    if (compute == nullptr) {
        RaiseFailure(kInternalError);
    }
    Computed computed = compute(arguments);
    if (computed.error != 0) {
        return Fail(state, computed.error, {});
    }
    state = row->ReturnType;
    return std::move(computed.text);
}

} // namespace talmiron
