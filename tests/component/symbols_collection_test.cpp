// The Symbols collection as a host uses it, and what evaluations see of it.
#include "component/expression.h"
#include "component/symbol.h"
#include "component/symbols.h"
#include "runtime/failure.h"
#include "runtime/text.h"
#include "runtime/text_ops.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <limits>
#include <memory>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace talmiron {
namespace {

constexpr EvaluationTypes kNumeric = EvaluationTypes_Numeric;
constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();

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
const std::pair<std::int32_t, std::string> kSubscriptOutOfRange{9, "Subscript out of range"};
const std::pair<std::int32_t, std::string> kInvalidCall{5, "Invalid procedure call or argument"};

// Random Add, Item, Remove and Clear against a list of distinct names. The
// collection grows to about a thousand, so many keys share slots of the key
// table and removals in any order must keep every other key findable.
TEST(SymbolsCollection, BehavesAsAListOfNamesInAnyCase) {
    Expression expression;
    Symbols& symbols = *expression.Symbols();
    EXPECT_EQ(expression.Symbols().get(), &symbols);
    std::vector<std::shared_ptr<Symbol>> model;
    std::mt19937 random(12345);
    auto pick = [&](std::size_t n) { return static_cast<std::size_t>(random() % n); };
    auto respell = [&](const Text& name) {
        const std::size_t how = pick(3);
        return how == 0 ? name : how == 1 ? UpperCase(name) : LowerCase(name);
    };
    auto find = [&](const Text& name) {
        for (std::size_t i = 0; i < model.size(); ++i) {
            if (UpperCase(model[i]->Name()) == UpperCase(name)) {
                return i;
            }
        }
        return model.size();
    };
    auto expectUnchanged = [&](const std::function<void()>& action, const auto& failure) {
        const std::size_t count = model.size();
        EXPECT_EQ(Raised(action), failure);
        ASSERT_EQ(symbols.Count(), static_cast<std::int32_t>(count));
    };
    for (int step = 0; step < 8000; ++step) {
        if (step == 2500) {
            symbols.Clear();
            model.clear();
            ASSERT_TRUE(symbols.begin() == symbols.end());
        }
        const std::size_t n = pick(2000);
        const Text name = respell(AsciiToText(std::to_string(n)).insert(0, n % 7 ? u"k" : u"é"));
        const std::size_t at = find(name);
        const auto position = static_cast<std::int32_t>(at + 1);
        const std::size_t what = model.empty() ? 0 : pick(20);
        if (what < 9 && at == model.size()) {
            model.push_back(symbols.Add(name, kNumeric, AsciiToText(std::to_string(n))));
            ASSERT_EQ(model.back()->Name(), name); // kept as spelled
        } else if (what < 9) {
            expectUnchanged([&] { symbols.Add(name, EvaluationTypes_String, u"x"); },
                            kDuplicateKey);
        } else if (what < 14 && at < model.size()) {
            pick(2) != 0 ? symbols.Remove(name) : symbols.Remove(position);
            model.erase(model.begin() + static_cast<std::ptrdiff_t>(at));
        } else if (what < 14) {
            expectUnchanged([&] { symbols.Remove(name); }, kInvalidCall);
            expectUnchanged([&] { symbols.Item(name); }, kInvalidCall);
        } else if (what < 18 && at < model.size()) {
            ASSERT_EQ(symbols.Item(name), model[at]);
            ASSERT_EQ(symbols.Item(position), model[at]);
            if (name[0] != u'é' && name[0] != u'É') {
                ASSERT_EQ(expression.Evaluate(name), AsciiToText(std::to_string(n)));
            }
            expectUnchanged([&] { symbols.Item(name + u" "); }, kInvalidCall);
            expectUnchanged([&] { symbols.Remove(u" " + name); }, kInvalidCall);
        } else {
            const auto count = static_cast<std::int32_t>(model.size());
            for (const std::int32_t bad : {0, -1, count + 1, kMin, kMax}) {
                expectUnchanged([&] { symbols.Item(bad); }, kSubscriptOutOfRange);
                expectUnchanged([&] { symbols.Remove(bad); }, kSubscriptOutOfRange);
            }
            ASSERT_TRUE(std::equal(symbols.begin(), symbols.end(), model.begin(), model.end()));
        }
        ASSERT_EQ(symbols.Count(), static_cast<std::int32_t>(model.size()));
    }
    EXPECT_GT(model.size(), 500u);
}

TEST(SymbolsCollection, EvaluationsSeeTheCurrentContent) {
    Expression expression;
    Symbols& symbols = *expression.Symbols();
    const Text undefined = u"1012 ERROR: Undefined symbol in expression: 'x'";
    EXPECT_EQ(expression.Evaluate(u"x*2"), undefined);
    const auto x = symbols.Add(u"x", kNumeric, u"21");
    EXPECT_EQ(expression.Evaluate(u"x*2"), u"42");
    x->SetValue(u"5");
    x->SetDataType(EvaluationTypes_String);
    EXPECT_EQ(expression.Evaluate(u"x+x"), u"55");
    EXPECT_EQ(expression.State(), EvaluationStates_String);
    // Any data type is the state of the symbol's value.
    symbols.Add(u"y", kMax, u"v");
    symbols.Add(u"z", kMin, u"w");
    EvaluationStates state = EvaluationStates_None;
    EXPECT_EQ(expression.Evaluate(u"y", &state), u"v");
    EXPECT_EQ(state, kMax);
    EXPECT_EQ(symbols.Item(u"Z")->DataType(), kMin);
    // A removed symbol keeps its fields but is no longer part of any evaluation.
    symbols.Remove(1);
    x->SetValue(u"6");
    EXPECT_EQ(expression.Evaluate(u"x"), undefined);
    EXPECT_EQ(x->Name(), u"x");
    EXPECT_EQ(x->DataType(), EvaluationTypes_String);
    symbols.Add(u"X", kNumeric, u"1");
    EXPECT_EQ(expression.Evaluate(u"x"), u"1");
    const auto y = symbols.Item(u"y");
    symbols.Clear();
    EXPECT_EQ(expression.Evaluate(u"x"), undefined);
    EXPECT_EQ(y->Value(), u"v");
    EXPECT_EQ(y->DataType(), kMax);
}

TEST(SymbolsCollection, OutlivesItsExpressionEmpty) {
    std::shared_ptr<Symbols> symbols;
    std::shared_ptr<Symbol> symbol;
    {
        Expression expression;
        symbols = expression.Symbols();
        symbol = symbols->Add(u"x", kNumeric, u"1");
        symbols->Add(u"y", kNumeric, u"2");
    }
    EXPECT_EQ(symbols->Count(), 0);
    EXPECT_TRUE(symbols->begin() == symbols->end());
    EXPECT_EQ(symbol->Value(), u"1");
    symbols->Add(u"x", EvaluationTypes_String, u"again"); // still a valid collection
    EXPECT_EQ(symbols->Count(), 1);
}

} // namespace
} // namespace talmiron
