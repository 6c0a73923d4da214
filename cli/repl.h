// The interactive session: each line is an expression to evaluate or a
// command that starts with ":" and looks after the symbols.
#pragma once

#include "component/expression.h"

#include <string>
#include <string_view>

namespace talmiron::cli {

class Repl {
  public:
    // colour: errors are written in red.
    Repl(Expression& expression, bool colour) : expression_(expression), colour_(colour) {}

    // What to show for the line, each line of it ended by "\n"; empty for
    // an empty line and for a command that has nothing to say.
    std::string Respond(std::string_view line);

    // True once :quit was given.
    bool Quit() const noexcept { return quit_; }

  private:
    std::string Command(std::string_view command, std::string_view argument);
    std::string SetSymbol(std::string_view argument, EvaluationTypes dataType);
    std::string ListSymbols() const;

    Expression& expression_;
    bool colour_;
    bool quit_ = false;
};

// The help of the interactive session.
std::string_view ReplHelpText() noexcept;

} // namespace talmiron::cli
