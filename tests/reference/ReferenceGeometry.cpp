// Scale pixel by pixel, straight from the formulas.
#include "reference/ReferenceGeometry.h"

namespace reference {

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
            const double fx = sxp - ix, fy = syp - iy;
            const CColorVal a = image.pixelValueArray[iy][ix], b = image.pixelValueArray[iy][ix + 1];
            const CColorVal c = image.pixelValueArray[iy + 1][ix], d = image.pixelValueArray[iy + 1][ix + 1];
            auto mix = [&](int pa, int pb, int pc, int pd) {
                return RoundHalfAway(pa * ((1 - fx) * (1 - fy)) + pb * (fx * (1 - fy)) + pc * ((1 - fx) * fy) +
                                     pd * (fx * fy));
            };
            out = CColorVal(mix(a.red, b.red, c.red, d.red), mix(a.green, b.green, c.green, d.green),
                            mix(a.blue, b.blue, c.blue, d.blue));
        }
    return result;
}

}  // namespace reference
