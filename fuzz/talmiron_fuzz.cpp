// Evaluates any input as a host's user might type it, and checks what each host relies on; a
// broken check aborts with the input shown, so that libFuzzer keeps it. Input: the expression,
// then up to three symbols, each after a byte 0x01: a type character (its code modulo 5 picks
// Numeric, String, None, 7 or -1), then "NAME=VALUE", or the value alone for X, Y or Z.
#include "component/expression.h"
#include "runtime/text.h"
#include "tests/test_support.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <vector>

using namespace talmiron;

namespace {

void Check(bool holds, const char* what, TextView expression, TextView result) {
    if (!holds) {
        std::fprintf(stderr, "check failed: %s\n  expression: %s\n  result: %s\n", what,
                     TextToUtf8(expression.substr(0, 400)).c_str(),
                     TextToUtf8(result.substr(0, 400)).c_str());
        std::abort();
    }
}

// A numbered error text, or one of the texts of the catch-alls.
bool HasErrorLayout(TextView text) {
    const auto digit = [](char16_t c) { return c >= u'0' && c <= u'9'; };
    return text.starts_with(u"ERROR: Unexpected error (Polynomial): ") ||
           text.starts_with(u"ERROR: Unexpected error during function evaluation [") ||
           (text.size() > 12 && std::all_of(text.begin(), text.begin() + 4, digit) &&
            text.substr(4, 8) == u" ERROR: ");
}

// The clock and the random numbers give a new result each time.
bool MayDiffer(TextView expression) {
    Text upper;
    for (const char16_t c : expression) {
        upper += c == u' ' ? Text() : Text(1, c >= u'a' && c <= u'z' ? c - 32 : c);
    }
    return std::ranges::any_of(
        std::initializer_list<TextView>{u"RND(", u"NOW(", u"DATE(", u"TIME("},
        [&](TextView name) { return upper.find(name) != Text::npos; });
}

// Whether E's parentheses outside literals never close more than they opened: only then is
// (E) the group of E and not another text.
bool NeverUnderflows(TextView expression) {
    int depth = 0;
    for (bool inside = false; const char16_t c : expression) {
        inside ^= c == u'\'';
        if ((depth += inside ? 0 : (c == u'(') - (c == u')')) < 0) {
            return false;
        }
    }
    return true;
}

// Adds the symbols written after the expression and their types to the states known; a name
// given twice is refused by the collection, as it would be for a host.
void AddSymbols(Expression& object, std::string_view rest, std::vector<EvaluationStates>& known) {
    static const EvaluationTypes kTypes[] = {1, 2, 0, 7, -1};
    for (int count = 0; !rest.empty() && count < 3;) {
        std::string_view part = rest.substr(0, rest.find('\x01'));
        rest.remove_prefix(std::min(rest.size(), part.size() + 1));
        if (part.empty()) {
            continue;
        }
        const auto type = kTypes[static_cast<unsigned char>(part.front()) % 5];
        const std::size_t found = part.find('=', 1);
        const std::size_t equals = found == std::string_view::npos ? 0 : found;
        const Text name = equals == 0 ? Text(1, static_cast<char16_t>(u'X' + count))
                                      : Utf8ToText(part.substr(1, equals - 1));
        ++count;
        try {
            object.Symbols()->Add(name, type, Utf8ToText(part.substr(equals + 1)));
            known.push_back(type);
        } catch (...) {
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t end = std::min(input.find('\x01'), input.size());
    const Text expression = Utf8ToText(input.substr(0, end));
    Expression object;
    std::vector<EvaluationStates> known = {1, 2, 3};
    AddSymbols(object, input.substr(std::min(end + 1, size)), known);
    EvaluationStates state = -100;
    const Text result = object.Evaluate(expression, &state);
    Check(std::ranges::find(known, state) != known.end(),
          "a state that is neither 1, 2, 3 nor a symbol's data type", expression, result);
    Check(object.State() == state, "State differs from the state returned", expression, result);
    Check(state != 3 || HasErrorLayout(result), "an error text of no known layout", expression,
          result);
    Check(state != 1 || talmiron::testing::IsCanonicalNumber(result),
          "a Numeric text that is not canonical", expression, result);
    if (!MayDiffer(expression)) {
        EvaluationStates again = -100;
        Check(object.Evaluate(expression, &again) == result && again == state,
              "the same text gives another result", expression, result);
        if (state != 3 && NeverUnderflows(expression)) {
            const Text grouped = u"(" + expression + u")";
            const Text groupedResult = object.Evaluate(grouped, &again);
            const bool tooDeep =
                again == 3 && groupedResult.find(u"28 - Out of stack space") != Text::npos;
            Check(tooDeep || (groupedResult == result && again == state), "(E) differs from E",
                  grouped, groupedResult);
        }
    }
    Check(object.Evaluate(u"1+2", &state) == u"3" && state == 1,
          "the object no longer evaluates 1+2 to 3", expression, result);
    return 0;
}
