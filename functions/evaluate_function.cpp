#include "engine/catch_all_text.h"
#include "engine/evaluator.h"
#include "engine/lexical.h"
#include "engine/nesting_guard.h"
#include "engine/number_text.h"
#include "engine/text_index.h"
#include "errors/error_text.h"
#include "functions/computation.h"
#include "runtime/text_ops.h"

#include <array>

namespace talmiron {

namespace {

Value Fail(EvaluationStates& state, std::int32_t number,
           std::initializer_list<TextView> arguments) {
    state = EvaluationStates_Error;
    return ErrorText(number, arguments);
}

Value WrongCount(EvaluationStates& state, TextView call, const FunctionDef& row) {
    return Fail(state, 1018, {call, NumberToText(row.ArgCount)});
}

} // namespace

// Every fault while a call is evaluated, its arguments' own evaluations
// aside, ends in the text that names the call.
Value Evaluator::EvaluateFunction(TextView call, EvaluationStates& state) {
    try {
        const NestingGuard guard(callNesting_, kMaxCallNesting);
        return CallFunction(call, state);
    } catch (...) {
        state = EvaluationStates_Error;
        return FunctionFailureText(call, CurrentFailure());
    }
}

Value Evaluator::CallFunction(TextView call, EvaluationStates& state) {
    const std::size_t open = call.find(u'(');
    if (open == TextView::npos) {
        return Fail(state, 1014, {});
    }
    const TextView name = call.substr(0, open);
    if (!IsSymbolName(name)) {
        return Fail(state, 1015, {name});
    }
    const FunctionDef* row = functions_.Lookup(name);
    if (row == nullptr) {
        return Fail(state, 1016, {name});
    }

    // Split the argument list at the commas of its own level. Parentheses
    // and commas inside string literals are ordinary characters, and the
    // scan passes over literals and nested parentheses whole. The call's
    // closing parenthesis takes the depth to -1 and is dropped. An argument
    // is a view into the call, so nested calls copy nothing; only one that a
    // dropped parenthesis cuts in two is put together in its joined slot.
    // No row takes more than kMaxArguments, so the slots live on the stack;
    // one more joined slot holds an argument too many until its count fails.
    const auto count = static_cast<std::size_t>(row->ArgCount);
    std::array<TextView, kMaxArguments> arguments;
    std::array<Text, kMaxArguments + 1> joined;
    std::size_t found = 0;
    std::size_t begin = open + 1;
    std::size_t end = call.size();
    bool joining = false;
    const auto current = [&]() -> TextView {
        return joining ? TextView(joined[found]) : call.substr(begin, end - begin);
    };
    std::int32_t depth = 0;
    for (std::size_t i = open + 1; i < call.size(); ++i) {
        const char16_t c = call[i];
        std::size_t last = i; // the part read ends here
        if (c == kQuote) {
            last = index_->LiteralEnd(call, i);
        } else if (c == u'(' && depth == 0) {
            last = index_->GroupEnd(call, i);
            if (last == TextIndex::npos) {
                depth = 1; // open to the end of the call
                last = call.size() - 1;
            }
        } else if (c == u'(') {
            ++depth;
        } else if (c == u')') {
            --depth;
            if (depth < 0) {
                if (!joining) {
                    if (i + 1 == call.size()) {
                        end = i;
                        continue;
                    }
                    joined[found].assign(call.substr(begin, i - begin));
                    joining = true;
                }
                continue;
            }
        } else if (c == u',' && depth == 0) {
            if (found == count) {
                return WrongCount(state, call, *row);
            }
            end = i;
            arguments[found++] = current();
            begin = i + 1;
            end = call.size();
            joining = false;
            continue;
        }
        if (joining) {
            joined[found].append(call.substr(i, last - i + 1));
        }
        i = last;
    }
    if (depth != -1) {
        return Fail(state, 1017, {});
    }
    if (!current().empty() || found != 0) {
        if (found == count) {
            return WrongCount(state, call, *row);
        }
        arguments[found++] = current();
    }
    if (found < count) {
        return WrongCount(state, call, *row);
    }

    std::array<Value, kMaxArguments> values;
    for (std::size_t i = 0; i < count; ++i) {
        EvaluationStates argumentState = EvaluationStates_None;
        values[i] = Evaluate(arguments[i], argumentState);
        if (argumentState == EvaluationStates_Error) {
            state = EvaluationStates_Error;
            return std::move(values[i]);
        }
        if (argumentState != row->ArgTypes[i]) {
            return Fail(state, 1019, {values[i].GetText()});
        }
    }

    const Computation compute = functions_.ComputationOf(*row);
    if (compute == nullptr) {
        RaiseFailure(kInternalError);
    }
    Computed computed = compute(std::span<const Value>(values.data(), count));
    if (computed.error != 0) {
        return Fail(state, computed.error, {});
    }
    state = row->ReturnType;
    return std::move(computed.value);
}

} // namespace talmiron
