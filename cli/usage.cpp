#include "cli/usage.h"

namespace talmiron::cli {

std::string_view HelpText() noexcept {
    return "Usage: talmiron [OPTIONS] [EXPRESSION...]\n"
           "       talmiron [OPTIONS] --csv FILE --expr EXPRESSION [--as NAME]\n"
           "       talmiron --functions [--json]\n"
           "Evaluates each EXPRESSION in order and prints each result on a line of its own.\n"
           "Without an EXPRESSION, evaluates each line of standard input, or opens a\n"
           "prompt when standard input is a terminal (:help there lists its commands).\n"
           "\n"
           "Options:\n"
           "  --num NAME=VALUE  add a Numeric symbol NAME with the value text VALUE\n"
           "  --str NAME=VALUE  add a String symbol NAME with the value text VALUE\n"
           "  --json            print each result as {\"state\":...,\"code\":...,\"result\":...}\n"
           "  --functions       print the built-in functions with their types and exit\n"
           "  --csv FILE        evaluate --expr for each row of the CSV file FILE (- for\n"
           "                    standard input), its columns as symbols, and write the\n"
           "                    rows with the result as one more column\n"
           "  --expr EXPRESSION the expression of --csv\n"
           "  --as NAME         the name of the result column (default: result)\n"
           "  --help            print this help and exit\n"
           "  --version         print the version and exit\n"
           "  --                treat every later argument as an expression\n"
           "\n"
           "Only arguments that begin with \"--\" are options, so -2^2 is an expression.\n"
           "Input and output are UTF-8.\n"
           "\n"
           "Exit status: 0 when every result was Numeric or String, 1 when any was not,\n"
           "2 for a usage error or input that is not CSV.\n";
}

std::string_view VersionText() noexcept {
    return "talmiron " TALMIRON_VERSION "\n";
}

} // namespace talmiron::cli
