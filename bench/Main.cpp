// nuvak-bench: runs the registered timings; --threads=N (default 1) sets the
// threads the peers may use.
#include <benchmark/benchmark.h>

#include <opencv2/core.hpp>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    int threads = 1;
    std::vector<char*> rest;
    for (int i = 0; i < argc; ++i) {
        if (std::strncmp(argv[i], "--threads=", 10) == 0)
            threads = std::atoi(argv[i] + 10);
        else
            rest.push_back(argv[i]);
    }
    cv::setNumThreads(threads);
    benchmark::AddCustomContext("threads", std::to_string(threads));
    int count = static_cast<int>(rest.size());
    benchmark::Initialize(&count, rest.data());
    if (benchmark::ReportUnrecognizedArguments(count, rest.data())) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
