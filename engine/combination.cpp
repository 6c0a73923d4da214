#include "engine/combination.h"

#include "engine/number_text.h"
#include "errors/error_text.h"
#include "runtime/failure.h"
#include "runtime/power.h"

#include <cmath>

namespace talmiron {

namespace {

bool Fail(Value& result, EvaluationStates& state, std::int32_t number) {
    result = ErrorText(number);
    state = EvaluationStates_Error;
    return false;
}

// The four operators are checked by the number text, which refuses
// infinity and NaN; a power is checked here, so that no non-finite number
// becomes text.
bool NumericOperation(Value& result, EvaluationStates& state, const Value& value, char16_t op) {
    const double x = result.Read();
    const double y = value.Read();
    double z = 0;
    switch (op) {
    case u'+':
        z = x + y;
        break;
    case u'-':
        z = x - y;
        break;
    case u'*':
        z = x * y;
        break;
    case u'/':
        if (y == 0) {
            return Fail(result, state, 1005);
        }
        z = x / y;
        break;
    default:
        if (x < 0 && y != std::floor(y)) {
            return Fail(result, state, 1006);
        }
        z = Power(x, y);
        if (!std::isfinite(z)) {
            RaiseFailure(kOverflow);
        }
        break;
    }
    result = Value::Number(z);
    state = EvaluationStates_Numeric;
    return true;
}

} // namespace

bool Combine(Value& result, EvaluationStates& state, Value&& value, EvaluationStates valueState,
             char16_t op) {
    if (state == EvaluationStates_None) {
        result = std::move(value);
        state = valueState;
        return valueState != EvaluationStates_Error;
    }
    if (state != EvaluationStates_Numeric && state != EvaluationStates_String) {
        return valueState != EvaluationStates_Error;
    }
    if (valueState == EvaluationStates_Error) {
        result = std::move(value);
        state = EvaluationStates_Error;
        return false;
    }
    if (valueState != EvaluationStates_Numeric && valueState != EvaluationStates_String) {
        return true;
    }
    if (state == EvaluationStates_Numeric) {
        if (valueState == EvaluationStates_String && !IsNumericText(value.GetText())) {
            return Fail(result, state, 1004);
        }
        return NumericOperation(result, state, value, op);
    }
    // The accumulated value is a String.
    if (valueState == EvaluationStates_Numeric) {
        if (!IsNumericText(result.GetText())) {
            return Fail(result, state, 1004);
        }
        return NumericOperation(result, state, value, op);
    }
    if (op == u'+') {
        result.Append(value.GetText());
        return true;
    }
    if (!IsNumericText(result.GetText()) || !IsNumericText(value.GetText())) {
        return Fail(result, state, 1004);
    }
    return NumericOperation(result, state, value, op);
}

} // namespace talmiron
