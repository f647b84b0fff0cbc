#include "BenchData.h"
#include "kernel/KestTable.h"
#include "kernel/TableSchema.h"
#include "stats/Statistics.h"

#include <QDir>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

// The two passes over the draws: the statistics rebuild, which runs on every data change, and
// the history pass, which runs when the frequency history is shown after a change.
namespace {

struct DrawTables {
    QTemporaryDir folder;
    TKestTable results;
    TKestTable numbers;
    TKestTable bonus;
    TKestTable history;

    explicit DrawTables(int draws)
    {
        BenchData::makeDrawTable(folder.path(), Tables::Lotto, draws);
        for (const char* name : {Tables::Numbers, Tables::Bonus, Tables::History})
            Tables::createTableFile(QDir(folder.path()).filePath(name), name);
        const std::pair<TKestTable*, const char*> tables[] = {{&results, Tables::Lotto},
                                                              {&numbers, Tables::Numbers},
                                                              {&bonus, Tables::Bonus},
                                                              {&history, Tables::History}};
        for (const auto& [table, name] : tables) {
            table->setDatabasePath(folder.path());
            table->setTableName(name);
            table->Open();
        }
    }
};

void BM_RebuildStatistics(benchmark::State& state)
{
    const int draws = int(state.range(0));
    DrawTables tables(draws);
    TStatistics stats;
    for (auto _ : state)
        RebuildStatistics(stats, tables.results, tables.numbers, tables.bonus);
    state.SetItemsProcessed(state.iterations() * draws);
}

// Each pass replaces the history the previous one wrote, as a later showing does.
void BM_RebuildHistory(benchmark::State& state)
{
    const int draws = int(state.range(0));
    DrawTables tables(draws);
    for (auto _ : state)
        RebuildHistory(tables.results, tables.history);
    state.SetItemsProcessed(state.iterations() * draws);
}

} // namespace

BENCHMARK(BM_RebuildStatistics)->Arg(2500)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RebuildHistory)->Arg(10000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
