#include "BenchData.h"
#include "kernel/KestTable.h"
#include "kernel/TableSchema.h"
#include "stats/CombinationFrequencies.h"
#include "stats/NumberInformation.h"
#include "stats/Statistics.h"

#include <QDir>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

// The number information and combination pages, alone and after the rebuild they follow on
// every data change (the budget covers both: 10 ms at 2,500 draws, 150 ms at 100,000).
namespace {

struct DrawTables {
    QTemporaryDir folder;
    TKestTable results;
    TKestTable numbers;
    TKestTable bonus;

    explicit DrawTables(int draws)
    {
        BenchData::makeDrawTable(folder.path(), Tables::Lotto, draws);
        for (const char* name : {Tables::Numbers, Tables::Bonus})
            Tables::createTableFile(QDir(folder.path()).filePath(name), name);
        const std::pair<TKestTable*, const char*> tables[] = {
            {&results, Tables::Lotto}, {&numbers, Tables::Numbers}, {&bonus, Tables::Bonus}};
        for (const auto& [table, name] : tables) {
            table->setDatabasePath(folder.path());
            table->setTableName(name);
            table->Open();
        }
    }

    TStatistics rebuilt()
    {
        TStatistics stats;
        RebuildStatistics(stats, results, numbers, bonus);
        return stats;
    }
};

void fillPages(const TStatistics& stats)
{
    benchmark::DoNotOptimize(CombinationRows(stats));
    benchmark::DoNotOptimize(NumberInformationRows(stats, false));
    benchmark::DoNotOptimize(HotColdEntries(stats, HotColdBuild::Refresh));
}

void BM_Pages1Rows(benchmark::State& state)
{
    DrawTables tables(int(state.range(0)));
    const TStatistics stats = tables.rebuilt();
    for (auto _ : state)
        fillPages(stats);
}

void BM_Pages1RebuildAndRows(benchmark::State& state)
{
    DrawTables tables(int(state.range(0)));
    TStatistics stats;
    for (auto _ : state) {
        RebuildStatistics(stats, tables.results, tables.numbers, tables.bonus);
        fillPages(stats);
    }
}

} // namespace

BENCHMARK(BM_Pages1Rows)->Arg(2500)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Pages1RebuildAndRows)->Arg(2500)->Arg(100000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
