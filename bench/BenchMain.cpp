#include "core/kernel/ProcessMemory.h"

#include <benchmark/benchmark.h>

// The programs' own memory set-up, so that the figures are what they do.
int main(int argc, char** argv)
{
    ProcessMemory::preferLargePages();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
