#include "runtime/code_page.h"

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
    }
    // The five bytes Windows-1252 leaves undefined stand for themselves; their
    // neighbours do not.
    const std::pair<int, char16_t> samples[] = {
        {0x80, u'\u20AC'}, {0x81, u'\u0081'}, {0x8D, u'\u008D'}, {0x8F, u'\u008F'},
        {0x90, u'\u0090'}, {0x9D, u'\u009D'}, {0x9F, u'\u0178'}, {0xA0, u'\u00A0'}};
    for (const auto& [byte, c] : samples) {
        EXPECT_EQ(static_cast<int>(CharFromCodePage(static_cast<std::uint8_t>(byte))),
                  static_cast<int>(c))
            << byte;
    }
}

} // namespace
} // namespace talmiron
