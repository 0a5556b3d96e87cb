#pragma once

#include <benchmark/benchmark.h>

// The body of a benchmark program's main() that has its own set-up to do first (a Qt
// application object, registrations): runs the benchmarks the command line selects.
inline int runBenchmarks(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
