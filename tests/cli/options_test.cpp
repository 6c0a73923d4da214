#include "cli/options.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace talmiron::cli {
namespace {

using Args = std::vector<Text>;

TEST(ParseOptions, SeparatesOptionsFromExpressions) {
    const ParsedOptions parsed = ParseOptions(
        {u"1+2", u"--json", u"-2^2", u"-", u"--num", u"x=a=b", u"--str", u"Y=", u"--", u"--help"});
    ASSERT_FALSE(parsed.error);
    const Options& o = parsed.options;
    EXPECT_TRUE(o.json);
    EXPECT_FALSE(o.help);
    EXPECT_FALSE(o.version);
    EXPECT_EQ(o.expressions, (Args{u"1+2", u"-2^2", u"-", u"--help"}));
    ASSERT_EQ(o.symbols.size(), 2u);
    EXPECT_EQ(o.symbols[0].name, u"x");
    EXPECT_EQ(o.symbols[0].dataType, EvaluationTypes_Numeric);
    EXPECT_EQ(o.symbols[0].value, u"a=b");
    EXPECT_EQ(o.symbols[1].name, u"Y");
    EXPECT_EQ(o.symbols[1].dataType, EvaluationTypes_String);
    EXPECT_EQ(o.symbols[1].value, u"");
}

TEST(ParseOptions, KeepsNamesAndValuesUnchanged) {
    // What makes a usable name is the evaluator's business, not ours.
    const ParsedOptions parsed =
        ParseOptions({u"--str", u"=v", u"--num", u" a = 1 ", u"--str", u"\u00e9=\U0001F600"});
    ASSERT_FALSE(parsed.error);
    const auto& s = parsed.options.symbols;
    ASSERT_EQ(s.size(), 3u);
    EXPECT_EQ(s[0].name + u"|" + s[0].value, u"|v");
    EXPECT_EQ(s[1].name + u"|" + s[1].value, u" a | 1 ");
    EXPECT_EQ(s[2].name + u"|" + s[2].value, u"\u00e9|\U0001F600");
    EXPECT_TRUE(parsed.options.expressions.empty());
}

TEST(ParseOptions, RecognisesHelpAndVersion) {
    EXPECT_TRUE(ParseOptions({u"--help"}).options.help);
    EXPECT_TRUE(ParseOptions({u"--version", u"1"}).options.version);
    EXPECT_FALSE(ParseOptions({u"--", u"--version"}).options.version);
}

TEST(ParseOptions, RejectsWhatItCannotUse) {
    const std::pair<Args, std::string> cases[] = {
        {{u"--bogus"}, "unknown option '--bogus'"},
        {{u"1", u"--JSON"}, "unknown option '--JSON'"},
        {{u"--num=x=1"}, "unknown option '--num=x=1'"},
        {{u"---"}, "unknown option '---'"},
        {{u"--num"}, "option '--num' needs NAME=VALUE"},
        {{u"--json", u"--str"}, "option '--str' needs NAME=VALUE"},
        {{u"--num", u"x"}, "option '--num': no '=' in 'x'"},
        {{u"--str", u"\u00e9"}, "option '--str': no '=' in '\xC3\xA9'"},
        {{u"--csv", u"f.csv", u"--as"}, "option '--as' needs a value"},
        {{u"--expr", u"1"}, "options '--csv' and '--expr' go together"},
        {{u"--csv", u"-", u"--expr", u"1", u"2"},
         "no expression arguments with '--csv': the formula is given by '--expr'"},
    };
    for (const auto& [arguments, error] : cases) {
        const ParsedOptions parsed = ParseOptions(arguments);
        ASSERT_TRUE(parsed.error) << error;
        EXPECT_EQ(*parsed.error, error);
    }
}

} // namespace
} // namespace talmiron::cli
