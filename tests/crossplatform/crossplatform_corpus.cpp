// Writes this build's outcomes of a corpus to a file, or compares them with the
// file another build wrote and names the first differences: the exact result of
// each computation on fixed-seed inputs, the state and text of each expression.
//   crossplatform_corpus write FILE <EXPRESSIONS
//   crossplatform_corpus compare FILE   (exits 77 while FILE is missing)
// Expressions come one a line in UTF-8, after the symbols `random-expressions --options`
// lists; the file keeps each input line above its outcome, for builds without a generator.
#include "component/expression.h"
#include "tests/crossplatform/function_inputs.h"

#include <charconv>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <map>

namespace talmiron::crossplatform {
namespace {

constexpr std::uint64_t kSeed = 0x7A1B'0010'2026'1207;
constexpr std::uint64_t kCasesPerFunction = 1'000'000;

// Names the corpus, so that a reference of another corpus is refused.
const std::string kHeader = "talmiron cross-build corpus 3, seed " + std::to_string(kSeed) + ", " +
                            std::to_string(kCasesPerFunction) + " cases per function";
const std::string kEnd = "end of the corpus"; // a reference cut short lacks it

bool comparing = false, ended = false;
std::fstream corpus;
std::map<std::string, std::uint64_t> differences;

// Writes an outcome, or reads the reference's and counts a difference,
// showing the first three of each kind.
void Outcome(const std::string& kind, const std::string& outcome, const auto& what) {
    std::string reference;
    if (!comparing) {
        corpus << outcome << '\n';
    } else if ((!std::getline(corpus, reference) || reference != outcome) &&
               ++differences[kind] <= 3) {
        std::printf("%s\n  this build: %s\n  reference:  %s\n", what().c_str(), outcome.c_str(),
                    reference.c_str());
    }
}

// The next line of the input, which the corpus being written keeps.
bool Next(std::string& line) {
    if (!std::getline(comparing ? corpus : std::cin, line)) {
        return false;
    }
    ended = comparing && line == kEnd;
    if (!comparing) {
        corpus << line << '\n';
    }
    return !ended;
}

// Exactly, as a hexadecimal floating-point number.
std::string Describe(double x) {
    char text[32];
    return std::string(text, std::to_chars(text, text + 32, x, std::chars_format::hex).ptr);
}

void Corpus() {
    RandomSource random(kSeed);
    for (const Computation& computation : kComputations) {
        for (std::uint64_t i = 0; i < kCasesPerFunction; ++i) {
            const Inputs in = computation.Draw(random);
            Outcome(computation.name, Describe(computation.compute(in.x, in.y)), [&] {
                return computation.name + ("(" + Describe(in.x) + ", " + Describe(in.y)) + ")";
            });
        }
    }
    Expression expression;
    for (std::string line, value; Next(line);) {
        if ((line == "--num" || line == "--str") && Next(value)) {
            const auto equals = value.find('=');
            expression.Symbols()->Add(Utf8ToText(value.substr(0, equals)),
                                      line == "--num" ? EvaluationTypes_Numeric
                                                      : EvaluationTypes_String,
                                      Utf8ToText(value.substr(equals + 1)));
            continue;
        }
        EvaluationStates state = EvaluationStates_None;
        const std::string result = TextToUtf8(expression.Evaluate(Utf8ToText(line), &state));
        // A result that is long or spans lines is kept as its length and FNV-1a hash.
        std::uint64_t hash = 0xCBF2'9CE4'8422'2325;
        for (const char c : result) {
            hash = (hash ^ static_cast<unsigned char>(c)) * 0x100'0000'01B3;
        }
        const std::string kept =
            result.size() <= 256 && result.find('\n') == std::string::npos
                ? result
                : std::to_string(result.size()) + " bytes " + std::to_string(hash);
        Outcome("expressions", std::to_string(state) + " " + kept,
                [&] { return "expression " + line; });
    }
}

} // namespace
} // namespace talmiron::crossplatform

int main(int argc, char** argv) {
    using namespace talmiron::crossplatform;
    const std::string mode = argc == 3 ? argv[1] : "";
    comparing = mode == "compare";
    if (comparing || mode == "write") {
        corpus.open(argv[2], std::ios::binary | (comparing ? std::ios::in : std::ios::out));
    }
    if (!corpus.is_open()) {
        std::printf("usage: crossplatform_corpus write|compare FILE; no reference to compare "
                    "with: test the native preset first\n");
        return comparing ? 77 : 2;
    }
    Outcome("corpus", kHeader, [&] { return argv[2] + std::string(" holds another corpus"); });
    if (!differences.empty()) {
        return 1;
    }
    Corpus();
    if (!comparing) {
        return corpus << kEnd << std::endl ? 0 : 1;
    }
    for (const auto& [kind, count] : differences) {
        std::printf("%s: %llu differ\n", kind.c_str(), static_cast<unsigned long long>(count));
    }
    if (!ended) {
        std::printf("the reference is cut short\n");
    }
    return differences.empty() && ended ? 0 : 1;
}
