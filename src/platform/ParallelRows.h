// Splitting an operation's rows into bands over the processor's cores. Every
// row is computed by exactly the code one thread would run, so the thread
// count never changes a pixel.
#pragma once

#include <functional>

namespace parallel {

// The threads operations use: NUVAK_THREADS when it holds a number from 1,
// otherwise the processor's cores.
int ThreadCount();

// Runs work(first, last) on bands of rows that together cover [begin, end),
// one thread per band, the calling thread taking the first. Images of fewer
// than about a quarter million pixels (rows x pixelsPerRow) stay on one
// thread: starting threads would cost more than it saves. An exception from
// any band is raised again here once every band has finished.
void ForBands(int begin, int end, long long pixelsPerRow, const std::function<void(int first, int last)>& work);

// The same bands in two steps, for operations whose bands read rows that a
// neighbouring band writes: prepare(first, last) runs for every band and
// returns the band's work, which runs only once every band is prepared. An
// exception from any preparation is raised again before any work starts.
using BandWork = std::function<void()>;
void ForPreparedBands(int begin, int end, long long pixelsPerRow,
                      const std::function<BandWork(int first, int last)>& prepare);

// While alive, operations use this many threads and split images of at least
// smallest pixels; for comparing thread counts in tests and the bench.
class ScopedThreads {
public:
    explicit ScopedThreads(int threads, long long smallest = kDefaultSmallest);
    ~ScopedThreads();
    ScopedThreads(const ScopedThreads&) = delete;
    ScopedThreads& operator=(const ScopedThreads&) = delete;

    static constexpr long long kDefaultSmallest = 1 << 18;

private:
    int threads_;
    long long smallest_;
};

}  // namespace parallel
