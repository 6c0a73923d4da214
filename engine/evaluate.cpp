#include "engine/evaluator.h"
#include "engine/lexical.h"
#include "engine/scoped_value.h"
#include "errors/error_text.h"

namespace talmiron {

// The host's text is copied only when it has blanks to remove, and indexed
// once. An argument of a call lies inside a text indexed already: it has no
// blanks left outside literals and, cut at commas and parentheses outside
// literals, its quotes balance, so it goes straight to Simplify. Only an
// argument put together from pieces of its call is a text of its own.
Value Evaluator::Evaluate(TextView expression, EvaluationStates& state) {
    if (index_ != nullptr && index_->Covers(expression)) {
        Value result = Simplify(expression, state);
        stateMember_ = state;
        return result;
    }
    Text copy;
    TextView text = expression;
    if (HasBlankOutsideLiterals(text)) {
        copy.assign(text);
        RemoveBlanks(copy);
        text = copy;
    }
    Value result;
    if (!QuotesBalanced(text)) {
        result = ErrorText(1001);
        state = EvaluationStates_Error;
    } else {
        const TextIndex index(text);
        const ScopedValue<const TextIndex*> indexed(index_, &index);
        result = Simplify(text, state);
    }
    stateMember_ = state;
    return result;
}

} // namespace talmiron
