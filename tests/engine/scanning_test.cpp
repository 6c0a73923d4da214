// The index answers what a scan of the view itself finds; the lexical tests, where no formula aims.
#include "engine/lexical.h"
#include "engine/text_index.h"
#include "runtime/text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace talmiron {
namespace {

// What a scan from view[i] finds, counting quotes from the view's start.
std::size_t ScannedEnd(TextView view, std::size_t i) {
    if (view[i] == u'\'') {
        const std::size_t close = view.find(u'\'', i + 1);
        return close == TextView::npos ? view.size() - 1 : close;
    }
    for (std::size_t j = i + 1, depth = 0; j < view.size(); ++j) {
        if (view[j] == u'\'') {
            j = std::min(view.find(u'\'', j + 1), view.size());
        } else if (view[j] == u'(') {
            ++depth;
        } else if (view[j] == u')' && depth-- == 0) {
            return j;
        }
    }
    return TextView::npos;
}

TEST(TextIndex, EveryViewAgreesWithAScanOfItsOwn) {
    std::mt19937 random(11);
    for (int round = 0; round < 300; ++round) {
        Text text(random() % 24, u'x');
        for (char16_t& c : text) {
            c = u"()'x"[random() % 4];
        }
        const TextIndex index(text);
        for (std::size_t begin = 0; begin <= text.size(); ++begin) {
            for (std::size_t end = begin; end <= text.size(); ++end) {
                const TextView view = TextView(text).substr(begin, end - begin);
                SCOPED_TRACE(TextToUtf8(text) + " " + std::to_string(begin));
                // Only positions outside the view's literals are asked about.
                for (std::size_t i = 0, quotes = 0; i < view.size(); quotes += view[i++] == u'\'') {
                    if (quotes % 2 == 0 && view[i] == u'(') {
                        EXPECT_EQ(index.GroupEnd(view, i), ScannedEnd(view, i)) << i;
                    } else if (quotes % 2 == 0 && view[i] == u'\'') {
                        EXPECT_EQ(index.LiteralEnd(view, i), ScannedEnd(view, i)) << i;
                    }
                }
            }
        }
    }
}

TEST(Lexical, EdgesOfLiteralsAndNames) {
    const TextView text = u"'a+b'+c"; // the quotes at 1 and 5 count for the places after them
    EXPECT_TRUE(!InsideLiteral(text, 1) && InsideLiteral(text, 5) && !InsideLiteral(text, 6) &&
                !InsideLiteral(text, 8) && !InsideLiteral(text, 0));
    EXPECT_TRUE(IsNameChar(u"") && !IsNameChar(u"`") && !IsNameChar(u"["));
}

} // namespace
} // namespace talmiron
