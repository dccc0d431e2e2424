// The morphology row loops, cloned for AVX2: twice the bytes per instruction.
#include "processing/ExtremeRows.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

#include "platform/VectorClones.h"
#include "processing/SmallCounts.h"

// The 64-byte blocks live in registers inside each clone and are never
// passed between builds, so their calling convention does not matter.
#pragma GCC diagnostic ignored "-Wpsabi"

namespace neighbourhood {

namespace {

template <bool Max>
[[gnu::always_inline]] inline std::uint8_t Pick(std::uint8_t a, std::uint8_t b)
{
    return Max ? std::max(a, b) : std::min(a, b);
}

typedef std::uint8_t Block __attribute__((vector_size(64)));
constexpr int kBlock = sizeof(Block);

template <bool Max>
[[gnu::always_inline]] inline Block PickBlock(Block a, Block b)
{
    return Max ? (a > b ? a : b) : (a < b ? a : b);
}

// Rows are taken a block at a time; a row of a block or more ends with a
// block that overlaps the one before, rather than byte by byte (out never
// overlaps the rows read, so its bytes come out the same twice).
template <typename Step>
[[gnu::always_inline]] inline int Blocks(int length, Step step)
{
    if (length < kBlock) return 0;
    int i = 0;
    for (; i + kBlock <= length; i += kBlock) step(i);
    if (i < length) step(length - kBlock);
    return length;
}

template <bool Max>
[[gnu::always_inline]] inline void PairRow(std::uint8_t* __restrict out, const std::uint8_t* __restrict a,
                                           const std::uint8_t* __restrict b, int length)
{
    const int done = Blocks(length, [&](int i) {
        Block x, y;
        std::memcpy(&x, a + i, kBlock);
        std::memcpy(&y, b + i, kBlock);
        x = PickBlock<Max>(x, y);
        std::memcpy(out + i, &x, kBlock);
    });
    for (int i = done; i < length; ++i) out[i] = Pick<Max>(a[i], b[i]);
}

// Rows of up to this many neighbours take one pass.
constexpr int kLargestOnePass = 9;

// The extreme of N neighbours in one pass over the row, each block from N
// shifted loads, where doubling would write and read back a row per step.
template <bool Max, int N>
[[gnu::always_inline]] inline void NeighboursRow(std::uint8_t* __restrict out, const std::uint8_t* __restrict in,
                                                 int length)
{
    const int done = Blocks(length, [&](int i) {
        Block x;
        std::memcpy(&x, in + i, kBlock);
        for (int m = 1; m < N; ++m) {
            Block y;
            std::memcpy(&y, in + i + m, kBlock);
            x = PickBlock<Max>(x, y);
        }
        std::memcpy(out + i, &x, kBlock);
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
template <bool Max, int Group>
[[gnu::always_inline]] inline void AlignedRows(const std::uint8_t* const* rows, int n, int columns,
                                               std::uint8_t* const* outs)
{
    auto load = [&](int k, int i) {
        Block b;
        std::memcpy(&b, rows[k] + i, kBlock);
        return b;
    };
    const int first = Blocks(columns, [&](int i) {
        Block above[Group];  // above[j]: rows j .. Group - 2
        if constexpr (Group > 1) {
            above[Group - 2] = load(Group - 2, i);
            for (int j = Group - 3; j >= 0; --j) above[j] = PickBlock<Max>(load(j, i), above[j + 1]);
        }
        Block shared = load(Group - 1, i);
        for (int k = Group; k < n; ++k) shared = PickBlock<Max>(shared, load(k, i));
        Block below = shared;  // the shared rows and rows n .. n + j - 1
        for (int j = 0; j < Group; ++j) {
            if (j > 0) below = PickBlock<Max>(below, load(n + j - 1, i));
            const Block v = j < Group - 1 ? PickBlock<Max>(above[j], below) : below;
            std::memcpy(outs[j] + i, &v, kBlock);
        }
    });
    for (int j = 0; j < Group; ++j)
        for (int i = first; i < columns; ++i) {
            std::uint8_t v = rows[j][i];
            for (int k = 1; k < n; ++k) v = Pick<Max>(v, rows[j + k][i]);
            outs[j][i] = v;
        }
}

template <bool Max>
[[gnu::always_inline]] inline void AlignedRowsOf(const std::uint8_t* const* rows, int n, int group,
                                                 int columns, std::uint8_t* const* outs)
{
    switch (group) {
        case 1: return AlignedRows<Max, 1>(rows, n, columns, outs);
        case 2: return AlignedRows<Max, 2>(rows, n, columns, outs);
        case 3: return AlignedRows<Max, 3>(rows, n, columns, outs);
        default: return AlignedRows<Max, kAlignedGroup>(rows, n, columns, outs);
    }
}

// Up to nine neighbours in one pass; beyond, extremes of 2, 4, 8, ...
// neighbours by doubling, then of n as two overlapping runs of the largest
// of those: the same values in fewer passes, since an extreme may count a
// value twice.
template <bool Max>
[[gnu::always_inline]] inline void AlongRow(const std::uint8_t* in, int n, int columns, std::uint8_t* out,
                                            std::uint8_t* scratch)
{
    bool done = false;
    WithCount<kLargestOnePass>(n, [&](auto count) {
        if constexpr (count <= kLargestOnePass) {
            NeighboursRow<Max, count>(out, in, columns);
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
        PairRow<Max>(next, run, run + width, length);
        run = next;
    }
    PairRow<Max>(out, run, run + (n - width), columns);
}

}  // namespace

NUVAK_WIDE_BUILDS(void, ExtremeOfAlignedRows,
                  (const std::uint8_t* const* rows, int n, int group, int columns, std::uint8_t* const* outs, bool max),
                  (rows, n, group, columns, outs, max))
{
    if (max)
        AlignedRowsOf<true>(rows, n, group, columns, outs);
    else
        AlignedRowsOf<false>(rows, n, group, columns, outs);
}

NUVAK_WIDE_BUILDS(void, ExtremeAlongRow,
                  (const std::uint8_t* in, int n, int columns, std::uint8_t* out, std::uint8_t* scratch, bool max),
                  (in, n, columns, out, scratch, max))
{
    if (max)
        AlongRow<true>(in, n, columns, out, scratch);
    else
        AlongRow<false>(in, n, columns, out, scratch);
}

}  // namespace neighbourhood
