// Random whole expressions of numbers, operators, signs, groups, numeric
// functions and symbols, for comparing what the builds make of them.
#pragma once

#include "component/symbols.h"
#include "runtime/text.h"
#include "tests/crossplatform/random_source.h"

namespace talmiron::crossplatform {

// The symbols the expressions name.
void AddCorpusSymbols(Symbols& symbols);

class ExpressionGenerator {
  public:
    explicit ExpressionGenerator(RandomSource& random) : random_(random) {}

    Text Next();

  private:
    void Sum(int depth);
    void Term(int depth);
    void Primary(int depth);
    void Call(int depth);
    void Literal();
    void Digits(std::int64_t low, std::int64_t high);
    void Put(std::u16string_view piece) { text_ += piece; }

    RandomSource& random_;
    Text text_;
};

} // namespace talmiron::crossplatform
