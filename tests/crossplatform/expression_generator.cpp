#include "tests/crossplatform/expression_generator.h"

#include "engine/evaluation_states.h"

#include <array>

namespace talmiron::crossplatform {

namespace {

constexpr int kMaxDepth = 3;

struct SymbolValue {
    std::u16string_view name;
    std::u16string_view value;
};

constexpr std::array<SymbolValue, 5> kSymbols{{
    {u"x", u"0.1"},
    {u"y", u"-2.5"},
    {u"big", u"123456789012.345"},
    {u"tiny", u"0.000000314159265358979"},
    {u"n", u"7"},
}};

constexpr std::array<std::u16string_view, 13> kUnaryFunctions{
    u"SIN", u"COS", u"TAN", u"ATN",    u"EXP",    u"LOG", u"SQR",
    u"ABS", u"INT", u"SGN", u"ARCSIN", u"ARCCOS", u"VAL"};

// A power half as often as each of the others: most powers of random
// operands overflow.
constexpr std::array<std::u16string_view, 9> kOperators{u" + ", u" - ", u" * ", u" / ", u" + ",
                                                        u" - ", u" * ", u" / ", u" ^ "};

} // namespace

void AddCorpusSymbols(Symbols& symbols) {
    for (const auto& symbol : kSymbols) {
        symbols.Add(Text(symbol.name), EvaluationTypes_Numeric, Text(symbol.value));
    }
}

Text ExpressionGenerator::Next() {
    text_.clear();
    Sum(0);
    return text_;
}

void ExpressionGenerator::Sum(int depth) {
    Term(depth);
    for (auto more = random_.Below(3); more > 0; --more) {
        Put(kOperators[random_.Below(kOperators.size())]);
        Term(depth);
    }
}

void ExpressionGenerator::Term(int depth) {
    switch (random_.Below(6)) {
    case 0:
        Put(u"-");
        break;
    case 1:
        Put(u"+");
        break;
    default:
        break;
    }
    Primary(depth);
}

void ExpressionGenerator::Primary(int depth) {
    const auto choice = depth < kMaxDepth ? random_.Below(10) : random_.Below(6);
    if (choice < 5) {
        Literal();
    } else if (choice < 6) {
        Put(kSymbols[random_.Below(kSymbols.size())].name);
    } else if (choice < 7) {
        Put(u"(");
        Sum(depth + 1);
        Put(u")");
    } else {
        Call(depth + 1);
    }
}

void ExpressionGenerator::Call(int depth) {
    const auto pick = random_.Below(kUnaryFunctions.size() + 1);
    if (pick == kUnaryFunctions.size()) {
        Put(u"ROUND(");
        Sum(depth);
        Put(u", ");
        Digits(0, 12);
        Put(u")");
        return;
    }
    const auto name = kUnaryFunctions[pick];
    Put(name);
    Put(u"(");
    if (name == u"VAL") {
        // The reader's own grammar, exponents included, inside a string.
        Put(u"'");
        Literal();
        if (random_.Coin()) {
            Put(random_.Coin() ? u"E" : u"e-");
            Digits(0, 330);
        }
        Put(u"'");
    } else {
        Sum(depth);
    }
    Put(u")");
}

// Up to 17 significant digits, so that the reader's rounding is exercised.
void ExpressionGenerator::Literal() {
    switch (random_.Below(4)) {
    case 0:
        Digits(0, 100);
        break;
    case 1:
        Digits(0, 999);
        Put(u".");
        Digits(0, 99'999'999'999'999);
        break;
    case 2:
        Put(u"0.");
        for (auto zeros = random_.Below(12); zeros > 0; --zeros) {
            Put(u"0");
        }
        Digits(1, 99'999'999'999'999'999);
        break;
    default:
        Digits(0, 9'999'999);
        Put(u".");
        Digits(0, 9'999'999'999);
        break;
    }
}

void ExpressionGenerator::Digits(std::int64_t low, std::int64_t high) {
    auto value = static_cast<std::uint64_t>(random_.Between(low, high));
    char16_t digits[20];
    std::size_t count = 0;
    do {
        digits[count++] = static_cast<char16_t>(u'0' + value % 10);
        value /= 10;
    } while (value != 0);
    while (count > 0) {
        text_ += digits[--count];
    }
}

} // namespace talmiron::crossplatform
