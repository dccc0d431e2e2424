// nuvak-bench: runs the registered timings. The comparisons run each family
// with one and with two threads for ours and the peer alike; --threads=N
// (default 1) sets the threads of the other timings.
#include <benchmark/benchmark.h>

#include <opencv2/core.hpp>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "platform/ParallelRows.h"

int main(int argc, char** argv)
{
    int threads = 1;
    std::vector<char*> rest;
    for (int i = 0; i < argc; ++i) {
        if (std::strncmp(argv[i], "--threads=", 10) == 0)
            threads = std::max(1, std::atoi(argv[i] + 10));
        else
            rest.push_back(argv[i]);
    }
    const parallel::ScopedThreads ourThreads(threads);
    cv::setNumThreads(threads);
    benchmark::AddCustomContext("threads", std::to_string(threads));
    int count = static_cast<int>(rest.size());
    benchmark::Initialize(&count, rest.data());
    if (benchmark::ReportUnrecognizedArguments(count, rest.data())) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
