#include <gtest/gtest.h>

#include <random>

#include "image/Image.h"
#include "support/GreyRows.h"
#include "support/TestImages.h"

namespace {

CImage RandomImage(int width, int height, unsigned seed)
{
    std::mt19937 rng(seed);
    return MakeImage(width, height, [&](int, int) { return CColorVal(rng() % 256, rng() % 256, rng() % 256); });
}

const int kNearest = 0;
const int kBilinear = 1;

}  // namespace

TEST(Scale, HundredPercentReproducesTheImage)
{
    for (int method : {kNearest, kBilinear}) {
        const CImage source = RandomImage(9, 6, 8);
        CImage image = source;
        ASSERT_EQ(image.Scale(100, 100, method), 0);
        ASSERT_EQ(image.width, 9);
        ASSERT_EQ(image.height, 6);
        for (int y = 0; y < 6; ++y)
            for (int x = 0; x < 9; ++x)
                EXPECT_EQ(image.pixelValueArray[y][x], source.pixelValueArray[y][x]) << method << " " << x << "," << y;
    }
}

TEST(Scale, NewSizesRoundHalfAway)
{
    struct Case {
        int width, height;
        double x, y;
        int newWidth, newHeight;
    } cases[] = {
        {101, 101, 50, 50, 51, 51}, {10, 4, 400, 25, 40, 1}, {3, 7, 33.4, 100, 1, 7}, {100, 100, 0.5, 1.5, 1, 2},
    };
    for (const Case& c : cases) {
        CImage image = RandomImage(c.width, c.height, 1);
        ASSERT_EQ(image.Scale(c.x, c.y, kNearest), 0) << image.errorMessage;
        EXPECT_EQ(image.width, c.newWidth) << c.x;
        EXPECT_EQ(image.height, c.newHeight) << c.y;
    }
}

TEST(Scale, HalfTakesEveryOtherPixel)
{
    const CImage source = RandomImage(101, 101, 2);
    CImage image = source;
    ASSERT_EQ(image.Scale(50, 50, kNearest), 0);
    for (int y = 0; y < 51; ++y)
        for (int x = 0; x < 51; ++x) EXPECT_EQ(image.pixelValueArray[y][x], source.pixelValueArray[2 * y][2 * x]);
}

TEST(Scale, DoubleWidthNearestLeavesTheLastColumnBlack)
{
    // New column 5 maps to 2.5, which rounds to 3: outside.
    CImage image = GreyFromRows({{10, 20, 30}, {40, 50, 60}});
    ASSERT_EQ(image.Scale(200, 100, kNearest), 0);
    EXPECT_EQ(RedRows(image), (Rows{{10, 20, 20, 30, 30, 0}, {40, 50, 50, 60, 60, 0}}));
}

TEST(Scale, DoubleBilinearExtrapolatesAtTheLastColumnAndRow)
{
    CImage image = GreyFromRows({{0, 100}, {100, 200}});
    ASSERT_EQ(image.Scale(200, 200, kBilinear), 0);
    EXPECT_EQ(RedRows(image), (Rows{
                                  {0, 50, 100, 150},
                                  {50, 100, 150, 200},
                                  {100, 150, 200, 250},
                                  {150, 200, 250, 255},
                              }));
    EXPECT_EQ(image.format, FORMAT_GRAYSCALE);
}

TEST(Scale, RefusalsLeaveTheImageAsItWas)
{
    const char* const zero = "CImage::Scale cannot scale by zero, invalid argument";
    const char* const tiny = "CImage::Scale cannot scale to a width or height below 1 pixel, invalid argument";
    struct Case {
        double x, y;
        const char* text;
    } cases[] = {
        {0, 100, zero},
        {100, 0, zero},
        {0.1, 100, tiny},
        {100, 0.4, tiny},
        {-50, 100, tiny},
        // A side that does not fit an int is refused before any allocation.
        {100, 3e9, "CImage::Scale cannot allocate sufficient memory"},
    };
    for (const Case& c : cases) {
        CImage image = RandomImage(100, 100, 3);
        image.SetUpperLeft(2, 3, false);
        const CImage before = image;
        EXPECT_EQ(image.Scale(c.x, c.y, kBilinear), -1);
        EXPECT_EQ(image.errorMessage, c.text) << c.x << " " << c.y;
        EXPECT_EQ(image.width, 100);
        EXPECT_EQ(image.height, 100);
        EXPECT_EQ(image.aoiLeft, 2);
        EXPECT_EQ(image.aoiTop, 3);
        EXPECT_EQ(image.pixelValueArray[99][99], before.pixelValueArray[99][99]);
    }
}

TEST(Scale, ResetsTheAoiAndDropsObjectsAndTheSpectrum)
{
    CImage image = MakeGrey(8, 8, [](int x, int) { return x; });
    image.SetUpperLeft(2, 2, false);
    image.SetLowerRight(5, 6, false);
    image.objects.resize(2);
    image.errorMessage = "old";
    ASSERT_TRUE(image.dataArray.Allocate(8, 8));
    ASSERT_EQ(image.Scale(150, 50, kBilinear), 0);
    EXPECT_EQ(image.width, 12);
    EXPECT_EQ(image.height, 4);
    EXPECT_EQ(image.aoiLeft, 0);
    EXPECT_EQ(image.aoiTop, 0);
    EXPECT_EQ(image.aoiRight, 11);
    EXPECT_EQ(image.aoiBottom, 3);
    EXPECT_TRUE(image.objects.empty());
    EXPECT_FALSE(image.dataArray.present());
    EXPECT_EQ(image.errorMessage, "");
    EXPECT_EQ(image.format, FORMAT_GRAYSCALE);
}
