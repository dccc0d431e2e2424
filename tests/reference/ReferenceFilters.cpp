// Plain kernel sums over a copy of the image.
#include "reference/ReferenceFilters.h"

#include <algorithm>
#include <cmath>

namespace reference {

namespace {

std::vector<double> Box(int n, double off, double centre)
{
    std::vector<double> w(static_cast<size_t>(n * n), off);
    w[static_cast<size_t>(n * n / 2)] = centre;
    return w;
}

}  // namespace

void Kernel(CImage& image, int n, const std::vector<double>& weights)
{
    const CImage copy = image;
    const int half = n / 2;
    for (int y = image.aoiTop; y <= image.aoiBottom; ++y)
        for (int x = image.aoiLeft; x <= image.aoiRight; ++x) {
            double r = 0, g = 0, b = 0;
            for (int k = 0; k < n; ++k)
                for (int m = 0; m < n; ++m) {
                    const double w = weights[static_cast<size_t>(k * n + m)];
                    const CColorVal p = copy.pixelValueArray[y - half + k][x - half + m];
                    r += w * p.red;
                    g += w * p.green;
                    b += w * p.blue;
                }
            image.pixelValueArray[y][x] = CColorVal(RoundHalfAway(r), RoundHalfAway(g), RoundHalfAway(b));
        }
}

void LowPass(CImage& image, int n) { Kernel(image, n, Box(n, 1.0 / (n * n), 1.0 / (n * n))); }
void HighPass(CImage& image, int n) { Kernel(image, n, Box(n, -1, n * n)); }
void Laplace(CImage& image, int n) { Kernel(image, n, Box(n, -1, n * n - 1)); }

void UnsharpMask(CImage& image, int n, double boost)
{
    const double count = n * n;
    Kernel(image, n, Box(n, -boost / count, ((count - 1) * boost + count) / count));
}

void Sobel(CImage& image)
{
    static const int gx[3][3] = {{-1, 0, 1}, {-2, 0, 2}, {-1, 0, 1}};
    static const int gy[3][3] = {{-1, -2, -1}, {0, 0, 0}, {1, 2, 1}};
    const CImage copy = image;
    for (int y = image.aoiTop; y <= image.aoiBottom; ++y)
        for (int x = image.aoiLeft; x <= image.aoiRight; ++x) {
            double sx = 0, sy = 0;
            for (int k = 0; k < 3; ++k)
                for (int m = 0; m < 3; ++m) {
                    const int l = copy.pixelValueArray[y - 1 + k][x - 1 + m].Luminance();
                    sx += gx[k][m] * l;
                    sy += gy[k][m] * l;
                }
            const int v = static_cast<int>(std::sqrt(sy * sy + sx * sx));
            image.pixelValueArray[y][x] = CColorVal(v, v, v);
        }
}

void Median(CImage& image, int n)
{
    const CImage copy = image;
    const int half = n / 2;
    for (int y = image.aoiTop; y <= image.aoiBottom; ++y)
        for (int x = image.aoiLeft; x <= image.aoiRight; ++x) {
            std::vector<int> window;
            for (int k = -half; k <= half; ++k)
                for (int m = -half; m <= half; ++m) window.push_back(copy.pixelValueArray[y + k][x + m].Luminance());
            std::sort(window.begin(), window.end());
            const int v = window[window.size() / 2];
            image.pixelValueArray[y][x] = CColorVal(v, v, v);
        }
}

void Clean(CImage& image, int n, int clutter, int significance)
{
    const CImage copy = image;
    const int half = n / 2;
    for (int y = image.aoiTop; y <= image.aoiBottom; ++y)
        for (int x = image.aoiLeft; x <= image.aoiRight; ++x) {
            const int v = copy.pixelValueArray[y][x].red;
            int sum = 0;
            for (int k = -half; k <= half; ++k)
                for (int m = -half; m <= half; ++m) {
                    const int u = copy.pixelValueArray[y + k][x + m].red;
                    if (u > significance) sum += u;
                }
            if (v < significance || sum - v < clutter) image.pixelValueArray[y][x] = CColorVal(0, 0, 0);
        }
}

void Morphology(CImage& image, int n, int direction, bool dilate)
{
    const CImage copy = image;
    const int half = n / 2;
    auto active = [&](int r, int c) {
        switch (direction) {
        case 1: return r == half;
        case 2: return c == half;
        case 3: return c == n - 1 - r;
        default: return true;
        }
    };
    for (int y = image.aoiTop; y <= image.aoiBottom; ++y)
        for (int x = image.aoiLeft; x <= image.aoiRight; ++x) {
            int v = dilate ? 0 : 255;
            for (int r = 0; r < n; ++r)
                for (int c = 0; c < n; ++c)
                    if (active(r, c)) {
                        const int u = copy.pixelValueArray[y - half + r][x - half + c].red;
                        v = dilate ? std::max(v, u) : std::min(v, u);
                    }
            image.pixelValueArray[y][x] = CColorVal(v, v, v);
        }
}

}  // namespace reference
