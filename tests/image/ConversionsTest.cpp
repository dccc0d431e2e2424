#include <gtest/gtest.h>

#include "image/Image.h"
#include "support/TestImages.h"

TEST(Conversions, GrayscaleConvertsTheWholeImageNotOnlyTheAoi)
{
    CImage image = MakeImage(3, 2, [](int x, int) { return x == 0 ? CColorVal(255, 0, 0) : CColorVal(0, 0, 255); });
    image.SetUpperLeft(1, 1, false);
    image.SetLowerRight(1, 1, false);
    image.ConvertToGrayscale();
    EXPECT_EQ(image.format, FORMAT_GRAYSCALE);
    EXPECT_EQ(image.pixelValueArray[0][0], CColorVal(76, 76, 76));
    EXPECT_EQ(image.pixelValueArray[1][2], CColorVal(29, 29, 29));
    EXPECT_EQ(image.aoiLeft, 1);
    EXPECT_EQ(image.aoiBottom, 1);
}

TEST(Conversions, RgbOnlyChangesTheFormat)
{
    CImage image = MakeGrey(2, 2, [](int x, int y) { return 40 * x + y; });
    image.ConvertToRgb();
    EXPECT_EQ(image.format, FORMAT_RGB);
    EXPECT_EQ(image.pixelValueArray[1][1], CColorVal(41, 41, 41));
}

TEST(Conversions, ExtractRgbPlanesOfAGreyImageAreRgb)
{
    CImage source = MakeImage(2, 2, [](int x, int y) { return CColorVal(10 + x, 20 + y, 30 + x + y); });
    source.format = FORMAT_GRAYSCALE;
    source.SetUpperLeft(1, 0, false);
    CImage red, green, blue;
    EXPECT_EQ(source.ExtractRgbPlanes(red, green, blue), 2);
    for (const CImage* plane : {&red, &green, &blue}) {
        EXPECT_EQ(plane->format, FORMAT_RGB);
        EXPECT_EQ(plane->aoiLeft, 1);
    }
    EXPECT_EQ(red.pixelValueArray[1][1], CColorVal(11, 0, 0));
    EXPECT_EQ(green.pixelValueArray[1][1], CColorVal(0, 21, 0));
    EXPECT_EQ(blue.pixelValueArray[1][1], CColorVal(0, 0, 32));
    EXPECT_EQ(source.pixelValueArray[1][1], CColorVal(11, 21, 32));
}

TEST(Conversions, CombDoublesEachFieldLine)
{
    struct Case {
        int height;
        std::vector<int> even, odd;  // source row of each result row
    } cases[] = {
        {3, {0, 0, 2}, {1, 1, 2}},
        {4, {0, 0, 2, 2}, {1, 1, 3, 3}},
        {1, {0}, {0}},
    };
    for (const Case& c : cases) {
        CImage source = MakeGrey(2, c.height, [](int, int y) { return y * 10; });
        CImage even, odd;
        EXPECT_EQ(source.Comb(even, odd), c.height);
        for (int y = 0; y < c.height; ++y) {
            EXPECT_EQ(even.pixelValueArray[y][1].red, c.even[y] * 10) << "height " << c.height << " row " << y;
            EXPECT_EQ(odd.pixelValueArray[y][1].red, c.odd[y] * 10) << "height " << c.height << " row " << y;
        }
        EXPECT_EQ(even.format, FORMAT_GRAYSCALE);
    }
}
