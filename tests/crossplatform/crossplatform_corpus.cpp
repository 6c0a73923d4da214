// Evaluates a fixed-seed corpus in this build and writes the outcomes to a
// file, or compares them with the file another build wrote and names the
// first differences. Every build must give the same bytes: the exact bits of
// each numeric computation, and the state and text of each expression.
//   crossplatform_corpus write FILE
//   crossplatform_corpus compare FILE
#include "component/expression.h"
#include "tests/crossplatform/expression_generator.h"
#include "tests/crossplatform/function_inputs.h"
#include "tests/crossplatform/numeric_seam.h"

#include <array>
#include <bit>
#include <charconv>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace talmiron::crossplatform {

namespace {

constexpr std::uint64_t kSeed = 0x7A1B'0010'2026'1207;
constexpr std::uint64_t kCasesPerFunction = 1'000'000;
constexpr std::uint64_t kExpressions = 300'000;
// The first differences of each function, and of the expressions, are shown.
constexpr std::uint64_t kShownDifferences = 3;

struct NumericFunction {
    std::string_view name;
    Inputs (*inputs)(RandomSource&);
    double (*compute)(const Inputs&);
    bool binary = false;
};

template <double (*Function)(double)> double OfX(const Inputs& inputs) {
    return Function(inputs.x);
}
double PowerOf(const Inputs& inputs) {
    return Power(inputs.x, inputs.y);
}

constexpr std::array<NumericFunction, 7> kFunctions{{
    {"sin", TrigonometricInputs, OfX<Sin>},
    {"cos", TrigonometricInputs, OfX<Cos>},
    {"tan", TrigonometricInputs, OfX<Tan>},
    {"atan", ArctangentInputs, OfX<Atn>},
    {"exp", ExponentialInputs, OfX<Exp>},
    {"log", LogarithmInputs, OfX<Log>},
    {"pow", PowerInputs, PowerOf, true},
}};

// Names the corpus, so that a reference from another corpus is refused.
std::string Header() {
    return "talmiron cross-build corpus 1, seed " + std::to_string(kSeed) + ", " +
           std::to_string(kCasesPerFunction) + " cases per function, " +
           std::to_string(kExpressions) + " expressions\n";
}

// The shortest text that reads back, and the bits.
std::string Describe(double x) {
    char buffer[64];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, x).ptr;
    char bits[32];
    const auto bitsEnd =
        std::to_chars(bits, bits + sizeof bits, std::bit_cast<std::uint64_t>(x), 16).ptr;
    return std::string(buffer, end) + " (0x" + std::string(bits, bitsEnd) + ")";
}

std::string Describe(EvaluationStates state, std::string_view result) {
    static constexpr std::array<const char*, 4> kNames{"None", "Numeric", "String", "Error"};
    const std::string name =
        state >= 0 && state < 4 ? kNames[static_cast<std::size_t>(state)] : "state?";
    return name + " \"" + std::string(result) + "\"";
}

// Writes the outcomes, or, given a reference, checks each against it.
class Outcomes {
  public:
    explicit Outcomes(std::optional<std::string> reference) : reference_(std::move(reference)) {}

    void Number(const NumericFunction& function, const Inputs& inputs, double result) {
        const auto bits = std::bit_cast<std::uint64_t>(result);
        if (!reference_) {
            AppendWhole(bits, 8);
            return;
        }
        std::uint64_t expected = 0;
        if (!ReadWhole(expected, 8)) {
            return;
        }
        if (Differs(function.name, expected != bits)) {
            std::string call = std::string(function.name) + "(" + Describe(inputs.x);
            if (function.binary) {
                call += ", " + Describe(inputs.y);
            }
            Show(call + ")", Describe(result), Describe(std::bit_cast<double>(expected)));
        }
    }

    void Evaluation(const Text& expression, EvaluationStates state, const Text& result) {
        const std::string text = TextToUtf8(result);
        if (!reference_) {
            AppendWhole(static_cast<std::uint64_t>(state), 1);
            AppendWhole(text.size(), 4);
            written_ += text;
            return;
        }
        std::uint64_t expectedState = 0;
        std::uint64_t expectedSize = 0;
        if (!ReadWhole(expectedState, 1) || !ReadWhole(expectedSize, 4) ||
            !Available(expectedSize)) {
            return;
        }
        const std::string_view expected(reference_->data() + position_, expectedSize);
        position_ += expectedSize;
        if (Differs("expressions",
                    static_cast<std::uint64_t>(state) != expectedState || text != expected)) {
            Show("expression " + TextToUtf8(expression), Describe(state, text),
                 Describe(static_cast<EvaluationStates>(expectedState), expected));
        }
    }

    const std::string& Written() const { return written_; }

    // Whether everything agreed with the reference, which must end here.
    bool Agreed() const {
        for (const auto& [label, count] : differences_) {
            std::printf("%s: %llu differ\n", label.c_str(), static_cast<unsigned long long>(count));
        }
        if (truncated_ || position_ != reference_->size()) {
            std::printf("the reference is %s than this build's corpus\n",
                        truncated_ ? "shorter" : "longer");
            return false;
        }
        return differences_.empty();
    }

  private:
    void AppendWhole(std::uint64_t value, int bytes) {
        for (int i = 0; i < bytes; ++i) {
            written_ += static_cast<char>(value >> (8 * i) & 0xFF);
        }
    }
    bool Available(std::uint64_t bytes) {
        if (truncated_ || reference_->size() - position_ < bytes) {
            truncated_ = true;
            return false;
        }
        return true;
    }
    bool ReadWhole(std::uint64_t& value, int bytes) {
        if (!Available(static_cast<std::uint64_t>(bytes))) {
            return false;
        }
        value = 0;
        for (int i = 0; i < bytes; ++i) {
            const auto byte = static_cast<unsigned char>((*reference_)[position_++]);
            value |= std::uint64_t{byte} << (8 * i);
        }
        return true;
    }
    bool Differs(std::string_view label, bool differs) {
        return differs && ++differences_[std::string(label)] <= kShownDifferences;
    }
    static void Show(const std::string& what, const std::string& here,
                     const std::string& reference) {
        std::printf("%s\n  this build: %s\n  reference:  %s\n", what.c_str(), here.c_str(),
                    reference.c_str());
    }

    std::optional<std::string> reference_;
    std::size_t position_ = 0;
    bool truncated_ = false;
    std::string written_;
    std::map<std::string, std::uint64_t> differences_;
};

class Stopwatch {
  public:
    double Seconds() const {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
    }

  private:
    std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};

void RunCorpus(Outcomes& outcomes) {
    RandomSource random(kSeed);
    for (const auto& function : kFunctions) {
        const Stopwatch stopwatch;
        for (std::uint64_t i = 0; i < kCasesPerFunction; ++i) {
            const Inputs inputs = function.inputs(random);
            outcomes.Number(function, inputs, function.compute(inputs));
        }
        std::printf("%s: %llu cases in %.2f s\n", std::string(function.name).c_str(),
                    static_cast<unsigned long long>(kCasesPerFunction), stopwatch.Seconds());
    }
    const Stopwatch stopwatch;
    Expression expression;
    AddCorpusSymbols(*expression.Symbols());
    ExpressionGenerator generator(random);
    for (std::uint64_t i = 0; i < kExpressions; ++i) {
        const Text text = generator.Next();
        EvaluationStates state = EvaluationStates_None;
        const Text result = expression.Evaluate(text, &state);
        outcomes.Evaluation(text, state, result);
    }
    std::printf("expressions: %llu in %.2f s\n", static_cast<unsigned long long>(kExpressions),
                stopwatch.Seconds());
}

std::optional<std::string> ReadFile(const char* path) {
    std::FILE* file = std::fopen(path, "rb");
    if (file == nullptr) {
        return std::nullopt;
    }
    std::string bytes;
    char buffer[1 << 16];
    std::size_t count = 0;
    while ((count = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
        bytes.append(buffer, count);
    }
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    return failed ? std::nullopt : std::optional(std::move(bytes));
}

bool WriteFile(const char* path, const std::string& bytes) {
    std::FILE* file = std::fopen(path, "wb");
    if (file == nullptr) {
        return false;
    }
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
}

int Write(const char* path) {
    Outcomes outcomes(std::nullopt);
    std::string bytes = Header();
    RunCorpus(outcomes);
    bytes += outcomes.Written();
    if (!WriteFile(path, bytes)) {
        std::printf("cannot write %s\n", path);
        return 1;
    }
    return 0;
}

int Compare(const char* path) {
    auto reference = ReadFile(path);
    if (!reference) {
        std::printf("cannot read the reference %s\n", path);
        return 1;
    }
    const std::string header = Header();
    if (reference->compare(0, header.size(), header) != 0) {
        std::printf("%s holds another corpus than this build's:\n%s", path, header.c_str());
        return 1;
    }
    reference->erase(0, header.size());
    Outcomes outcomes(std::move(reference));
    RunCorpus(outcomes);
    return outcomes.Agreed() ? 0 : 1;
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
