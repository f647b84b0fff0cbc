#include "BenchData.h"
#include "core/kernel/KestTable.h"
#include "core/kernel/TableSchema.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <numeric>

// Opening a results table and filtering it, at the size of the sample database and at
// 100,000 draws.
namespace {

struct DrawTable {
    QTemporaryDir folder;
    TKestTable table;

    explicit DrawTable(int draws)
    {
        BenchData::makeDrawTable(folder.path(), Tables::Lotto, draws);
        table.setDatabasePath(folder.path());
        table.setTableName(Tables::Lotto);
    }
};

void BM_OpenResultsTable(benchmark::State& state)
{
    DrawTable draws(int(state.range(0)));
    for (auto _ : state) {
        draws.table.Open();
        benchmark::DoNotOptimize(draws.table.RecordCount());
        draws.table.Close();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// Opening reads only which rows there are; this reads every field of every row as well, as
// the draws grid does when it first shows.
void BM_ReadEveryField(benchmark::State& state)
{
    DrawTable draws(int(state.range(0)));
    std::vector<int> fields(size_t(Tables::schemaFor(Tables::Lotto).fields.size()));
    std::iota(fields.begin(), fields.end(), 0);
    for (auto _ : state) {
        draws.table.Open();
        draws.table.readFields(fields);
        benchmark::DoNotOptimize(draws.table.textAt(draws.table.RecordCount() - 1, 1));
        draws.table.Close();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_ApplyFilter(benchmark::State& state)
{
    DrawTable draws(int(state.range(0)));
    draws.table.Open();
    draws.table.setFilter("(BALL1<'10') AND (BONUSBALL>='20') OR NOT (DRAWMACHINE=' A')");
    for (auto _ : state) {
        draws.table.setFiltered(true);
        benchmark::DoNotOptimize(draws.table.RecordCount());
        state.PauseTiming();
        draws.table.setFiltered(false);
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

} // namespace

BENCHMARK(BM_OpenResultsTable)->Arg(2800)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadEveryField)->Arg(2800)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ApplyFilter)->Arg(2800)->Arg(100000)->Unit(benchmark::kMillisecond);
