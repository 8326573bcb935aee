// What one button press costs in the core: check, lookup, product and result text.
// Target: well under a microsecond each, so a press is instant on any machine.
#include <benchmark/benchmark.h>

#include "calc/calc.h"

namespace {

// The last row of the largest table: the longest lookup a section press can make.
void BM_SectionPress(benchmark::State& state) {
    const kalvet::SectionTable table = kalvet::EqualAngleTable();
    for (auto _ : state) {
        auto shown = kalvet::ComputeSectionMass(table, "20  200×200×24", "6000");
        benchmark::DoNotOptimize(shown);
    }
}
BENCHMARK(BM_SectionPress);

void BM_PipePress(benchmark::State& state) {
    for (auto _ : state) {
        auto shown = kalvet::ComputePipeMass("60", "3.5", "6000", "7.85");
        benchmark::DoNotOptimize(shown);
    }
}
BENCHMARK(BM_PipePress);

}  // namespace
