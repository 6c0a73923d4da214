// The Symbols collection as a host uses it, and what evaluations see of it.
#include "component/expression.h"
#include "runtime/failure.h"
#include "runtime/text_ops.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <random>
#include <string>

namespace talmiron {
namespace {

constexpr EvaluationTypes kNumeric = EvaluationTypes_Numeric;

// The number and description an action raises, or 0 and "" when it raises none.
std::pair<std::int32_t, std::string> Raised(const std::function<void()>& action) {
    try {
        action();
    } catch (const RuntimeFailure& failure) {
        return {failure.Number(), TextToUtf8(failure.Description())};
    }
    return {0, ""};
}

const std::pair<std::int32_t, std::string> kDuplicateKey{
    457, "This key is already associated with an element of this collection"};
const std::pair<std::int32_t, std::string> kOutOfRange{9, "Subscript out of range"};
const std::pair<std::int32_t, std::string> kInvalidCall{5, "Invalid procedure call or argument"};

// Random calls against a list of names, about a thousand of them, so that
// removals in any order meet keys sharing slots. A failed call changes nothing.
TEST(SymbolsCollection, BehavesAsAListOfNamesInAnyCase) {
    Expression expression;
    Symbols& symbols = *expression.Symbols();
    std::vector<std::shared_ptr<Symbol>> model;
    std::mt19937 random(12345);
    auto pick = [&](std::size_t n) { return static_cast<std::size_t>(random() % n); };
    for (int step = 0; step < 8000; ++step) {
        if (step == 2500) {
            symbols.Clear();
            model.clear();
        }
        const std::size_t n = pick(2000);
        Text name = AsciiToText(std::to_string(n)).insert(0, n % 7 ? u"k" : u"é");
        name = pick(3) == 0 ? name : pick(2) == 0 ? UpperCase(name) : LowerCase(name);
        const auto at = static_cast<std::size_t>(
            std::ranges::find(model, UpperCase(name),
                              [](auto& s) { return UpperCase(s->Name()); }) -
            model.begin());
        const auto position = static_cast<std::int32_t>(at + 1);
        const std::size_t what = model.empty() ? 0 : pick(20);
        if (what < 9 && at == model.size()) {
            model.push_back(symbols.Add(name, kNumeric, AsciiToText(std::to_string(n))));
            ASSERT_EQ(model.back()->Name(), name); // kept as spelled
        } else if (what < 9) {
            EXPECT_EQ(Raised([&] { symbols.Add(name, EvaluationTypes_String, u"x"); }),
                      kDuplicateKey);
        } else if (what < 14 && at < model.size()) {
            pick(2) != 0 ? symbols.Remove(name) : symbols.Remove(position);
            model.erase(model.begin() + static_cast<std::ptrdiff_t>(at));
        } else if (what < 14) {
            EXPECT_EQ(Raised([&] { symbols.Remove(name); }), kInvalidCall);
            EXPECT_EQ(Raised([&] { symbols.Item(name); }), kInvalidCall);
        } else if (what < 18 && at < model.size()) {
            ASSERT_EQ(symbols.Item(name), model[at]);
            ASSERT_EQ(symbols.Item(position), model[at]);
            if (n % 7 != 0) {
                ASSERT_EQ(expression.Evaluate(name), AsciiToText(std::to_string(n)));
            }
            EXPECT_EQ(Raised([&] { symbols.Item(name + u" "); }), kInvalidCall);
            EXPECT_EQ(Raised([&] { symbols.Remove(u" " + name); }), kInvalidCall);
        } else {
            const auto count = static_cast<std::int32_t>(model.size());
            for (const std::int32_t bad : {0, -1, count + 1, INT32_MIN, INT32_MAX}) {
                EXPECT_EQ(Raised([&] { symbols.Item(bad); }), kOutOfRange);
                EXPECT_EQ(Raised([&] { symbols.Remove(bad); }), kOutOfRange);
            }
            ASSERT_TRUE(std::equal(symbols.begin(), symbols.end(), model.begin(), model.end()));
            ASSERT_TRUE(count == 0 || symbols.Item(count) == model.back());
        }
        ASSERT_EQ(symbols.Count(), static_cast<std::int32_t>(model.size()));
    }
    EXPECT_GT(model.size(), 500u);
}

// Any data type is the state of a symbol's value; a removed symbol keeps its
// fields; the collection outlives its expression, emptied.
TEST(SymbolsCollection, EvaluationsSeeTheCurrentContentWhileTheExpressionLives) {
    std::shared_ptr<Symbols> kept;
    std::shared_ptr<Symbol> x;
    {
        Expression expression;
        Symbols& symbols = *expression.Symbols();
        x = symbols.Add(u"x", kNumeric, u"21");
        EXPECT_EQ(expression.Evaluate(u"x*2"), u"42");
        x->SetValue(u"5");
        x->SetDataType(EvaluationTypes_String);
        EXPECT_EQ(expression.Evaluate(u"x+x"), u"55");
        symbols.Add(u"y", INT32_MIN, u"v");
        EXPECT_EQ(expression.Evaluate(u"Y"), u"v");
        EXPECT_EQ(expression.State(), INT32_MIN);
        symbols.Remove(1);
        x->SetValue(u"6");
        EXPECT_EQ(expression.Evaluate(u"x"), u"1012 ERROR: Undefined symbol in expression: 'x'");
        symbols.Add(u"X", kNumeric, u"1");
        EXPECT_EQ(expression.Evaluate(u"x"), u"1");
        kept = expression.Symbols();
    }
    EXPECT_TRUE(kept->Count() == 0 && kept->begin() == kept->end());
    EXPECT_TRUE(x->Name() == u"x" && x->Value() == u"6" && x->DataType() == EvaluationTypes_String);
    kept->Add(u"x", EvaluationTypes_String, u"again");
    EXPECT_EQ(kept->Count(), 1);
}

} // namespace
} // namespace talmiron
