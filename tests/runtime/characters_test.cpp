// The character tables: Unicode case mapping and the Windows-1252 code page.
#include "runtime/case_mapping.h"
#include "runtime/case_mapping_table.h"
#include "runtime/code_page.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <set>

namespace talmiron {
namespace {

// Characters a mistake of the table's generator would break first, and
// every character of the plane: mapping twice changes nothing more.
TEST(CaseMapping, SamplesAndMappingTwice) {
    const struct {
        char16_t c, upper, lower;
    } samples[] = {
        {u'\u00DF', u'\u00DF', u'\u00DF'}, {u'\u1E9E', u'\u1E9E', u'\u00DF'},
        {u'\u017F', u'S', u'\u017F'},      {u'\u0131', u'I', u'\u0131'},
        {u'\u0130', u'\u0130', u'i'},      {u'\u01C5', u'\u01C4', u'\u01C6'},
        {u'\u00B5', u'\u039C', u'\u00B5'}, {u'\u212A', u'\u212A', u'k'},
        {u'\u03C2', u'\u03A3', u'\u03C2'}, {u'\u03F4', u'\u03F4', u'\u03B8'},
        {u'\xD801', u'\xD801', u'\xD801'},
    };
    for (const auto& s : samples) {
        EXPECT_EQ(UpperCaseChar(s.c), s.upper) << std::hex << static_cast<int>(s.c);
        EXPECT_EQ(LowerCaseChar(s.c), s.lower) << std::hex << static_cast<int>(s.c);
    }
    for (std::uint32_t code = 0; code <= 0xFFFF; ++code) {
        const auto c = static_cast<char16_t>(code);
        ASSERT_EQ(UpperCaseChar(UpperCaseChar(c)), UpperCaseChar(c)) << std::hex << code;
        ASSERT_EQ(LowerCaseChar(LowerCaseChar(c)), LowerCaseChar(c)) << std::hex << code;
    }
}

// Lookups are by binary search, which needs the table sorted and free of
// duplicates; a pair that maps to itself would be a fault of the generator.
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
