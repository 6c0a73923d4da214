#include "component/expression.h"

#include "engine/catch_all_text.h"
#include "engine/evaluator.h"
#include "functions/function_table.h"

namespace talmiron {

Expression::Expression()
    : symbols_(std::make_shared<talmiron::Symbols>()),
      functionTable_(std::make_unique<FunctionTable>()) {}

Expression::~Expression() {
    // A host may still hold the collection; it finds it empty.
    symbols_->Clear();
}

Text Expression::Evaluate(TextView expression, EvaluationStates* state) noexcept {
    EvaluationStates result = EvaluationStates_None;
    Text text;
    try {
        Evaluator evaluator(*symbols_, *functionTable_, state_);
        text = evaluator.Evaluate(expression, result).TakeText();
    } catch (...) {
        // Only the copy of the text and the removal of its blanks run
        // outside every catch-all; report their fault as Simplify would.
        result = EvaluationStates_Error;
        state_ = result;
        try {
            text = SimplifyFailureText(CurrentFailure(), 0);
        } catch (...) {
            text.clear();
        }
    }
    if (state != nullptr) {
        *state = result;
    }
    return text;
}

} // namespace talmiron
