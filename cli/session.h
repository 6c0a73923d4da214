// One run of the command: every expression is evaluated by the same
// Expression object, and each result becomes one line of output.
#pragma once

#include "cli/options.h"
#include "component/expression.h"

#include <string>

namespace talmiron::cli {

class Session {
  public:
    explicit Session(bool json) : json_(json) {}

    // Raises the RuntimeFailure of Symbols::Add, for example 457 for a name
    // that is already there.
    void AddSymbol(const SymbolOption& symbol);

    // Appends the result, and its line end, to out.
    void Evaluate(TextView expression, std::string& out);

    // The Expression object behind the session, for the CSV and interactive modes.
    talmiron::Expression& Engine() noexcept { return expression_; }

    // True while every result so far was Numeric or String.
    bool AllSucceeded() const noexcept { return allSucceeded_; }

  private:
    Expression expression_;
    bool json_;
    bool allSucceeded_ = true;
};

} // namespace talmiron::cli
