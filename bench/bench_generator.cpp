#include "BenchData.h"
#include "core/generator/Generator.h"
#include "core/kernel/Random.h"
#include "core/tickets/TicketFile.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

// The generator's longest runs and the files around them. Targets: 32,767 combinations with
// both prevention checks under 1 s; a 9,996-row template under 0.3 s; saving and loading a
// 32,767-row ticket under 200 ms each.
namespace {

// As many synthetic draws as the real history holds, so the drawn check has its usual size.
constexpr int SampleDraws = 3622;

struct RankedDraws {
    RankedDraws()
        : tables(SampleDraws)
    {
        RebuildStatistics(stats, tables.results, tables.numbers, tables.bonus);
    }
    BenchData::DrawTables tables;
    TStatistics stats;
};

GeneratorOptions longestRun()
{
    GeneratorOptions options;
    options.count = MaxGenerateCount;
    return options; // the page's starting settings: more hot numbers, both checks on
}

TicketRows longestRunRows()
{
    RankedDraws draws;
    SeedRandom(1);
    TCombinationGenerator generator;
    generator.GenerateCombinations(RankingOf(draws.stats), draws.stats.Combinations, longestRun());
    return generator.rows();
}

// 9,996 rows of six different slots over a selection of 49.
TemplateData largestTemplate()
{
    TemplateData data{49, 3, {}};
    for (int r = 0; r < GeneratorTemplateCapacity - TemplateValueLines; ++r) {
        TemplateRow row;
        for (int k = 0; k < 6; ++k)
            row[k] = QString::asprintf("%.2d", (r + 7 * k) % 49 + 1);
        data.rows.push_back(row);
    }
    return data;
}

void BM_GenerateWithBothChecks(benchmark::State& state)
{
    RankedDraws draws;
    const Ranking ranking = RankingOf(draws.stats);
    int prevented = 0;
    for (auto _ : state) {
        SeedRandom(1);
        TCombinationGenerator generator;
        generator.GenerateCombinations(ranking, draws.stats.Combinations, longestRun());
        prevented = generator.state().prevented;
    }
    state.counters["prevented"] = prevented;
}

void BM_ApplyTemplate(benchmark::State& state)
{
    const TemplateData data = largestTemplate();
    QList<int> picks;
    for (int n = 1; n <= 49; ++n)
        picks << n;
    for (auto _ : state) {
        TCombinationGenerator generator;
        generator.ApplyTemplate(data, picks);
        benchmark::DoNotOptimize(generator.rows().data());
    }
}

void BM_LoadGeneratorTemplate(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("large.tpl");
    WriteTemplate(path, largestTemplate());
    for (auto _ : state)
        benchmark::DoNotOptimize(LoadGeneratorTemplate(path));
}

void BM_SaveTicket(benchmark::State& state)
{
    const TicketRows rows = longestRunRows();
    QTemporaryDir dir;
    for (auto _ : state)
        SaveTicket(rows, dir.filePath("run.dtk"));
}

void BM_LoadTicket(benchmark::State& state)
{
    QTemporaryDir dir;
    SaveTicket(longestRunRows(), dir.filePath("run.dtk"));
    for (auto _ : state) {
        TicketRows rows;
        LoadTicket(rows, dir.filePath("run.dtk"));
        benchmark::DoNotOptimize(rows.data());
    }
}

} // namespace

BENCHMARK(BM_GenerateWithBothChecks)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ApplyTemplate)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadGeneratorTemplate)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveTicket)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadTicket)->Unit(benchmark::kMillisecond);
