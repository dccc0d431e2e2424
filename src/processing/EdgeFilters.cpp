// Edge enhancement: the Prewitt compass filter and the Sobel gradient magnitude.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "image/Image.h"
#include "processing/Neighbourhood.h"
#include "processing/NeighbourhoodSums.h"
#include "processing/RowWindow.h"
#include "image/SampleRows.h"

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
    const int columns = aoiRight - aoiLeft + 1;
    return WithWorkingStorage(*this, kSobel, [&] {
        OverBandRows(*this, 1, [&](const auto& rows) {
            RowWindow lum(rows, static_cast<size_t>(rows.span()), takeLuminance);
            std::vector<std::uint8_t> out(static_cast<size_t>(columns));
            for (int y = rows.first(); y < rows.last(); ++y) {
                const std::uint8_t* above = lum.at(y - 1);
                const std::uint8_t* here = lum.at(y);
                const std::uint8_t* below = lum.at(y + 1);
                for (int i = 1; i <= columns; ++i) {
                    const int gx =
                        above[i + 1] - above[i - 1] + 2 * (here[i + 1] - here[i - 1]) + below[i + 1] - below[i - 1];
                    const int gy =
                        below[i - 1] + 2 * below[i] + below[i + 1] - above[i - 1] - 2 * above[i] - above[i + 1];
                    // Truncated, not rounded.
                    out[static_cast<size_t>(i - 1)] = static_cast<std::uint8_t>(
                        std::min(255, static_cast<int>(std::sqrt(static_cast<double>(gy * gy + gx * gx)))));
                }
                StoreGrey(out.data(), columns, rows.out(y));
            }
        });
    });
}
