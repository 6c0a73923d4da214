// The command line of the talmiron command. Only arguments that begin with
// "--" are options, so that expressions such as -2^2 need no quoting; "--"
// alone ends the options.
#pragma once

#include "engine/evaluation_states.h"
#include "runtime/text.h"

#include <optional>
#include <string>
#include <vector>

namespace talmiron::cli {

struct SymbolOption {
    Text name;
    EvaluationTypes dataType;
    Text value;
};

struct Options {
    bool help = false;
    bool version = false;
    bool json = false;
    // --functions: print the function table and stop.
    bool functions = false;
    // --csv FILE: evaluate --expr for each row of the file ("-" is standard
    // input), writing the rows back with the result as one more column.
    std::optional<Text> csvFile;
    std::optional<Text> csvExpression;
    Text csvColumn = u"result";
    // In the order given on the command line.
    std::vector<SymbolOption> symbols;
    // Empty: the expressions are the lines of standard input.
    std::vector<Text> expressions;
};

struct ParsedOptions {
    Options options;
    // The reason the command line is not usable, in UTF-8; unset when it is.
    std::optional<std::string> error;
};

// The arguments after the program name.
ParsedOptions ParseOptions(const std::vector<Text>& arguments);

} // namespace talmiron::cli
