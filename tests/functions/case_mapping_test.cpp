#include "runtime/case_mapping.h"
#include "runtime/case_mapping_table.h"
#include "runtime/text_ops.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace talmiron {
namespace {

struct CaseSample {
    char16_t c;
    char16_t upper;
    char16_t lower;
};

TEST(CaseMapping, SamplesOfEachScript) {
    const CaseSample samples[] = {
        // ASCII
        {u'a', u'A', u'a'},
        {u'Z', u'Z', u'z'},
        {u'@', u'@', u'@'},
        {u'[', u'[', u'['},
        {u'`', u'`', u'`'},
        {u'{', u'{', u'{'},
        {u'5', u'5', u'5'},
        // Latin-1
        {u'\u00E9', u'\u00C9', u'\u00E9'},
        {u'\u00C0', u'\u00C0', u'\u00E0'},
        {u'\u00FF', u'\u0178', u'\u00FF'},
        {u'\u00B5', u'\u039C', u'\u00B5'},
        {u'\u00DF', u'\u00DF', u'\u00DF'},
        {u'\u00D7', u'\u00D7', u'\u00D7'},
        {u'\u00F7', u'\u00F7', u'\u00F7'},
        {u'\u00AA', u'\u00AA', u'\u00AA'},
        // Latin Extended-A
        {u'\u0101', u'\u0100', u'\u0101'},
        {u'\u0100', u'\u0100', u'\u0101'},
        {u'\u0131', u'I', u'\u0131'},
        {u'\u0130', u'\u0130', u'i'},
        {u'\u017F', u'S', u'\u017F'},
        {u'\u017D', u'\u017D', u'\u017E'},
        {u'\u0149', u'\u0149', u'\u0149'},
        {u'\u0138', u'\u0138', u'\u0138'},
        // Latin Extended-B
        {u'\u0180', u'\u0243', u'\u0180'},
        {u'\u01C4', u'\u01C4', u'\u01C6'},
        {u'\u01C5', u'\u01C4', u'\u01C6'},
        {u'\u01C6', u'\u01C4', u'\u01C6'},
        {u'\u023F', u'\u2C7E', u'\u023F'},
        {u'\u0220', u'\u0220', u'\u019E'},
        // Greek
        {u'\u03B1', u'\u0391', u'\u03B1'},
        {u'\u03A9', u'\u03A9', u'\u03C9'},
        {u'\u03C2', u'\u03A3', u'\u03C2'},
        {u'\u03A3', u'\u03A3', u'\u03C3'},
        {u'\u03AC', u'\u0386', u'\u03AC'},
        {u'\u0390', u'\u0390', u'\u0390'},
        {u'\u03F4', u'\u03F4', u'\u03B8'},
        // Cyrillic
        {u'\u044F', u'\u042F', u'\u044F'},
        {u'\u0401', u'\u0401', u'\u0451'},
        {u'\u0450', u'\u0400', u'\u0450'},
        {u'\u04CF', u'\u04C0', u'\u04CF'},
        // Elsewhere in the plane
        {u'\u0561', u'\u0531', u'\u0561'},
        {u'\u10D0', u'\u1C90', u'\u10D0'},
        {u'\u1E9E', u'\u1E9E', u'\u00DF'},
        {u'\u212A', u'\u212A', u'k'},
        {u'\uA7AE', u'\uA7AE', u'\u026A'},
        {u'\uFF41', u'\uFF21', u'\uFF41'},
        {u'\u4E00', u'\u4E00', u'\u4E00'},
        // Surrogates stay, also those of letters with a case.
        {u'\xD801', u'\xD801', u'\xD801'},
        {u'\xDC28', u'\xDC28', u'\xDC28'},
        {u'\xFFFF', u'\xFFFF', u'\xFFFF'},
    };
    for (const CaseSample& s : samples) {
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

TEST(CaseMapping, TextsKeepTheirLength) {
    const Text mixed = u"Stra\u00DFe \u0130stanbul \u01C5 \u03A3\u03BF\u03C6\u03AF\u03B1 "
                       u"\u041C\u043E\u0441\u043A\u0432\u0430 \xD83D\xDE00 \xDC00";
    const Text upper = UpperCase(mixed);
    const Text lower = LowerCase(mixed);
    EXPECT_EQ(upper, u"STRA\u00DFE \u0130STANBUL \u01C4 \u03A3\u039F\u03A6\u038A\u0391 "
                     u"\u041C\u041E\u0421\u041A\u0412\u0410 \xD83D\xDE00 \xDC00");
    EXPECT_EQ(lower, u"stra\u00DFe istanbul \u01C6 \u03C3\u03BF\u03C6\u03AF\u03B1 "
                     u"\u043C\u043E\u0441\u043A\u0432\u0430 \xD83D\xDE00 \xDC00");
    EXPECT_EQ(UpperCase(u"instrRev"), u"INSTRREV");
    EXPECT_EQ(LowerCase(u""), u"");
}

} // namespace
} // namespace talmiron
