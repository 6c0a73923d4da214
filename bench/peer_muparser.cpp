#include "bench/peers.h"
#include "bench/workloads.h"

#include <benchmark/benchmark.h>
#include <muParser.h>

#include <string>

namespace talmiron::bench {

namespace {

void Numeric(benchmark::State& state) {
    mu::Parser parser;
    double x = kX;
    double y = kY;
    double z = kZ;
    parser.DefineVar("x", &x);
    parser.DefineVar("y", &y);
    parser.DefineVar("z", &z);
    std::size_t next = 0;
    try {
        for (auto _ : state) {
            parser.SetExpr(std::string(kNumeric[next].peer));
            benchmark::DoNotOptimize(parser.Eval());
            next = (next + 1) % kNumeric.size();
        }
    } catch (const mu::Parser::exception_type&) {
        state.SkipWithError("muparser cannot evaluate a workload");
    }
}

} // namespace

void RegisterMuparser() {
    benchmark::RegisterBenchmark("numeric/muparser", Numeric);
}

} // namespace talmiron::bench
