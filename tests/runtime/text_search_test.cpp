#include "runtime/text_limit.h"
#include "runtime/text_search.h"
#include "tests/test_support.h"

#include <gtest/gtest.h>

#include <vector>

namespace talmiron {
namespace {

// Every text over {a, b} up to the given length.
std::vector<Text> AllTexts(std::size_t maxLength) {
    std::vector<Text> texts{Text()};
    for (std::size_t i = 0; texts[i].size() < maxLength; ++i) {
        texts.push_back(texts[i] + u'a');
        texts.push_back(texts[i] + u'b');
    }
    return texts;
}

Text NaiveReplace(const Text& text, const Text& find) {
    Text out;
    for (std::size_t i = 0; i < text.size();) {
        const bool match = text.compare(i, find.size(), find) == 0;
        out += match ? Text(u"X") : text.substr(i, 1);
        i += match ? find.size() : 1;
    }
    return out;
}

// The matcher's fallbacks matter for self-overlapping patterns, which
// texts over two letters give plenty of.
TEST(TextSearch, AgreesWithTheObviousSearchOnAllShortTexts) {
    for (const Text& text : AllTexts(8)) {
        for (const Text& pattern : AllTexts(4)) {
            SCOPED_TRACE(TextToUtf8(text + u" " + pattern));
            for (std::size_t from = 0; from <= text.size() + 1; ++from) {
                ASSERT_EQ(FindFirst(text, pattern, from), text.find(pattern, from)) << from;
            }
            ASSERT_EQ(FindLast(text, pattern), text.rfind(pattern));
            ASSERT_TRUE(pattern.empty() ||
                        ReplaceAll(text, pattern, u"X") == NaiveReplace(text, pattern));
        }
    }
}

TEST(TextSearch, LengthLimit) {
    EXPECT_EQ(CheckedTextLength(kMaxTextLength), kMaxTextLength);
    EXPECT_EQ(testing::FailureOf([] { CheckedTextLength(~std::uint64_t{0}); }), 14);
}

} // namespace
} // namespace talmiron
