#include "runtime/case_mapping.h"
#include "runtime/case_mapping_table.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace talmiron {
namespace {

// Characters a mistake of the table's generator would break first.
TEST(CaseMapping, Samples) {
    const struct {
        char16_t c, upper, lower;
    } samples[] = {
        {u'\u00DF', u'\u00DF', u'\u00DF'}, {u'\u1E9E', u'\u1E9E', u'\u00DF'},
        {u'\u017F', u'S', u'\u017F'},      {u'\u0131', u'I', u'\u0131'},
        {u'\u0130', u'\u0130', u'i'},      {u'\u01C5', u'\u01C4', u'\u01C6'},
        {u'\u00B5', u'\u039C', u'\u00B5'}, {u'\u212A', u'\u212A', u'k'},
        {u'\u03C2', u'\u03A3', u'\u03C2'}, {u'\u03F4', u'\u03F4', u'\u03B8'},
        {u'\xD801', u'\xD801', u'\xD801'}, {u'\uFF41', u'\uFF21', u'\uFF41'},
    };
    for (const auto& s : samples) {
        EXPECT_EQ(static_cast<int>(UpperCaseChar(s.c)), static_cast<int>(s.upper))
            << std::hex << static_cast<int>(s.c);
        EXPECT_EQ(static_cast<int>(LowerCaseChar(s.c)), static_cast<int>(s.lower))
            << std::hex << static_cast<int>(s.c);
    }
}

// Lookups are by binary search, which needs the table sorted and free of
// duplicates; a pair that maps to itself or touches a surrogate would be a
// fault of the generator.
TEST(CaseMapping, TablesAreSortedAndStayInThePlane) {
    for (const auto pairs : {UpperCasePairs(), LowerCasePairs()}) {
        ASSERT_GT(pairs.size(), 1000u);
        for (std::size_t i = 0; i < pairs.size(); ++i) {
            if (i > 0) {
                EXPECT_LT(pairs[i - 1].from, pairs[i].from);
            }
            EXPECT_NE(pairs[i].from, pairs[i].to);
            for (const char16_t c : {pairs[i].from, pairs[i].to}) {
                EXPECT_FALSE(c >= 0xD800 && c <= 0xDFFF) << std::hex << static_cast<int>(c);
            }
        }
    }
}

TEST(CaseMapping, MappingTwiceChangesNothingMore) {
    for (std::uint32_t code = 0; code <= 0xFFFF; ++code) {
        const auto c = static_cast<char16_t>(code);
        ASSERT_EQ(UpperCaseChar(UpperCaseChar(c)), UpperCaseChar(c)) << std::hex << code;
        ASSERT_EQ(LowerCaseChar(LowerCaseChar(c)), LowerCaseChar(c)) << std::hex << code;
    }
}

} // namespace
} // namespace talmiron
