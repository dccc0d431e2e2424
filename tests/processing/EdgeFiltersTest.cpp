#include <gtest/gtest.h>

#include <random>

#include "image/Image.h"
#include "reference/ReferenceFilters.h"
#include "support/FakeUserInterface.h"
#include "support/RandomImages.h"
#include "support/SamePixels.h"
#include "support/TestImages.h"

TEST(Prewitt, ResponseToAHorizontalEdge)
{
    // 200 above 50; the AOI pixel (1, 1) lies on the dark side, under the edge.
    struct Case {
        int direction;
        int value;
    } cases[] = {{0, 255}, {4, 0}, {9, 255}, {-1, 255}, {1, 255}, {7, 255}, {2, 150}, {6, 150}, {3, 0}, {5, 0}};
    for (const Case& c : cases) {
        FakeUserInterface user;
        CImage image = MakeGrey(3, 3, [](int, int y) { return y == 0 ? 200 : 50; });
        image.aoiLeft = image.aoiTop = image.aoiRight = image.aoiBottom = 1;
        ASSERT_EQ(image.Prewitt(c.direction), 0);
        EXPECT_EQ(image.pixelValueArray[1][1], CColorVal(c.value, c.value, c.value)) << c.direction;
        EXPECT_EQ(image.pixelValueArray[0][1], CColorVal(200, 200, 200));
    }
}

TEST(Prewitt, EachDirectionIsItsKernel)
{
    const std::vector<std::vector<double>> kernels = {
        {1, 1, 1, 1, -2, 1, -1, -1, -1},  {1, 1, 1, -1, -2, 1, -1, -1, 1}, {-1, 1, 1, -1, -2, 1, -1, 1, 1},
        {-1, -1, 1, -1, -2, 1, 1, 1, 1},  {-1, -1, -1, 1, -2, 1, 1, 1, 1}, {1, -1, -1, 1, -2, -1, 1, 1, 1},
        {1, 1, -1, 1, -2, -1, 1, 1, -1}, {1, 1, 1, 1, -2, -1, 1, -1, -1},
    };
    std::mt19937 random(42);
    FakeUserInterface user;
    for (int direction = 0; direction < 8; ++direction)
        for (int round = 0; round < 10; ++round) {
            CImage image = RandomImage(random, round % 2 == 0, 3);
            CImage expected = image;
            ASSERT_EQ(image.Prewitt(direction), 0);
            reference::Kernel(expected, 3, kernels[static_cast<size_t>(direction)]);
            ASSERT_TRUE(SamePixels(image, expected)) << "direction " << direction;
        }
    // A uniform area gives 0 in every direction.
    for (int direction = 0; direction < 8; ++direction) {
        CImage flat = MakeGrey(4, 4, [](int, int) { return 120; });
        flat.SetUpperLeft(1, 1, false);
        flat.SetLowerRight(2, 2, false);
        ASSERT_EQ(flat.Prewitt(direction), 0);
        EXPECT_EQ(flat.pixelValueArray[2][2], CColorVal(0, 0, 0)) << direction;
        EXPECT_EQ(flat.pixelValueArray[0][0], CColorVal(120, 120, 120));
    }
}

TEST(Sobel, Magnitudes)
{
    struct Case {
        const char* what;
        std::vector<int> pixels;  // 3 x 3 grey
        int centre;
    } cases[] = {
        {"vertical step: gx = 4 x 255", {0, 0, 255, 0, 0, 255, 0, 0, 255}, 255},
        {"uniform area", {90, 90, 90, 90, 90, 90, 90, 90, 90}, 0},
        {"gx = gy = 3: sqrt(18) truncates to 4", {0, 0, 0, 0, 0, 0, 0, 0, 3}, 4},
        {"gx = 4, gy = 3: 5", {0, 0, 1, 0, 0, 1, 0, 0, 2}, 5},
        {"gy = -6, gx = 0: 6", {1, 2, 1, 0, 0, 0, 0, 0, 0}, 6},
        {"gx = 200, gy = 0: 200", {0, 0, 50, 0, 0, 50, 0, 0, 50}, 200},
    };
    for (const Case& c : cases) {
        FakeUserInterface user;
        CImage image = MakeGrey(3, 3, [&](int x, int y) { return c.pixels[static_cast<size_t>(y * 3 + x)]; });
        image.aoiLeft = image.aoiTop = image.aoiRight = image.aoiBottom = 1;
        ASSERT_EQ(image.Sobel(), 0);
        EXPECT_EQ(image.pixelValueArray[1][1], CColorVal(c.centre, c.centre, c.centre)) << c.what;
    }
}

TEST(Sobel, StepAndColour)
{
    FakeUserInterface user;
    // A vertical step from 0 to 255 between x = 2 and x = 3, in red only.
    CImage image = MakeImage(6, 5, [](int x, int) { return x < 3 ? CColorVal(0, 0, 9) : CColorVal(255, 0, 9); });
    image.SetUpperLeft(1, 1, false);
    image.SetLowerRight(4, 3, false);
    ASSERT_EQ(image.Sobel(), 0);
    const int lum = CColorVal(255, 0, 9).Luminance() - CColorVal(0, 0, 9).Luminance();  // 77 - 1 = 76
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 6; ++x) {
            const bool inAoi = x >= 1 && x <= 4 && y >= 1 && y <= 3;
            const int v = (x == 2 || x == 3) ? 4 * lum : 0;
            const CColorVal expected = inAoi ? CColorVal(v, v, v) : (x < 3 ? CColorVal(0, 0, 9) : CColorVal(255, 0, 9));
            EXPECT_EQ(image.pixelValueArray[y][x], expected) << x << ", " << y;
        }
    EXPECT_EQ(image.format, FORMAT_RGB);
}

TEST(Sobel, MatchesThePlainFormulation)
{
    std::mt19937 random(3);
    FakeUserInterface user;
    for (int round = 0; round < 60; ++round) {
        CImage image = RandomImage(random, round % 2 == 0, 3);
        CImage expected = image;
        ASSERT_EQ(image.Sobel(), 0);
        reference::Sobel(expected);
        ASSERT_TRUE(SamePixels(image, expected)) << round;
    }
}
