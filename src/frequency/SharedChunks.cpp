#include "frequency/SharedChunks.h"

#include <algorithm>
#include <atomic>

#include "platform/ParallelRows.h"

void ForSharedChunks(int count, long long itemSize, int chunk,
                     const std::function<void(int first, int last, int thread)>& work)
{
    std::atomic<int> nextThread{0};
    std::atomic<int> nextChunk{0};
    parallel::ForBands(0, count, itemSize, [&](int, int) {
        const int thread = nextThread++;
        for (int first; (first = nextChunk.fetch_add(chunk)) < count;)
            work(first, std::min(first + chunk, count), thread);
    });
}
