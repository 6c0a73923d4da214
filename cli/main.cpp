// The talmiron command: evaluates the expressions of its arguments, or else
// the lines of standard input, with one Expression object.
#include "cli/csv_run.h"
#include "cli/exit_status.h"
#include "cli/function_list.h"
#include "cli/line_editor.h"
#include "cli/lines.h"
#include "cli/options.h"
#include "cli/repl.h"
#include "cli/session.h"
#include "cli/usage.h"
#include "runtime/failure.h"

#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace talmiron::cli {

namespace {

// Writes and flushes the results collected in out; false when that failed.
bool FlushOutput(std::string& out) {
    const bool written = Write(stdout, out) && std::fflush(stdout) == 0;
    out.clear();
    return written;
}

int UsageError(std::string_view message) {
    std::string text = "talmiron: ";
    text += message;
    text += "\nTry 'talmiron --help'.\n";
    Write(stderr, text);
    return kUsageError;
}

std::string AddFailureMessage(const SymbolOption& symbol, const RuntimeFailure& failure) {
    std::string message = "cannot add the symbol '" + TextToUtf8(symbol.name) + "': ";
    message += failure.Description().empty() ? "failure" : TextToUtf8(failure.Description());
    char number[16];
    const auto end = std::to_chars(number, number + sizeof number, failure.Number()).ptr;
    return message + " (" + std::string(number, end) + ")";
}

bool InputArrived() {
    return std::cin.rdbuf()->in_avail() > 0;
}

// False when the output could not be written.
bool EvaluateInput(Session& session) {
    std::string out;
    std::string line;
    bool written = true;
    while (ReadLine(std::cin, line)) {
        session.Evaluate(Utf8ToText(line), out);
        // Results wait while more input has arrived already; otherwise they
        // go out at once, since a program that talks to us through pipes
        // waits for each one.
        if (out.size() >= kOutputChunk || !InputArrived()) {
            written = FlushOutput(out) && written;
        }
    }
    return FlushOutput(out) && written;
}

bool IsTerminal(std::FILE* stream) {
#ifdef _WIN32
    return _isatty(_fileno(stream)) != 0;
#else
    return isatty(fileno(stream)) != 0;
#endif
}

// Colour only on a terminal that shows it, and never when NO_COLOR asks so.
bool UseColour() {
    const char* noColour = std::getenv("NO_COLOR");
    if ((noColour != nullptr && *noColour != '\0') || !IsTerminal(stdout)) {
        return false;
    }
#ifdef _WIN32
    const HANDLE console = GetStdHandle(STD_OUTPUT_HANDLE);
    DWORD mode = 0;
    return GetConsoleMode(console, &mode) &&
           SetConsoleMode(console, mode | ENABLE_VIRTUAL_TERMINAL_PROCESSING);
#else
    const char* term = std::getenv("TERM");
    return term != nullptr && *term != '\0' && std::string_view(term) != "dumb";
#endif
}

int RunInteractive(Session& session) {
#ifdef _WIN32
    // Results are written as UTF-8, which the console shows only in this code page.
    SetConsoleOutputCP(CP_UTF8);
#endif
    Repl repl(session.Engine(), UseColour());
    LineEditor editor(DefaultHistoryFile());
    std::string greeting(VersionText());
    greeting.insert(greeting.size() - 1, "; :help lists the commands");
    Write(stdout, greeting);
    while (!repl.Quit()) {
        const std::optional<std::string> line = editor.Read("> ");
        if (!line) {
            Write(stdout, "\n");
            break;
        }
        if (line->find_first_not_of(' ') != std::string::npos) {
            editor.Remember(*line);
        }
        std::string reply = repl.Respond(*line);
        if (!FlushOutput(reply)) {
            return kFailed;
        }
    }
    return kSucceeded;
}

int RunCsvFile(const Options& options, Session& session) {
    CsvJob job{*options.csvExpression, options.csvColumn, "standard input", IsTerminal(stderr)};
    if (*options.csvFile == u"-") {
        return RunCsv(job, session.Engine(), std::cin, stdout, stderr);
    }
    job.inputName = TextToUtf8(*options.csvFile);
#ifdef _WIN32
    const std::filesystem::path path(
        std::wstring(options.csvFile->begin(), options.csvFile->end()));
    std::ifstream file(path, std::ios::binary);
#else
    std::ifstream file(job.inputName, std::ios::binary);
#endif
    if (!file) {
        Write(stderr, "talmiron: cannot open " + job.inputName + "\n");
        return kUsageError;
    }
    return RunCsv(job, session.Engine(), file, stdout, stderr);
}

int Run(const std::vector<Text>& arguments) {
    const ParsedOptions parsed = ParseOptions(arguments);
    if (parsed.error) {
        return UsageError(*parsed.error);
    }
    const Options& options = parsed.options;
    if (options.help || options.version) {
        std::string text(options.help ? HelpText() : VersionText());
        return FlushOutput(text) ? kSucceeded : kFailed;
    }
    if (options.functions) {
        std::string text = options.json ? FunctionListJson() : FunctionListText();
        return FlushOutput(text) ? kSucceeded : kFailed;
    }

    Session session(options.json);
    for (const SymbolOption& symbol : options.symbols) {
        try {
            session.AddSymbol(symbol);
        } catch (const RuntimeFailure& failure) {
            return UsageError(AddFailureMessage(symbol, failure));
        }
    }

    if (options.csvFile) {
        return RunCsvFile(options, session);
    }
    if (options.expressions.empty() && !options.json && IsTerminal(stdin)) {
        return RunInteractive(session);
    }

    bool written = true;
    if (options.expressions.empty()) {
        written = EvaluateInput(session);
    } else {
        std::string out;
        for (const Text& expression : options.expressions) {
            session.Evaluate(expression, out);
        }
        written = FlushOutput(out);
    }
    if (!written) {
        Write(stderr, "talmiron: cannot write the output\n");
        return kFailed;
    }
    return session.AllSucceeded() ? kSucceeded : kFailed;
}

void PrepareStreams() {
#ifdef _WIN32
    // The same bytes as on every other platform: no CRLF translation, and no
    // end of input at a Ctrl+Z.
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
#endif
    // Standard input is read through std::cin only; with a buffer of its
    // own, it can tell whether more input has arrived. Output goes through
    // stdout, never std::cout, so no read need flush std::cout first.
    std::ios_base::sync_with_stdio(false);
    std::cin.tie(nullptr);
}

} // namespace

} // namespace talmiron::cli

#ifdef _WIN32
// Linked with -municode: the arguments arrive as UTF-16, whatever the code page.
int wmain(int argc, wchar_t** argv) {
    talmiron::cli::PrepareStreams();
    std::vector<talmiron::Text> arguments;
    for (int i = 1; i < argc; ++i) {
        arguments.emplace_back(reinterpret_cast<const char16_t*>(argv[i]));
    }
    return talmiron::cli::Run(arguments);
}
#else
int main(int argc, char** argv) {
    talmiron::cli::PrepareStreams();
    std::vector<talmiron::Text> arguments;
    for (int i = 1; i < argc; ++i) {
        arguments.push_back(talmiron::Utf8ToText(argv[i]));
    }
    return talmiron::cli::Run(arguments);
}
#endif
