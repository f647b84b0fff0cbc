#include "BenchData.h"
#include "core/kernel/KestTable.h"
#include "core/kernel/TableSchema.h"
#include "core/update/ResultsFile.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

// Replacing the draws of a game table with a results file of state.range(0) lines, the way
// the update does: into an empty table (the first start) and over a table that already holds
// as many draws (every later update).
namespace {

void importInto(benchmark::State& state, bool tableFull)
{
    QTemporaryDir folder;
    const int draws = int(state.range(0));
    const QString results = BenchData::writeResultsFile(folder.path(), draws);
    BenchData::makeDrawTable(folder.path(), Tables::Lotto, tableFull ? draws : 0);
    TKestTable table;
    table.setDatabasePath(folder.path());
    table.setTableName(Tables::Lotto);
    table.Open();
    for (auto _ : state) {
        importResultsFile(table, results);
        if (!tableFull) {
            state.PauseTiming();
            table.Close();
            QFile::remove(table.fileName());
            BenchData::makeDrawTable(folder.path(), Tables::Lotto);
            table.Open();
            state.ResumeTiming();
        }
    }
    state.SetItemsProcessed(state.iterations() * draws);
}

void BM_ImportIntoEmptyTable(benchmark::State& state)
{
    importInto(state, false);
}

void BM_ImportOverFullTable(benchmark::State& state)
{
    importInto(state, true);
}

} // namespace

BENCHMARK(BM_ImportIntoEmptyTable)->Arg(3622)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ImportOverFullTable)->Arg(3622)->Arg(100000)->Unit(benchmark::kMillisecond);
