#include "cli/line_editor.h"

#include "runtime/text.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>

#ifdef _WIN32
#include <windows.h>
#elif defined(TALMIRON_LIBEDIT)
#include <editline/readline.h>
#endif

namespace talmiron::cli {

namespace {

constexpr int kHistoryLines = 1000;

} // namespace

std::string DefaultHistoryFile() {
#ifdef _WIN32
    return {};
#else
    std::filesystem::path folder;
    if (const char* data = std::getenv("XDG_DATA_HOME"); data != nullptr && *data == '/') {
        folder = data;
    } else if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') {
        folder = std::filesystem::path(home) / ".local" / "share";
    } else {
        return {};
    }
    folder /= "talmiron";
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    return error ? std::string() : (folder / "history").string();
#endif
}

#ifdef _WIN32

// The console's own line input edits the line and recalls earlier lines
// with the arrow keys while the console is open.
LineEditor::LineEditor(std::string historyFile) : historyFile_(std::move(historyFile)) {}

LineEditor::~LineEditor() = default;

std::optional<std::string> LineEditor::Read(const std::string& prompt) {
    std::fwrite(prompt.data(), 1, prompt.size(), stdout);
    std::fflush(stdout);
    const HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
    std::u16string line;
    wchar_t buffer[1024];
    for (;;) {
        DWORD read = 0;
        if (!ReadConsoleW(input, buffer, sizeof buffer / sizeof buffer[0], &read, nullptr) ||
            read == 0) {
            return std::nullopt;
        }
        line.append(reinterpret_cast<const char16_t*>(buffer), read);
        if (line.back() == u'\n') {
            break;
        }
    }
    while (!line.empty() && (line.back() == u'\n' || line.back() == u'\r')) {
        line.pop_back();
    }
    // Ctrl+Z at the start of a line ends the input, as elsewhere on Windows.
    if (!line.empty() && line.front() == u'\x1a') {
        return std::nullopt;
    }
    return TextToUtf8(line);
}

void LineEditor::Remember(const std::string&) {}

#elif defined(TALMIRON_LIBEDIT)

LineEditor::LineEditor(std::string historyFile) : historyFile_(std::move(historyFile)) {
    using_history();
    stifle_history(kHistoryLines);
    if (!historyFile_.empty()) {
        read_history(historyFile_.c_str());
    }
}

LineEditor::~LineEditor() = default;

std::optional<std::string> LineEditor::Read(const std::string& prompt) {
    char* line = readline(prompt.c_str());
    if (line == nullptr) {
        return std::nullopt;
    }
    std::string text(line);
    std::free(line);
    return text;
}

void LineEditor::Remember(const std::string& line) {
    add_history(line.c_str());
    if (!historyFile_.empty()) {
        write_history(historyFile_.c_str());
    }
}

#else

// Without a line editing library: the terminal's own line input.
LineEditor::LineEditor(std::string historyFile) : historyFile_(std::move(historyFile)) {}

LineEditor::~LineEditor() = default;

std::optional<std::string> LineEditor::Read(const std::string& prompt) {
    std::cout << prompt << std::flush;
    std::string line;
    if (!std::getline(std::cin, line)) {
        return std::nullopt;
    }
    return line;
}

void LineEditor::Remember(const std::string&) {}

#endif

} // namespace talmiron::cli
