#include "bench/peers.h"
#include "bench/workloads.h"

#include <benchmark/benchmark.h>
#include <fparser.hh>

#include <string>

namespace talmiron::bench {

namespace {

// Parse and evaluate a fresh text each time, as a host does per keystroke.
void Numeric(benchmark::State& state) {
    FunctionParser parser;
    const double variables[] = {kX, kY, kZ};
    std::size_t next = 0;
    for (auto _ : state) {
        const std::string text(kNumeric[next].peer);
        if (parser.Parse(text, "x,y,z") >= 0) {
            state.SkipWithError("fparser cannot parse a workload");
            break;
        }
        benchmark::DoNotOptimize(parser.Eval(variables));
        next = (next + 1) % kNumeric.size();
    }
}

} // namespace

void RegisterFparser() {
    benchmark::RegisterBenchmark("numeric/fparser", Numeric);
}

} // namespace talmiron::bench
