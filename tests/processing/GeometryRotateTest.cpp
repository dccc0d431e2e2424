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

void SetAoi(CImage& image, int left, int top, int right, int bottom)
{
    image.SetUpperLeft(left, top, false);
    image.SetLowerRight(right, bottom, false);
}

const int kNearest = 0;
const int kBilinear = 1;

}  // namespace

TEST(Rotate, ByZeroLeavesTheImageAsItWas)
{
    for (int method : {kNearest, kBilinear}) {
        CImage image = RandomImage(7, 5, 3);
        SetAoi(image, 1, 1, 5, 3);
        const CImage before = image;
        ASSERT_EQ(image.Rotate(0, method), 0);
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < 7; ++x)
                EXPECT_EQ(image.pixelValueArray[y][x], before.pixelValueArray[y][x]) << method << " " << x << "," << y;
    }
}

TEST(Rotate, ByNinetyTurnsASquareAoiExactlyCounterClockwise)
{
    // Whatever was below the centre moves to its right: pixel (x, y) of an
    // n x n AOI comes from (n - 1 - y, x). 150 spans several tiles of the walk.
    for (int n : {4, 150}) {
        for (int method : {kNearest, kBilinear}) {
            const CImage source = RandomImage(n + 2, n + 3, 4);
            CImage image = source;
            SetAoi(image, 1, 2, n, n + 1);
            ASSERT_EQ(image.Rotate(90, method), 0);
            int wrong = 0;
            for (int y = 0; y < n; ++y)
                for (int x = 0; x < n; ++x)
                    wrong += image.pixelValueArray[2 + y][1 + x] != source.pixelValueArray[2 + x][1 + n - 1 - y];
            EXPECT_EQ(wrong, 0) << n << " " << method;
            // Outside the AOI nothing changes.
            EXPECT_EQ(image.pixelValueArray[1][1], source.pixelValueArray[1][1]);
            EXPECT_EQ(image.pixelValueArray[3][n + 1], source.pixelValueArray[3][n + 1]);
            EXPECT_EQ(image.pixelValueArray[n + 2][5], source.pixelValueArray[n + 2][5]);
        }
    }
}

TEST(Rotate, ByFortyFiveBlackensTheCorners)
{
    // Nearest neighbour rounds sources up to half a pixel outside into the
    // AOI; bilinear takes only sources inside it, on every side alike.
    struct Case {
        int method;
        Rows expected;
    } cases[] = {
        {kNearest,
         {{0, 200, 200, 200, 0},
          {200, 200, 200, 200, 200},
          {200, 200, 200, 200, 200},
          {200, 200, 200, 200, 200},
          {0, 200, 200, 200, 0}}},
        {kBilinear,
         {{0, 0, 200, 0, 0},
          {0, 200, 200, 200, 0},
          {200, 200, 200, 200, 200},
          {0, 200, 200, 200, 0},
          {0, 0, 200, 0, 0}}},
    };
    for (const Case& c : cases) {
        // The same picture whether the AOI touches the image's edges or not.
        for (int margin : {0, 2}) {
            CImage image = MakeGrey(5 + 2 * margin, 5 + 2 * margin, [](int, int) { return 200; });
            image.SetUpperLeft(margin, margin, false);
            image.SetLowerRight(margin + 4, margin + 4, false);
            ASSERT_EQ(image.Rotate(45, c.method), 0);
            ASSERT_EQ(image.Crop(margin, margin, margin + 4, margin + 4), 0);
            EXPECT_EQ(RedRows(image), c.expected) << c.method << " margin " << margin;
            EXPECT_EQ(image.format, FORMAT_GRAYSCALE);
        }
    }
}

TEST(Rotate, QuarterTurnsInBothDirections)
{
    const Rows source = {{1, 2, 3}, {4, 5, 6}, {7, 8, 9}};
    struct Case {
        double degrees;
        Rows expected;
    } cases[] = {
        {90, {{3, 6, 9}, {2, 5, 8}, {1, 4, 7}}},
        {-90, {{7, 4, 1}, {8, 5, 2}, {9, 6, 3}}},
        {180, {{9, 8, 7}, {6, 5, 4}, {3, 2, 1}}},
        {270, {{7, 4, 1}, {8, 5, 2}, {9, 6, 3}}},
        {-360, source},
    };
    for (const Case& c : cases)
        for (int method : {kNearest, kBilinear}) {
            CImage image = GreyFromRows(source);
            ASSERT_EQ(image.Rotate(c.degrees, method), 0);
            EXPECT_EQ(RedRows(image), c.expected) << c.degrees << " " << method;
        }
}

TEST(Rotate, NonSquareAoiTakesNothingFromOutside)
{
    // AOI (1, 1)-(4, 2), centre (2.5, 1.5): pixel (x, y) comes from (4 - y, x - 1);
    // columns 1 and 4 would come from rows 0 and 3, outside the AOI.
    const Rows source = {
        {1, 2, 3, 4, 5, 6},
        {7, 10, 20, 30, 40, 8},
        {9, 50, 60, 70, 80, 11},
        {12, 13, 14, 15, 16, 17},
    };
    const Rows expected = {
        {1, 2, 3, 4, 5, 6},
        {7, 0, 30, 70, 0, 8},
        {9, 0, 20, 60, 0, 11},
        {12, 13, 14, 15, 16, 17},
    };
    for (int method : {kNearest, kBilinear}) {
        CImage image = GreyFromRows(source);
        SetAoi(image, 1, 1, 4, 2);
        ASSERT_EQ(image.Rotate(90, method), 0);
        EXPECT_EQ(RedRows(image), expected) << method;
    }
}

TEST(Rotate, BilinearMixesFourPixelsAndRounds)
{
    // AOI 2 x 3 with centre (0.5, 1): at 90 degrees pixel (x, y) samples
    // (1.5 - y, x + 0.5), so (0, 1) and (1, 1) lie between four pixels each;
    // the rows above and below come from half a pixel outside and are black.
    const Rows source = {
        {10, 20},
        {30, 43},
        {100, 203},
    };
    CImage bilinear = GreyFromRows(source);
    ASSERT_EQ(bilinear.Rotate(90, kBilinear), 0);
    EXPECT_EQ(bilinear.pixelValueArray[1][0].red, 26);  // (10 + 20 + 30 + 43) / 4 = 25.75
    EXPECT_EQ(bilinear.pixelValueArray[1][1].red, 94);  // (30 + 43 + 100 + 203) / 4 = 94
    EXPECT_EQ(RedRows(bilinear)[0], (std::vector<int>{0, 0}));
    EXPECT_EQ(RedRows(bilinear)[2], (std::vector<int>{0, 0}));
}

TEST(Rotate, ChannelsStaySeparate)
{
    CImage image = MakeImage(3, 3, [](int x, int y) { return CColorVal(10 * x, 10 * y, 7); });
    ASSERT_EQ(image.Rotate(180, kBilinear), 0);
    EXPECT_EQ(image.pixelValueArray[0][0], CColorVal(20, 20, 7));
    EXPECT_EQ(image.pixelValueArray[2][1], CColorVal(10, 0, 7));
    EXPECT_EQ(image.format, FORMAT_RGB);
}
