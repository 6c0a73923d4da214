// NumberToText and Val next to the general conversions they shortcut, on the
// kinds of values formulas produce. Prints the ratio of each pair at the end.
#include "engine/number_text.h"
#include "runtime/val.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <map>
#include <random>
#include <string>
#include <vector>

namespace {

using namespace talmiron;

constexpr std::size_t kInputs = 1024;

// Small integers, 0.1-style decimals, results of functions, and large and
// small exponents; "mix" takes a quarter of each.
std::vector<double> Values(const std::string& kind) {
    std::mt19937_64 random(7);
    auto between = [&](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    std::vector<double> values(kInputs);
    for (std::size_t i = 0; i < kInputs; ++i) {
        const int which = kind == "mix"         ? static_cast<int>(i % 4)
                          : kind == "integers"  ? 0
                          : kind == "decimals"  ? 1
                          : kind == "functions" ? 2
                                                : 3;
        switch (which) {
        case 0:
            values[i] = between(-1000, 1000);
            break;
        case 1:
            values[i] = between(-99999, 99999) / std::pow(10.0, between(1, 4));
            break;
        case 2:
            values[i] = i % 2 == 0 ? std::sin(between(0, 1000)) : std::sqrt(between(0, 1000));
            break;
        default:
            values[i] = (1 + between(0, 999) / 1000.0) * std::pow(10.0, between(-300, 300));
            break;
        }
    }
    return values;
}

void ToText(benchmark::State& state, Text (*render)(double), const std::string& kind) {
    const std::vector<double> values = Values(kind);
    for (auto _ : state) {
        for (const double v : values) {
            benchmark::DoNotOptimize(render(v));
        }
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * kInputs));
}

// Into a caller's array, and through NumberToText where that is too short.
void ToBuffer(benchmark::State& state, const std::string& kind) {
    const std::vector<double> values = Values(kind);
    char16_t buffer[kShortNumberText];
    for (auto _ : state) {
        for (const double v : values) {
            if (ShortNumberText(v, buffer) == 0) {
                benchmark::DoNotOptimize(NumberToText(v));
            }
            benchmark::ClobberMemory();
        }
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * kInputs));
}

void FromText(benchmark::State& state, double (*read)(TextView), const std::string& kind) {
    std::vector<Text> texts;
    for (const double v : Values(kind)) {
        texts.push_back(NumberToTextReference(v));
    }
    for (auto _ : state) {
        for (const Text& text : texts) {
            benchmark::DoNotOptimize(read(text));
        }
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * kInputs));
}

Text Fast(double v) {
    return NumberToText(v);
}

// The console table, then for each pair the reference's processor time over
// the fast one's: steadier than wall time on a shared machine.
class RatioReporter : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            nanoseconds_[run.benchmark_name()] = run.GetAdjustedCPUTime() / kInputs;
        }
    }
    void Finalize() override {
        ConsoleReporter::Finalize();
        std::printf("\n%-32s %12s %12s %8s\n", "ns per value", "fast", "reference", "ratio");
        for (const auto& [name, fast] : nanoseconds_) {
            const std::string::size_type slash = name.find('/');
            const std::string head = name.substr(0, slash);
            const auto reference = nanoseconds_.find(head.substr(0, head.find("Buffer")) +
                                                     "Reference" + name.substr(slash));
            if (head.find("Reference") != std::string::npos || reference == nanoseconds_.end()) {
                continue;
            }
            std::printf("%-32s %12.1f %12.1f %7.1fx\n", name.c_str(), fast, reference->second,
                        reference->second / fast);
        }
    }

  private:
    std::map<std::string, double> nanoseconds_;
};

} // namespace

int main(int argc, char** argv) {
    for (const char* kind : {"integers", "decimals", "functions", "exponents", "mix"}) {
        const std::string suffix = std::string("/") + kind;
        benchmark::RegisterBenchmark(("NumberToText" + suffix).c_str(), ToText, Fast, kind);
        benchmark::RegisterBenchmark(("NumberToTextBuffer" + suffix).c_str(), ToBuffer, kind);
        benchmark::RegisterBenchmark(("NumberToTextReference" + suffix).c_str(), ToText,
                                     NumberToTextReference, kind);
        benchmark::RegisterBenchmark(("Val" + suffix).c_str(), FromText, Val, kind);
        benchmark::RegisterBenchmark(("ValReference" + suffix).c_str(), FromText, ValReference,
                                     kind);
    }
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
