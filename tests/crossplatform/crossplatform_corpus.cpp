// Evaluates a corpus in this build and writes the outcomes to a file, or
// compares them with the file another build wrote and names the first
// differences. Every build must give the same bytes: the exact bits of each
// numeric computation on fixed-seed inputs, and the state and text of each
// expression.
//   crossplatform_corpus write FILE <EXPRESSIONS
//   crossplatform_corpus compare FILE
// The expressions come one a line in UTF-8, after the symbols they name as
// `random-expressions --options` lists them. The file keeps each expression
// beside its outcome, so that a build without the generator compares them.
#include "component/expression.h"
#include "runtime/arctangent.h"
#include "runtime/exponential.h"
#include "runtime/logarithm.h"
#include "runtime/power.h"
#include "runtime/trigonometric.h"
#include "tests/crossplatform/function_inputs.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace talmiron::crossplatform {

namespace {

constexpr std::uint64_t kSeed = 0x7A1B'0010'2026'1207;
constexpr std::uint64_t kCasesPerFunction = 1'000'000;
constexpr std::uint64_t kShownDifferences = 3;

struct NumericFunction {
    std::string name;
    Inputs (*inputs)(RandomSource&);
    double (*compute)(double, double);
};

const std::array<NumericFunction, 7> kFunctions{{
    {"sin", TrigonometricInputs, [](double x, double) { return Sine(x); }},
    {"cos", TrigonometricInputs, [](double x, double) { return Cosine(x); }},
    {"tan", TrigonometricInputs, [](double x, double) { return Tangent(x); }},
    {"atan", ArctangentInputs, [](double x, double) { return Arctangent(x); }},
    {"exp", ExponentialInputs, [](double x, double) { return Exponential(x); }},
    {"log", LogarithmInputs, [](double x, double) { return NaturalLogarithm(x); }},
    {"pow", PowerInputs, [](double x, double y) { return Power(x, y); }},
}};

// Names the corpus, so that a reference of another corpus is refused.
const std::string kHeader = "talmiron cross-build corpus 2, seed " + std::to_string(kSeed) + ", " +
                            std::to_string(kCasesPerFunction) + " cases per function\n";

// The shortest text that reads back, and the bits.
std::string Describe(double x) {
    char buffer[64];
    auto end = std::to_chars(buffer, buffer + 32, x).ptr;
    end =
        std::to_chars(std::copy_n(" (0x", 4, end), buffer + 64, std::bit_cast<std::uint64_t>(x), 16)
            .ptr;
    return std::string(buffer, end) + ")";
}

// The file being written, or the reference being read: each outcome goes in
// as little-endian bytes, a text after its length, and in comparing the
// reference's outcome comes back in its place.
class Corpus {
  public:
    // Without a reference, a new file.
    explicit Corpus(std::string reference)
        : comparing_(!reference.empty()), bytes_(comparing_ ? std::move(reference) : kHeader) {}

    std::uint64_t Exchange(std::uint64_t value, int size) {
        if (!comparing_) {
            for (int i = 0; i < size; ++i) {
                bytes_ += static_cast<char>(value >> (8 * i) & 0xFF);
            }
            return value;
        }
        value = 0;
        for (int i = 0; i < size; ++i) {
            value |= std::uint64_t{Byte()} << (8 * i);
        }
        return value;
    }
    std::string Exchange(const std::string& text) {
        const auto size = Exchange(text.size(), 4);
        if (!comparing_) {
            bytes_ += text;
            return text;
        }
        ended_ = ended_ || bytes_.size() - at_ < size;
        at_ = ended_ ? bytes_.size() : at_ + size;
        return ended_ ? std::string() : bytes_.substr(at_ - size, size);
    }
    bool More(std::size_t lines) const { return comparing_ ? at_ < bytes_.size() : next_ < lines; }
    bool Ended() const { return ended_; }
    const std::string& Bytes() const { return bytes_; }

    // Counts a difference, and shows the first ones of each label.
    void Differ(const std::string& label, const std::string& what, const std::string& here,
                const std::string& reference) {
        if (++differences_[label] <= kShownDifferences) {
            std::printf("%s\n  this build: %s\n  reference:  %s\n", what.c_str(), here.c_str(),
                        reference.c_str());
        }
    }
    bool Agreed() const {
        for (const auto& [label, count] : differences_) {
            std::printf("%s: %llu differ\n", label.c_str(), static_cast<unsigned long long>(count));
        }
        return differences_.empty();
    }

    std::size_t next_ = 0; // the input line to write next

  private:
    unsigned char Byte() {
        ended_ = ended_ || at_ == bytes_.size();
        return ended_ ? 0 : static_cast<unsigned char>(bytes_[at_++]);
    }

    bool comparing_;
    std::string bytes_;
    std::size_t at_ = kHeader.size();
    bool ended_ = false;
    std::map<std::string, std::uint64_t> differences_;
};

void Numbers(Corpus& corpus) {
    RandomSource random(kSeed);
    for (const NumericFunction& function : kFunctions) {
        for (std::uint64_t i = 0; i < kCasesPerFunction; ++i) {
            const Inputs inputs = function.inputs(random);
            const double result = function.compute(inputs.x, inputs.y);
            const auto expected = corpus.Exchange(std::bit_cast<std::uint64_t>(result), 8);
            if (expected != std::bit_cast<std::uint64_t>(result)) {
                const bool binary = function.name == "pow";
                corpus.Differ(function.name,
                              function.name + "(" + Describe(inputs.x) +
                                  (binary ? ", " + Describe(inputs.y) : "") + ")",
                              Describe(result), Describe(std::bit_cast<double>(expected)));
            }
        }
    }
}

std::string Describe(EvaluationStates state, const std::string& result) {
    static constexpr std::array<const char*, 4> kNames{"None", "Numeric", "String", "Error"};
    return (state >= 0 && state < 4 ? kNames[static_cast<std::size_t>(state)] : "state?") +
           std::string(" \"") + result + "\"";
}

// A long result is kept as its beginning, length and FNV-1a hash.
std::string Kept(const std::string& result) {
    if (result.size() <= 256) {
        return result;
    }
    std::uint64_t hash = 0xCBF2'9CE4'8422'2325;
    for (const char c : result) {
        hash = (hash ^ static_cast<unsigned char>(c)) * 0x100'0000'01B3;
    }
    return result.substr(0, 64) + "... (" + std::to_string(result.size()) + " bytes, hash " +
           std::to_string(hash) + ")";
}

// The symbols ("--num" or "--str", then "name=value"), then the expressions.
void Expressions(Corpus& corpus, const std::vector<std::string>& lines) {
    const auto line = [&] { return corpus.next_ < lines.size() ? lines[corpus.next_++] : ""; };
    std::uint64_t options = 0;
    while (2 * options < lines.size() &&
           (lines[2 * options] == "--num" || lines[2 * options] == "--str")) {
        ++options;
    }
    Expression expression;
    for (auto count = corpus.Exchange(options, 4); count > 0 && !corpus.Ended(); --count) {
        const std::string option = corpus.Exchange(line());
        const std::string symbol = corpus.Exchange(line());
        const auto equals = symbol.find('=');
        expression.Symbols()->Add(Utf8ToText(symbol.substr(0, equals)),
                                  option == "--num" ? EvaluationTypes_Numeric
                                                    : EvaluationTypes_String,
                                  Utf8ToText(symbol.substr(equals + 1)));
    }
    while (corpus.More(lines.size()) && !corpus.Ended()) {
        const std::string text = corpus.Exchange(line());
        EvaluationStates state = EvaluationStates_None;
        const std::string result = Kept(TextToUtf8(expression.Evaluate(Utf8ToText(text), &state)));
        const auto expectedState =
            static_cast<EvaluationStates>(corpus.Exchange(static_cast<std::uint64_t>(state), 1));
        const std::string expected = corpus.Exchange(result);
        if (expectedState != state || expected != result) {
            corpus.Differ("expressions", "expression " + text, Describe(state, result),
                          Describe(expectedState, expected));
        }
    }
}

int Write(const char* path) {
    std::vector<std::string> lines;
    for (std::string line; std::getline(std::cin, line);) {
        lines.push_back(line);
    }
    Corpus corpus("");
    Numbers(corpus);
    Expressions(corpus, lines);
    std::ofstream file(path, std::ios::binary);
    if (!file.write(corpus.Bytes().data(), static_cast<std::streamsize>(corpus.Bytes().size())) ||
        (file.close(), !file)) {
        std::printf("cannot write %s\n", path);
        return 1;
    }
    std::printf("%zu expressions\n", corpus.next_);
    return 0;
}

int Compare(const char* path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream reference;
    if (!(reference << file.rdbuf())) {
        std::printf("cannot read the reference %s\n", path);
        return 1;
    }
    if (!reference.view().starts_with(kHeader)) {
        std::printf("%s holds another corpus than this build's:\n%s", path, kHeader.c_str());
        return 1;
    }
    Corpus corpus(std::move(reference).str());
    Numbers(corpus);
    Expressions(corpus, {});
    if (corpus.Ended()) {
        std::printf("the reference ends before this build's corpus\n");
    }
    return corpus.Agreed() && !corpus.Ended() ? 0 : 1;
}

} // namespace

} // namespace talmiron::crossplatform

int main(int argc, char** argv) {
    const std::string_view mode = argc == 3 ? argv[1] : "";
    if (mode == "write") {
        return talmiron::crossplatform::Write(argv[2]);
    }
    if (mode == "compare") {
        return talmiron::crossplatform::Compare(argv[2]);
    }
    std::fputs("usage: crossplatform_corpus write|compare FILE\n", stderr);
    return 2;
}
