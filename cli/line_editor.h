// Reading the lines of an interactive session from the terminal, with line
// editing and a history that is kept between sessions where the platform
// offers one.
#pragma once

#include <optional>
#include <string>

namespace talmiron::cli {

class LineEditor {
  public:
    // historyFile: where the history lives between sessions; empty for none.
    explicit LineEditor(std::string historyFile);
    ~LineEditor();
    LineEditor(const LineEditor&) = delete;
    LineEditor& operator=(const LineEditor&) = delete;

    // The next line in UTF-8, without its line end; unset at the end of the
    // input (Ctrl-D, or Ctrl-Z on Windows).
    std::optional<std::string> Read(const std::string& prompt);

    // Adds a line to the history and saves the history.
    void Remember(const std::string& line);

  private:
    std::string historyFile_;
};

// The history file of the current user: talmiron/history in the user's data
// directory ($XDG_DATA_HOME, else ~/.local/share), its folder made when
// missing; empty where there is none (no home, or Windows, whose console
// keeps its own history while it runs).
std::string DefaultHistoryFile();

} // namespace talmiron::cli
