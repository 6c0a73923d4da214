#include "engine/evaluator.h"
#include "engine/lexical.h"
#include "engine/number_text.h"
#include "errors/error_text.h"
#include "runtime/failure.h"
#include "runtime/val.h"

#include <algorithm>

namespace talmiron {

namespace {

Value Fail(EvaluationStates& state, std::int32_t number) {
    state = EvaluationStates_Error;
    return ErrorText(number);
}

Value Fail(EvaluationStates& state, std::int32_t number, TextView argument) {
    state = EvaluationStates_Error;
    return ErrorText(number, {argument});
}

} // namespace

// One operand, with at most one sign in front: a numeric literal, a string
// literal, a function call or a symbol. line tells the catch-all which step
// was running: 41 the empty test, 42 the sign, 43 the operand itself.
Value Evaluator::Operand(TextView text, EvaluationStates& state, std::int32_t& line) {
    line = 41;
    state = EvaluationStates_None;
    if (text.empty()) {
        return Fail(state, 1003);
    }
    line = 42;
    double sign = 1;
    bool isSigned = false;
    if (text.front() == u'+' || text.front() == u'-') {
        sign = text.front() == u'-' ? -1 : 1;
        isSigned = true;
        text.remove_prefix(1);
    }
    line = 43;
    if (GroupValue* group = FindGroup(text)) {
        return GroupOperand(*group, isSigned, sign, state);
    }
    const char16_t c = text.empty() ? 0 : text.front();
    if ((c >= u'0' && c <= u'9') || c == u'.') {
        if (!IsNumericText(text)) {
            return Fail(state, 1007, text);
        }
        Value number = Value::ReadNumber(text, sign);
        state = EvaluationStates_Numeric;
        return number;
    }
    if (c == kQuote) {
        if (text.back() != kQuote) {
            return Fail(state, 1008, text);
        }
        // A lone quote has no body: its length would be -1.
        if (text.size() < 2) {
            RaiseFailure(kInvalidProcedureCall);
        }
        const TextView body = text.substr(1, text.size() - 2);
        if (!IsValidLiteralBody(body)) {
            return Fail(state, 1009, body);
        }
        Text literal(body);
        UnescapeLiteral(literal);
        state = EvaluationStates_String;
        return literal;
    }
    if (LooksLikeCall(text)) {
        Value result = EvaluateFunction(text, state);
        if (state == EvaluationStates_String && isSigned) {
            return Fail(state, 1010);
        }
        if (state == EvaluationStates_Numeric) {
            result = result.Signed(sign);
        }
        return result;
    }
    if (!IsSymbolName(text)) {
        return Fail(state, 1013, text);
    }
    const Symbol* symbol = symbols_.Find(text);
    if (symbol == nullptr) {
        return Fail(state, 1012, text);
    }
    state = symbol->DataType();
    if (state == EvaluationTypes_String) {
        if (isSigned) {
            return Fail(state, 1011);
        }
        return symbol->Value();
    }
    if (state == EvaluationTypes_Numeric) {
        return Value::ReadNumber(symbol->Value(), sign);
    }
    return symbol->Value();
}

// The group whose value stands for exactly this text, if any. A group
// stands at the start of an operand, after its sign; a text that merely
// holds one is read as it is written.
Evaluator::GroupValue* Evaluator::FindGroup(TextView text) noexcept {
    if (groups_.first == groups_.last || text.empty() || text.front() != u'(') {
        return nullptr;
    }
    GroupValue* const first = groupStore_.data() + groups_.first;
    GroupValue* const last = groupStore_.data() + groups_.last;
    GroupValue* const found =
        std::lower_bound(first, last, text.data(),
                         [](const GroupValue& group, const char16_t* at) { return group.at < at; });
    if (found == last || found->at != text.data() || found->length != text.size()) {
        return nullptr;
    }
    return found;
}

// A group's value is taken as it is; each group is one operand of the flat
// text and is read once, so its value moves out. A sign in front acts as
// it would on the value written in place of the group: it negates a
// number, is dropped before a string and ignored before a value of any
// other type; before a negative number it is one sign too many, as in
// --2.
Value Evaluator::GroupOperand(GroupValue& group, bool isSigned, double sign,
                              EvaluationStates& state) {
    if (group.state == EvaluationStates_Numeric && isSigned) {
        if (group.value.IsNegative()) {
            return Fail(state, 1013, group.value.GetText());
        }
        group.value = group.value.Signed(sign);
    }
    state = group.state;
    return std::move(group.value);
}

} // namespace talmiron
