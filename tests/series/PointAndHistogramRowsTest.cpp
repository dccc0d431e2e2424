#include <gtest/gtest.h>

#include "image/Image.h"
#include "series/Operations.h"
#include "support/PixelGrid.h"
#include "support/TestImages.h"

namespace {

int RunRow(const char* name, CImage& image, const OperationParams& params)
{
    const Operation* op = FindOperation(name);
    EXPECT_NE(op, nullptr) << name;
    if (!op) return -2;
    OperationOutputs outputs;
    const int result = op->run(image, params, outputs);
    EXPECT_TRUE(outputs.extras.empty());
    return result;
}

}  // namespace

TEST(PointAndHistogramRows, BoundColourFollowsTheDecidingFormat)
{
    struct Case {
        int imageFormat, firstImageFormat;
        CColorVal fill;
        int resultFormat;
    } cases[] = {
        {FORMAT_GRAYSCALE, -1, {40, 40, 40}, FORMAT_GRAYSCALE},
        {FORMAT_RGB, -1, {1, 2, 3}, FORMAT_RGB},
        {FORMAT_GRAYSCALE, FORMAT_RGB, {1, 2, 3}, FORMAT_RGB},
        {FORMAT_RGB, FORMAT_GRAYSCALE, {40, 40, 40}, FORMAT_RGB},
    };
    for (const Case& c : cases) {
        CImage image = GreyFromGrid({{9, 9, 9}});
        image.format = c.imageFormat;
        SetAoi(image, 1, 0, 1, 0);
        OperationParams params;
        params.intensity = 40;
        params.red = 1, params.green = 2, params.blue = 3;
        params.firstImageFormat = c.firstImageFormat;
        ASSERT_EQ(RunRow("Bound", image, params), 0);
        EXPECT_EQ(image.pixelValueArray[0][0], c.fill) << c.imageFormat << " " << c.firstImageFormat;
        EXPECT_EQ(image.pixelValueArray[0][1], CColorVal(9, 9, 9));
        EXPECT_EQ(image.format, c.resultFormat);
    }
}

TEST(PointAndHistogramRows, RunWithTheirParameters)
{
    OperationParams params;
    params.threshold = 100;
    params.fillValue = 3;
    params.editAbove = 1;
    params.lowerLimit = 20;
    params.upperLimit = 40;
    params.offset = -200;
    struct Case {
        const char* name;
        Grid out;
    } cases[] = {
        {"Flip Horizontal", {{150, 30, 10}}},
        {"Flip Vertical", {{10, 30, 150}}},
        {"Invert", {{245, 225, 105}}},
        {"Threshold", {{10, 30, 3}}},
        {"Brightness Slice", {{0, 255, 0}}},
        {"Stretch", {{0, 36, 255}}},
        {"Equalize", {{85, 170, 255}}},
        {"Slide", {{0, 20, 140}}},
    };
    for (const Case& c : cases) {
        CImage image = GreyFromGrid({{10, 30, 150}});
        ASSERT_EQ(RunRow(c.name, image, params), 0) << c.name;
        EXPECT_EQ(LevelsOf(image), c.out) << c.name;
        EXPECT_EQ(image.pixelValueArray[0][2].blue, c.out[0][2]) << c.name;
    }
}

TEST(PointAndHistogramRows, BrightnessSliceFailureReachesTheCaller)
{
    CImage image = MakeImage(1, 1, [](int, int) { return CColorVal(1, 2, 3); });
    EXPECT_EQ(RunRow("Brightness Slice", image, OperationParams()), -1);
    EXPECT_EQ(image.errorMessage, "CImage::BrightnessSlice() only defined on grayscale images");
}
