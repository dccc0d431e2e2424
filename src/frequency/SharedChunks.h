// Work shared out in chunks among the threads of parallel::ForBands: each
// thread takes the next chunk as it gets to it, so that a thread the system
// holds back leaves the rest of its share to the others. The chunks' work
// must not depend on which thread does it or in what order.
#pragma once

#include <functional>

// Runs work(first, last, thread) on chunks of chunk items (the last one
// shorter) that together cover [0, count), each item of itemSize pixels;
// thread numbers the threads from 0, for per-thread scratch. An exception
// from any chunk is raised again here once every thread has finished.
void ForSharedChunks(int count, long long itemSize, int chunk,
                     const std::function<void(int first, int last, int thread)>& work);
