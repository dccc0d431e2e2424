// Whole-image colour conversions: grayscale, RGB, planes and fields.
#include <cstdint>
#include <cstring>
#include <new>
#include <utility>

#include "image/Image.h"

void CImage::ConvertToGrayscale()
{
    format = FORMAT_GRAYSCALE;
    if (pixelValueArray.HoldsGrey()) return SettleStorage();
    const CColorVal* in = std::as_const(pixelValueArray).data();
    const size_t n = pixelValueArray.size();
    auto level = [&](size_t i) { return static_cast<std::uint8_t>(in[i].Luminance() & 0xFF); };
    try {
        GreyRows plane;
        plane.AllocateUnfilled(width, height);
        for (size_t i = 0; i < n; ++i) plane.data()[i] = level(i);
        pixelValueArray = std::move(plane);
    } catch (const std::bad_alloc&) {
        // Short of memory the colour rows take the levels where they are.
        CColorVal* out = pixelValueArray.data();
        for (size_t i = 0; i < n; ++i) {
            const std::uint8_t v = level(i);
            out[i] = CColorVal(v, v, v);
        }
    }
}

void CImage::ConvertToRgb() { format = FORMAT_RGB; }

int CImage::ExtractRgbPlanes(CImage& red, CImage& green, CImage& blue) const
{
    red = *this;
    green = *this;
    blue = *this;
    red.format = green.format = blue.format = FORMAT_RGB;
    const CColorVal* src = pixelValueArray.data();
    CColorVal* r = red.pixelValueArray.data();
    CColorVal* g = green.pixelValueArray.data();
    CColorVal* b = blue.pixelValueArray.data();
    const size_t n = pixelValueArray.size();
    for (size_t i = 0; i < n; ++i) {
        r[i] = CColorVal(src[i].red, 0, 0);
        g[i] = CColorVal(0, src[i].green, 0);
        b[i] = CColorVal(0, 0, src[i].blue);
    }
    return height;
}

int CImage::Comb(CImage& even, CImage& odd) const
{
    even = *this;
    odd = *this;
    const size_t rowBytes = static_cast<size_t>(width) * sizeof(CColorVal);
    for (int e = 0; e < height; e += 2) {
        std::memcpy(even.pixelValueArray[e], pixelValueArray[e], rowBytes);
        if (e + 1 < height) std::memcpy(even.pixelValueArray[e + 1], pixelValueArray[e], rowBytes);
    }
    for (int o = 1; o < height; o += 2) {
        std::memcpy(odd.pixelValueArray[o - 1], pixelValueArray[o], rowBytes);
        std::memcpy(odd.pixelValueArray[o], pixelValueArray[o], rowBytes);
    }
    return height;
}
