#include <gtest/gtest.h>

#include "image/Image.h"
#include "support/TestImages.h"

namespace {

using Op = int (CImage::*)(const CImage&);

// The result of op on one pixel pair, applied to a 2 x 1 image whose AOI
// covers only the first pixel (the AOI plays no part).
int Combine(Op op, int a, int b)
{
    CImage first = MakeGrey(2, 1, [&](int, int) { return a; });
    first.SetLowerRight(0, 0, false);
    const CImage second = MakeGrey(2, 1, [&](int, int) { return b; });
    EXPECT_EQ((first.*op)(second), 0);
    EXPECT_EQ(first.pixelValueArray[0][0], first.pixelValueArray[0][1]);
    return first.pixelValueArray[0][1].red;
}

}  // namespace

TEST(Arithmetic, ChannelValues)
{
    struct Case {
        const char* name;
        Op op;
        int a, b, r;
    } cases[] = {
        {"add", &CImage::AddImage, 200, 100, 255},        {"add", &CImage::AddImage, 20, 30, 50},
        {"subtract", &CImage::SubtractImage, 50, 100, 0}, {"subtract", &CImage::SubtractImage, 100, 50, 50},
        {"absdiff", &CImage::AbsoluteDifference, 50, 100, 50},
        {"absdiff", &CImage::AbsoluteDifference, 100, 50, 50},
        {"multiply", &CImage::MultiplyImage, 15, 17, 255}, {"multiply", &CImage::MultiplyImage, 16, 16, 255},
        {"multiply", &CImage::MultiplyImage, 2, 100, 200}, {"divide", &CImage::DivideImage, 200, 0, 0},
        {"divide", &CImage::DivideImage, 200, 3, 66},      {"divide", &CImage::DivideImage, 0, 0, 0},
    };
    for (const Case& c : cases) EXPECT_EQ(Combine(c.op, c.a, c.b), c.r) << c.name << " " << c.a << " " << c.b;
}

TEST(Arithmetic, ChannelsAreCombinedSeparately)
{
    CImage first = MakeImage(1, 1, [](int, int) { return CColorVal(10, 200, 30); });
    const CImage second = MakeImage(1, 1, [](int, int) { return CColorVal(5, 100, 40); });
    ASSERT_EQ(first.SubtractImage(second), 0);
    EXPECT_EQ(first.pixelValueArray[0][0], CColorVal(5, 100, 0));
    EXPECT_EQ(first.format, FORMAT_RGB);
}

TEST(Arithmetic, SizeIsCheckedBeforeFormat)
{
    struct Case {
        Op op;
        const char* size;
        const char* format;
    } cases[] = {
        {&CImage::AddImage, "CImage::AddImage: Images must be the same size to Add",
         "CImage::AddImage: Images must be the same format to Add"},
        {&CImage::SubtractImage, "CImage::SubtractImage: Images must be the same size to Subtract",
         "CImage::SubtractImage: Images must be the same format to Subtract"},
        {&CImage::AbsoluteDifference, "CImage::AbsoluteDifference: Images must be the same size",
         "CImage::AbsoluteDifference: Images must be the same format"},
        {&CImage::MultiplyImage, "CImage::MultiplyImage: Images must be the same size to Multiply",
         "CImage::MultiplyImage: Images must be the same format to Multiply"},
        {&CImage::DivideImage, "CImage::DivideImage: Images must be the same size to Divide",
         "CImage::DivideImage: Images must be the same format to Divide"},
    };
    for (const Case& c : cases) {
        CImage wide = MakeGrey(100, 50, [](int, int) { return 9; });
        const CImage tallRgb = MakeImage(50, 100, [](int, int) { return CColorVal(1, 2, 3); });
        EXPECT_EQ((wide.*c.op)(tallRgb), -1);
        EXPECT_EQ(wide.errorMessage, c.size);
        const CImage sameSizeRgb = MakeImage(100, 50, [](int, int) { return CColorVal(1, 2, 3); });
        EXPECT_EQ((wide.*c.op)(sameSizeRgb), -1);
        EXPECT_EQ(wide.errorMessage, c.format);
        EXPECT_EQ(wide.pixelValueArray[49][99], CColorVal(9, 9, 9));
    }
}

TEST(Arithmetic, SubtractingACopyGivesBlack)
{
    CImage image = MakeImage(3, 3, [](int x, int y) { return CColorVal(x * 50, y * 70, 255); });
    const CImage copy = image;
    ASSERT_EQ(image.SubtractImage(copy), 0);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 3; ++x) EXPECT_EQ(image.pixelValueArray[y][x], CColorVal());
}
