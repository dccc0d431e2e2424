#include <gtest/gtest.h>

#include "document/ViewMetrics.h"
#include "support/TestImages.h"

TEST(ViewMetrics, ReadOut)
{
    const CImage grey = MakeGrey(30, 25, [](int x, int y) { return x == 10 && y == 20 ? 200 : 0; });
    const CImage rgb = MakeImage(30, 25, [](int x, int y) { return CColorVal(x, y, 7); });
    struct Case {
        const CImage* image;
        int x, y;
        float zoom;
        const char* text;
    } cases[] = {
        {&grey, 10, 20, 1.0f, "x = 10, y = 20, luminosity = 200"},
        {&rgb, 3, 4, 1.0f, "x = 3, y = 4, R = 3 G = 4 B = 7"},
        {&rgb, 29, 24, 1.0f, "x = 29, y = 24, R = 29 G = 24 B = 7"},
        // Enlarged: each pixel repeated; shrunk: the nearest pixel, as drawn.
        {&rgb, 7, 9, 2.0f, "x = 3, y = 4, R = 3 G = 4 B = 7"},
        {&rgb, 59, 49, 2.0f, "x = 29, y = 24, R = 29 G = 24 B = 7"},
        {&rgb, 60, 4, 2.0f, "For Help, press F1"},
        {&grey, 5, 10, 0.5f, "x = 10, y = 20, luminosity = 200"},
        {&rgb, 14, 12, 0.5f, "x = 28, y = 24, R = 28 G = 24 B = 7"},
        {&rgb, 15, 4, 0.5f, "For Help, press F1"},
        {&rgb, 30, 4, 1.0f, "For Help, press F1"},
        {&rgb, 3, 25, 1.0f, "For Help, press F1"},
        {&rgb, -1, 4, 1.0f, "For Help, press F1"},
        {&rgb, 3, -1, 1.0f, "For Help, press F1"},
    };
    for (const Case& c : cases) EXPECT_EQ(PixelReadOut(*c.image, c.x, c.y, c.zoom), c.text);
    CImage calibrated = grey;
    calibrated.calibration = {0.5, 0.25, "mm"};
    EXPECT_EQ(PixelReadOut(calibrated, 10, 20, 1.0f), "x = 10, y = 20, luminosity = 200 (5, 5 mm)");
}

TEST(ViewMetrics, OutlineStaysOnTheLastDisplayedPixel)
{
    CImage image = MakeGrey(10, 8, [](int, int) { return 0; });
    struct Case {
        int left, top, right, bottom;
        float zoom;
        OutlineCorners corners;
        ZoomedSize size;
    } cases[] = {
        {0, 0, 9, 7, 1.0f, {0, 0, 9, 7}, {10, 8}},
        {0, 0, 9, 7, 4.0f, {0, 0, 39, 31}, {40, 32}},
        {2, 1, 9, 7, 0.5f, {1, 1, 4, 3}, {5, 4}},
        // 9 * 0.25 rounds to 2, the last displayed column is 2 (10 * 0.25 = 2.5 rounds to 3).
        {4, 2, 9, 7, 0.25f, {1, 1, 2, 1}, {3, 2}},
        {1, 1, 3, 2, 2.0f, {2, 2, 7, 5}, {20, 16}},
        {1, 1, 3, 2, 8.0f, {8, 8, 31, 23}, {80, 64}},
    };
    for (const Case& c : cases) {
        image.SetUpperLeft(c.left, c.top, false);
        image.SetLowerRight(c.right, c.bottom, false);
        EXPECT_EQ(AoiOutline(image, c.zoom), c.corners) << c.zoom;
        EXPECT_EQ(ZoomedImageSize(image, c.zoom).width, c.size.width);
        EXPECT_EQ(ZoomedImageSize(image, c.zoom).height, c.size.height);
    }
}

TEST(ViewMetrics, ZoomTextAndFit)
{
    const std::pair<float, const char*> texts[] = {{1.0f, "100%"}, {4.0f, "400%"}, {64.0f, "6400%"},
                                                   {0.5f, "1/2"},  {0.125f, "1/8"}, {1.0f / 64, "1/64"}};
    for (const auto& [zoom, text] : texts) EXPECT_EQ(ZoomText(zoom), text);
    struct Case {
        int w, h, roomW, roomH;
        float zoom;
    } cases[] = {
        {640, 480, 800, 600, 1.0f}, {100, 50, 800, 600, 8.0f},   {1, 1, 800, 600, 64.0f},
        {4096, 100, 800, 600, 0.125f}, {100, 4096, 800, 600, 0.125f}, {100000, 10, 800, 600, 1.0f / 64},
    };
    for (const Case& c : cases) EXPECT_EQ(FitZoom(c.w, c.h, c.roomW, c.roomH), c.zoom) << c.w << "x" << c.h;
}
