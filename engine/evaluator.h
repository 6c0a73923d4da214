// The routines of one evaluation: Evaluate, Simplify, Polynomial by levels,
// the operand level and the function-call evaluation. An Evaluator lives for
// one host call of Expression::Evaluate; all its working data is local to
// that call.
#pragma once

#include "component/symbols.h"
#include "engine/evaluation_states.h"
#include "functions/function_table.h"
#include "runtime/text.h"

#include <cstdint>

namespace talmiron {

class Evaluator {
  public:
    // stateMember is the State of the expression object: every Evaluate,
    // nested or not, stores its state there when it ends.
    Evaluator(const Symbols& symbols, const FunctionTable& functions,
              EvaluationStates& stateMember) noexcept
        : symbols_(symbols), functions_(functions), stateMember_(stateMember) {}

    Text Evaluate(TextView expression, EvaluationStates& state);

  private:
    class NestingGuard;

    Text Simplify(TextView text, EvaluationStates& state, bool topLevel);
    Text Polynomial(TextView text, std::int32_t level, EvaluationStates& state);
    Text ScanLevel(TextView text, std::int32_t level, EvaluationStates& state, std::int32_t& line);
    Text Operand(TextView text, EvaluationStates& state, std::int32_t& line);
    Text EvaluateFunction(TextView call, EvaluationStates& state);
    Text CallFunction(TextView call, EvaluationStates& state);

    const Symbols& symbols_;
    const FunctionTable& functions_;
    EvaluationStates& stateMember_;
    // Levels of Simplify and of function calls open at this moment.
    std::int32_t simplifyNesting_ = 0;
    std::int32_t callNesting_ = 0;
};

} // namespace talmiron
