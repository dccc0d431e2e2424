#include <gtest/gtest.h>

#include "image/Image.h"
#include "support/PixelGrid.h"
#include "support/TestImages.h"

namespace {

// A 2 x 1 image of one colour whose AOI is the first pixel only: the second
// shows that pixels outside the AOI stay as they were.
CImage PixelPair(CColorVal c, int format)
{
    CImage image = MakeImage(2, 1, [&](int, int) { return c; });
    image.format = format;
    image.SetLowerRight(0, 0, false);
    return image;
}

}  // namespace

TEST(PointOps, ThresholdComponentRules)
{
    const int rgb = FORMAT_RGB, grey = FORMAT_GRAYSCALE;
    struct Case {
        int format;
        CColorVal in;
        int level, fill;
        bool below;
        int component;
        CColorVal out;
    } cases[] = {
        {rgb, {10, 200, 30}, 100, 0, false, 1, {10, 0, 30}},
        {rgb, {10, 200, 30}, 100, 0, false, 0, {10, 200, 30}},
        {rgb, {120, 200, 30}, 100, 7, false, 0, {7, 200, 30}},
        {rgb, {10, 200, 130}, 100, 7, false, 2, {10, 200, 7}},
        {rgb, {10, 200, 30}, 100, 255, true, 3, {255, 200, 255}},
        {rgb, {10, 200, 30}, 100, 0, true, 7, {0, 200, 0}},  // any other component: all three
        {rgb, {0, 0, 0}, 0, 99, true, 3, {0, 0, 0}},         // nothing is below 0
        {rgb, {255, 255, 255}, 255, 0, false, 3, {255, 255, 255}},
        {rgb, {100, 100, 100}, 100, 0, true, 3, {100, 100, 100}},  // equal never passes
        {rgb, {100, 100, 100}, 100, 0, false, 3, {100, 100, 100}},
        {rgb, {255, 0, 3}, 300, 9, true, 3, {9, 9, 9}},  // out-of-range level only moves the test
        {rgb, {0, 0, 3}, -5, 9, true, 3, {0, 0, 3}},
        {rgb, {0, 50, 3}, 10, 300, true, 3, {255, 50, 255}},  // fill is clamped
        {grey, {50, 50, 50}, 100, 200, true, 0, {200, 200, 200}},  // component ignored
        {grey, {50, 50, 50}, 100, 200, true, 2, {200, 200, 200}},
    };
    for (const Case& c : cases) {
        CImage image = PixelPair(c.in, c.format);
        image.Threshold(c.level, c.fill, c.below, c.component);
        EXPECT_EQ(image.pixelValueArray[0][0], c.out) << "level " << c.level << " component " << c.component;
        EXPECT_EQ(image.pixelValueArray[0][1], c.in);
        EXPECT_EQ(image.format, c.format);
    }
}

TEST(PointOps, BrightnessSliceBandEndsAreInclusive)
{
    struct Case {
        int low, high;
        Grid out;
    } cases[] = {
        // The AOI is columns 0..2 and rows 0..1; its last column and last row
        // hold the band ends.
        {100, 150, {{0, 255, 255, 100}, {0, 255, 255, 150}, {100, 150, 99, 151}}},
        {99, 151, {{255, 255, 255, 100}, {255, 255, 255, 150}, {100, 150, 99, 151}}},
        {150, 100, {{0, 0, 0, 100}, {0, 0, 0, 150}, {100, 150, 99, 151}}},
    };
    for (const Case& c : cases) {
        CImage image = GreyFromGrid({{99, 120, 100, 100}, {151, 100, 150, 150}, {100, 150, 99, 151}});
        SetAoi(image, 0, 0, 2, 1);
        ASSERT_EQ(image.BrightnessSlice(c.low, c.high), 0);
        EXPECT_EQ(LevelsOf(image), c.out) << c.low << ".." << c.high;
        EXPECT_EQ(image.format, FORMAT_GRAYSCALE);
    }
}

TEST(PointOps, BrightnessSliceRefusesRgb)
{
    CImage image = MakeImage(2, 2, [](int x, int) { return CColorVal(120, 120 + x, 120); });
    const CImage before = image;
    EXPECT_EQ(image.BrightnessSlice(100, 150), -1);
    EXPECT_EQ(image.errorMessage, "CImage::BrightnessSlice() only defined on grayscale images");
    EXPECT_EQ(image.pixelValueArray[1][1], before.pixelValueArray[1][1]);
    EXPECT_EQ(image.pixelValueArray[0][0], before.pixelValueArray[0][0]);
}

TEST(PointOps, BoundFillsInsideOrOutside)
{
    const Grid start = {{1, 2, 3, 4}, {5, 6, 7, 8}, {9, 10, 11, 12}};
    struct Case {
        int mode;
        int left, top, right, bottom;
        Grid out;
    } cases[] = {
        {1, 0, 0, 3, 2, start},
        {0, 0, 0, 3, 2, {{77, 77, 77, 77}, {77, 77, 77, 77}, {77, 77, 77, 77}}},
        {1, 1, 1, 2, 1, {{77, 77, 77, 77}, {77, 6, 7, 77}, {77, 77, 77, 77}}},
        {0, 1, 1, 2, 1, {{1, 2, 3, 4}, {5, 77, 77, 8}, {9, 10, 11, 12}}},
        {1, 3, 0, 3, 2, {{77, 77, 77, 4}, {77, 77, 77, 8}, {77, 77, 77, 12}}},
        {0, 0, 2, 3, 2, {{1, 2, 3, 4}, {5, 6, 7, 8}, {77, 77, 77, 77}}},
        {2, 0, 0, 0, 0, start},  // no such mode
    };
    for (const Case& c : cases) {
        CImage image = GreyFromGrid(start);
        SetAoi(image, c.left, c.top, c.right, c.bottom);
        image.Bound(c.mode, CColorVal(77, 77, 77));
        EXPECT_EQ(LevelsOf(image), c.out) << "mode " << c.mode << " left " << c.left << " top " << c.top;
        EXPECT_EQ(image.format, FORMAT_GRAYSCALE);
    }
}

TEST(PointOps, BoundFormatFollowsTheColour)
{
    struct Case {
        int format;
        CColorVal color;
        int result;
    } cases[] = {
        {FORMAT_GRAYSCALE, {255, 0, 0}, FORMAT_RGB},
        {FORMAT_GRAYSCALE, {5, 5, 6}, FORMAT_RGB},
        {FORMAT_GRAYSCALE, {77, 77, 77}, FORMAT_GRAYSCALE},
        {FORMAT_RGB, {77, 77, 77}, FORMAT_RGB},
    };
    for (const Case& c : cases) {
        CImage image = MakeImage(3, 3, [](int, int) { return CColorVal(4, 4, 4); });
        image.format = c.format;
        SetAoi(image, 1, 1, 1, 1);
        image.Bound(0, c.color);
        EXPECT_EQ(image.format, c.result);
        EXPECT_EQ(image.pixelValueArray[1][1], c.color);
        EXPECT_EQ(image.pixelValueArray[0][1], CColorVal(4, 4, 4));
    }
}

TEST(PointOps, InvertTheAoiOnly)
{
    CImage image = MakeImage(3, 1, [](int x, int) { return CColorVal(0, 100 + x, 255); });
    SetAoi(image, 1, 0, 2, 0);
    image.Invert();
    EXPECT_EQ(image.pixelValueArray[0][0], CColorVal(0, 100, 255));
    EXPECT_EQ(image.pixelValueArray[0][1], CColorVal(255, 154, 0));
    EXPECT_EQ(image.pixelValueArray[0][2], CColorVal(255, 153, 0));
    image.Invert();
    EXPECT_EQ(image.pixelValueArray[0][2], CColorVal(0, 102, 255));
    EXPECT_EQ(image.format, FORMAT_RGB);
}

TEST(PointOps, ImagesWithoutPixelsOrWithACrossedAoiAreLeftAlone)
{
    CImage empty;
    empty.Invert();
    empty.Threshold(10, 0, false, 3);
    EXPECT_EQ(empty.BrightnessSlice(0, 255), -1);  // an empty image is RGB
    empty.Bound(1, CColorVal(1, 2, 3));
    empty.FlipHorizontal();
    empty.FlipVertical();
    EXPECT_TRUE(empty.IsEmpty());

    CImage crossed = GreyFromGrid({{1, 2}, {3, 4}});
    SetAoi(crossed, 1, 1, 0, 0);
    crossed.Invert();
    crossed.Bound(0, CColorVal(9, 9, 9));
    EXPECT_EQ(LevelsOf(crossed), (Grid{{1, 2}, {3, 4}}));
    crossed.Bound(1, CColorVal(9, 9, 9));
    EXPECT_EQ(LevelsOf(crossed), (Grid{{9, 9}, {9, 9}}));
}
