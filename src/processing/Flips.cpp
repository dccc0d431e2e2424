// The mirror operations: each reflects the AOI about its own centre.
#include <algorithm>

#include "image/Image.h"
#include "processing/AoiRows.h"

void CImage::FlipHorizontal()
{
    ForEachAoiRowInBands(*this, [](CColorVal* first, CColorVal* last) { std::reverse(first, last); });
}

void CImage::FlipVertical()
{
    const AoiBounds aoi = ClampedAoi(*this);
    if (aoi.Empty()) return;
    const int span = aoi.right - aoi.left + 1;
    for (int upper = aoi.top, lower = aoi.bottom; upper < lower; ++upper, --lower)
        std::swap_ranges(pixelValueArray[upper] + aoi.left, pixelValueArray[upper] + aoi.left + span,
                         pixelValueArray[lower] + aoi.left);
}
