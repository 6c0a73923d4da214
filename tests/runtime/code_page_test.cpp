#include "runtime/code_page.h"

#include <gtest/gtest.h>

#include <set>

namespace talmiron {
namespace {

// Every byte has its own character and back; the five bytes Windows-1252
// leaves undefined stand for themselves, their neighbours do not.
TEST(CodePage, EveryByteGoesToItsOwnCharacterAndBack) {
    std::set<char16_t> seen;
    for (int byte = 0; byte < 256; ++byte) {
        const char16_t c = CharFromCodePage(static_cast<std::uint8_t>(byte));
        EXPECT_TRUE(seen.insert(c).second) << byte;
        EXPECT_EQ(CodePageFromChar(c), byte);
        const bool undefined =
            byte == 0x81 || byte == 0x8D || byte == 0x8F || byte == 0x90 || byte == 0x9D;
        EXPECT_EQ(c == byte, byte < 0x80 || byte >= 0xA0 || undefined) << byte;
    }
    EXPECT_EQ(CharFromCodePage(0x80), u'\u20AC');
    EXPECT_EQ(CharFromCodePage(0x9F), u'\u0178');
}

} // namespace
} // namespace talmiron
