// nuvak-bench: runs the registered timings. The comparisons run each family
// with one and with two threads for ours and the peer alike; --threads=N
// (default 1) sets the threads of the other timings. The output starts with
// the processor, the instruction set the row loops use and the thread counts,
// so that figures from different machines can be told apart.
#include <benchmark/benchmark.h>

#include <opencv2/core.hpp>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "platform/InstructionSet.h"
#include "platform/ParallelRows.h"

namespace {

// The model name /proc/cpuinfo gives for the first processor, with its
// family and model numbers, which a virtual machine's bare name leaves out.
std::string ProcessorModel()
{
    std::ifstream info("/proc/cpuinfo");
    std::string name = "unknown", family, model;
    for (std::string line; std::getline(info, line) && line != "";) {
        const size_t colon = line.find(':');
        if (colon == std::string::npos) continue;
        const size_t start = line.find_first_not_of(' ', colon + 1);
        const std::string value = start == std::string::npos ? "" : line.substr(start);
        if (line.rfind("model name", 0) == 0)
            name = value;
        else if (line.rfind("cpu family", 0) == 0)
            family = value;
        else if (line.rfind("model\t", 0) == 0)
            model = value;
    }
    if (!family.empty() && !model.empty()) name += " (family " + family + ", model " + model + ")";
    return name;
}

std::string InstructionSetNote()
{
    std::string note = platform::SetName(platform::ChosenSet());
    if (platform::SetForced())
        note += std::string(" (forced by NUVAK_ISA; the processor has ") + platform::SetName(platform::BestSet()) + ")";
    return note;
}

// The set OpenCV's own dispatch uses, which OPENCV_CPU_DISABLE lowers (for
// example AVX512F,AVX512BW,AVX512CD,AVX512DQ,AVX512VL,AVX512-SKX to match
// NUVAK_ISA=avx2).
std::string PeerInstructionSet()
{
    if (cv::checkHardwareSupport(CV_CPU_AVX512_SKX)) return "avx512";
    if (cv::checkHardwareSupport(CV_CPU_AVX2)) return "avx2";
    return "baseline";
}

}  // namespace

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
    benchmark::AddCustomContext("processor", ProcessorModel());
    benchmark::AddCustomContext("instruction set", InstructionSetNote());
    benchmark::AddCustomContext("opencv instruction set", PeerInstructionSet());
    benchmark::AddCustomContext("threads", "1 and 2 in Compare/, " + std::to_string(threads) + " in the others");
    int count = static_cast<int>(rest.size());
    benchmark::Initialize(&count, rest.data());
    if (benchmark::ReportUnrecognizedArguments(count, rest.data())) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
