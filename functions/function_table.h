// The 49 built-in functions: name, exact argument count, the type of each
// argument and the type of the result. Names match without regard to case.
#pragma once

#include "engine/evaluation_states.h"
#include "functions/computation.h"
#include "runtime/text.h"

#include <array>
#include <cstdint>
#include <vector>

namespace talmiron {

struct FunctionDef {
    Text Name;
    std::vector<EvaluationTypes> ArgTypes;
    std::int32_t ArgCount = 0;
    std::int32_t ReturnType = 0;
};

inline constexpr std::size_t kFunctionCount = 49;
// The most arguments any function takes.
inline constexpr std::size_t kMaxArguments = 3;

class FunctionTable {
  public:
    // Fills all rows in table order.
    FunctionTable();

    const FunctionDef& Row(std::size_t index) const { return rows_.at(index); }
    // The first row, in index order, whose upper-case name equals the
    // upper-case of name; null for an unknown function.
    const FunctionDef* Lookup(TextView name) const;
    // The computation of a row of this table, found when the table was made.
    Computation ComputationOf(const FunctionDef& row) const noexcept {
        return computations_[static_cast<std::size_t>(&row - rows_.data())];
    }

  private:
    std::array<FunctionDef, kFunctionCount> rows_;
    std::array<Text, kFunctionCount> upperNames_;
    std::array<Computation, kFunctionCount> computations_{};
};

} // namespace talmiron
