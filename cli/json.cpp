#include "cli/json.h"

#include <charconv>

namespace talmiron::cli {

namespace {

bool IsHighSurrogate(char16_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}

bool IsLowSurrogate(char16_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}

// Characters that cannot be copied into a JSON string as they are. The
// second half of a pair is never looked at alone.
bool NeedsEscape(TextView text, std::size_t i) {
    const char16_t c = text[i];
    if (c < 0x20 || c == u'"' || c == u'\\') {
        return true;
    }
    if (IsHighSurrogate(c)) {
        return i + 1 == text.size() || !IsLowSurrogate(text[i + 1]);
    }
    return IsLowSurrogate(c);
}

void AppendEscape(std::string& out, char16_t c) {
    switch (c) {
    case u'"':
        out += "\\\"";
        return;
    case u'\\':
        out += "\\\\";
        return;
    case u'\b':
        out += "\\b";
        return;
    case u'\f':
        out += "\\f";
        return;
    case u'\n':
        out += "\\n";
        return;
    case u'\r':
        out += "\\r";
        return;
    case u'\t':
        out += "\\t";
        return;
    default:
        break;
    }
    constexpr char kHex[] = "0123456789abcdef";
    out += "\\u";
    for (int shift = 12; shift >= 0; shift -= 4) {
        out.push_back(kHex[(c >> shift) & 0xF]);
    }
}

} // namespace

std::string_view StateName(EvaluationStates state) noexcept {
    switch (state) {
    case EvaluationStates_None:
        return "None";
    case EvaluationStates_Numeric:
        return "Numeric";
    case EvaluationStates_String:
        return "String";
    case EvaluationStates_Error:
        return "Error";
    default:
        return "Other";
    }
}

void AppendJsonString(std::string& out, TextView text) {
    out.push_back('"');
    std::size_t runStart = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (IsHighSurrogate(text[i]) && !NeedsEscape(text, i)) {
            ++i; // a pair: copied with the run
            continue;
        }
        if (NeedsEscape(text, i)) {
            out += TextToUtf8(text.substr(runStart, i - runStart));
            AppendEscape(out, text[i]);
            runStart = i + 1;
        }
    }
    out += TextToUtf8(text.substr(runStart));
    out.push_back('"');
}

void AppendJsonResult(std::string& out, EvaluationStates state, TextView result) {
    out += "{\"state\":\"";
    out += StateName(state);
    out += "\",\"code\":";
    char digits[16];
    const auto end = std::to_chars(digits, digits + sizeof digits, state).ptr;
    out.append(digits, end);
    out += ",\"result\":";
    AppendJsonString(out, result);
    out.push_back('}');
}

} // namespace talmiron::cli
