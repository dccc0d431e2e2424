// The morphology row loops, cloned for AVX2 and AVX-512, a register of bytes at a time.
#include "processing/ExtremeRows.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

#include "platform/VectorClones.h"
#include "processing/SmallCounts.h"

// The blocks live in registers inside each clone and are never passed
// between builds, so their calling convention does not matter.
#pragma GCC diagnostic ignored "-Wpsabi"

namespace neighbourhood {

namespace {

template <bool Max>
[[gnu::always_inline]] inline std::uint8_t Pick(std::uint8_t a, std::uint8_t b)
{
    return Max ? std::max(a, b) : std::min(a, b);
}

// A block is one register of the build: wider blocks than the registers
// spill the several blocks the row loops keep live.
template <int W>
struct Width {
    typedef std::uint8_t Block __attribute__((vector_size(W)));
};
template <int W>
using Block = typename Width<W>::Block;

template <bool Max, typename V>
[[gnu::always_inline]] inline V PickBlock(V a, V b)
{
    return Max ? (a > b ? a : b) : (a < b ? a : b);
}

// Rows are taken a block at a time; a row of a block or more ends with a
// block that overlaps the one before, rather than byte by byte (out never
// overlaps the rows read, so its bytes come out the same twice).
template <int W, typename Step>
[[gnu::always_inline]] inline int Blocks(int length, Step step)
{
    if (length < W) return 0;
    int i = 0;
    for (; i + W <= length; i += W) step(i);
    if (i < length) step(length - W);
    return length;
}

template <bool Max, int W>
[[gnu::always_inline]] inline void PairRow(std::uint8_t* __restrict out, const std::uint8_t* __restrict a,
                                           const std::uint8_t* __restrict b, int length)
{
    const int done = Blocks<W>(length, [&](int i) {
        Block<W> x, y;
        std::memcpy(&x, a + i, W);
        std::memcpy(&y, b + i, W);
        x = PickBlock<Max>(x, y);
        std::memcpy(out + i, &x, W);
    });
    for (int i = done; i < length; ++i) out[i] = Pick<Max>(a[i], b[i]);
}

// Rows of up to this many neighbours take one pass.
constexpr int kLargestOnePass = 9;

// The extreme of N neighbours in one pass over the row, each block from N
// shifted loads, where doubling would write and read back a row per step.
template <bool Max, int N, int W>
[[gnu::always_inline]] inline void NeighboursRow(std::uint8_t* __restrict out, const std::uint8_t* __restrict in,
                                                 int length)
{
    const int done = Blocks<W>(length, [&](int i) {
        Block<W> x;
        std::memcpy(&x, in + i, W);
        for (int m = 1; m < N; ++m) {
            Block<W> y;
            std::memcpy(&y, in + i + m, W);
            x = PickBlock<Max>(x, y);
        }
        std::memcpy(out + i, &x, W);
    });
    for (int i = done; i < length; ++i) {
        std::uint8_t v = in[i];
        for (int m = 1; m < N; ++m) v = Pick<Max>(v, in[i + m]);
        out[i] = v;
    }
}

// Group rows whose windows of n rows overlap: the rows all windows share
// are taken once; each window adds the rows above them that it reaches
// (running up from the shared rows) and those below (running down).
template <bool Max, int Group, int W>
[[gnu::always_inline]] inline void AlignedRows(const std::uint8_t* const* rows, int n, int columns,
                                               std::uint8_t* const* outs)
{
    auto load = [&](int k, int i) {
        Block<W> b;
        std::memcpy(&b, rows[k] + i, W);
        return b;
    };
    const int first = Blocks<W>(columns, [&](int i) {
        Block<W> above[Group];  // above[j]: rows j .. Group - 2
        if constexpr (Group > 1) {
            above[Group - 2] = load(Group - 2, i);
            for (int j = Group - 3; j >= 0; --j) above[j] = PickBlock<Max>(load(j, i), above[j + 1]);
        }
        Block<W> shared = load(Group - 1, i);
        for (int k = Group; k < n; ++k) shared = PickBlock<Max>(shared, load(k, i));
        Block<W> below = shared;  // the shared rows and rows n .. n + j - 1
        for (int j = 0; j < Group; ++j) {
            if (j > 0) below = PickBlock<Max>(below, load(n + j - 1, i));
            const Block<W> v = j < Group - 1 ? PickBlock<Max>(above[j], below) : below;
            std::memcpy(outs[j] + i, &v, W);
        }
    });
    for (int j = 0; j < Group; ++j)
        for (int i = first; i < columns; ++i) {
            std::uint8_t v = rows[j][i];
            for (int k = 1; k < n; ++k) v = Pick<Max>(v, rows[j + k][i]);
            outs[j][i] = v;
        }
}

template <bool Max, int W>
[[gnu::always_inline]] inline void AlignedRowsOf(const std::uint8_t* const* rows, int n, int group,
                                                 int columns, std::uint8_t* const* outs)
{
    switch (group) {
        case 1: return AlignedRows<Max, 1, W>(rows, n, columns, outs);
        case 2: return AlignedRows<Max, 2, W>(rows, n, columns, outs);
        case 3: return AlignedRows<Max, 3, W>(rows, n, columns, outs);
        default: return AlignedRows<Max, kAlignedGroup, W>(rows, n, columns, outs);
    }
}

// Up to nine neighbours in one pass; beyond, extremes of 2, 4, 8, ...
// neighbours by doubling, then of n as two overlapping runs of the largest
// of those: the same values in fewer passes, since an extreme may count a
// value twice.
template <bool Max, int W>
[[gnu::always_inline]] inline void AlongRow(const std::uint8_t* in, int n, int columns, std::uint8_t* out,
                                            std::uint8_t* scratch)
{
    bool done = false;
    WithCount<kLargestOnePass>(n, [&](auto count) {
        if constexpr (count <= kLargestOnePass) {
            NeighboursRow<Max, count, W>(out, in, columns);
            done = true;
        }
    });
    if (done) return;
    const std::uint8_t* run = in;
    int width = 1;
    int length = columns + n - 1;
    for (int k = 0; 2 * width <= n; width *= 2, ++k) {
        length -= width;
        std::uint8_t* next = scratch + static_cast<size_t>(k % 2) * static_cast<size_t>(columns + n);
        PairRow<Max, W>(next, run, run + width, length);
        run = next;
    }
    PairRow<Max, W>(out, run, run + (n - width), columns);
}

}  // namespace

NUVAK_SIZED_BUILDS(void, ExtremeOfAlignedRows,
                  (const std::uint8_t* const* rows, int n, int group, int columns, std::uint8_t* const* outs, bool max),
                  (rows, n, group, columns, outs, max))
{
    if (max)
        AlignedRowsOf<true, kVectorBytes>(rows, n, group, columns, outs);
    else
        AlignedRowsOf<false, kVectorBytes>(rows, n, group, columns, outs);
}

NUVAK_SIZED_BUILDS(void, ExtremeAlongRow,
                  (const std::uint8_t* in, int n, int columns, std::uint8_t* out, std::uint8_t* scratch, bool max),
                  (in, n, columns, out, scratch, max))
{
    if (max)
        AlongRow<true, kVectorBytes>(in, n, columns, out, scratch);
    else
        AlongRow<false, kVectorBytes>(in, n, columns, out, scratch);
}

}  // namespace neighbourhood
