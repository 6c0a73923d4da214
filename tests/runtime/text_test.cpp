#include "runtime/text.h"

#include <gtest/gtest.h>

#include <string>

namespace talmiron {
namespace {

TEST(Utf8, ConversionsBothWaysKeepLoneSurrogates) {
    // Lone halves alone, reversed and next to real pairs; the longest sequence of each length.
    for (const Text text : {u"\xD800", u"a\xDBFFz", u"\xDC00\xD800", u"\xD800\xD800\xDC00",
                            u"\xD83D\xDE00\xDE00", u"\x7F\u0080\u07FF\u0800\uFFFF\xDBFF\xDFFF"}) {
        EXPECT_EQ(Utf8ToText(TextToUtf8(text)), text) << TextToUtf8(text);
    }
    EXPECT_EQ(TextToUtf8(u"\xD800"), "\xED\xA0\x80");
    EXPECT_EQ(Utf8ToText(std::string("\xC3\xA9\0\xF4\x8F\xBF\xBF", 7)),
              Text(u"\u00E9\0\xDBFF\xDFFF", 4));
}

TEST(Utf8, InvalidBytesBecomeReplacementCharacters) {
    // Framed, so that a swallowed neighbour or an overlong form read as ASCII shows.
    for (const std::string bytes :
         {"\x80", "\xBF\x80", "\xC3", "\xE2\x82", "\xF0\x9F\x98", "\xC0\xAF", "\xC1\xBF",
          "\xE0\x80\xAF", "\xF0\x80\x80\xAF", "\xF4\x90\x80\x80", "\xF8\x88\x80\x80\x80", "\xF8",
          "\xFB", "\xFC", "\xFE", "\xFF"}) {
        const Text text = Utf8ToText("<" + bytes + ">");
        ASSERT_GE(text.size(), 3u) << bytes;
        EXPECT_LE(text.size() - 2, bytes.size()) << bytes;
        EXPECT_EQ(text.find_first_not_of(u'\uFFFD', 1), text.size() - 1) << bytes;
        EXPECT_EQ(text.front(), u'<');
        EXPECT_EQ(text.back(), u'>');
    }
    EXPECT_EQ(Utf8ToText(std::string("\xE2\x82") + "A"), u"\uFFFDA");
    EXPECT_EQ(Utf8ToText("\xC3"), u"\uFFFD");
}

} // namespace
} // namespace talmiron
