// SPDX-License-Identifier: GPL-3.0-or-later
// One calculation of each case on its worked example, on a state reused
// from calculation to calculation as a window reuses the shared state.
#include "hydraulics/cases.h"
#include "hydraulics/projectstate.h"

#include <benchmark/benchmark.h>

namespace {

void Calculate(benchmark::State& state) {
    static constexpr std::array<float, 8> kExamples[] = {
        {4, 100, 1.5f, 1000, 1, 0.014f, 0.25f, 0.4f},   // case 1: width
        {4, 100, 1.5f, 0.2f, 1, 0.014f, 0.25f, 0.4f},   // case 2: width and slope
        {1, 100, 1.6f, 1000, 0.8f, 0.014f, 0.2f, 0.3f}, // case 3: depth
        {1, 100, 2, 1000, 1, 0.014f, 0.2f, 0.3f}};      // case 4: discharge
    const int caseNo = static_cast<int>(state.range(0));
    hydraulics::ProjectState m;
    for (auto _ : state)
        benchmark::DoNotOptimize(hydraulics::CalculateCase(m, caseNo, kExamples[caseNo - 1]));
}
BENCHMARK(Calculate)->DenseRange(1, 4)->ArgName("case")->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
