#include "engine/catch_all_text.h"
#include "engine/evaluator.h"
#include "engine/lexical.h"
#include "engine/nesting_guard.h"
#include "errors/error_text.h"
#include "runtime/text_limit.h"

namespace talmiron {

namespace {

bool IsOneOf(char16_t c, TextView set) {
    return set.find(c) != TextView::npos;
}

// A String value put back into the text as a literal: every quote doubled,
// so that it reads back as the same string.
Text QuotedLiteral(TextView value) {
    std::size_t quotes = 0;
    for (const char16_t c : value) {
        quotes += c == kQuote;
    }
    CheckedTextLength(std::uint64_t{value.size()} + quotes + 2);
    Text literal;
    literal.reserve(value.size() + quotes + 2);
    literal.push_back(kQuote);
    for (const char16_t c : value) {
        literal.push_back(c);
        if (c == kQuote) {
            literal.push_back(kQuote);
        }
    }
    literal.push_back(kQuote);
    return literal;
}

bool OddQuotes(TextView text) {
    bool odd = false;
    for (const char16_t c : text) {
        odd ^= c == kQuote;
    }
    return odd;
}

} // namespace

// Each outermost group that is no argument list is evaluated by a recursive
// call and its value takes the group's place. The text is scanned once and
// never changed: from the first replaced group on, the scanned text with
// its groups replaced builds up in flat, and the quote count before the
// current position is kept as the scan goes. A group is handed to the
// recursive call as a view, so nested groups copy nothing.
Text Evaluator::Simplify(TextView text, EvaluationStates& state, bool topLevel) {
    std::int32_t line = 1;
    try {
        const NestingGuard guard(simplifyNesting_, kMaxSimplifyNesting);
        Text flat;
        bool replaced = false; // flat holds the text scanned so far
        std::int32_t depth = 0;
        std::size_t groupStart = 0; // index of the first character after "("
        bool callGroup = false;
        bool inside = false;     // inside a literal at the current position
        bool flatInside = false; // an odd number of quotes before the group
        for (std::size_t i = 0; i < text.size(); ++i) {
            const char16_t c = text[i];
            if (c == u'(' && !inside) {
                ++depth;
                if (depth == 1) {
                    const bool first = replaced ? flat.empty() : i == 0;
                    const char16_t before =
                        replaced ? (first ? 0 : flat.back()) : (first ? 0 : text[i - 1]);
                    if (!callGroup && !first && !IsOneOf(before, u"+-/*^(")) {
                        callGroup = true;
                    }
                    groupStart = i + 1;
                    flatInside = inside;
                    continue;
                }
            } else if (c == u')' && !inside) {
                --depth;
                if (depth == 0) {
                    if (i + 1 < text.size() && !IsOneOf(text[i + 1], u"+-/*^)")) {
                        state = EvaluationStates_Error;
                        return ErrorText(1003);
                    }
                    if (callGroup) {
                        callGroup = false;
                        if (replaced) {
                            flat.append(text.substr(groupStart - 1, i - groupStart + 2));
                        }
                        continue;
                    }
                    EvaluationStates groupState = EvaluationStates_None;
                    Text value =
                        Simplify(text.substr(groupStart, i - groupStart), groupState, false);
                    if (groupState == EvaluationStates_Error) {
                        state = EvaluationStates_Error;
                        return value;
                    }
                    if (!replaced) {
                        flat.assign(text.substr(0, groupStart - 1));
                        replaced = true;
                    }
                    CheckedTextLength(std::uint64_t{flat.size()} + value.size());
                    flat += value;
                    inside = flatInside ^ OddQuotes(value);
                    continue;
                }
            }
            if (c == kQuote) {
                inside = !inside;
            }
            if (depth <= 0 && replaced) {
                flat.push_back(c);
            }
        }
        line = 2;
        if (depth != 0) {
            state = EvaluationStates_Error;
            return ErrorText(1002);
        }
        line = 3;
        Text result = Polynomial(replaced ? TextView(flat) : text, 1, state);
        if (!topLevel && state == EvaluationStates_String) {
            result = QuotedLiteral(result);
        }
        return result;
    } catch (...) {
        state = EvaluationStates_Error;
        return SimplifyFailureText(CurrentFailure(), line);
    }
}

} // namespace talmiron
