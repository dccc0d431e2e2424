// Working storage and inner loops shared by the neighbourhood operations:
// rows of samples, weighted kernel sums and sliding box sums over the AOI.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <utility>
#include <type_traits>
#include <vector>

#include "image/Image.h"
#include "processing/Neighbourhood.h"
#include "platform/ParallelRows.h"
#include "processing/RowWindow.h"
#include "image/SampleRows.h"
#include "platform/VectorClones.h"

namespace neighbourhood {

// RoundHalfAway clamped to 0..255, safe for sums far outside the int range
// and for a NaN from an overflowing kernel.
inline int RoundToByte(double sum)
{
    if (sum >= 255) return 255;
    if (!(sum > 0)) return 0;
    return RoundHalfAway(sum);
}

// The packed R, G, B bytes of a run of pixels.
inline std::uint8_t* Bytes(CColorVal* pixels) { return reinterpret_cast<std::uint8_t*>(pixels); }
inline const std::uint8_t* Bytes(const CColorVal* pixels) { return reinterpret_cast<const std::uint8_t*>(pixels); }

// A row of integer sums clamped to bytes; on unaliased rows, cloned so that
// it vectorises wide.
void ClampRow(const std::int16_t* __restrict sums, size_t count, std::uint8_t* __restrict values);
void ClampRow(const int* __restrict sums, size_t count, std::uint8_t* __restrict values);

// RoundToByte of a row of double sums, and a row of byte samples as
// doubles; converting between bytes and doubles needs the vector clones.
void RoundRow(const double* __restrict sums, size_t count, std::uint8_t* __restrict values);
void Widen(const std::uint8_t* __restrict samples, size_t count, double* __restrict values);

// sums[j] = the sum over the n x n weights, in row-major order from 0, of
// weight[k][m] x rows[k][channels x m + j], for count sums. Each sum is kept
// in a register while all weights pass over it, and the samples were made
// doubles once per row, not once per weight. exactProducts says that every
// product is exact in double, as a float weight times a byte sample (24 and
// 8 significant bits) is: a fused multiply-add then rounds once where a
// multiply and an add would round twice, with the same result.
void KernelRow(const double* const* rows, int n, int channels, const double* weights, size_t count,
               double* __restrict sums, bool exactProducts);

// The same for integer weights on byte samples, whose sums are exact.
void KernelRow(const std::uint8_t* const* rows, int n, int channels, const std::int16_t* weights, size_t count,
               std::int16_t* __restrict sums);
void KernelRow(const std::uint8_t* const* rows, int n, int channels, const int* weights, size_t count,
               int* __restrict sums);

// Near sums for float weights: single precision has twice the lanes of
// double. KernelRow's float sums add each kernel row's products from 0 in
// order and then the row sums, so that the rounding errors stay small.
// FloatKernelMargin bounds how far they lie from the exact sums, together
// with the double sums' own distance and NearRoundRow's roundings (negative
// when a float sum could overflow); NearRoundRow rounds the float sums as
// RoundToByte and marks those within the margin of a half, and says whether
// there are any: those alone take the double sum.
float FloatKernelMargin(const float* weights, int n);
void Widen(const std::uint8_t* __restrict samples, size_t count, float* __restrict values);
void KernelRow(const float* const* rows, int n, int channels, const float* weights, size_t count,
               float* __restrict sums);
bool NearRoundRow(const float* __restrict sums, size_t count, float margin, std::uint8_t* __restrict values,
                  std::uint8_t* __restrict unsure);

// The double kernel sum of sample j of AOI row y, added in the order of
// KernelRows, so that it is the same to the last bit.
template <int C, typename RowAt>
double KernelSum(int n, const double* weights, RowAt rowAt, int y, size_t j)
{
    double sum = 0;
    const double* w = weights;
    for (int k = 0; k < n; ++k) {
        const std::uint8_t* row = rowAt(y - n / 2 + k);
        for (int m = 0; m < n; ++m, ++w)
            if (*w != 0) sum += *w * row[C * m + j];
    }
    return sum;
}

// KernelRows for float weights from the near float sums, the same pixels;
// false when the margin does not serve.
template <int C, typename RowAt, typename Store>
bool NearKernelRows(int first, int last, int columns, int n, const float* weights, RowAt rowAt, Store store)
{
    const float margin = FloatKernelMargin(weights, n);
    if (!(margin >= 0)) return false;
    const int half = n / 2;
    const size_t count = C * static_cast<size_t>(columns);
    const std::vector<double> exactWeights(weights, weights + n * n);
    std::vector<float> sums(count);
    std::vector<std::uint8_t> values(count), unsure(count);
    // The last n rows of samples as floats, row r in slot r mod n.
    const size_t width = count + static_cast<size_t>(C) * (n - 1);
    std::vector<float> widened(width * static_cast<size_t>(n));
    auto slot = [&](int r) { return widened.data() + static_cast<size_t>((r - first + n) % n) * width; };
    std::vector<const float*> rows(static_cast<size_t>(n));
    for (int r = first - half; r < first + half; ++r) Widen(rowAt(r), width, slot(r));
    for (int y = first; y < last; ++y) {
        Widen(rowAt(y + half), width, slot(y + half));
        for (int k = 0; k < n; ++k) rows[static_cast<size_t>(k)] = slot(y - half + k);
        KernelRow(rows.data(), n, C, weights, count, sums.data());
        if (NearRoundRow(sums.data(), count, margin, values.data(), unsure.data()))
            for (size_t j = 0; j < count; ++j)
                if (unsure[j])
                    values[j] = static_cast<std::uint8_t>(RoundToByte(KernelSum<C>(n, exactWeights.data(), rowAt, y, j)));
        store(y, static_cast<const std::uint8_t*>(values.data()));
    }
    return true;
}

// Calls store(y, values) for every AOI row in [first, last) with the C
// interleaved byte samples of its pixels: for each sample the sum of
// weight[k][m] times the sample of the pixel at (x - half + m, y - half + k),
// rounded half away and clamped. rowAt(y) points at the samples of pixel
// left - half of row y. Each sum adds its products in the kernel's row-major
// order, so a double sum is the same to the last bit as adding pixel by
// pixel (see KernelRow). Integer weights give exact integer sums, which a
// double sum of the same products also is, so they give the same pixels;
// weights of at most 128 give products that fit 16 bits, which vectorise
// far better.
template <int C, typename Weight, typename Sum, typename RowAt, typename Store>
void KernelRows(int first, int last, int columns, int n, const Weight* weights, RowAt rowAt, Store store)
{
    if constexpr (std::is_same_v<Weight, float>)
        if (NearKernelRows<C>(first, last, columns, n, weights, rowAt, store)) return;
    const int half = n / 2;
    const size_t count = C * static_cast<size_t>(columns);
    std::vector<Sum> sums(count);
    std::vector<std::uint8_t> values(count);
    if constexpr (std::is_same_v<Sum, double>) {
        const std::vector<double> widenedWeights(weights, weights + n * n);
        // The last n rows of samples as doubles, row r in slot r mod n.
        const size_t width = count + static_cast<size_t>(C) * (n - 1);
        std::vector<double> widened(width * static_cast<size_t>(n));
        auto slot = [&](int r) { return widened.data() + static_cast<size_t>((r - first + n) % n) * width; };
        std::vector<const double*> rows(static_cast<size_t>(n));
        for (int r = first - half; r < first + half; ++r) Widen(rowAt(r), width, slot(r));
        for (int y = first; y < last; ++y) {
            Widen(rowAt(y + half), width, slot(y + half));
            for (int k = 0; k < n; ++k) rows[static_cast<size_t>(k)] = slot(y - half + k);
            KernelRow(rows.data(), n, C, widenedWeights.data(), count, sums.data(), std::is_same_v<Weight, float>);
            RoundRow(sums.data(), count, values.data());
            store(y, static_cast<const std::uint8_t*>(values.data()));
        }
    } else {
        // Weights of the sums' own type, at least int.
        using KernelWeight = std::conditional_t<std::is_same_v<Sum, std::int16_t>, std::int16_t, int>;
        const std::vector<KernelWeight> kernel(weights, weights + n * n);
        std::vector<const std::uint8_t*> rows(static_cast<size_t>(n));
        for (int y = first; y < last; ++y) {
            for (int k = 0; k < n; ++k) rows[static_cast<size_t>(k)] = rowAt(y - half + k);
            KernelRow(rows.data(), n, C, kernel.data(), count, sums.data());
            ClampRow(sums.data(), count, values.data());
            store(y, static_cast<const std::uint8_t*>(values.data()));
        }
    }
}

// Working storage for filters that treat each channel alike: calls
// work(channels, first, last, rowAt, store) for bands of AOI rows
// [first, last) with the channel count as a type, rowAt(y) pointing at the
// byte samples of pixel left - half of row y as they were before the call,
// and store(y, values) writing an AOI row of samples. rowAt must be called
// for every row a band reads before it stores the row, and in order.
//
// A grey neighbourhood is one plane of samples, which is a third of the
// work, and gives the same pixels as its three channels would. So a band
// starts on grey samples and goes on in colour from its first row whose
// neighbourhood holds a colour pixel, which shows when that row is taken.
struct ColourRow {};

template <typename Work>
void OverSamples(CImage& image, int half, Work work)
{
    const int columns = image.aoiRight - image.aoiLeft + 1;
    OverBandRows(image, half, [&](const auto& rows) {
        const size_t span = static_cast<size_t>(rows.span());
        auto store = [&](int y, const std::uint8_t* v) { StoreGrey(v, columns, rows.out(y)); };
        if constexpr (std::is_same_v<typename std::decay_t<decltype(rows)>::Pixel, std::uint8_t>) {
            RowWindow grey(rows, span, takeReds);
            work(
                std::integral_constant<int, 1>(), rows.first(), rows.last(),
                [&](int y) { return static_cast<const std::uint8_t*>(grey.at(y)); }, store);
        } else {
            RowWindow grey(rows, span, [](const CColorVal* in, int count, std::uint8_t* out) {
                if (!TakeRed(in, count, out)) throw ColourRow();
            });
            int stored = rows.first() - 1;
            try {
                work(
                    std::integral_constant<int, 1>(), rows.first(), rows.last(),
                    [&](int y) { return static_cast<const std::uint8_t*>(grey.at(y)); },
                    [&](int y, const std::uint8_t* v) {
                        store(y, v);
                        stored = y;
                    });
                return;
            } catch (const ColourRow&) {
            }
            if (stored + 1 == rows.last()) return;
            const RowsFrom from(rows, stored + 1, [&](int y) { return grey.at(y); });
            RowWindow colour(from, 3 * span, [](const CColorVal* in, int count, std::uint8_t* out) {
                std::copy(Bytes(in), Bytes(in + count), out);
            });
            work(
                std::integral_constant<int, 3>(), stored + 1, rows.last(),
                [&](int y) { return static_cast<const std::uint8_t*>(colour.at(y)); },
                [&](int y, const std::uint8_t* v) { std::copy(v, v + 3 * columns, Bytes(rows.out(y))); });
        }
    });
}

// The room check, working storage and the kernel applied to the AOI.
template <typename Weight, typename Sum = Weight>
int KernelFilter(CImage& image, int n, const NeighbourhoodTexts& texts, const Weight* weights)
{
    if (MakeRoom(image, n, texts) != 0) return -1;
    return WithWorkingStorage(image, texts, [&] {
        OverSamples(image, n / 2, [&](auto channels, int first, int last, auto rowAt, auto store) {
            KernelRows<decltype(channels)::value, Weight, Sum>(first, last, image.aoiRight - image.aoiLeft + 1, n,
                                                               weights, rowAt, store);
        });
    });
}

// Integer weights of at most 128 in magnitude. When the magnitudes add up to
// at most 128, every partial sum lies within 128 x 255 of zero, so 16-bit sums
// are exact, and they vectorise twice as wide as 32-bit ones.
inline int SmallKernelFilter(CImage& image, int n, const NeighbourhoodTexts& texts, const std::int16_t* weights)
{
    int magnitude = 0;
    for (int i = 0; i < n * n; ++i) magnitude += weights[i] < 0 ? -weights[i] : weights[i];
    if (magnitude <= 128) return KernelFilter<std::int16_t, std::int16_t>(image, n, texts, weights);
    return KernelFilter<std::int16_t, int>(image, n, texts, weights);
}

// Up to this size the box sum of a row adds its n column sums directly.
constexpr int kLargestDirectBox = 9;

// Box sums of byte samples fit 16 bits up to this size (15 x 15 x 255 <
// 65536), which vectorises twice as wide as int.
constexpr int kLargestShortBox = 15;

// Row loops of the box sums: columns += row, columns += entering - leaving
// (exact in unsigned 16 bits too, since the result fits), sums += columns.
void AddSamples(std::uint16_t* __restrict columns, const std::uint8_t* __restrict row, size_t length);
void AddSamples(int* __restrict columns, const std::uint8_t* __restrict row, size_t length);
void SlideSamples(std::uint16_t* __restrict columns, const std::uint8_t* __restrict entering,
                  const std::uint8_t* __restrict leaving, size_t length);
void SlideSamples(int* __restrict columns, const std::uint8_t* __restrict entering,
                  const std::uint8_t* __restrict leaving, size_t length);

// sums[i] = the sum of columns[i + stride x m] over m < n for i < count, for
// n from 1 to kLargestDirectBox. Without a running sum, which would make each
// sample wait for the last.
void WindowSums(const std::uint16_t* columns, size_t count, int n, size_t stride, std::uint16_t* sums);
void WindowSums(const int* columns, size_t count, int n, size_t stride, int* sums);

// Calls emitRow(y, sums) for every row of the rectangle, top to bottom,
// where sums[C * i + c] adds sample c over the n x n neighbourhood of pixel
// left + i. rowAt(y) points at the C interleaved byte samples of pixel
// left - half of row y. Column sums slide down the rows and the window
// slides along each row, so the cost per pixel does not grow with n.
template <int C, typename Sum, typename RowAt, typename EmitRow>
void BoxSumRows(int left, int top, int right, int bottom, int n, RowAt rowAt, EmitRow& emitRow)
{
    static_assert(std::is_same_v<Sum, int> || std::is_same_v<Sum, std::uint16_t>);
    const int half = n / 2;
    const size_t count = static_cast<size_t>(right - left + 1) * C;
    const size_t reach = static_cast<size_t>(n - 1) * C;
    std::vector<Sum> columns(count + reach, 0);
    std::vector<Sum> sums(count);
    Sum* column = columns.data();
    Sum* sum = sums.data();
    for (int y = top - half; y <= top + half; ++y) AddSamples(column, rowAt(y), count + reach);
    for (int y = top;; ++y) {
        if (n <= kLargestDirectBox) {
            WindowSums(column, count, n, C, sum);
        } else {
            // Running sums kept in registers: reading back the sums just
            // stored would stall on every sample.
            std::array<int, C> running{};
            for (size_t m = 0; m < reach; ++m) running[m % C] += column[m];
            for (size_t j = 0; j < count; j += C)
                for (size_t c = 0; c < C; ++c) {
                    running[c] += column[j + reach + c];
                    sum[j + c] = static_cast<Sum>(running[c]);
                    running[c] -= column[j + c];
                }
        }
        emitRow(y, static_cast<const Sum*>(sum));
        if (y == bottom) break;
        SlideSamples(column, rowAt(y + half + 1), rowAt(y - half), count + reach);
    }
}

}  // namespace neighbourhood
