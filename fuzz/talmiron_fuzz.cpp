// Evaluates any input as a host's user might type it, with up to three
// symbols, and checks on every input what each host relies on. A broken
// check aborts with the input shown, so that libFuzzer keeps it.
//
// Input: the expression, then up to three symbols, each after a byte 0x01
// and written as a type character, a name, "=" and the value. The type
// character is 1, 2 or another data type: its code modulo 5 picks one of
// Numeric, String, None, 7 and -1. Without "=" the name is X, Y or Z.
#include "component/expression.h"
#include "engine/number_text.h"
#include "runtime/text.h"

#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace {

using talmiron::EvaluationStates;
using talmiron::Text;
using talmiron::TextView;

struct SymbolInput {
    Text name;
    talmiron::EvaluationTypes type;
    Text value;
};

[[noreturn]] void Broken(const char* what, TextView expression, TextView result) {
    std::fprintf(stderr, "check failed: %s\n  expression: %s\n  result: %s\n", what,
                 talmiron::TextToUtf8(expression.substr(0, 400)).c_str(),
                 talmiron::TextToUtf8(result.substr(0, 400)).c_str());
    std::abort();
}

bool IsDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

// A numbered error text, or one of the texts of the catch-alls.
bool HasErrorLayout(TextView text) {
    if (text.starts_with(u"ERROR: Unexpected error (Polynomial): ") ||
        text.starts_with(u"ERROR: Unexpected error during function evaluation [")) {
        return true;
    }
    return text.size() > 12 && IsDigit(text[0]) && IsDigit(text[1]) && IsDigit(text[2]) &&
           IsDigit(text[3]) && text.substr(4, 8) == u" ERROR: ";
}

bool IsCanonicalNumber(TextView text) {
    try {
        return talmiron::IsNumericText(text) && talmiron::NumberToText(text) == text;
    } catch (...) {
        return false;
    }
}

// The clock and the random numbers give a new result each time.
bool MayDiffer(TextView expression) {
    std::string upper;
    for (const char16_t c : expression) {
        if (c != u' ') {
            upper.push_back(c < 0x80 ? static_cast<char>(std::toupper(c)) : '?');
        }
    }
    for (const char* name : {"RND(", "NOW(", "DATE(", "TIME("}) {
        if (upper.find(name) != std::string::npos) {
            return true;
        }
    }
    return false;
}

// Whether E's parentheses, outside literals, never close more than they
// opened: only then is (E) the group of E and not another text.
bool NeverUnderflows(TextView expression) {
    int depth = 0;
    bool inside = false;
    for (const char16_t c : expression) {
        inside ^= c == u'\'';
        if (!inside && c == u'(') {
            ++depth;
        } else if (!inside && c == u')' && --depth < 0) {
            return false;
        }
    }
    return true;
}

std::vector<SymbolInput> ReadSymbols(std::string_view rest) {
    static const talmiron::EvaluationTypes kTypes[] = {1, 2, 0, 7, -1};
    std::vector<SymbolInput> symbols;
    while (!rest.empty() && symbols.size() < 3) {
        const std::size_t next = rest.find('\x01');
        std::string_view part = rest.substr(0, next);
        rest = next == std::string_view::npos ? std::string_view() : rest.substr(next + 1);
        if (part.empty()) {
            continue;
        }
        SymbolInput symbol;
        symbol.type = kTypes[static_cast<unsigned char>(part.front()) % 5];
        part.remove_prefix(1);
        const std::size_t equals = part.find('=');
        if (equals == std::string_view::npos) {
            symbol.name = std::u16string(1, static_cast<char16_t>(u'X' + symbols.size()));
        } else {
            symbol.name = talmiron::Utf8ToText(part.substr(0, equals));
            part.remove_prefix(equals + 1);
        }
        symbol.value = talmiron::Utf8ToText(part);
        symbols.push_back(std::move(symbol));
    }
    return symbols;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t end = input.find('\x01');
    const Text expression = talmiron::Utf8ToText(input.substr(0, end));
    const std::vector<SymbolInput> symbols =
        ReadSymbols(end == std::string_view::npos ? std::string_view() : input.substr(end + 1));

    talmiron::Expression object;
    std::vector<SymbolInput> added;
    for (const SymbolInput& symbol : symbols) {
        try {
            object.Symbols()->Add(symbol.name, symbol.type, symbol.value);
            added.push_back(symbol);
        } catch (...) {
            // A name given twice: the collection refuses it, as it would a host.
        }
    }
    EvaluationStates state = -100;
    const Text result = object.Evaluate(expression, &state);
    bool known = state == talmiron::EvaluationStates_Numeric ||
                 state == talmiron::EvaluationStates_String ||
                 state == talmiron::EvaluationStates_Error;
    for (const SymbolInput& symbol : added) {
        known = known || state == symbol.type;
    }
    if (!known) {
        Broken("a state that is neither 1, 2, 3 nor a symbol's data type", expression, result);
    }
    if (object.State() != state) {
        Broken("State differs from the state returned", expression, result);
    }
    if (state == talmiron::EvaluationStates_Error && !HasErrorLayout(result)) {
        Broken("an error text of no known layout", expression, result);
    }
    if (state == talmiron::EvaluationStates_Numeric && !IsCanonicalNumber(result)) {
        Broken("a Numeric text that is not canonical", expression, result);
    }
    if (!MayDiffer(expression)) {
        EvaluationStates againState = -100;
        if (object.Evaluate(expression, &againState) != result || againState != state) {
            Broken("the same text gives another result", expression, result);
        }
        if (state != talmiron::EvaluationStates_Error && NeverUnderflows(expression)) {
            const Text grouped = u"(" + expression + u")";
            EvaluationStates groupedState = -100;
            const Text groupedResult = object.Evaluate(grouped, &groupedState);
            const bool tooDeep = groupedState == talmiron::EvaluationStates_Error &&
                                 groupedResult.find(u"28 - Out of stack space") != Text::npos;
            if (!tooDeep && (groupedResult != result || groupedState != state)) {
                Broken("(E) differs from E", grouped, groupedResult);
            }
        }
    }
    EvaluationStates sumState = -100;
    if (object.Evaluate(u"1+2", &sumState) != u"3" || sumState != 1) {
        Broken("the object no longer evaluates 1+2 to 3", expression, result);
    }
    return 0;
}
