// The part of a new grey plane that an operation on the AOI leaves as it was.
#include "processing/RowWindow.h"

#include <cstring>

namespace neighbourhood {

void CopyOutsideAoi(const GreyRows& from, GreyRows& to, const CImage& image)
{
    const size_t width = static_cast<size_t>(image.width);
    const size_t left = static_cast<size_t>(image.aoiLeft);
    const size_t right = static_cast<size_t>(image.aoiRight) + 1;
    parallel::ForBands(0, image.height, image.width, [&](int first, int last) {
        for (int y = first; y < last; ++y) {
            if (y < image.aoiTop || y > image.aoiBottom) {
                std::memcpy(to[y], from[y], width);
                continue;
            }
            std::memcpy(to[y], from[y], left);
            std::memcpy(to[y] + right, from[y] + right, width - right);
        }
    });
}

}  // namespace neighbourhood
