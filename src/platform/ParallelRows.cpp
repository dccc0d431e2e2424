// Bands of rows on threads of their own.
#include "platform/ParallelRows.h"

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

namespace {

// How many bands [begin, end) is split into.
int BandCount(int begin, int end, long long pixelsPerRow)
{
    const long long rows = end - begin;
    if (rows <= 0) return 0;
    const long long pixels = rows * std::max(pixelsPerRow, 1LL);
    if (pixels < chosenSmallest.load()) return 1;
    return static_cast<int>(std::min<long long>(ThreadCount(), rows));
}

// Runs work(band, first, last) for every band, one thread per band.
void RunBands(int begin, int end, int bands, const std::function<void(int band, int first, int last)>& work)
{
    const long long rows = end - begin;
    auto bandStart = [&](long long band) { return begin + static_cast<int>(rows * band / bands); };
    if (bands == 1) {
        work(0, begin, end);
        return;
    }
    std::vector<std::exception_ptr> failures(static_cast<size_t>(bands));
    auto runBand = [&](int band) {
        try {
            work(band, bandStart(band), bandStart(band + 1));
        } catch (...) {
            failures[static_cast<size_t>(band)] = std::current_exception();
        }
    };
    std::vector<std::thread> threads;
    threads.reserve(static_cast<size_t>(bands));
    std::vector<int> leftOver;  // bands no thread could be started for
    for (int band = 1; band < bands; ++band) {
        try {
            threads.emplace_back(runBand, band);
        } catch (const std::system_error&) {
            leftOver.push_back(band);
        }
    }
    runBand(0);
    for (const int band : leftOver) runBand(band);
    for (std::thread& thread : threads) thread.join();
    for (const std::exception_ptr& failure : failures)
        if (failure) std::rethrow_exception(failure);
}

}  // namespace

void ForBands(int begin, int end, long long pixelsPerRow, const std::function<void(int first, int last)>& work)
{
    const int bands = BandCount(begin, end, pixelsPerRow);
    if (bands > 0) RunBands(begin, end, bands, [&](int, int first, int last) { work(first, last); });
}

void ForPreparedBands(int begin, int end, long long pixelsPerRow,
                      const std::function<BandWork(int first, int last)>& prepare)
{
    const int bands = BandCount(begin, end, pixelsPerRow);
    if (bands == 0) return;
    std::vector<BandWork> work(static_cast<size_t>(bands));
    RunBands(begin, end, bands, [&](int band, int first, int last) { work[static_cast<size_t>(band)] = prepare(first, last); });
    RunBands(begin, end, bands, [&](int band, int, int) { work[static_cast<size_t>(band)](); });
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
