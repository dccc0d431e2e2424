// Bands of rows on threads of their own.
#include "processing/ParallelRows.h"

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <exception>
#include <system_error>
#include <thread>
#include <vector>

namespace parallel {

namespace {

constexpr int kMostThreads = 64;

// Set by ScopedThreads; 0 threads means none set.
std::atomic<int> chosenThreads{0};
std::atomic<long long> chosenSmallest{ScopedThreads::kDefaultSmallest};

int FromEnvironment()
{
    const char* text = std::getenv("NUVAK_THREADS");
    if (!text || !*text) return 0;
    char* end = nullptr;
    const long value = std::strtol(text, &end, 10);
    if (*end != '\0' || value < 1) return 0;
    return static_cast<int>(std::min<long>(value, kMostThreads));
}

}  // namespace

int ThreadCount()
{
    if (const int chosen = chosenThreads.load()) return chosen;
    if (const int fromEnvironment = FromEnvironment()) return fromEnvironment;
    return static_cast<int>(std::clamp(std::thread::hardware_concurrency(), 1u, unsigned{kMostThreads}));
}

void ForBands(int begin, int end, long long pixelsPerRow, const std::function<void(int first, int last)>& work)
{
    const long long rows = end - begin;
    if (rows <= 0) return;
    const long long pixels = rows * std::max(pixelsPerRow, 1LL);
    long long bands = std::min<long long>(ThreadCount(), rows);
    if (pixels < chosenSmallest.load()) bands = 1;
    if (bands <= 1) {
        work(begin, end);
        return;
    }
    auto bandStart = [&](long long band) { return begin + static_cast<int>(rows * band / bands); };
    std::vector<std::exception_ptr> failures(static_cast<size_t>(bands));
    auto runBand = [&](long long band) {
        try {
            work(bandStart(band), bandStart(band + 1));
        } catch (...) {
            failures[static_cast<size_t>(band)] = std::current_exception();
        }
    };
    std::vector<std::thread> threads;
    threads.reserve(static_cast<size_t>(bands));
    std::vector<long long> leftOver;  // bands no thread could be started for
    for (long long band = 1; band < bands; ++band) {
        try {
            threads.emplace_back(runBand, band);
        } catch (const std::system_error&) {
            leftOver.push_back(band);
        }
    }
    runBand(0);
    for (const long long band : leftOver) runBand(band);
    for (std::thread& thread : threads) thread.join();
    for (const std::exception_ptr& failure : failures)
        if (failure) std::rethrow_exception(failure);
}

ScopedThreads::ScopedThreads(int threads, long long smallest)
    : threads_(chosenThreads.exchange(std::clamp(threads, 1, kMostThreads))),
      smallest_(chosenSmallest.exchange(smallest))
{
}

ScopedThreads::~ScopedThreads()
{
    chosenThreads.store(threads_);
    chosenSmallest.store(smallest_);
}

}  // namespace parallel
