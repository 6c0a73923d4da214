// The routines of one evaluation: Evaluate, Simplify, Polynomial by levels,
// the operand level and the function-call evaluation. An Evaluator lives for
// one host call of Expression::Evaluate; all its working data is local to
// that call.
#pragma once

#include "component/symbols.h"
#include "engine/evaluation_states.h"
#include "engine/text_index.h"
#include "engine/value.h"
#include "functions/function_table.h"
#include "runtime/text.h"

#include <cstdint>
#include <vector>

namespace talmiron {

class Evaluator {
  public:
    // stateMember is the State of the expression object: every Evaluate,
    // nested or not, stores its state there when it ends.
    Evaluator(const Symbols& symbols, const FunctionTable& functions,
              EvaluationStates& stateMember) noexcept
        : symbols_(symbols), functions_(functions), stateMember_(stateMember) {}

    Value Evaluate(TextView expression, EvaluationStates& state);

  private:
    class NestingGuard;

    // The value of a group that Simplify evaluated, standing for the group's
    // text from its "(" to its ")". The operand made of that text takes the
    // value as it is, so that a value is never written back as a literal and
    // read again: it keeps any quotes it holds, and nested groups neither
    // copy nor rescan it.
    struct GroupValue {
        const char16_t* at;
        std::size_t length;
        Value value;
        EvaluationStates state;
    };

    Value Simplify(TextView text, EvaluationStates& state);
    Value Polynomial(TextView text, std::int32_t level, EvaluationStates& state);
    Value ScanLevel(TextView text, std::int32_t level, EvaluationStates& state, std::int32_t& line);
    Value Operand(TextView text, EvaluationStates& state, std::int32_t& line);
    // The operand with at most one sign in front of a group's value.
    Value GroupOperand(GroupValue& group, bool isSigned, double sign, EvaluationStates& state);
    GroupValue* FindGroup(TextView text) noexcept;
    Value EvaluateFunction(TextView call, EvaluationStates& state);
    Value CallFunction(TextView call, EvaluationStates& state);

    const Symbols& symbols_;
    const FunctionTable& functions_;
    EvaluationStates& stateMember_;
    // Levels of Simplify and of function calls open at this moment.
    std::int32_t simplifyNesting_ = 0;
    std::int32_t callNesting_ = 0;
    // The literals and parentheses of the text being evaluated.
    const TextIndex* index_ = nullptr;
    // The group values of every Simplify open at this moment, each call's
    // above its caller's, so that one store serves the whole evaluation;
    // Polynomial reads those from first to last.
    struct GroupRange {
        std::size_t first = 0;
        std::size_t last = 0;
    };
    std::vector<GroupValue> groupStore_;
    GroupRange groups_;
};

} // namespace talmiron
