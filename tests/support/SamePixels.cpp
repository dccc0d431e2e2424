#include "support/SamePixels.h"

::testing::AssertionResult SamePixels(const CImage& actual, const CImage& expected)
{
    if (actual.width != expected.width || actual.height != expected.height)
        return ::testing::AssertionFailure() << "sizes differ";
    for (int y = 0; y < actual.height; ++y)
        for (int x = 0; x < actual.width; ++x) {
            const CColorVal a = actual.pixelValueArray[y][x];
            const CColorVal e = expected.pixelValueArray[y][x];
            if (!(a == e))
                return ::testing::AssertionFailure()
                       << "pixel (" << x << ", " << y << ") is " << int(a.red) << "," << int(a.green) << ","
                       << int(a.blue) << ", expected " << int(e.red) << "," << int(e.green) << "," << int(e.blue)
                       << " in a " << actual.width << "x" << actual.height << " image, AOI (" << actual.aoiLeft
                       << ", " << actual.aoiTop << ")-(" << actual.aoiRight << ", " << actual.aoiBottom << ")";
        }
    return ::testing::AssertionSuccess();
}
