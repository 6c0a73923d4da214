#include "cli/options.h"

namespace talmiron::cli {

namespace {

std::string Quoted(TextView argument) {
    return "'" + TextToUtf8(argument) + "'";
}

} // namespace

ParsedOptions ParseOptions(const std::vector<Text>& arguments) {
    ParsedOptions parsed;
    Options& options = parsed.options;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const Text& argument = arguments[i];
        if (optionsEnded || !argument.starts_with(u"--")) {
            options.expressions.push_back(argument);
        } else if (argument == u"--") {
            optionsEnded = true;
        } else if (argument == u"--json") {
            options.json = true;
        } else if (argument == u"--help") {
            options.help = true;
        } else if (argument == u"--version") {
            options.version = true;
        } else if (argument == u"--functions") {
            options.functions = true;
        } else if (argument == u"--csv" || argument == u"--expr" || argument == u"--as") {
            if (i + 1 == arguments.size()) {
                parsed.error = "option " + Quoted(argument) + " needs a value";
                return parsed;
            }
            const Text& value = arguments[++i];
            if (argument == u"--csv") {
                options.csvFile = value;
            } else if (argument == u"--expr") {
                options.csvExpression = value;
            } else {
                options.csvColumn = value;
            }
        } else if (argument == u"--num" || argument == u"--str") {
            if (i + 1 == arguments.size()) {
                parsed.error = "option " + Quoted(argument) + " needs NAME=VALUE";
                return parsed;
            }
            const Text& definition = arguments[++i];
            const auto equals = definition.find(u'=');
            if (equals == Text::npos) {
                parsed.error = "option " + Quoted(argument) + ": no '=' in " + Quoted(definition);
                return parsed;
            }
            options.symbols.push_back(
                {definition.substr(0, equals),
                 argument == u"--num" ? EvaluationTypes_Numeric : EvaluationTypes_String,
                 definition.substr(equals + 1)});
        } else {
            parsed.error = "unknown option " + Quoted(argument);
            return parsed;
        }
    }
    if (options.csvFile.has_value() != options.csvExpression.has_value()) {
        parsed.error = "options '--csv' and '--expr' go together";
    } else if (options.csvFile && !options.expressions.empty()) {
        parsed.error = "no expression arguments with '--csv': the formula is given by '--expr'";
    }
    return parsed;
}

} // namespace talmiron::cli
