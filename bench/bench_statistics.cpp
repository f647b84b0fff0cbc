#include "BenchData.h"
#include "core/records/DrawEntry.h"
#include "core/stats/CombinationFrequencies.h"
#include "core/stats/DrawInformation.h"
#include "core/stats/NumberInformation.h"
#include "core/stats/OverallReport.h"
#include "core/stats/Statistics.h"

#include <benchmark/benchmark.h>

// The passes over the draws: the statistics rebuild with every page it fills, which runs on
// every data change, and the history pass, which runs when the history is shown after one.
namespace {

using BenchData::DrawTables;

void fillPages(const TStatistics& stats)
{
    benchmark::DoNotOptimize(NumberInformationRows(stats, false));
    benchmark::DoNotOptimize(HotColdEntries(stats, HotColdBuild::Refresh));
    benchmark::DoNotOptimize(CombinationRows(stats));
    benchmark::DoNotOptimize(OverallReportRows(stats));
    for (int position = 0; position < PositionCount; ++position)
        benchmark::DoNotOptimize(DrawInformation(stats, position));
}

void BM_RebuildStatistics(benchmark::State& state)
{
    DrawTables tables(int(state.range(0)));
    TStatistics stats;
    for (auto _ : state)
        RebuildStatistics(stats, tables.results, tables.numbers, tables.bonus);
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// The target: every page's rows from the statistics, 30 ms at 100,000 draws.
void BM_PageRows(benchmark::State& state)
{
    DrawTables tables(int(state.range(0)));
    TStatistics stats;
    RebuildStatistics(stats, tables.results, tables.numbers, tables.bonus);
    for (auto _ : state)
        fillPages(stats);
}

// The target: rebuild and all page rows, 10 ms at 2,500 draws and 80 ms at 100,000.
void BM_RebuildAndAllPages(benchmark::State& state)
{
    DrawTables tables(int(state.range(0)));
    TStatistics stats;
    for (auto _ : state) {
        RebuildStatistics(stats, tables.results, tables.numbers, tables.bonus);
        fillPages(stats);
    }
}

// A draw entered by hand: stored at the top, then the rebuild and every page, as OK does.
// The target: under 100 ms at 10,000 draws.
void BM_AddDrawAndRefresh(benchmark::State& state)
{
    DrawTables tables(int(state.range(0)));
    TStatistics stats;
    DrawEntry entry;
    entry.date = QDate(2026, 12, 9);
    entry.balls = {"3", "14", "15", "26", "35", "49"};
    entry.bonus = "9";
    entry.machine = "B";
    for (QString* figure : {&entry.ballSet, &entry.totalSales, &entry.prizePool, &entry.rollover,
                            &entry.rolloverCount, &entry.nextEstimated, &entry.nextGuaranteed})
        *figure = "1";
    entry.divisionAmounts.fill("100");
    entry.divisionWinners.fill("2");
    for (auto _ : state) {
        DrawEntryRules::store(tables.results, entry);
        RebuildStatistics(stats, tables.results, tables.numbers, tables.bonus);
        fillPages(stats);
        state.PauseTiming();
        tables.results.First();
        tables.results.Delete();
        state.ResumeTiming();
    }
}

// A pass after the draws changed writes the whole history: it is emptied between passes.
void BM_RebuildHistory(benchmark::State& state)
{
    DrawTables tables(int(state.range(0)));
    for (auto _ : state) {
        RebuildHistory(tables.results, tables.history);
        state.PauseTiming();
        tables.history.DeleteAll();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// A later showing without a change reads the history and keeps it.
void BM_RebuildHistoryUnchanged(benchmark::State& state)
{
    DrawTables tables(int(state.range(0)));
    RebuildHistory(tables.results, tables.history);
    for (auto _ : state)
        RebuildHistory(tables.results, tables.history);
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// What the program does at start-up before its pages show: open the tables of a data folder,
// rebuild the statistics and fill every page.
void BM_StartUp(benchmark::State& state)
{
    DrawTables tables(int(state.range(0)));
    for (TKestTable* table : {&tables.results, &tables.numbers, &tables.bonus, &tables.history})
        table->Close();
    for (auto _ : state) {
        for (TKestTable* table : {&tables.results, &tables.numbers, &tables.bonus, &tables.history})
            table->Open();
        TStatistics stats;
        RebuildStatistics(stats, tables.results, tables.numbers, tables.bonus);
        fillPages(stats);
        state.PauseTiming();
        for (TKestTable* table : {&tables.results, &tables.numbers, &tables.bonus, &tables.history})
            table->Close();
        state.ResumeTiming();
    }
}

} // namespace

BENCHMARK(BM_StartUp)->Arg(2500)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RebuildStatistics)->Arg(2500)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PageRows)->Arg(2500)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RebuildAndAllPages)->Arg(2500)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AddDrawAndRefresh)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RebuildHistory)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RebuildHistoryUnchanged)->Arg(100000)->Unit(benchmark::kMillisecond);
