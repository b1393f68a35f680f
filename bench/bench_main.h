// The main of every benchmark program: 0.2 s per case keeps a whole run to minutes; a
// --benchmark_min_time given on the command line comes later and wins.
#pragma once

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace bench {

inline int runRegistered(int argc, char** argv) {
    std::vector<char*> args(argv, argv + argc);
    std::string minTime = "--benchmark_min_time=0.2";
    args.insert(args.begin() + 1, minTime.data());
    int count = static_cast<int>(args.size());
    benchmark::Initialize(&count, args.data());
    if (benchmark::ReportUnrecognizedArguments(count, args.data())) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

}  // namespace bench
