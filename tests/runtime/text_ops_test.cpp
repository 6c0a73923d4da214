#include "runtime/text_ops.h"

#include <gtest/gtest.h>

namespace talmiron {
namespace {

TEST(TextOps, TrimRemovesOnlyBlanksAndUpperCaseMapsEachCharacter) {
    const std::pair<Text, Text> trims[] = {
        {u"", u""},
        {u"   ", u""},
        {u"  a b  ", u"a b"},
        {u"\ta\t", u"\ta\t"},
        {u" \t x \n ", u"\t x \n"},
        {u"\u00A0x\u3000", u"\u00A0x\u3000"},
    };
    for (const auto& [text, trimmed] : trims) {
        EXPECT_EQ(Trim(text), trimmed);
        EXPECT_EQ(TrimView(text), trimmed);
    }
    EXPECT_EQ(UpperCase(u"abcxyz ABC 09 @[`{"), u"ABCXYZ ABC 09 @[`{");
    EXPECT_EQ(UpperCase(u"\u00E9\u00DF\u0131\uFF41"), u"\u00C9\u00DFI\uFF21");
}

} // namespace
} // namespace talmiron
