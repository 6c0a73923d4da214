// What a run of the command cannot show plainly.
#include "cli/options.h"

#include <gtest/gtest.h>

namespace talmiron::cli {
namespace {

TEST(ParseOptions, SeparatesOptionsFromExpressions) {
    const ParsedOptions parsed =
        ParseOptions({u"1+2", u"--json", u"-2^2", u"-", u"--str", u"Y=", u"--", u"--help"});
    ASSERT_FALSE(parsed.error);
    EXPECT_TRUE(parsed.options.json && !parsed.options.help && parsed.options.symbols.size() == 1);
    EXPECT_EQ(parsed.options.expressions, (std::vector<Text>{u"1+2", u"-2^2", u"-", u"--help"}));
}

TEST(ParseOptions, RejectsWhatItCannotUse) {
    const std::pair<std::vector<Text>, std::string> cases[] = {
        {{u"1", u"--JSON"}, "unknown option '--JSON'"},
        {{u"--json", u"--str"}, "option '--str' needs NAME=VALUE"},
        {{u"--str", u"\u00e9"}, "option '--str': no '=' in '\xC3\xA9'"},
        {{u"--csv", u"f.csv", u"--as"}, "option '--as' needs a value"},
        {{u"--expr", u"1"}, "options '--csv' and '--expr' go together"},
        {{u"--csv", u"-", u"--expr", u"1", u"2"},
         "no expression arguments with '--csv': the formula is given by '--expr'"},
    };
    for (const auto& [arguments, error] : cases) {
        EXPECT_EQ(ParseOptions(arguments).error.value_or("accepted"), error);
    }
}

} // namespace
} // namespace talmiron::cli
