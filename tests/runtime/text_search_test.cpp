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
    for (std::size_t i = 0; i < texts.size(); ++i) {
        if (texts[i].size() < maxLength) {
            texts.push_back(texts[i] + u'a');
            texts.push_back(texts[i] + u'b');
        }
    }
    return texts;
}

Text NaiveReplace(const Text& text, const Text& find, const Text& with) {
    Text out;
    std::size_t i = 0;
    while (i < text.size()) {
        if (text.compare(i, find.size(), find) == 0) {
            out += with;
            i += find.size();
        } else {
            out += text[i++];
        }
    }
    return out;
}

// The matcher's fallbacks matter for self-overlapping patterns, which
// texts over two letters give plenty of.
TEST(TextSearch, AgreesWithTheObviousSearchOnAllShortTexts) {
    const auto texts = AllTexts(8);
    const auto patterns = AllTexts(4);
    for (const Text& text : texts) {
        for (const Text& pattern : patterns) {
            for (std::size_t from = 0; from <= text.size() + 1; ++from) {
                ASSERT_EQ(FindFirst(text, pattern, from), text.find(pattern, from))
                    << TextToUtf8(text) << " " << TextToUtf8(pattern) << " " << from;
            }
            ASSERT_EQ(FindLast(text, pattern), text.rfind(pattern))
                << TextToUtf8(text) << " " << TextToUtf8(pattern);
            if (!pattern.empty()) {
                ASSERT_EQ(ReplaceAll(text, pattern, u"X"), NaiveReplace(text, pattern, u"X"))
                    << TextToUtf8(text) << " " << TextToUtf8(pattern);
            }
        }
    }
}

TEST(TextSearch, LengthLimit) {
    EXPECT_EQ(CheckedTextLength(kMaxTextLength), kMaxTextLength);
    EXPECT_EQ(testing::FailureOf([] { CheckedTextLength(~std::uint64_t{0}); }), 14);
}

} // namespace
} // namespace talmiron
