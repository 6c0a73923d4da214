// The Symbols collection as a host uses it, and what evaluations see of it.
#include "component/expression.h"
#include "component/symbol.h"
#include "component/symbols.h"
#include "runtime/failure.h"
#include "runtime/text.h"
#include "runtime/text_ops.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <limits>
#include <memory>
#include <string>
#include <vector>

namespace talmiron {
namespace {

constexpr EvaluationTypes kNumeric = EvaluationTypes_Numeric;
constexpr EvaluationTypes kString = EvaluationTypes_String;

// The names in collection order, as UTF-8.
std::vector<std::string> Names(const Symbols& symbols) {
    std::vector<std::string> names;
    for (const auto& symbol : symbols) {
        names.push_back(TextToUtf8(symbol->Name()));
    }
    return names;
}

struct Raised {
    std::int32_t number;
    std::string description;
};

// The failure an action raises; number 0 when it raises none.
Raised FailureOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const RuntimeFailure& failure) {
        return {failure.Number(), TextToUtf8(failure.Description())};
    }
    return {0, ""};
}

void ExpectFailure(const std::function<void()>& action, std::int32_t number,
                   const std::string& description) {
    const Raised raised = FailureOf(action);
    EXPECT_EQ(raised.number, number);
    EXPECT_EQ(raised.description, description);
}

const std::string kDuplicateKey =
    "This key is already associated with an element of this collection";
const std::string kSubscriptOutOfRange = "Subscript out of range";
const std::string kInvalidCall = "Invalid procedure call or argument";

TEST(SymbolsCollection, StartsEmptyAndIsTheSameObjectEveryTime) {
    Expression expression;
    const auto symbols = expression.Symbols();
    ASSERT_NE(symbols, nullptr);
    EXPECT_EQ(symbols->Count(), 0);
    EXPECT_EQ(expression.Symbols(), symbols);
    EXPECT_TRUE(symbols->begin() == symbols->end());
    Expression other;
    EXPECT_NE(other.Symbols(), symbols);
}

TEST(SymbolsCollection, KeepsInsertionOrder) {
    Expression expression;
    Symbols& symbols = *expression.Symbols();
    symbols.Add(u"x", kNumeric, u"1");
    symbols.Add(u"y", kString, u"two");
    symbols.Add(u"a", kNumeric, u"3");
    EXPECT_EQ(symbols.Count(), 3);
    EXPECT_EQ(Names(symbols), (std::vector<std::string>{"x", "y", "a"}));
    EXPECT_EQ(TextToUtf8(symbols.Item(1)->Name()), "x");
    EXPECT_EQ(TextToUtf8(symbols.Item(2)->Name()), "y");
    EXPECT_EQ(TextToUtf8(symbols.Item(3)->Name()), "a");
    EXPECT_EQ(TextToUtf8(symbols.Item(u"y")->Value()), "two");
    EXPECT_EQ(symbols.Item(u"y")->DataType(), kString);
}

TEST(SymbolsCollection, AddStoresItsArgumentsAsGiven) {
    Expression expression;
    Symbols& symbols = *expression.Symbols();
    const auto symbol = symbols.Add(u" Mixed Name ", 7, u" 1.50 ");
    EXPECT_EQ(TextToUtf8(symbol->Name()), " Mixed Name ");
    EXPECT_EQ(symbol->DataType(), 7);
    EXPECT_EQ(TextToUtf8(symbol->Value()), " 1.50 ");
    EXPECT_EQ(symbols.Item(u" mixed name "), symbol);
}

TEST(SymbolsCollection, AddReturnsTheObjectThatItemAndIterationGive) {
    Expression expression;
    Symbols& symbols = *expression.Symbols();
    const auto first = symbols.Add(u"First", kNumeric, u"1");
    const auto second = symbols.Add(u"Second", kString, u"b");
    EXPECT_EQ(symbols.Item(1), first);
    EXPECT_EQ(symbols.Item(2), second);
    EXPECT_EQ(symbols.Item(u"First"), first);
    EXPECT_EQ(symbols.Item(u"second"), second);
    std::vector<std::shared_ptr<Symbol>> walked(symbols.begin(), symbols.end());
    ASSERT_EQ(walked.size(), 2u);
    EXPECT_EQ(walked[0], first);
    EXPECT_EQ(walked[1], second);
    // A change through one reference is seen through the others.
    first->SetValue(u"changed");
    EXPECT_EQ(TextToUtf8(symbols.Item(1)->Value()), "changed");
}

TEST(SymbolsCollection, NamesMatchWithoutRegardToCase) {
    Expression expression;
    Symbols& symbols = *expression.Symbols();
    const auto rate = symbols.Add(u"Rate", kNumeric, u"0.5");
    EXPECT_EQ(symbols.Item(u"rate"), rate);
    EXPECT_EQ(symbols.Item(u"RATE"), rate);
    EXPECT_EQ(symbols.Item(u"rAtE"), rate);
    // The name keeps the spelling of Add.
    EXPECT_EQ(TextToUtf8(symbols.Item(u"RATE")->Name()), "Rate");
    const auto accented = symbols.Add(u"Étage", kNumeric, u"1");
    EXPECT_EQ(symbols.Item(u"étage"), accented);
    symbols.Remove(u"RATE");
    EXPECT_EQ(symbols.Count(), 1);
    EXPECT_EQ(Names(symbols), (std::vector<std::string>{"Étage"}));
}

TEST(SymbolsCollection, ADuplicateNameFailsAndChangesNothing) {
    Expression expression;
    Symbols& symbols = *expression.Symbols();
    const auto x = symbols.Add(u"x", kNumeric, u"1");
    symbols.Add(u"y", kNumeric, u"2");
    for (const Text& name : {Text(u"x"), Text(u"X"), Text(u"Y")}) {
        ExpectFailure([&] { symbols.Add(name, kString, u"other"); }, 457, kDuplicateKey);
        EXPECT_EQ(symbols.Count(), 2);
        EXPECT_EQ(Names(symbols), (std::vector<std::string>{"x", "y"}));
    }
    EXPECT_EQ(symbols.Item(u"x"), x);
    EXPECT_EQ(x->DataType(), kNumeric);
    EXPECT_EQ(TextToUtf8(x->Value()), "1");
    EXPECT_EQ(TextToUtf8(expression.Evaluate(u"X+Y")), "3");
    // The collection stays usable after the failure.
    symbols.Add(u"z", kNumeric, u"3");
    EXPECT_EQ(Names(symbols), (std::vector<std::string>{"x", "y", "z"}));
}

TEST(SymbolsCollection, PositionsOutsideTheCollectionFail) {
    Expression expression;
    Symbols& symbols = *expression.Symbols();
    ExpectFailure([&] { symbols.Item(1); }, 9, kSubscriptOutOfRange);
    ExpectFailure([&] { symbols.Remove(1); }, 9, kSubscriptOutOfRange);
    symbols.Add(u"x", kNumeric, u"1");
    symbols.Add(u"y", kNumeric, u"2");
    for (const std::int32_t position : {0, -1, 3, std::numeric_limits<std::int32_t>::min(),
                                        std::numeric_limits<std::int32_t>::max()}) {
        ExpectFailure([&] { symbols.Item(position); }, 9, kSubscriptOutOfRange);
        ExpectFailure([&] { symbols.Remove(position); }, 9, kSubscriptOutOfRange);
        EXPECT_EQ(symbols.Count(), 2) << position;
    }
    EXPECT_EQ(Names(symbols), (std::vector<std::string>{"x", "y"}));
}

TEST(SymbolsCollection, NamesThatAreNoKeyFail) {
    Expression expression;
    Symbols& symbols = *expression.Symbols();
    ExpectFailure([&] { symbols.Item(u"x"); }, 5, kInvalidCall);
    symbols.Add(u"x", kNumeric, u"1");
    for (const Text& name : {Text(u"y"), Text(u"x "), Text(u" x"), Text(u"")}) {
        ExpectFailure([&] { symbols.Item(name); }, 5, kInvalidCall);
        ExpectFailure([&] { symbols.Remove(name); }, 5, kInvalidCall);
    }
    EXPECT_EQ(symbols.Count(), 1);
}

TEST(SymbolsCollection, RemoveByPositionAndByName) {
    Expression expression;
    Symbols& symbols = *expression.Symbols();
    for (const Text& name : {Text(u"a"), Text(u"b"), Text(u"c"), Text(u"d")}) {
        symbols.Add(name, kNumeric, u"1");
    }
    symbols.Remove(2);
    EXPECT_EQ(Names(symbols), (std::vector<std::string>{"a", "c", "d"}));
    EXPECT_EQ(TextToUtf8(symbols.Item(2)->Name()), "c");
    symbols.Remove(u"D");
    EXPECT_EQ(Names(symbols), (std::vector<std::string>{"a", "c"}));
    symbols.Remove(1);
    EXPECT_EQ(Names(symbols), (std::vector<std::string>{"c"}));
    // A removed name can be added again; it goes to the end.
    symbols.Add(u"a", kString, u"again");
    EXPECT_EQ(Names(symbols), (std::vector<std::string>{"c", "a"}));
    EXPECT_EQ(symbols.Count(), 2);
}

// Many keys share slots of the key table; removals in any order must keep
// every other key findable and every position in order.
TEST(SymbolsCollection, ManyAddsAndRemovalsKeepKeysAndOrder) {
    Symbols symbols;
    std::vector<Text> model;
    std::uint32_t random = 12345;
    const auto next = [&random] { return random = random * 1664525 + 1013904223; };
    for (int round = 0; round < 3000; ++round) {
        if (model.empty() || next() % 3 != 0) {
            Text name = u"k" + AsciiToText(std::to_string(round));
            symbols.Add(name, kNumeric, u"1");
            model.push_back(name);
        } else {
            const std::size_t at = next() % model.size();
            if (next() % 2 == 0) {
                symbols.Remove(static_cast<std::int32_t>(at + 1));
            } else {
                symbols.Remove(UpperCase(model[at]));
            }
            model.erase(model.begin() + static_cast<std::ptrdiff_t>(at));
        }
    }
    ASSERT_EQ(symbols.Count(), static_cast<std::int32_t>(model.size()));
    for (std::size_t i = 0; i < model.size(); ++i) {
        EXPECT_EQ(symbols.Item(static_cast<std::int32_t>(i + 1))->Name(), model[i]);
        EXPECT_EQ(symbols.Find(model[i]), symbols.Item(static_cast<std::int32_t>(i + 1)).get());
    }
    EXPECT_EQ(symbols.Find(u"k3000"), nullptr);
}

TEST(SymbolsCollection, ClearEmptiesTheCollection) {
    Expression expression;
    Symbols& symbols = *expression.Symbols();
    symbols.Clear();
    EXPECT_EQ(symbols.Count(), 0);
    symbols.Add(u"a", kNumeric, u"1");
    symbols.Add(u"b", kNumeric, u"2");
    symbols.Clear();
    EXPECT_EQ(symbols.Count(), 0);
    EXPECT_TRUE(symbols.begin() == symbols.end());
    ExpectFailure([&] { symbols.Item(u"a"); }, 5, kInvalidCall);
    symbols.Add(u"a", kNumeric, u"3");
    EXPECT_EQ(TextToUtf8(expression.Evaluate(u"a")), "3");
}

TEST(SymbolsCollection, ARemovedSymbolKeepsItsFields) {
    Expression expression;
    Symbols& symbols = *expression.Symbols();
    const auto kept = symbols.Add(u"Kept", kString, u"value");
    const auto cleared = symbols.Add(u"Cleared", kNumeric, u"2");
    symbols.Remove(u"kept");
    EXPECT_EQ(TextToUtf8(kept->Name()), "Kept");
    EXPECT_EQ(kept->DataType(), kString);
    EXPECT_EQ(TextToUtf8(kept->Value()), "value");
    symbols.Clear();
    EXPECT_EQ(TextToUtf8(cleared->Name()), "Cleared");
    EXPECT_EQ(cleared->DataType(), kNumeric);
    EXPECT_EQ(TextToUtf8(cleared->Value()), "2");
    // And it is no longer part of any evaluation, even when changed.
    kept->SetValue(u"other");
    EXPECT_EQ(TextToUtf8(expression.Evaluate(u"Kept")),
              "1012 ERROR: Undefined symbol in expression: 'Kept'");
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
    EXPECT_EQ(TextToUtf8(symbol->Name()), "x");
    EXPECT_EQ(TextToUtf8(symbol->Value()), "1");
    // Still a valid collection.
    symbols->Add(u"x", kString, u"again");
    EXPECT_EQ(symbols->Count(), 1);
}

TEST(SymbolsCollection, DataTypeTakesAnyValue) {
    Expression expression;
    Symbols& symbols = *expression.Symbols();
    const std::int32_t values[] = {0,
                                   1,
                                   2,
                                   3,
                                   7,
                                   -1,
                                   std::numeric_limits<std::int32_t>::min(),
                                   std::numeric_limits<std::int32_t>::max()};
    for (const std::int32_t value : values) {
        const Text name = u"s" + AsciiToText(std::to_string(value));
        const auto symbol = symbols.Add(name, value, u"v");
        EXPECT_EQ(symbol->DataType(), value);
        EXPECT_EQ(symbols.Item(name)->DataType(), value);
        symbol->SetDataType(7);
        EXPECT_EQ(symbol->DataType(), 7);
        symbol->SetDataType(value);
        EXPECT_EQ(symbol->DataType(), value);
    }
    // Such a data type is the state of the symbol's value.
    EvaluationStates state = EvaluationStates_None;
    EXPECT_EQ(TextToUtf8(expression.Evaluate(u"s2147483647", &state)), "v");
    EXPECT_EQ(state, std::numeric_limits<std::int32_t>::max());
}

TEST(SymbolsCollection, EvaluationsSeeTheCurrentContent) {
    Expression expression;
    Symbols& symbols = *expression.Symbols();
    EXPECT_EQ(TextToUtf8(expression.Evaluate(u"x*2")),
              "1012 ERROR: Undefined symbol in expression: 'x'");
    const auto x = symbols.Add(u"x", kNumeric, u"21");
    EXPECT_EQ(TextToUtf8(expression.Evaluate(u"x*2")), "42");
    x->SetValue(u"5");
    EXPECT_EQ(TextToUtf8(expression.Evaluate(u"x*2")), "10");
    x->SetDataType(kString);
    EXPECT_EQ(TextToUtf8(expression.Evaluate(u"x+x")), "55");
    EXPECT_EQ(expression.State(), EvaluationStates_String);
    symbols.Remove(1);
    EXPECT_EQ(TextToUtf8(expression.Evaluate(u"x")),
              "1012 ERROR: Undefined symbol in expression: 'x'");
    symbols.Add(u"X", kNumeric, u"1");
    EXPECT_EQ(TextToUtf8(expression.Evaluate(u"x")), "1");
    symbols.Clear();
    EXPECT_EQ(TextToUtf8(expression.Evaluate(u"x")),
              "1012 ERROR: Undefined symbol in expression: 'x'");
}

} // namespace
} // namespace talmiron
