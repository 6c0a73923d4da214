#include "cli/json.h"

#include <gtest/gtest.h>

#include <string>

namespace talmiron::cli {
namespace {

std::string Json(TextView text) {
    std::string out = "<"; // appends, never replaces
    AppendJsonString(out, text);
    return out;
}

TEST(JsonString, EscapesWhatJsonRequiresAndCopiesTheRestAsUtf8) {
    const std::pair<Text, std::string> cases[] = {
        {u"", "<\"\""},
        {u"a b/c", "<\"a b/c\""},
        {u"\"\\", "<\"\\\"\\\\\""},
        {u"\b\f\n\r\t", "<\"\\b\\f\\n\\r\\t\""},
        {Text(u"\0\x01\x1f\x7f", 4), "<\"\\u0000\\u0001\\u001f\x7f\""},
        {u"\u00e9\u20ac\U0001F600", "<\"\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80\""},
        {u"x\n\u20ac\"y", "<\"x\\n\xE2\x82\xAC\\\"y\""},
    };
    for (const auto& [text, json] : cases) {
        EXPECT_EQ(Json(text), json) << TextToUtf8(text);
    }
}

TEST(JsonString, EscapesLoneSurrogatesOnly) {
    const std::pair<Text, std::string> cases[] = {
        {u"\xD800", "<\"\\ud800\""},
        {u"a\xDBFFz", "<\"a\\udbffz\""},
        {u"\xDC00", "<\"\\udc00\""},
        {u"\xDFFF\xD800", "<\"\\udfff\\ud800\""},                // the wrong order is no pair
        {u"\xD800\xD83D\xDE00", "<\"\\ud800\xF0\x9F\x98\x80\""}, // a pair after a lone half
        {u"\xD83D\xDE00\xDC00", "<\"\xF0\x9F\x98\x80\\udc00\""},
    };
    for (const auto& [text, json] : cases) {
        EXPECT_EQ(Json(text), json);
    }
}

TEST(JsonResult, NamesTheStateAndKeepsItsCode) {
    const struct {
        EvaluationStates state;
        const char* json;
    } cases[] = {
        {0, R"({"state":"None","code":0,"result":"r"})"},
        {1, R"({"state":"Numeric","code":1,"result":"r"})"},
        {2, R"({"state":"String","code":2,"result":"r"})"},
        {3, R"({"state":"Error","code":3,"result":"r"})"},
        {4, R"({"state":"Other","code":4,"result":"r"})"},
        {7, R"({"state":"Other","code":7,"result":"r"})"},
        {-2147483647 - 1, R"({"state":"Other","code":-2147483648,"result":"r"})"},
    };
    for (const auto& c : cases) {
        std::string out;
        AppendJsonResult(out, c.state, u"r");
        EXPECT_EQ(out, c.json);
    }
}

} // namespace
} // namespace talmiron::cli
