// SPDX-License-Identifier: GPL-3.0-or-later
// The search of 推荐断面 over width and slope: the case-1 worked example
// with canal data and [ΔZ] (every candidate with its connection and its
// backwater profile at Q加), and without canal data (the slope stands).
#include "hydraulics/recommend.h"

#include <benchmark/benchmark.h>

namespace {

hydraulics::RecommendInput WorkedExample(bool canals) {
    hydraulics::RecommendInput in{1, {4, 100, 1.5f, 1000, 1, 0.014f, 0.25f, 0.4f}};
    if (canals) {
        hydraulics::ConnectionInput c;
        c.upstream = c.downstream = hydraulics::Canal{2, 1.5, 0.025, 4000};
        c.upstreamBed = 100;
        c.allowedDrop = 0.3;
        in.canals = c;
    }
    return in;
}

void Recommend(benchmark::State& state) {
    const hydraulics::RecommendInput in = WorkedExample(state.range(0) == 1);
    std::size_t candidates = 0;
    for (auto _ : state) {
        const hydraulics::Recommendation r = hydraulics::Recommend(in);
        candidates = r.candidates.size();
        benchmark::DoNotOptimize(r.recommended);
    }
    state.counters["candidates"] = double(candidates);
}
BENCHMARK(Recommend)->Arg(1)->Arg(0)->ArgName("canals")->Unit(benchmark::kMillisecond);

} // namespace
