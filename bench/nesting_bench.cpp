// How the time of an evaluation grows with nesting: each shape is timed
// nested and alone, at two sizes ten times apart, and the ratio of the two
// is printed. Nesting should cost little beyond the text's own work.
//   nesting_bench [ROUNDS]    (best of ROUNDS runs each, default 3)
#include "component/expression.h"
#include "runtime/text.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

using talmiron::Text;

Text Repeat(const Text& piece, std::size_t count) {
    Text text;
    text.reserve(piece.size() * count);
    for (std::size_t i = 0; i < count; ++i) {
        text += piece;
    }
    return text;
}

Text Number(std::size_t n) {
    return talmiron::AsciiToText(std::to_string(n));
}

// Seconds of the fastest of rounds evaluations; the result's length tells
// that the evaluation did its work.
double Time(const Text& expression, int rounds, std::size_t& length,
            talmiron::EvaluationStates& state) {
    double best = 1e300;
    for (int i = 0; i < rounds; ++i) {
        talmiron::Expression object;
        const auto start = std::chrono::steady_clock::now();
        const Text result = object.Evaluate(expression, &state);
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        best = std::min(best, took.count());
        length = result.size();
    }
    return best;
}

struct Shape {
    const char* name;
    Text (*nested)(std::size_t size);
    Text (*alone)(std::size_t size);
    std::size_t sizes[2];
};

const Shape kShapes[] = {
    {"478 groups around SPACE(n)",
     [](std::size_t n) {
         return Repeat(u"(", 478) + u"SPACE(" + Number(n) + u")" + Repeat(u")", 478);
     },
     [](std::size_t n) { return u"SPACE(" + Number(n) + u")"; },
     {3355443, 33554432}},
    {"a literal of n characters in LEN, nested in 159 ABS(",
     [](std::size_t n) {
         return Repeat(u"ABS(", 159) + u"LEN('" + Text(n, u'x') + u"')" + Repeat(u")", 159);
     },
     [](std::size_t n) { return u"LEN('" + Text(n, u'x') + u"')"; },
     {1000000, 10000000}},
    {"(STRING(n,'''')), a group around n quotes",
     [](std::size_t n) { return u"(STRING(" + Number(n) + u",''''))"; },
     [](std::size_t n) { return u"STRING(" + Number(n) + u",'''')"; },
     {3355443, 33554431}},
};

} // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
    std::printf("%-52s %10s %10s %10s %7s\n", "shape", "n", "alone s", "nested s", "ratio");
    for (const Shape& shape : kShapes) {
        for (const std::size_t n : shape.sizes) {
            std::size_t aloneLength = 0;
            std::size_t nestedLength = 0;
            talmiron::EvaluationStates aloneState = 0;
            talmiron::EvaluationStates nestedState = 0;
            const double alone = Time(shape.alone(n), rounds, aloneLength, aloneState);
            const double nested = Time(shape.nested(n), rounds, nestedLength, nestedState);
            std::printf(
                "%-52s %10zu %10.4f %10.4f %7.2f%s\n", shape.name, n, alone, nested, nested / alone,
                aloneLength == nestedLength && aloneState == nestedState ? ""
                                                                         : "  (results differ)");
        }
    }
    return 0;
}
