// Point operations: Invert, Threshold, BrightnessSlice and Bound.
#include <algorithm>

#include "image/Image.h"
#include "processing/AoiRows.h"

namespace {

// new(b) for every byte of the AOI's pixels: a row of the AOI is contiguous
// bytes, and arithmetic on them vectorises where a table lookup cannot. A
// grey plane stays one: the same function of each byte keeps grey pixels
// grey, so it maps the plane's one byte a pixel.
template <typename New>
void MapAoiBytes(CImage& image, New newByte)
{
    const AoiBounds aoi = ClampedAoi(image);
    if (GreyRows* plane = !aoi.Empty() && image.pixelValueArray.HoldsGrey() ? image.pixelValueArray.WritableGrey()
                                                                             : nullptr) {
        parallel::ForBands(aoi.top, aoi.bottom + 1, aoi.right - aoi.left + 1, [&](int first, int last) {
            const New local = newByte;
            for (int y = first; y < last; ++y) {
                std::uint8_t* b = (*plane)[y] + aoi.left;
                for (int x = 0; x <= aoi.right - aoi.left; ++x) b[x] = local(b[x]);
            }
        });
        return;
    }
    ForEachAoiRowInBands(image, [&newByte](CColorVal* first, CColorVal* last) {
        // A local copy: the pixel bytes cannot alias its parameters.
        const New local = newByte;
        std::uint8_t* b = reinterpret_cast<std::uint8_t*>(first);
        std::uint8_t* const end = reinterpret_cast<std::uint8_t*>(last);
        for (; b != end; ++b) *b = local(*b);
    });
}

}  // namespace

void CImage::Invert()
{
    MapAoiBytes(*this, [](std::uint8_t v) { return static_cast<std::uint8_t>(255 - v); });
}

void CImage::Threshold(int level, int fill, bool below, int component)
{
    // A grayscale image treats all three components so that it stays grey.
    if (format == FORMAT_GRAYSCALE || component < 0 || component > 2) component = 3;
    const std::uint8_t filled = CColorVal::Clamp(fill);
    if (component == 3) {
        // Levels are 0..255: a level at or beyond either end replaces all
        // values or none, and any other is compared as a byte, which
        // vectorises four times wider than an int.
        if (below ? level > 255 : level < 0) {
            MapAoiBytes(*this, [filled](std::uint8_t) { return filled; });
        } else if (below ? level > 0 : level < 255) {
            const std::uint8_t edge = static_cast<std::uint8_t>(level);
            if (below)
                MapAoiBytes(*this, [edge, filled](std::uint8_t v) { return v < edge ? filled : v; });
            else
                MapAoiBytes(*this, [edge, filled](std::uint8_t v) { return v > edge ? filled : v; });
        }
        return;
    }
    const LevelMap same = IdentityMap();
    LevelMap replaced = same;
    for (int v = 0; v < 256; ++v)
        if (below ? v < level : v > level) replaced[v] = filled;
    auto mapOf = [&](int k) -> const LevelMap& { return component == k ? replaced : same; };
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
    // On a grey plane every pixel's red is its level: one map of the plane.
    if (pixelValueArray.HoldsGrey()) {
        MapAoiComponents(*this, band, band, band);
        return 0;
    }
    ForEachAoiRowInBands(*this, [&](CColorVal* p, CColorVal* end) {
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
        ForEachAoiRowInBands(*this, [&](CColorVal* first, CColorVal* last) { std::fill(first, last, color); });
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
