// One named value that expressions can use. Hosts read the name; only the
// collection that creates the symbol sets it.
#pragma once

#include "engine/evaluation_states.h"
#include "runtime/text.h"

namespace talmiron {

class Symbols;

class Symbol {
  public:
    const Text& Name() const noexcept { return name_; }
    EvaluationTypes DataType() const noexcept { return dataType_; }
    void SetDataType(EvaluationTypes dataType) noexcept { dataType_ = dataType; }
    const Text& Value() const noexcept { return value_; }
    void SetValue(Text value) { value_ = std::move(value); }

  private:
    friend class Symbols;
    void SetName(Text name) { name_ = std::move(name); }

    Text name_;
    EvaluationTypes dataType_ = 0;
    Text value_;
};

} // namespace talmiron
