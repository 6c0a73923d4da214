// The object a host creates to evaluate expressions. Evaluate never throws:
// every failure comes back as an error text with the state Error.
#pragma once

#include "component/symbols.h"
#include "engine/evaluation_states.h"
#include "runtime/text.h"

#include <memory>

namespace talmiron {

class FunctionTable;

class Expression {
  public:
    Expression();
    ~Expression();
    Expression(const Expression&) = delete;
    Expression& operator=(const Expression&) = delete;

    // The state of the most recent Evaluate; None before the first.
    EvaluationStates State() const noexcept { return state_; }
    // The same collection for the object's whole life.
    std::shared_ptr<talmiron::Symbols> Symbols() const noexcept { return symbols_; }

    // The value of the expression as text; its state is stored in State and,
    // when state is given, written there too.
    Text Evaluate(TextView expression, EvaluationStates* state = nullptr) noexcept;

  private:
    std::shared_ptr<talmiron::Symbols> symbols_;
    // Behind a pointer so that a host includes nothing of the engine.
    std::unique_ptr<FunctionTable> functionTable_;
    EvaluationStates state_ = EvaluationStates_None;
};

} // namespace talmiron
