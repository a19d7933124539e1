// One calculation of each case on its worked example, in a fresh Module1
// and in one that is reused from calculation to calculation as a window
// reuses the shared state.
#include "hydraulics/cases.h"
#include "hydraulics/module1.h"

#include <array>
#include <benchmark/benchmark.h>

namespace {

using hydraulics::CalculateCase;
using hydraulics::Module1;

constexpr std::array<std::array<float, 8>, 4> kExamples = {{
    {4, 100, 1.5f, 1000, 1, 0.014f, 0.25f, 0.4f},   // case 1: width
    {4, 100, 1.5f, 0.2f, 1, 0.014f, 0.25f, 0.4f},   // case 2: width and slope
    {1, 100, 1.6f, 1000, 0.8f, 0.014f, 0.2f, 0.3f}, // case 3: depth
    {1, 100, 2, 1000, 1, 0.014f, 0.2f, 0.3f},       // case 4: discharge
}};

void FreshState(benchmark::State& state) {
    const int caseNo = static_cast<int>(state.range(0));
    for (auto _ : state) {
        Module1 m;
        benchmark::DoNotOptimize(CalculateCase(m, caseNo, kExamples[caseNo - 1]));
    }
}

void ReusedState(benchmark::State& state) {
    const int caseNo = static_cast<int>(state.range(0));
    Module1 m;
    for (auto _ : state)
        benchmark::DoNotOptimize(CalculateCase(m, caseNo, kExamples[caseNo - 1]));
}

BENCHMARK(FreshState)->DenseRange(1, 4)->ArgName("case")->Unit(benchmark::kMicrosecond);
BENCHMARK(ReusedState)->DenseRange(1, 4)->ArgName("case")->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
