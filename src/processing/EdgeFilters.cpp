// Edge enhancement: the Prewitt compass filter and the Sobel gradient magnitude.
#include <algorithm>
#include <cmath>
#include <cstdint>

#include "image/Image.h"
#include "processing/Neighbourhood.h"
#include "processing/NeighbourhoodSums.h"
#include "processing/ParallelRows.h"

using namespace neighbourhood;

namespace {

// Rows from the top; the +1 weights face the named direction.
const std::int16_t kPrewittKernels[8][9] = {
    {1, 1, 1, 1, -2, 1, -1, -1, -1},   // North
    {1, 1, 1, -1, -2, 1, -1, -1, 1},   // Northeast
    {-1, 1, 1, -1, -2, 1, -1, 1, 1},   // East
    {-1, -1, 1, -1, -2, 1, 1, 1, 1},   // Southeast
    {-1, -1, -1, 1, -2, 1, 1, 1, 1},   // South
    {1, -1, -1, 1, -2, -1, 1, 1, 1},   // Southwest
    {1, 1, -1, 1, -2, -1, 1, 1, -1},   // West
    {1, 1, 1, 1, -2, -1, 1, -1, -1},   // Northwest
};

}  // namespace

int CImage::Prewitt(int direction)
{
    const std::int16_t* kernel = kPrewittKernels[direction >= 0 && direction < 8 ? direction : 0];
    return SmallKernelFilter(*this, 3, kPrewitt, kernel);
}

int CImage::Sobel()
{
    if (MakeRoom(*this, 3, kSobel) != 0) return -1;
    return WithWorkingStorage(*this, kSobel, [&] {
        const Plane<std::uint8_t> lum(
            *this, 1, EachPixel([](const CColorVal& p) { return static_cast<std::uint8_t>(p.Luminance()); }));
        const int span = lum.span();
        parallel::ForBands(aoiTop, aoiBottom + 1, span, [&](int first, int last) {
            for (int y = first; y < last; ++y) {
                const std::uint8_t* above = lum.at(aoiLeft - 1, y - 1);
                const std::uint8_t* here = above + span;
                const std::uint8_t* below = here + span;
                CColorVal* out = pixelValueArray[y];
                for (int x = aoiLeft; x <= aoiRight; ++x) {
                    const int i = x - aoiLeft + 1;
                    const int gx =
                        above[i + 1] - above[i - 1] + 2 * (here[i + 1] - here[i - 1]) + below[i + 1] - below[i - 1];
                    const int gy =
                        below[i - 1] + 2 * below[i] + below[i + 1] - above[i - 1] - 2 * above[i] - above[i + 1];
                    // Truncated, not rounded.
                    const int v = std::min(255, static_cast<int>(std::sqrt(static_cast<double>(gy * gy + gx * gx))));
                    out[x] = CColorVal(v, v, v);
                }
            }
        });
    });
}
