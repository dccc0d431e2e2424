#include <gtest/gtest.h>

#include "objects/Sketch.h"

TEST(ObjectOverlay, BoundaryPointsInTheOutlineColourOnAnRgbCopy)
{
    CImage image = Sketch({"......", ".####.", ".#oo#.", ".####.", "......"});
    ASSERT_EQ(FindObjects(image, 0).status, 0);
    image.objectColor = 0x00FF8000;  // blue 255, green 128
    const CImage overlay = image.ObjectOverlay();
    EXPECT_EQ(overlay.format, FORMAT_RGB);
    EXPECT_EQ(image.format, FORMAT_GRAYSCALE);
    const std::vector<std::string> expected = {"......", ".****.", ".*oo*.", ".****.", "......"};
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 6; ++x) {
            const char c = expected[y][x];
            const CColorVal pixel = c == '*' ? CColorVal(0, 128, 255) : c == 'o' ? CColorVal(100, 100, 100) : CColorVal();
            EXPECT_EQ(overlay.pixelValueArray[y][x], pixel) << x << "," << y;
            EXPECT_EQ(image.pixelValueArray[y][x].red, c == '.' ? 0 : (c == 'o' ? 100 : 200));
        }
}
