// The --json output: one object per evaluation, in JSON (RFC 8259).
#pragma once

#include "engine/evaluation_states.h"
#include "runtime/text.h"

#include <string>
#include <string_view>

namespace talmiron::cli {

// "None", "Numeric", "String", "Error", or "Other" for any other code (the
// data type of a symbol that is neither Numeric nor String).
std::string_view StateName(EvaluationStates state) noexcept;

// The text as a JSON string in UTF-8, quotes included. Control characters,
// quotes and backslashes are escaped; so is a lone surrogate, which has no
// UTF-8 form.
void AppendJsonString(std::string& out, TextView text);

// {"state":"Numeric","code":1,"result":"6"}, without a line end.
void AppendJsonResult(std::string& out, EvaluationStates state, TextView result);

} // namespace talmiron::cli
