#include "engine/evaluator.h"
#include "engine/lexical.h"
#include "errors/error_text.h"

namespace talmiron {

Text Evaluator::Evaluate(TextView expression, EvaluationStates& state) {
    Text text(expression);
    RemoveBlanks(text);
    Text result;
    if (!QuotesBalanced(text)) {
        result = ErrorText(1001);
        state = EvaluationStates_Error;
    } else {
        result = Simplify(std::move(text), state, true);
    }
    stateMember_ = state;
    return result;
}

} // namespace talmiron
