// Plain point operations over the AOI, one component at a time.
#include "reference/ReferencePointOps.h"

#include <array>

namespace reference {

namespace {

template <typename Change>
void EachComponent(CImage& image, Change change)
{
    for (int y = image.aoiTop; y <= image.aoiBottom; ++y)
        for (int x = image.aoiLeft; x <= image.aoiRight; ++x) {
            CColorVal& p = image.pixelValueArray[y][x];
            p = CColorVal(change(0, p.red), change(1, p.green), change(2, p.blue));
        }
}

}  // namespace

void Invert(CImage& image)
{
    EachComponent(image, [](int, int v) { return 255 - v; });
}

void Threshold(CImage& image, int level, int fill, bool below, int component)
{
    if (image.format == FORMAT_GRAYSCALE || component < 0 || component > 2) component = 3;
    EachComponent(image, [&](int k, int v) {
        const bool treated = component == 3 || component == k;
        const bool passes = below ? v < level : v > level;
        return treated && passes ? fill : v;
    });
}

void EqualizeHistogram(CImage& image, int channel)
{
    const bool grey = image.format == FORMAT_GRAYSCALE;
    const long long n =
        static_cast<long long>(image.aoiRight - image.aoiLeft + 1) * (image.aoiBottom - image.aoiTop + 1);
    std::array<std::array<int, 256>, 3> maps;
    for (int k = 0; k < 3; ++k) {
        std::array<long long, 256> counts{};
        for (int y = image.aoiTop; y <= image.aoiBottom; ++y)
            for (int x = image.aoiLeft; x <= image.aoiRight; ++x) {
                const CColorVal p = image.pixelValueArray[y][x];
                ++counts[k == 0 ? p.red : k == 1 ? p.green : p.blue];
            }
        long long running = 0;
        for (int v = 0; v < 256; ++v) {
            running += counts[v];
            maps[k][v] = grey || channel == k ? RoundHalfAway(255.0 * running / n) : v;
        }
    }
    EachComponent(image, [&](int k, int v) { return maps[k][v]; });
}

}  // namespace reference
