// Point operations: Invert, Threshold, BrightnessSlice and Bound.
#include <algorithm>

#include "image/Image.h"
#include "processing/AoiRows.h"

void CImage::Invert()
{
    LevelMap inverse;
    for (int v = 0; v < 256; ++v) inverse[v] = static_cast<std::uint8_t>(255 - v);
    MapAoiComponents(*this, inverse, inverse, inverse);
}

void CImage::Threshold(int level, int fill, bool below, int component)
{
    // A grayscale image treats all three components so that it stays grey.
    if (format == FORMAT_GRAYSCALE || component < 0 || component > 2) component = 3;
    const LevelMap same = IdentityMap();
    LevelMap replaced = same;
    for (int v = 0; v < 256; ++v)
        if (below ? v < level : v > level) replaced[v] = CColorVal::Clamp(fill);
    auto mapOf = [&](int k) -> const LevelMap& { return component == 3 || component == k ? replaced : same; };
    MapAoiComponents(*this, mapOf(0), mapOf(1), mapOf(2));
}

int CImage::BrightnessSlice(int low, int high)
{
    if (format != FORMAT_GRAYSCALE) {
        errorMessage = "CImage::BrightnessSlice() only defined on grayscale images";
        return -1;
    }
    LevelMap band;
    for (int v = 0; v < 256; ++v) band[v] = low <= v && v <= high ? 255 : 0;
    ForEachAoiRow(*this, [&](CColorVal* p, CColorVal* end) {
        for (; p != end; ++p) {
            const std::uint8_t v = band[p->red];
            *p = CColorVal(v, v, v);
        }
    });
    return 0;
}

void CImage::Bound(int mode, CColorVal color)
{
    if (mode != 0 && mode != 1) return;
    if (mode == 0) {
        ForEachAoiRow(*this, [&](CColorVal* first, CColorVal* last) { std::fill(first, last, color); });
    } else if (!pixelValueArray.empty()) {
        const AoiBounds aoi = ClampedAoi(*this);
        for (int y = 0; y < height; ++y) {
            CColorVal* row = pixelValueArray[y];
            if (aoi.Empty() || y < aoi.top || y > aoi.bottom) {
                std::fill(row, row + width, color);
            } else {
                std::fill(row, row + aoi.left, color);
                std::fill(row + aoi.right + 1, row + width, color);
            }
        }
    }
    if (format == FORMAT_GRAYSCALE && !color.IsGrey()) format = FORMAT_RGB;
}
