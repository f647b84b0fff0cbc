#include "core/generator/WheelCoverage.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>

// The true guarantee of a large wheel. Target: 20 numbers and 1,000 rows under 1 s.
namespace {

TemplateData largeWheel()
{
    TemplateData data;
    data.selectionTotal = 20;
    std::mt19937 random(2024);
    std::vector<int> numbers(20);
    for (int i = 0; i < 20; ++i)
        numbers[i] = i + 1;
    for (int row = 0; row < 1000; ++row) {
        std::shuffle(numbers.begin(), numbers.end(), random);
        TemplateRow cells;
        for (int k = 0; k < 6; ++k)
            cells[k] = QString::asprintf("%.2d", numbers[k]);
        data.rows.push_back(cells);
    }
    return data;
}

void analyseLargeWheel(benchmark::State& state)
{
    const TemplateData data = largeWheel();
    for (auto _ : state)
        benchmark::DoNotOptimize(AnalyseWheel(data));
}
BENCHMARK(analyseLargeWheel)->Unit(benchmark::kMillisecond);

} // namespace
