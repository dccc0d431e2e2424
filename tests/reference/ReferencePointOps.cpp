// Plain point operations over the AOI, one component at a time.
#include "reference/ReferencePointOps.h"

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

}  // namespace reference
