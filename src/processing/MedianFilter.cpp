// The median filter of grayscale images.
#include <array>
#include <cstdint>

#include "image/Image.h"
#include "processing/Neighbourhood.h"
#include "processing/NeighbourhoodSums.h"

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
        if (v < level_) below_ += delta;
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
        const Plane<std::uint8_t> lum(*this, half, [](const CColorVal& p) {
            return static_cast<std::uint8_t>(p.Luminance());
        });
        const int span = lum.span();
        for (int y = aoiTop; y <= aoiBottom; ++y) {
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
}
