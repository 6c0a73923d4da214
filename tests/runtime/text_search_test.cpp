#include "runtime/text_search.h"

#include <gtest/gtest.h>

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

Text ObviousReplaceAll(const Text& text, const Text& pattern) {
    Text result;
    std::size_t from = 0;
    for (std::size_t hit; (hit = text.find(pattern, from)) != Text::npos;
         from = hit + pattern.size()) {
        result += text.substr(from, hit - from) + u'X';
    }
    return result + text.substr(from);
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
            if (!pattern.empty()) {
                ASSERT_EQ(ReplaceAll(text, pattern, u"X"), ObviousReplaceAll(text, pattern));
            }
        }
    }
}

} // namespace
} // namespace talmiron
