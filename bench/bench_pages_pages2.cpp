#include "BenchData.h"
#include "kernel/KestTable.h"
#include "kernel/TableSchema.h"
#include "stats/DrawInformation.h"
#include "stats/OverallReport.h"
#include "stats/Statistics.h"

#include <QDir>
#include <QLocale>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

// The overall report and the draw information pages as a refresh fills them: a statistics
// rebuild, then the rows of both pages (every position of the draw information).
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
};

void pageRows(const TStatistics& stats)
{
    benchmark::DoNotOptimize(OverallReportRows(stats));
    for (int position = 0; position < PositionCount; ++position)
        benchmark::DoNotOptimize(DrawInformation(stats, position));
}

void BM_RebuildAndPages(benchmark::State& state)
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    const int draws = int(state.range(0));
    DrawTables tables(draws);
    TStatistics stats;
    for (auto _ : state) {
        RebuildStatistics(stats, tables.results, tables.numbers, tables.bonus);
        pageRows(stats);
    }
    state.SetItemsProcessed(state.iterations() * draws);
}

void BM_PagesOnly(benchmark::State& state)
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    DrawTables tables(int(state.range(0)));
    TStatistics stats;
    RebuildStatistics(stats, tables.results, tables.numbers, tables.bonus);
    for (auto _ : state)
        pageRows(stats);
}

} // namespace

BENCHMARK(BM_RebuildAndPages)->Arg(2500)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PagesOnly)->Arg(2500)->Arg(100000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
