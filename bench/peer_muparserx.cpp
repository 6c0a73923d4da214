#include "bench/peers.h"
#include "bench/workloads.h"

#include <benchmark/benchmark.h>
#include <muparserx/mpParser.h>

#include <algorithm>
#include <string>

namespace talmiron::bench {

namespace {

// The string functions that muparserx lacks, as a host would add them.
class Left : public mup::ICallback {
  public:
    Left() : ICallback(mup::cmFUNC, "left", 2) {}
    void Eval(mup::ptr_val_type& result, const mup::ptr_val_type* arguments, int) override {
        const auto count = static_cast<std::size_t>(std::max(0.0, arguments[1]->GetFloat()));
        *result = arguments[0]->GetString().substr(0, count);
    }
    const mup::char_type* GetDesc() const override { return "left(s, n)"; }
    mup::IToken* Clone() const override { return new Left(*this); }
};

class Right : public mup::ICallback {
  public:
    Right() : ICallback(mup::cmFUNC, "right", 2) {}
    void Eval(mup::ptr_val_type& result, const mup::ptr_val_type* arguments, int) override {
        const std::string& text = arguments[0]->GetString();
        const auto count = std::min(
            text.size(), static_cast<std::size_t>(std::max(0.0, arguments[1]->GetFloat())));
        *result = text.substr(text.size() - count);
    }
    const mup::char_type* GetDesc() const override { return "right(s, n)"; }
    mup::IToken* Clone() const override { return new Right(*this); }
};

class Mid : public mup::ICallback {
  public:
    Mid() : ICallback(mup::cmFUNC, "mid", 3) {}
    void Eval(mup::ptr_val_type& result, const mup::ptr_val_type* arguments, int) override {
        const std::string& text = arguments[0]->GetString();
        const auto start = std::min(
            text.size(), static_cast<std::size_t>(std::max(1.0, arguments[1]->GetFloat())) - 1);
        const auto count = static_cast<std::size_t>(std::max(0.0, arguments[2]->GetFloat()));
        *result = text.substr(start, count);
    }
    const mup::char_type* GetDesc() const override { return "mid(s, start, n)"; }
    mup::IToken* Clone() const override { return new Mid(*this); }
};

class Replace : public mup::ICallback {
  public:
    Replace() : ICallback(mup::cmFUNC, "replace", 3) {}
    void Eval(mup::ptr_val_type& result, const mup::ptr_val_type* arguments, int) override {
        std::string text = arguments[0]->GetString();
        const std::string& find = arguments[1]->GetString();
        const std::string& with = arguments[2]->GetString();
        for (std::size_t at = text.find(find); !find.empty() && at != std::string::npos;
             at = text.find(find, at + with.size())) {
            text.replace(at, find.size(), with);
        }
        *result = text;
    }
    const mup::char_type* GetDesc() const override { return "replace(s, find, with)"; }
    mup::IToken* Clone() const override { return new Replace(*this); }
};

void Numeric(benchmark::State& state) {
    mup::ParserX parser(mup::pckALL_NON_COMPLEX);
    mup::Value x(kX);
    mup::Value y(kY);
    mup::Value z(kZ);
    parser.DefineVar("x", mup::Variable(&x));
    parser.DefineVar("y", mup::Variable(&y));
    parser.DefineVar("z", mup::Variable(&z));
    std::size_t next = 0;
    try {
        for (auto _ : state) {
            parser.SetExpr(std::string(kNumeric[next].peer));
            benchmark::DoNotOptimize(&parser.Eval());
            next = (next + 1) % kNumeric.size();
        }
    } catch (const mup::ParserError&) {
        state.SkipWithError("muparserx cannot evaluate a workload");
    }
}

void Strings(benchmark::State& state) {
    mup::ParserX parser(mup::pckALL_NON_COMPLEX);
    parser.DefineFun(new Left);
    parser.DefineFun(new Right);
    parser.DefineFun(new Mid);
    parser.DefineFun(new Replace);
    mup::Value name{std::string(kName)};
    mup::Value code{std::string(kCode)};
    mup::Value s{std::string(kS)};
    parser.DefineVar("name", mup::Variable(&name));
    parser.DefineVar("code", mup::Variable(&code));
    parser.DefineVar("s", mup::Variable(&s));
    std::size_t next = 0;
    try {
        for (auto _ : state) {
            parser.SetExpr(std::string(kStrings[next].muparserx));
            benchmark::DoNotOptimize(&parser.Eval());
            next = (next + 1) % kStrings.size();
        }
    } catch (const mup::ParserError& error) {
        state.SkipWithError(("muparserx: " + error.GetMsg()).c_str());
    }
}

} // namespace

void RegisterMuparserx() {
    benchmark::RegisterBenchmark("numeric/muparserx", Numeric);
    benchmark::RegisterBenchmark("strings/muparserx", Strings);
}

} // namespace talmiron::bench
