#include "runtime/text_search.h"

#include <gtest/gtest.h>

#include <regex>
#include <vector>

namespace talmiron {
namespace {

std::vector<Text> AllTexts(std::size_t maxLength) {
    std::vector<Text> texts{Text()};
    for (std::size_t i = 0; texts[i].size() < maxLength; ++i) {
        texts.push_back(texts[i] + u'a');
        texts.push_back(texts[i] + u'b');
    }
    return texts;
}

// Texts over two letters give plenty of the self-overlapping patterns the matcher must handle.
TEST(TextSearch, AgreesWithTheObviousSearchOnAllShortTexts) {
    for (const Text& text : AllTexts(8)) {
        for (const Text& pattern : AllTexts(4)) {
            SCOPED_TRACE(TextToUtf8(text + u" " + pattern));
            for (std::size_t from = 0; from <= text.size() + 1; ++from) {
                ASSERT_EQ(FindFirst(text, pattern, from), text.find(pattern, from)) << from;
            }
            ASSERT_EQ(FindLast(text, pattern), text.rfind(pattern));
            const std::regex find(TextToUtf8(pattern));
            ASSERT_TRUE(pattern.empty() || TextToUtf8(ReplaceAll(text, pattern, u"X")) ==
                                               std::regex_replace(TextToUtf8(text), find, "X"));
        }
    }
}

} // namespace
} // namespace talmiron
