#include "BenchData.h"
#include "core/stats/Companions.h"

#include <benchmark/benchmark.h>

// Pairs, triplets, consecutive runs and the skips of every number from the draw table, as the
// "Pairs and Triplets" window fills its pages: the target is 50 ms for 10,000 draws.
namespace {

void BM_Companions(benchmark::State& state)
{
    BenchData::DrawTables tables(int(state.range(0)));
    for (auto _ : state) {
        const DrawList draws = ReadDraws(tables.results);
        const CompanionCounts counts(draws);
        benchmark::DoNotOptimize(counts.pairs());
        benchmark::DoNotOptimize(counts.triplets());
        benchmark::DoNotOptimize(ConsecutiveRuns(draws));
        for (int number = 1; number <= 49; ++number)
            benchmark::DoNotOptimize(Skips(draws, number));
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// The parts on their own, so that a slow run shows which of them went slow.
void BM_CompanionCounts(benchmark::State& state)
{
    BenchData::DrawTables tables(int(state.range(0)));
    const DrawList draws = ReadDraws(tables.results);
    for (auto _ : state) {
        const CompanionCounts counts(draws);
        benchmark::DoNotOptimize(counts.pairs());
        benchmark::DoNotOptimize(counts.triplets());
    }
}

void BM_RunsAndSkips(benchmark::State& state)
{
    BenchData::DrawTables tables(int(state.range(0)));
    const DrawList draws = ReadDraws(tables.results);
    for (auto _ : state) {
        benchmark::DoNotOptimize(ConsecutiveRuns(draws));
        for (int number = 1; number <= 49; ++number)
            benchmark::DoNotOptimize(Skips(draws, number));
    }
}

} // namespace

BENCHMARK(BM_Companions)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CompanionCounts)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RunsAndSkips)->Arg(10000)->Unit(benchmark::kMillisecond);
