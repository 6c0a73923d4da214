// The engine's speed: the numeric and string workloads next to the peer
// evaluators, many symbols, and the time of the text shapes (sums, groups,
// literals, concatenation, nesting) at 10 kB and 1 MB next to a flat sum of
// the same size. Google Benchmark's table first, then a summary of ratios.
//   engine_bench [--benchmark_filter=REGEX] [other Google Benchmark options]
#include "bench/allocation_count.h"
#include "bench/peers.h"
#include "bench/workloads.h"
#include "component/expression.h"
#include "runtime/text.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace talmiron::bench {

namespace {

Text Repeat(TextView piece, std::size_t count) {
    Text text;
    text.reserve(piece.size() * count);
    for (std::size_t i = 0; i < count; ++i) {
        text += piece;
    }
    return text;
}

Text Number(std::size_t n) {
    return AsciiToText(std::to_string(n));
}

template <std::size_t N, typename Case>
std::vector<Text> OurTexts(const std::array<Case, N>& cases) {
    std::vector<Text> texts;
    for (const Case& item : cases) {
        texts.push_back(Utf8ToText(item.ours));
    }
    return texts;
}

// Fails the benchmark when the engine gives an error where it should not.
bool Check(benchmark::State& state, EvaluationStates result) {
    if (result == EvaluationStates_Error) {
        state.SkipWithError("an evaluation failed");
        return false;
    }
    return true;
}

void Numeric(benchmark::State& state) {
    Expression expression;
    Symbols& symbols = *expression.Symbols();
    symbols.Add(u"x", EvaluationTypes_Numeric, u"1.5");
    symbols.Add(u"y", EvaluationTypes_Numeric, u"2.25");
    symbols.Add(u"z", EvaluationTypes_Numeric, u"3");
    const std::vector<Text> texts = OurTexts(kNumeric);
    std::size_t next = 0;
    EvaluationStates result = EvaluationStates_None;
    const AllocationCount before = Allocations();
    for (auto _ : state) {
        benchmark::DoNotOptimize(expression.Evaluate(texts[next], &result));
        next = (next + 1) % texts.size();
    }
    const AllocationCount after = Allocations();
    state.counters["allocs"] = benchmark::Counter(static_cast<double>(after.calls - before.calls),
                                                  benchmark::Counter::kAvgIterations);
    state.counters["bytes"] = benchmark::Counter(static_cast<double>(after.bytes - before.bytes),
                                                 benchmark::Counter::kAvgIterations);
    Check(state, result);
}

void Strings(benchmark::State& state) {
    Expression expression;
    Symbols& symbols = *expression.Symbols();
    symbols.Add(u"name", EvaluationTypes_String, Utf8ToText(kName));
    symbols.Add(u"code", EvaluationTypes_String, Utf8ToText(kCode));
    symbols.Add(u"s", EvaluationTypes_String, Utf8ToText(kS));
    const std::vector<Text> texts = OurTexts(kStrings);
    std::size_t next = 0;
    EvaluationStates result = EvaluationStates_None;
    for (auto _ : state) {
        benchmark::DoNotOptimize(expression.Evaluate(texts[next], &result));
        next = (next + 1) % texts.size();
    }
    Check(state, result);
}

std::vector<Text> SymbolNames(std::size_t count) {
    std::vector<Text> names;
    names.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        names.push_back(u"v" + Number(i));
    }
    return names;
}

// A formula among many symbols: its own come last.
void ManySymbols(benchmark::State& state) {
    Expression expression;
    Symbols& symbols = *expression.Symbols();
    for (const Text& name : SymbolNames(static_cast<std::size_t>(state.range(0)))) {
        symbols.Add(name, EvaluationTypes_Numeric, u"1");
    }
    symbols.Add(u"x", EvaluationTypes_Numeric, u"1.5");
    symbols.Add(u"y", EvaluationTypes_Numeric, u"2.25");
    symbols.Add(u"z", EvaluationTypes_Numeric, u"3");
    EvaluationStates result = EvaluationStates_None;
    for (auto _ : state) {
        benchmark::DoNotOptimize(expression.Evaluate(u"x*y+z", &result));
    }
    Check(state, result);
}

void AddSymbols(benchmark::State& state) {
    const std::vector<Text> names = SymbolNames(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        Symbols symbols;
        for (const Text& name : names) {
            symbols.Add(name, EvaluationTypes_Numeric, u"1");
        }
        benchmark::DoNotOptimize(symbols.Count());
    }
}

// A text of about size characters, and the shape that it is timed against.
struct Shape {
    const char* name;
    const char* baseline;
    std::function<Text(std::size_t size)> make;
};

Text FlatSum(std::size_t size) {
    return u"1" + Repeat(u"+1", size / 2);
}

const std::vector<Shape>& Shapes() {
    static const std::vector<Shape> shapes{
        {"flat sum 1+1+...", "flat sum 1+1+...", FlatSum},
        {"groups (1+1+1+1)+...", "flat sum 1+1+...",
         [](std::size_t size) { return u"0" + Repeat(u"+(1+1+1+1)", size / 10); }},
        {"literal LEN('xx...')", "flat sum 1+1+...",
         [](std::size_t size) { return u"LEN('" + Text(size, u'x') + u"')"; }},
        {"concatenation 'ab'+'ab'+...", "flat sum 1+1+...",
         [](std::size_t size) { return u"'ab'" + Repeat(u"+'ab'", size / 5); }},
        {"150 ABS( around a flat sum", "flat sum 1+1+...",
         [](std::size_t size) { return Repeat(u"ABS(", 150) + FlatSum(size) + Repeat(u")", 150); }},
        {"SPACE(n)", "SPACE(n)", [](std::size_t size) { return u"SPACE(" + Number(size) + u")"; }},
        {"478 groups around SPACE(n)", "SPACE(n)",
         [](std::size_t size) {
             return Repeat(u"(", 478) + u"SPACE(" + Number(size) + u")" + Repeat(u")", 478);
         }},
        {"159 ABS( around LEN('xx...')", "literal LEN('xx...')",
         [](std::size_t size) {
             return Repeat(u"ABS(", 159) + u"LEN('" + Text(size, u'x') + u"')" + Repeat(u")", 159);
         }},
        {"STRING(n,'''')", "STRING(n,'''')",
         [](std::size_t size) { return u"STRING(" + Number(size) + u",'''')"; }},
        {"(STRING(n,'''')), a group around quotes", "STRING(n,'''')",
         [](std::size_t size) { return u"(STRING(" + Number(size) + u",''''))"; }},
    };
    return shapes;
}

void TimeShape(benchmark::State& state, const Shape& shape, std::size_t size) {
    Expression expression;
    const Text text = shape.make(size);
    EvaluationStates result = EvaluationStates_None;
    for (auto _ : state) {
        benchmark::DoNotOptimize(expression.Evaluate(text, &result));
    }
    Check(state, result);
}

constexpr std::size_t kShapeSizes[] = {10'000, 1'000'000};

std::string SizeName(std::size_t size) {
    return size >= 1'000'000 ? std::to_string(size / 1'000'000) + " MB"
                             : std::to_string(size / 1'000) + " kB";
}

void Register() {
    benchmark::RegisterBenchmark("numeric/talmiron", Numeric);
    benchmark::RegisterBenchmark("strings/talmiron", Strings);
    benchmark::RegisterBenchmark("symbols/evaluate", ManySymbols)->Arg(1'000)->Arg(100'000);
    benchmark::RegisterBenchmark("symbols/add", AddSymbols)
        ->Arg(100'000)
        ->Unit(benchmark::kMillisecond);
    for (const Shape& shape : Shapes()) {
        for (const std::size_t size : kShapeSizes) {
            benchmark::RegisterBenchmark(
                ("shape/" + std::string(shape.name) + "/" + SizeName(size)).c_str(), TimeShape,
                shape, size)
                ->Unit(benchmark::kMillisecond);
        }
    }
#ifdef TALMIRON_BENCH_FPARSER
    RegisterFparser();
#endif
#ifdef TALMIRON_BENCH_MUPARSER
    RegisterMuparser();
#endif
#ifdef TALMIRON_BENCH_MUPARSERX
    RegisterMuparserx();
#endif
}

// Keeps each benchmark's seconds per iteration for the summary.
class Collector : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (!run.error_occurred && run.run_type == Run::RT_Iteration) {
                seconds_[run.benchmark_name()] =
                    run.GetAdjustedCPUTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
                if (const auto found = run.counters.find("allocs"); found != run.counters.end()) {
                    allocations_ = found->second.value;
                }
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }

    const std::map<std::string, double>& Seconds() const { return seconds_; }
    double AllocationsPerEvaluation() const { return allocations_; }

  private:
    std::map<std::string, double> seconds_;
    double allocations_ = -1;
};

void PrintPeers(const Collector& collector, const std::string& workload) {
    const auto& seconds = collector.Seconds();
    const auto ours = seconds.find(workload + "/talmiron");
    if (ours == seconds.end()) {
        return;
    }
    std::printf("%-9s talmiron %9.0f ns", workload.c_str(), ours->second * 1e9);
    for (const auto& [name, time] : seconds) {
        if (name.starts_with(workload + "/") && name != ours->first) {
            std::printf("   %s %7.0f ns = %.2fx", name.substr(workload.size() + 1).c_str(),
                        time * 1e9, ours->second / time);
        }
    }
    std::printf("\n");
}

void PrintSummary(const Collector& collector) {
    const auto& seconds = collector.Seconds();
    std::printf("\nSummary: CPU time per evaluation; a ratio is our time over the other's "
                "(below 1: we are faster)\n");
    PrintPeers(collector, "numeric");
    if (collector.AllocationsPerEvaluation() >= 0) {
        std::printf("          %.1f allocations per numeric evaluation\n",
                    collector.AllocationsPerEvaluation());
    }
    PrintPeers(collector, "strings");
    for (const auto& [name, time] : seconds) {
        if (name.starts_with("symbols/")) {
            std::printf("%-24s %12.6f s\n", name.c_str(), time);
        }
    }
    bool header = false;
    for (const Shape& shape : Shapes()) {
        for (const std::size_t size : kShapeSizes) {
            const auto prefix = std::string("shape/");
            const auto time = seconds.find(prefix + shape.name + "/" + SizeName(size));
            const auto base = seconds.find(prefix + shape.baseline + "/" + SizeName(size));
            if (time == seconds.end() || base == seconds.end()) {
                continue;
            }
            if (!header) {
                std::printf("%-44s %8s %12s %10s\n", "shape", "size", "s", "ratio");
                header = true;
            }
            std::printf("%-44s %8s %12.6f %7.2f of %s\n", shape.name, SizeName(size).c_str(),
                        time->second, time->second / base->second, shape.baseline);
        }
    }
}

} // namespace

} // namespace talmiron::bench

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    talmiron::bench::Register();
    talmiron::bench::Collector collector;
    benchmark::RunSpecifiedBenchmarks(&collector);
    talmiron::bench::PrintSummary(collector);
    benchmark::Shutdown();
    return 0;
}
