#include "cli/repl.h"

#include "cli/function_list.h"
#include "cli/json.h"
#include "engine/lexical.h"

namespace talmiron::cli {

namespace {

std::string_view Trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// A string value as a literal, so that it reads the way it is written.
std::string Literal(const Text& value) {
    std::string out = "'";
    for (const char c : TextToUtf8(value)) {
        out += c == '\'' ? "''" : std::string(1, c);
    }
    return out + "'";
}

} // namespace

std::string_view ReplHelpText() noexcept {
    return "Type an expression to evaluate it, or a command:\n"
           "  :num NAME=VALUE  set a Numeric symbol (a new one, or a new value and type)\n"
           "  :str NAME=VALUE  set a String symbol\n"
           "  :del NAME        remove a symbol\n"
           "  :symbols         list the symbols with their types and values\n"
           "  :clear           remove every symbol\n"
           "  :functions       list the built-in functions\n"
           "  :help            show this help\n"
           "  :quit            end the session (so does Ctrl-D)\n"
           "Errors are marked with \"!\". The history is kept between sessions.\n";
}

std::string Repl::Respond(std::string_view line) {
    const std::string_view trimmed = Trimmed(line);
    if (trimmed.empty()) {
        return {};
    }
    if (trimmed.front() == ':') {
        const auto blank = trimmed.find(' ');
        const std::string_view command = trimmed.substr(0, blank);
        return Command(command, blank == std::string_view::npos ? std::string_view()
                                                                : Trimmed(trimmed.substr(blank)));
    }
    EvaluationStates state = EvaluationStates_None;
    const std::string result = TextToUtf8(expression_.Evaluate(Utf8ToText(line), &state));
    if (state == EvaluationStates_Numeric || state == EvaluationStates_String) {
        return result + "\n";
    }
    return colour_ ? "\x1b[31m! " + result + "\x1b[0m\n" : "! " + result + "\n";
}

std::string Repl::Command(std::string_view command, std::string_view argument) {
    Symbols& symbols = *expression_.Symbols();
    if (command == ":num" || command == ":str") {
        return SetSymbol(argument,
                         command == ":num" ? EvaluationTypes_Numeric : EvaluationTypes_String);
    }
    if (command == ":del") {
        if (symbols.Find(Utf8ToText(argument)) == nullptr) {
            return "no symbol '" + std::string(argument) + "'\n";
        }
        symbols.Remove(Utf8ToText(argument));
        return {};
    }
    if (command == ":symbols") {
        return ListSymbols();
    }
    if (command == ":clear") {
        symbols.Clear();
        return {};
    }
    if (command == ":functions") {
        return FunctionListText();
    }
    if (command == ":help") {
        return std::string(ReplHelpText());
    }
    if (command == ":quit") {
        quit_ = true;
        return {};
    }
    return "unknown command '" + std::string(command) + "'; :help lists the commands\n";
}

std::string Repl::SetSymbol(std::string_view argument, EvaluationTypes dataType) {
    const auto equals = argument.find('=');
    if (equals == std::string_view::npos) {
        return "write the symbol as NAME=VALUE\n";
    }
    const Text name = Utf8ToText(Trimmed(argument.substr(0, equals)));
    if (!IsSymbolName(name) || name.empty()) {
        return "'" + TextToUtf8(name) +
               "' is not a symbol name: a name begins with a letter, \"_\" or \"@\" and goes "
               "on with letters, digits, \"_\" or \"@\"\n";
    }
    // The value text is kept as typed; a Numeric one is read when it is used.
    const Text value = Utf8ToText(argument.substr(equals + 1));
    Symbols& symbols = *expression_.Symbols();
    if (symbols.Find(name) != nullptr) {
        const auto symbol = symbols.Item(TextView(name));
        symbol->SetDataType(dataType);
        symbol->SetValue(value);
    } else {
        symbols.Add(name, dataType, value);
    }
    return {};
}

std::string Repl::ListSymbols() const {
    std::string out;
    for (const auto& symbol : *expression_.Symbols()) {
        out += TextToUtf8(symbol->Name()) + " ";
        out += StateName(symbol->DataType());
        out += " ";
        out += symbol->DataType() == EvaluationTypes_String ? Literal(symbol->Value())
                                                            : TextToUtf8(symbol->Value());
        out += "\n";
    }
    return out.empty() ? "no symbols\n" : out;
}

} // namespace talmiron::cli
