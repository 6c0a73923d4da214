#include "engine/evaluator.h"
#include "engine/lexical.h"
#include "errors/error_text.h"

namespace talmiron {

// The caller's text is never changed; it is copied only when it has blanks
// to remove, so that nested arguments are not copied level after level.
Text Evaluator::Evaluate(TextView expression, EvaluationStates& state) {
    Text copy;
    TextView text = expression;
    if (HasBlankOutsideLiterals(text)) {
        copy.assign(text);
        RemoveBlanks(copy);
        text = copy;
    }
    Text result;
    if (!QuotesBalanced(text)) {
        result = ErrorText(1001);
        state = EvaluationStates_Error;
    } else {
        result = Simplify(text, state, true);
    }
    stateMember_ = state;
    return result;
}

} // namespace talmiron
