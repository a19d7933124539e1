// SPDX-License-Identifier: GPL-3.0-or-later
// A sweep of 2,000 rows with the elements and design checks of each: the
// case-1 worked example over h, and case 3 over B.
#include "hydraulics/sweep.h"

#include <benchmark/benchmark.h>

namespace {

void Sweep(benchmark::State& state) {
    hydraulics::SweepRequest request;
    if (state.range(0) == 1) {
        request = {1, {4, 100, 1.5f, 1000, 1, 0.014f, 0.25f, 0.4f}, 2, {1.0, 2.999, 0.001}, {}, {}};
    } else {
        request = {3, {1, 100, 1.6f, 1000, 0.8f, 0.014f, 0.2f, 0.3f}, 2, {1.0, 2.999, 0.001}, {}, {}};
    }
    std::size_t rows = 0;
    for (auto _ : state) {
        const auto sweep = hydraulics::RunSweep(request);
        rows = sweep.size();
        benchmark::DoNotOptimize(sweep.data());
    }
    state.counters["rows"] = double(rows);
}
BENCHMARK(Sweep)->Arg(1)->Arg(3)->ArgName("case")->Unit(benchmark::kMillisecond);

} // namespace
