#include "runtime/text.h"

#include <gtest/gtest.h>

#include <string>

namespace talmiron {
namespace {

TEST(Utf8, ValidSequencesConvertBothWays) {
    const std::pair<std::string, Text> cases[] = {
        {"", u""},
        {std::string("a\0b", 3), Text(u"a\0b", 3)}, // the length is the text's own
        {"\x7F\xC2\x80\xDF\xBF", u"\x7F\u0080\u07FF"},
        {"\xC3\xA9t\xE2\x82\xAC\xEF\xBF\xBF", u"\u00E9t\u20AC\uFFFF"},
        {"x\xF0\x90\x80\x80\xF0\x9F\x98\x80\xF4\x8F\xBF\xBF",
         u"x\xD800\xDC00\xD83D\xDE00\xDBFF\xDFFF"},
    };
    for (const auto& [utf8, text] : cases) {
        EXPECT_EQ(Utf8ToText(utf8), text) << utf8;
        EXPECT_EQ(TextToUtf8(text), utf8) << utf8;
    }
    EXPECT_EQ(AsciiToText("-1.5E+07"), u"-1.5E+07");
}

TEST(Utf8, InvalidBytesBecomeReplacementCharacters) {
    // Framed by "<" and ">": a decoder that swallows a valid neighbour, or
    // decodes an overlong form to its ASCII character, shows up.
    const std::string invalid[] = {
        "\x80",
        "\xBF\x80",
        "\xC3",
        "\xE2\x82",
        "\xF0\x9F\x98", // stray, truncated
        "\xC0\xAF",
        "\xC1\xBF",
        "\xE0\x80\xAF",
        "\xF0\x80\x80\xAF", // overlong
        "\xF4\x90\x80\x80",
        "\xF8\x88\x80\x80\x80", // beyond U+10FFFF
        "\xF8",
        "\xF9",
        "\xFA",
        "\xFB",
        "\xFC",
        "\xFD",
        "\xFE",
        "\xFF",
    };
    for (const std::string& bytes : invalid) {
        const Text text = Utf8ToText("<" + bytes + ">");
        ASSERT_GE(text.size(), 3u) << bytes;
        EXPECT_LE(text.size() - 2, bytes.size()) << bytes;
        EXPECT_EQ(text.find_first_not_of(u'\uFFFD', 1), text.size() - 1) << bytes;
        EXPECT_EQ(text.front(), u'<');
        EXPECT_EQ(text.back(), u'>');
    }
    EXPECT_EQ(Utf8ToText("\xE2\x82"
                         "A"),
              u"\uFFFDA");
    EXPECT_EQ(Utf8ToText("\xC3"), u"\uFFFD");
    EXPECT_EQ(Utf8ToText("\xFF"), u"\uFFFD");
}

TEST(Utf8, LoneSurrogatesSurviveARoundTrip) {
    // High alone, low alone, a reversed pair, and lone halves next to a real pair.
    for (const Text text : {u"\xD800", u"\xDC00", u"a\xDBFFz", u"\xDC00\xD800",
                            u"\xD800\xD800\xDC00", u"\xD83D\xDE00\xDE00"}) {
        EXPECT_EQ(Utf8ToText(TextToUtf8(text)), text) << TextToUtf8(text);
    }
    EXPECT_EQ(TextToUtf8(u"\xD800"), "\xED\xA0\x80");
    EXPECT_EQ(Utf8ToText("\xED\xBF\xBF"), u"\xDFFF");
}

} // namespace
} // namespace talmiron
