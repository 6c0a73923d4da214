#include "engine/catch_all_text.h"
#include "engine/combination.h"
#include "engine/evaluator.h"
#include "engine/lexical.h"
#include "errors/error_text.h"

namespace talmiron {

namespace {

bool IsLevelOperator(char16_t c, std::int32_t level) {
    switch (level) {
    case 1:
        return c == u'+' || c == u'-';
    case 2:
        return c == u'*' || c == u'/';
    default:
        return c == u'^';
    }
}

bool IsOperatorChar(char16_t c) {
    return c == u'+' || c == u'-' || c == u'*' || c == u'/' || c == u'^';
}

} // namespace

// Level 1 splits at "+" and "-", level 2 at "*" and "/", level 3 at "^";
// level 4 is a single operand. Each level catches its own faults.
Value Evaluator::Polynomial(TextView text, std::int32_t level, EvaluationStates& state) {
    state = EvaluationStates_None;
    if (level < 1 || level > 4) {
        return {};
    }
    std::int32_t line = 1;
    try {
        if (level == 4) {
            return Operand(text, state, line);
        }
        return ScanLevel(text, level, state, line);
    } catch (...) {
        state = EvaluationStates_Error;
        return PolynomialFailureText(CurrentFailure(), line);
    }
}

// Splits at the level's operators outside literals and outside the
// parentheses of calls and groups; the end of the text closes the last
// operand. Literals and parenthesised parts are passed over whole: nothing
// inside them splits. line follows the steps of the scan for the catch-all
// text.
Value Evaluator::ScanLevel(TextView text, std::int32_t level, EvaluationStates& state,
                           std::int32_t& line) {
    Value result;
    std::size_t operandStart = 0; // the operand runs from here to position
    char16_t lastOperator = 0;    // none yet
    std::int32_t depth = 0;
    bool havePrevious = false; // level 1: a character stands before this one
    char16_t previous = 0;
    for (std::size_t position = 0;; ++position) {
        line = 2;
        const bool atEnd = position == text.size();
        const char16_t c = atEnd ? 0 : text[position];
        line = 3;
        const bool split = (atEnd || IsLevelOperator(c, level)) && depth == 0;
        bool sign = false;
        if (split) {
            if (atEnd && lastOperator == 0) {
                return Polynomial(text, level + 1, state);
            }
            sign = level == 1 && !atEnd && (!havePrevious || IsOperatorChar(previous));
            if (!sign) {
                EvaluationStates operandState = EvaluationStates_None;
                Value value = Polynomial(text.substr(operandStart, position - operandStart),
                                         level + 1, operandState);
                if (!Combine(result, state, std::move(value), operandState, lastOperator)) {
                    return result;
                }
                lastOperator = c;
                operandStart = position + 1;
            }
        }
        if (!split || sign) {
            // The character joins the operand.
            line = 4;
            if (c == kQuote) {
                position = index_->LiteralEnd(text, position);
            } else if (c == u'(' && depth == 0) {
                const std::size_t close = index_->GroupEnd(text, position);
                if (close == TextIndex::npos) {
                    depth = 1; // open to the end of the text
                    position = text.size() - 1;
                } else {
                    position = close;
                }
            } else if (c == u'(') {
                ++depth;
            } else if (c == u')') {
                --depth;
            }
        }
        line = 5;
        if (atEnd) {
            // Simplify hands over balanced texts only; an unbalanced one
            // would leave its last operand unevaluated.
            if (depth != 0) {
                state = EvaluationStates_Error;
                return ErrorText(1002);
            }
            return result;
        }
        previous = text[position];
        havePrevious = true;
    }
}

} // namespace talmiron
