#include "runtime/case_mapping.h"
#include "runtime/case_mapping_table.h"
#include "runtime/code_page.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <set>

namespace talmiron {
namespace {

// Characters a faulty table generator breaks first that the case functions' rows do not show,
// and every character of the plane: mapping twice changes nothing more.
TEST(CaseMapping, SamplesAndMappingTwice) {
    const char16_t samples[][3] = {
        {u'\u017F', u'S', u'\u017F'},      {u'\u0131', u'I', u'\u0131'},
        {u'\u0130', u'\u0130', u'i'},      {u'\u212A', u'\u212A', u'k'},
        {u'\u03F4', u'\u03F4', u'\u03B8'}, {u'\xD801', u'\xD801', u'\xD801'},
    };
    for (const auto& [c, upper, lower] : samples) {
        EXPECT_EQ(UpperCaseChar(c), upper) << std::hex << static_cast<int>(c);
        EXPECT_EQ(LowerCaseChar(c), lower) << std::hex << static_cast<int>(c);
    }
    for (std::uint32_t code = 0; code <= 0xFFFF; ++code) {
        const auto c = static_cast<char16_t>(code);
        ASSERT_EQ(UpperCaseChar(UpperCaseChar(c)), UpperCaseChar(c)) << std::hex << code;
        ASSERT_EQ(LowerCaseChar(LowerCaseChar(c)), LowerCaseChar(c)) << std::hex << code;
    }
}

// Binary search needs sorted tables without duplicates; a pair mapping to itself is a fault.
TEST(CaseMapping, TablesAreSorted) {
    for (const auto pairs : {UpperCasePairs(), LowerCasePairs()}) {
        ASSERT_GT(pairs.size(), 1000u);
        for (std::size_t i = 0; i < pairs.size(); ++i) {
            EXPECT_TRUE((i == 0 || pairs[i - 1].from < pairs[i].from) &&
                        pairs[i].from != pairs[i].to)
                << i;
        }
    }
}

// The five bytes Windows-1252 leaves undefined stand for themselves, their neighbours do not;
// every other character has no byte.
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
    EXPECT_EQ(CharFromCodePage(0x9F), u'\u0178');
    for (std::uint32_t code = 0; code <= 0xFFFF; ++code) {
        ASSERT_TRUE(seen.contains(code) || CodePageFromChar(code) == kUnrepresentableByte) << code;
    }
}

} // namespace
} // namespace talmiron
