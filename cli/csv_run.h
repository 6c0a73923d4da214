// Formulas over CSV: each row's columns become symbols, the expression is
// evaluated once a row, and the row goes out again with the result as one
// more column. The input streams through: one row is held at a time.
#pragma once

#include "component/expression.h"

#include <cstdio>
#include <istream>
#include <string>

namespace talmiron::cli {

struct CsvJob {
    Text expression;
    Text column;           // the name of the result column
    std::string inputName; // for messages: the file name, or "standard input"
    bool showProgress = false;
};

// 0 when every result was Numeric or String, 1 when any was not or the
// output failed, 2 for input that is not usable CSV (messages on stderr).
// Symbols already in the expression's collection stay; columns come after.
int RunCsv(const CsvJob& job, Expression& expression, std::istream& in, std::FILE* out,
           std::FILE* messages);

} // namespace talmiron::cli
