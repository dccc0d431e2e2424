// Rotate: turns the AOI's contents about the AOI's centre by inverse mapping.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "image/Image.h"
#include "processing/GeometrySampling.h"
#include "processing/ParallelRows.h"

namespace {

constexpr double kRadiansPerDegree = 0.017453292519943278;

// cos and sin of the angle. Quarter turns get exact values: computed from
// the radians, cos 90 is 6e-17, enough to push sources that lie exactly on
// the AOI's edge out of it.
void CosSin(double degrees, double& cosA, double& sinA)
{
    const double turns = degrees / 90;
    if (std::fabs(turns) < 1e9 && turns == std::floor(turns)) {
        static const double kCos[4] = {1, 0, -1, 0};
        static const double kSin[4] = {0, 1, 0, -1};
        const int quarter = static_cast<int>(((static_cast<long long>(turns) % 4) + 4) % 4);
        cosA = kCos[quarter];
        sinA = kSin[quarter];
        return;
    }
    const double angle = degrees * kRadiansPerDegree;
    cosA = std::cos(angle);
    sinA = std::sin(angle);
}

// Destination pixel (x, y) of the AOI gets sample(sxp, syp), where (sxp, syp)
// is its source position turned back by the angle. The AOI is walked in
// square tiles so that the sources of a tile, a turned square, stay in cache.
template <typename Sample>
void MapAoi(CImage& image, double degrees, Sample sample)
{
    constexpr int kTile = 64;
    double cosA, sinA;
    CosSin(degrees, cosA, sinA);
    const double cx = image.aoiLeft + (image.aoiRight - image.aoiLeft) * 0.5;
    const double cy = image.aoiTop + (image.aoiBottom - image.aoiTop) * 0.5;
    const int left = image.aoiLeft, right = image.aoiRight;
    parallel::ForBands(image.aoiTop, image.aoiBottom + 1, right - left + 1, [&](int first, int last) {
        // Local copies: the pixel bytes written below could alias anything
        // reached through the band's captures, which would then be read
        // again for every pixel.
        const Sample local = sample;
        const double c = cosA, s = sinA, x0 = cx, y0 = cy;
        const int aoiLeft = left, aoiRight = right;
        PixelRows& rows = image.pixelValueArray;
        for (int tileTop = first; tileTop < last; tileTop += kTile) {
            const int tileBottom = std::min(tileTop + kTile, last) - 1;
            for (int tileLeft = aoiLeft; tileLeft <= aoiRight; tileLeft += kTile) {
                const int tileRight = std::min(tileLeft + kTile - 1, aoiRight);
                for (int y = tileTop; y <= tileBottom; ++y) {
                    const double dy = y - y0;
                    const double dySin = dy * s;
                    const double dyCos = dy * c;
                    CColorVal* out = rows[y];
                    for (int x = tileLeft; x <= tileRight; ++x) {
                        const double dx = x - x0;
                        out[x] = local(dx * c - dySin + x0, dx * s + dyCos + y0);
                    }
                }
            }
        }
    });
}

}  // namespace

int CImage::Rotate(double degrees, int method)
{
    const int left = aoiLeft, top = aoiTop, right = aoiRight, bottom = aoiBottom;
    const int aoiWidth = right - left + 1;
    const int aoiHeight = bottom - top + 1;
    if (aoiWidth <= 0 || aoiHeight <= 0) return 0;

    // Only the AOI is ever sampled, so only the AOI is copied.
    std::vector<CColorVal> copy;
    try {
        copy.resize(static_cast<size_t>(aoiWidth) * static_cast<size_t>(aoiHeight));
    } catch (const std::exception&) {
        errorMessage = "CImage::Rotate cannot allocate sufficient memory";
        return -1;
    }
    for (int y = top; y <= bottom; ++y)
        std::memcpy(&copy[static_cast<size_t>(y - top) * aoiWidth], pixelValueArray[y] + left,
                    static_cast<size_t>(aoiWidth) * sizeof(CColorVal));
    // Captured by value, so that the sampling reads no escaped locals.
    auto row = [data = copy.data(), top, aoiWidth](int iy) {
        return data + static_cast<size_t>(iy - top) * aoiWidth;
    };

    if (method == 0) {
        MapAoi(*this, degrees, [=](double sxp, double syp) {
            // Far-off (or not-a-number) positions are black before any rounding.
            if (!(sxp > left - 1.0 && sxp < right + 1.0 && syp > top - 1.0 && syp < bottom + 1.0))
                return CColorVal();
            const int ix = RoundHalfAway(sxp);
            const int iy = RoundHalfAway(syp);
            if (ix < left || ix > right || iy < top || iy > bottom) return CColorVal();
            return row(iy)[ix - left];
        });
    } else {
        MapAoi(*this, degrees, [=](double sxp, double syp) {
            // Positions outside the AOI are black on every side, also within
            // a pixel of its edges, where four-pixel mixing would extrapolate.
            if (!(sxp >= left && sxp <= right && syp >= top && syp <= bottom)) return CColorVal();
            int ix = static_cast<int>(sxp);
            int iy = static_cast<int>(syp);
            if (ix == right) ix = right - 1;
            if (iy == bottom) iy = bottom - 1;
            if (ix < left || iy < top) return CColorVal();  // a one-pixel-wide or -high AOI
            return Bilinear(row(iy), row(iy + 1), ix - left, sxp - ix, syp - iy);
        });
    }
    return 0;
}
