// How Polynomial combines the value accumulated so far with the next operand.
#pragma once

#include "engine/evaluation_states.h"
#include "engine/value.h"

namespace talmiron {

// Combines (result, state) with the operand (value, valueState) by op, one
// of + - * / ^. Returns false when the evaluation of the level must end:
// the operand was in Error or the combination failed (result then holds
// the error text and state is Error).
bool Combine(Value& result, EvaluationStates& state, Value&& value, EvaluationStates valueState,
             char16_t op);

} // namespace talmiron
