// Rotate and Scale pixel by pixel, straight from the formulas.
#include "reference/ReferenceGeometry.h"

#include <cmath>

namespace reference {

namespace {

// The four-pixel mix at (ix + fx, iy + fy) of source rows iy and iy + 1.
CColorVal Mix(const CColorVal* upper, const CColorVal* lower, int ix, double fx, double fy)
{
    const CColorVal a = upper[ix], b = upper[ix + 1], c = lower[ix], d = lower[ix + 1];
    auto mix = [&](int pa, int pb, int pc, int pd) {
        return RoundHalfAway(pa * ((1 - fx) * (1 - fy)) + pb * (fx * (1 - fy)) + pc * ((1 - fx) * fy) +
                             pd * (fx * fy));
    };
    return CColorVal(mix(a.red, b.red, c.red, d.red), mix(a.green, b.green, c.green, d.green),
                     mix(a.blue, b.blue, c.blue, d.blue));
}

}  // namespace

CImage Rotate(const CImage& image, double degrees, int method)
{
    CImage result = image;
    const int left = image.aoiLeft, top = image.aoiTop, right = image.aoiRight, bottom = image.aoiBottom;
    // Whole quarter turns take exact sines and cosines.
    double cosA = std::cos(degrees * 0.017453292519943278), sinA = std::sin(degrees * 0.017453292519943278);
    const double turns = degrees / 90;
    if (std::fabs(turns) < 1e9 && turns == std::floor(turns)) {
        const double quarter = std::fmod(std::fmod(turns, 4) + 4, 4);
        cosA = quarter == 0 ? 1 : (quarter == 2 ? -1 : 0);
        sinA = quarter == 1 ? 1 : (quarter == 3 ? -1 : 0);
    }
    const double cx = left + (right - left) * 0.5, cy = top + (bottom - top) * 0.5;
    for (int y = top; y <= bottom; ++y)
        for (int x = left; x <= right; ++x) {
            const double dx = x - cx, dy = y - cy;
            const double sxp = dx * cosA - dy * sinA + cx, syp = dx * sinA + dy * cosA + cy;
            CColorVal& out = result.pixelValueArray[y][x];
            out = CColorVal();
            if (method == 0) {
                // Far-off positions could not be rounded to an int.
                if (!(std::fabs(sxp) < 2e9 && std::fabs(syp) < 2e9)) continue;
                const int ix = RoundHalfAway(sxp), iy = RoundHalfAway(syp);
                if (ix >= left && ix <= right && iy >= top && iy <= bottom) out = image.pixelValueArray[iy][ix];
                continue;
            }
            if (!(sxp >= left && sxp <= right && syp >= top && syp <= bottom)) continue;
            int ix = static_cast<int>(sxp), iy = static_cast<int>(syp);
            if (ix == right) ix = right - 1;
            if (iy == bottom) iy = bottom - 1;
            if (ix < left || iy < top) continue;
            out = Mix(image.pixelValueArray[iy], image.pixelValueArray[iy + 1], ix, sxp - ix, syp - iy);
        }
    return result;
}

CImage Scale(const CImage& image, double xPercent, double yPercent, int method)
{
    const double sx = xPercent * 0.01, sy = yPercent * 0.01;
    const int width = RoundHalfAway(image.width * sx), height = RoundHalfAway(image.height * sy);
    CImage result;
    result.BlankImage(width, height, CColorVal());
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const double sxp = x / sx, syp = y / sy;
            CColorVal& out = result.pixelValueArray[y][x];
            if (method == 0) {
                const int ix = RoundHalfAway(sxp), iy = RoundHalfAway(syp);
                if (ix >= 0 && ix < image.width && iy >= 0 && iy < image.height) out = image.pixelValueArray[iy][ix];
                continue;
            }
            int ix = static_cast<int>(sxp), iy = static_cast<int>(syp);
            if (ix == image.width - 1) ix = image.width - 2;
            if (iy == image.height - 1) iy = image.height - 2;
            if (ix < 0 || ix >= image.width - 1 || iy < 0 || iy >= image.height - 1) continue;
            out = Mix(image.pixelValueArray[iy], image.pixelValueArray[iy + 1], ix, sxp - ix, syp - iy);
        }
    return result;
}

}  // namespace reference
