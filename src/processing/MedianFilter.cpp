// The median filter of grayscale images.
#include <algorithm>
#include <array>
#include <cstdint>

#include "image/Image.h"
#include "processing/Neighbourhood.h"
#include "processing/NeighbourhoodSums.h"
#include "processing/ParallelRows.h"

using namespace neighbourhood;

namespace {

// A histogram of the window's values that knows its element of one rank:
// sliding the window by a column moves the answer by a few levels only.
class RankedHistogram {
public:
    explicit RankedHistogram(int rank) : rank_(rank) {}
    void Add(int v, int delta)
    {
        counts_[static_cast<size_t>(v)] += delta;
        // Without a branch: for noise it would be mispredicted half the time.
        below_ += delta * static_cast<int>(v < level_);
    }
    int Ranked()
    {
        while (below_ > rank_) below_ -= counts_[static_cast<size_t>(--level_)];
        while (below_ + counts_[static_cast<size_t>(level_)] <= rank_) below_ += counts_[static_cast<size_t>(level_++)];
        return level_;
    }

private:
    std::array<int, 256> counts_{};
    int rank_;
    int level_ = 0;
    int below_ = 0;  // values under level_
};

// The median of each pixel's 3 x 3 window for a row: a fixed network of
// exchanges, run on a block of pixels at once so that it vectorises. It
// selects the middle value for every 0/1 input, hence for every input.
void MedianOfNine(const std::uint8_t* const rows[3], int columns, CColorVal* out)
{
    constexpr int kBlock = 64;
    static constexpr int kExchanges[19][2] = {{1, 2}, {4, 5}, {7, 8}, {0, 1}, {3, 4}, {6, 7}, {1, 2},
                                              {4, 5}, {7, 8}, {0, 3}, {5, 8}, {4, 7}, {3, 6}, {1, 4},
                                              {2, 5}, {4, 7}, {4, 2}, {6, 4}, {4, 2}};
    std::uint8_t p[9][kBlock] = {};
    for (int start = 0; start < columns; start += kBlock) {
        const int length = std::min(kBlock, columns - start);
        for (int cell = 0; cell < 9; ++cell) {
            const std::uint8_t* in = rows[cell / 3] + start + cell % 3;
            std::copy(in, in + length, p[cell]);
        }
        for (const auto& exchange : kExchanges) {
            std::uint8_t* a = p[exchange[0]];
            std::uint8_t* b = p[exchange[1]];
            for (int i = 0; i < kBlock; ++i) {
                const std::uint8_t low = std::min(a[i], b[i]);
                b[i] = std::max(a[i], b[i]);
                a[i] = low;
            }
        }
        StoreGrey(p[4], length, out + start);
    }
}

}  // namespace

int CImage::MedianFilter(int size)
{
    if (format != FORMAT_GRAYSCALE) {
        errorMessage = "CImage::MedianFilter() only defined on grayscale images";
        return -1;
    }
    int n = size;
    if (Prepare(*this, n, kMedianFilter) != 0) return -1;
    const int half = n / 2;
    return WithWorkingStorage(*this, kMedianFilter, [&] {
        const Plane<std::uint8_t> lum(
            *this, half, EachPixel([](const CColorVal& p) { return static_cast<std::uint8_t>(p.Luminance()); }));
        const int span = lum.span();
        if (n == 3) {
            parallel::ForBands(aoiTop, aoiBottom + 1, span, [&](int first, int last) {
                for (int y = first; y < last; ++y) {
                    const std::uint8_t* rows[3] = {lum.at(aoiLeft - 1, y - 1), lum.at(aoiLeft - 1, y),
                                                   lum.at(aoiLeft - 1, y + 1)};
                    MedianOfNine(rows, aoiRight - aoiLeft + 1, pixelValueArray[y] + aoiLeft);
                }
            });
            return;
        }
        // Each row starts its window afresh, so bands of rows are independent.
        parallel::ForBands(aoiTop, aoiBottom + 1, static_cast<long long>(span) * n, [&](int first, int last) {
            for (int y = first; y < last; ++y) {
                RankedHistogram window(n * n / 2);
                const std::uint8_t* first = lum.at(aoiLeft - half, y - half);
                for (int k = 0; k < n; ++k)
                    for (int m = 0; m < n; ++m) window.Add(first[k * span + m], 1);
                CColorVal* out = pixelValueArray[y];
                for (int x = aoiLeft;; ++x) {
                    const int v = window.Ranked();
                    out[x] = CColorVal(v, v, v);
                    if (x == aoiRight) break;
                    const std::uint8_t* leaving = lum.at(x - half, y - half);
                    for (int k = 0; k < n; ++k) {
                        window.Add(leaving[k * span], -1);
                        window.Add(leaving[k * span + n], 1);
                    }
                }
            }
        });
    });
}
