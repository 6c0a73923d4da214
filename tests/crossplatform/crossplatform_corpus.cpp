// Writes this build's outcomes of a corpus to a file, or compares them with
// the file another build wrote and names the first differences: the bits of
// each computation on fixed-seed inputs, the state and text of each expression.
//   crossplatform_corpus write FILE <EXPRESSIONS
//   crossplatform_corpus compare FILE   (exits 77 while FILE is missing)
// The expressions come one a line in UTF-8, after the symbols they name as
// `random-expressions --options` lists them; the file keeps each expression
// above its outcome, so that a build without the generator compares them.
#include "component/expression.h"
#include "tests/crossplatform/function_inputs.h"

#include <bit>
#include <charconv>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>

namespace talmiron::crossplatform {
namespace {

constexpr std::uint64_t kSeed = 0x7A1B'0010'2026'1207;
constexpr std::uint64_t kCasesPerFunction = 1'000'000;

// Names the corpus, so that a reference of another corpus is refused.
const std::string kHeader = "talmiron cross-build corpus 2, seed " + std::to_string(kSeed) + ", " +
                            std::to_string(kCasesPerFunction) + " cases per function\n";

std::map<std::string, std::uint64_t> differences;

// Counts a difference, and shows the first three of each kind.
void Differ(const std::string& kind, const std::string& what, const std::string& here,
            const std::string& reference) {
    if (++differences[kind] <= 3) {
        std::printf("%s\n  this build: %s\n  reference:  %s\n", what.c_str(), here.c_str(),
                    reference.c_str());
    }
}

// Exactly, as a hexadecimal floating-point number.
std::string Describe(double x) {
    char text[32];
    return std::string(text, std::to_chars(text, text + 32, x, std::chars_format::hex).ptr);
}

// Appends the bits of each result to `bytes`, little-endian, or in comparing
// reads the reference's from `at` on.
void Numbers(std::string& bytes, bool comparing, std::size_t& at) {
    RandomSource random(kSeed);
    for (const Computation& computation : kComputations) {
        for (std::uint64_t i = 0; i < kCasesPerFunction; ++i) {
            const Inputs in = computation.Draw(random);
            const double result = computation.compute(in.x, in.y);
            const auto bits = std::bit_cast<std::uint64_t>(result);
            std::uint64_t expected = 0;
            for (int byte = 0; byte < 8; ++byte) {
                if (!comparing) {
                    bytes += static_cast<char>(bits >> (8 * byte) & 0xFF);
                } else if (at < bytes.size()) {
                    expected |= std::uint64_t{static_cast<unsigned char>(bytes[at++])}
                                << (8 * byte);
                }
            }
            if (comparing && expected != bits) {
                Differ(computation.name,
                       computation.name + ("(" + Describe(in.x) + ", " + Describe(in.y)) + ")",
                       Describe(result), Describe(std::bit_cast<double>(expected)));
            }
        }
    }
}

// A result that is long or spans lines is kept as its length and FNV-1a hash.
std::string Outcome(EvaluationStates state, const std::string& result) {
    std::uint64_t hash = 0xCBF2'9CE4'8422'2325;
    for (const char c : result) {
        hash = (hash ^ static_cast<unsigned char>(c)) * 0x100'0000'01B3;
    }
    const bool kept = result.size() <= 256 && result.find('\n') == std::string::npos;
    return std::to_string(state) + " " +
           (kept ? result : std::to_string(result.size()) + " bytes " + std::to_string(hash));
}

// The symbols ("--num" or "--str", then "name=value"), then the expressions,
// in comparing each followed by its outcome in the reference.
void Expressions(std::string& bytes, bool comparing, const std::vector<std::string>& lines) {
    Expression expression;
    std::size_t i = 0;
    for (; i + 1 < lines.size() && (lines[i] == "--num" || lines[i] == "--str"); i += 2) {
        const auto equals = lines[i + 1].find('=');
        expression.Symbols()->Add(Utf8ToText(lines[i + 1].substr(0, equals)),
                                  lines[i] == "--num" ? EvaluationTypes_Numeric
                                                      : EvaluationTypes_String,
                                  Utf8ToText(lines[i + 1].substr(equals + 1)));
        bytes += comparing ? "" : lines[i] + '\n' + lines[i + 1] + '\n';
    }
    for (; i < lines.size(); i += comparing ? 2 : 1) {
        EvaluationStates state = EvaluationStates_None;
        const Text result = expression.Evaluate(Utf8ToText(lines[i]), &state);
        const std::string outcome = Outcome(state, TextToUtf8(result));
        if (!comparing) {
            bytes += lines[i] + '\n' + outcome + '\n';
        } else if (i + 1 == lines.size() || lines[i + 1] != outcome) {
            Differ("expressions", "expression " + lines[i], outcome,
                   i + 1 == lines.size() ? "none" : lines[i + 1]);
        }
    }
}

std::vector<std::string> Lines(std::istream& in) {
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

} // namespace
} // namespace talmiron::crossplatform

int main(int argc, char** argv) {
    using namespace talmiron::crossplatform;
    const std::string mode = argc == 3 ? argv[1] : "";
    std::string bytes = kHeader;
    std::size_t at = kHeader.size();
    if (mode == "write") {
        Numbers(bytes, false, at);
        Expressions(bytes, false, Lines(std::cin));
        // A reference cut short lacks the last line.
        std::ofstream file(argv[2], std::ios::binary);
        file << bytes << "end\n";
        file.close();
        return file ? 0 : 1;
    }
    std::ostringstream reference;
    if (mode != "compare" || !(reference << std::ifstream(argv[2], std::ios::binary).rdbuf())) {
        std::printf("usage: crossplatform_corpus write|compare FILE; no reference to compare "
                    "with: test the native preset first\n");
        return mode == "compare" ? 77 : 2;
    }
    bytes = std::move(reference).str();
    if (!bytes.starts_with(kHeader)) {
        std::printf("%s holds another corpus than this build's:\n%s", argv[2], kHeader.c_str());
        return 1;
    }
    Numbers(bytes, true, at);
    std::istringstream rest(bytes.substr(at));
    std::vector<std::string> lines = Lines(rest);
    const bool whole = !lines.empty() && lines.back() == "end";
    lines.resize(lines.size() - (whole ? 1 : 0));
    Expressions(bytes, true, lines);
    for (const auto& [kind, count] : differences) {
        std::printf("%s: %llu differ\n", kind.c_str(), static_cast<unsigned long long>(count));
    }
    if (!whole) {
        std::printf("the reference is cut short\n");
    }
    return differences.empty() && whole ? 0 : 1;
}
