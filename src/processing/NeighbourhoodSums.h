// Working storage and inner loops shared by the neighbourhood operations:
// planes of samples, weighted kernel sums and sliding box sums over the AOI.
#pragma once

#include <algorithm>
#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <type_traits>
#include <vector>

#include "image/Image.h"
#include "processing/Neighbourhood.h"
#include "processing/ParallelRows.h"

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

// One value per pixel of the AOI widened by half on every side, taken from
// the image before any pixel is written.
template <typename T>
class Plane {
public:
    template <typename Take>
    Plane(const CImage& image, int half, Take take)
        : left_(image.aoiLeft - half),
          top_(image.aoiTop - half),
          span_(image.aoiRight - image.aoiLeft + 1 + 2 * half),
          values_(static_cast<size_t>(span_) * static_cast<size_t>(image.aoiBottom - image.aoiTop + 1 + 2 * half))
    {
        parallel::ForBands(top_, image.aoiBottom + half + 1, span_, [&](int first, int last) {
            T* out = values_.data() + static_cast<size_t>(first - top_) * span_;
            for (int y = first; y < last; ++y) {
                const CColorVal* in = image.pixelValueArray[y] + left_;
                for (int i = 0; i < span_; ++i) *out++ = take(in[i]);
            }
        });
    }
    // The value of (x, y) and, to the right, those of the same row.
    const T* at(int x, int y) const { return values_.data() + static_cast<size_t>(y - top_) * span_ + (x - left_); }
    int span() const { return span_; }

private:
    int left_, top_, span_;
    std::vector<T> values_;
};

// True when every pixel of the AOI widened by half is grey: its three
// channels then give the same sums, and one of them is enough.
inline bool GreyAround(const CImage& image, int half)
{
    std::atomic<bool> grey{true};
    parallel::ForBands(image.aoiTop - half, image.aoiBottom + half + 1, image.aoiRight - image.aoiLeft + 1 + 2 * half,
                       [&](int first, int last) {
                           for (int y = first; y < last && grey.load(std::memory_order_relaxed); ++y) {
                               const CColorVal* row = image.pixelValueArray[y];
                               for (int x = image.aoiLeft - half; x <= image.aoiRight + half; ++x)
                                   if (!row[x].IsGrey()) grey.store(false, std::memory_order_relaxed);
                           }
                       });
    return grey.load();
}

// Calls store(y, values) for every AOI row with the C interleaved byte
// samples of its pixels: for each sample the sum of weight[k][m] times the
// sample of the pixel at (x - half + m, y - half + k), rounded half away and
// clamped. rowAt(y) points at the samples of pixel left - half of row y.
// A row's sums are built one weight at a time across the whole row; each sum
// still adds its products in the kernel's row-major order, so a double sum is
// the same to the last bit as adding pixel by pixel. Integer weights give
// exact integer sums, which a double sum of the same products also is, so
// they give the same pixels; weights of at most 128 give products that fit
// 16 bits, which vectorise far better.
template <int C, typename Weight, typename Sum, typename RowAt, typename Store>
void KernelRows(const CImage& image, int n, const Weight* weights, RowAt rowAt, Store store)
{
    const int half = n / 2;
    const size_t count = C * static_cast<size_t>(image.aoiRight - image.aoiLeft + 1);
    parallel::ForBands(image.aoiTop, image.aoiBottom + 1, static_cast<long long>(count) * n, [&](int first, int last) {
        std::vector<Sum> sums(count);
        std::vector<std::uint8_t> values(count);
        for (int y = first; y < last; ++y) {
            std::fill(sums.begin(), sums.end(), Sum(0));
            const Weight* w = weights;
            for (int k = 0; k < n; ++k) {
                const std::uint8_t* row = rowAt(y - half + k);
                for (int m = 0; m < n; ++m, ++w) {
                    // A zero weight adds nothing to any finite sum.
                    if (*w == 0) continue;
                    const Weight weight = *w;
                    const std::uint8_t* in = row + C * m;
                    Sum* sum = sums.data();
                    for (size_t j = 0; j < count; ++j) sum[j] += static_cast<Weight>(weight * in[j]);
                }
            }
            for (size_t j = 0; j < count; ++j) {
                if constexpr (std::is_integral_v<Sum>)
                    values[j] = CColorVal::Clamp(sums[j]);
                else
                    values[j] = static_cast<std::uint8_t>(RoundToByte(sums[j]));
            }
            store(y, static_cast<const std::uint8_t*>(values.data()));
        }
    });
}

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

// Working storage for filters that treat each channel alike: calls
// work(channels, rowAt, store) with the channel count as a type, rowAt(y)
// pointing at the byte samples of pixel left - half of row y as they were
// before the call, and store(y, values) writing an AOI row of samples. A grey
// neighbourhood is one plane of samples, which is a third of the work.
template <typename Work>
void OverSamples(CImage& image, int half, Work work)
{
    const int left = image.aoiLeft;
    const int columns = image.aoiRight - image.aoiLeft + 1;
    if (GreyAround(image, half)) {
        const Plane<std::uint8_t> grey(image, half, [](const CColorVal& p) { return p.red; });
        work(
            std::integral_constant<int, 1>(), [&](int y) { return grey.at(left - half, y); },
            [&](int y, const std::uint8_t* v) {
                CColorVal* out = image.pixelValueArray[y] + left;
                for (int i = 0; i < columns; ++i) out[i] = CColorVal(v[i], v[i], v[i]);
            });
        return;
    }
    const Plane<CColorVal> copy(image, half, [](const CColorVal& p) { return p; });
    work(
        std::integral_constant<int, 3>(), [&](int y) { return Bytes(copy.at(left - half, y)); },
        [&](int y, const std::uint8_t* v) { std::copy(v, v + 3 * columns, Bytes(image.pixelValueArray[y] + left)); });
}

// The room check, working storage and the kernel applied to the AOI.
template <typename Weight, typename Sum = Weight>
int KernelFilter(CImage& image, int n, const NeighbourhoodTexts& texts, const Weight* weights)
{
    if (MakeRoom(image, n, texts) != 0) return -1;
    return WithWorkingStorage(image, texts, [&] {
        OverSamples(image, n / 2, [&](auto channels, auto rowAt, auto store) {
            KernelRows<decltype(channels)::value, Weight, Sum>(image, n, weights, rowAt, store);
        });
    });
}

// Calls emitRow(y, sums) for every row of the rectangle, top to bottom,
// where sums[C * i + c] adds sample c over the n x n neighbourhood of pixel
// left + i. rowAt(y) points at the C interleaved byte samples of pixel
// left - half of row y. Column sums slide down the rows and the window
// slides along each row, so the cost per pixel does not grow with n.
template <int C, typename RowAt, typename EmitRow>
void BoxSumRows(int left, int top, int right, int bottom, int n, RowAt rowAt, EmitRow& emitRow)
{
    const int half = n / 2;
    const size_t count = static_cast<size_t>(right - left + 1) * C;
    const size_t reach = static_cast<size_t>(n - 1) * C;
    std::vector<int> columns(count + reach, 0);
    std::vector<int> sums(count);
    int* column = columns.data();
    int* sum = sums.data();
    auto add = [&](int y) {
        const std::uint8_t* row = rowAt(y);
        for (size_t i = 0; i < count + reach; ++i) column[i] += row[i];
    };
    auto remove = [&](int y) {
        const std::uint8_t* row = rowAt(y);
        for (size_t i = 0; i < count + reach; ++i) column[i] -= row[i];
    };
    for (int y = top - half; y < top + half; ++y) add(y);
    for (int y = top; y <= bottom; ++y) {
        add(y + half);
        // Running sums kept in registers: reading back the sums just stored
        // would stall on every sample.
        std::array<int, C> running{};
        for (size_t m = 0; m < reach; ++m) running[m % C] += column[m];
        for (size_t j = 0; j < count; j += C)
            for (size_t c = 0; c < C; ++c) {
                running[c] += column[j + reach + c];
                sum[j + c] = running[c];
                running[c] -= column[j + c];
            }
        emitRow(y, static_cast<const int*>(sum));
        remove(y - half);
    }
}

// BoxSumRows over bands of the rectangle's rows, each on a thread of its own
// with the row function makeEmitRow() gives it: the integer sums of a row do
// not depend on where its band starts.
template <int C, typename RowAt, typename MakeEmitRow>
void ForEachBoxSum(int left, int top, int right, int bottom, int n, RowAt rowAt, MakeEmitRow makeEmitRow)
{
    parallel::ForBands(top, bottom + 1, static_cast<long long>(right - left + 1) * C, [&](int first, int last) {
        auto emitRow = makeEmitRow();
        BoxSumRows<C>(left, first, right, last - 1, n, rowAt, emitRow);
    });
}

}  // namespace neighbourhood
