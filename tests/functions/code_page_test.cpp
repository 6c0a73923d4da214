#include "runtime/code_page.h"
#include "tests/functions/call.h"

#include <gtest/gtest.h>

#include <set>

namespace talmiron {
namespace {

TEST(CodePage, EveryByteGoesToItsOwnCharacterAndBack) {
    std::set<char16_t> seen;
    for (int byte = 0; byte < 256; ++byte) {
        const char16_t c = CharFromCodePage(static_cast<std::uint8_t>(byte));
        EXPECT_TRUE(seen.insert(c).second) << byte;
        EXPECT_EQ(CodePageFromChar(c), byte);
        // The same through the functions: Chr of the code, then Asc.
        const Text code = NumberToText(std::int32_t{byte});
        const Computed chr = testing::Call(u"CHR", {code});
        ASSERT_EQ(chr.value.GetText(), Text(1, c)) << byte;
        EXPECT_EQ(testing::Call(u"ASC", {chr.value.GetText()}).value.GetText(), code);
    }
}

TEST(CodePage, Windows1252AboveAscii) {
    const std::pair<int, char16_t> samples[] = {
        {0x7F, u'\u007F'}, {0x80, u'\u20AC'}, {0x81, u'\u0081'}, {0x82, u'\u201A'},
        {0x83, u'\u0192'}, {0x85, u'\u2026'}, {0x88, u'\u02C6'}, {0x8A, u'\u0160'},
        {0x8C, u'\u0152'}, {0x8D, u'\u008D'}, {0x8E, u'\u017D'}, {0x8F, u'\u008F'},
        {0x90, u'\u0090'}, {0x91, u'\u2018'}, {0x94, u'\u201D'}, {0x96, u'\u2013'},
        {0x97, u'\u2014'}, {0x98, u'\u02DC'}, {0x99, u'\u2122'}, {0x9C, u'\u0153'},
        {0x9D, u'\u009D'}, {0x9E, u'\u017E'}, {0x9F, u'\u0178'}, {0xA0, u'\u00A0'},
        {0xE9, u'\u00E9'}, {0xFF, u'\u00FF'},
    };
    for (const auto& [byte, c] : samples) {
        EXPECT_EQ(static_cast<int>(CharFromCodePage(static_cast<std::uint8_t>(byte))),
                  static_cast<int>(c))
            << byte;
    }
}

TEST(CodePage, CharactersOutsideItBecomeAQuestionMark) {
    for (const char16_t c : {u'\u0080', u'\u0085', u'\u009F', u'\u0100', u'\u0131', u'\u03A3',
                             u'\u2028', u'\u20AB', u'\uFFFD', u'\xD83D', u'\xDE00'}) {
        EXPECT_EQ(CodePageFromChar(c), kUnrepresentableByte) << std::hex << static_cast<int>(c);
    }
    EXPECT_EQ(testing::Call(u"ASC", {u"\U0001F600"}).value.GetText(), u"63");
}

} // namespace
} // namespace talmiron
