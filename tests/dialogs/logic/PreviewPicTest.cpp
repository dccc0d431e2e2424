#include <gtest/gtest.h>

#include "dialogs/logic/PreviewPic.h"
#include "support/FakeUserInterface.h"
#include "support/TestImages.h"

TEST(PreviewPic, ScaleAndDisplaySize)
{
    struct Case {
        int boxWidth, boxHeight, width, height;
        double scale;
        int displayWidth, displayHeight;
    } cases[] = {
        {280, 210, 640, 480, 0.4375, 280, 210},     // both exceed, width by more
        {280, 210, 100, 50, 1.0, 100, 50},          // fits
        {280, 210, 280, 210, 1.0, 280, 210},        // fits exactly
        {280, 210, 200, 300, 0.7, 140, 210},        // only the height exceeds
        {280, 210, 1000, 100, 0.28, 280, 28},       // only the width exceeds
        {280, 210, 300, 1000, 0.21, 63, 210},       // height exceeds by more
        {280, 210, 600, 500, 0.42, 252, 210},       // width by more, yet width-fit spills: 280 x 233
        {100, 400, 150, 500, 2.0 / 3.0, 100, 333},  // height by more, yet height-fit spills: 120 x 400
        {244, 183, 640, 480, 244.0 / 640, 244, 183},
    };
    for (const Case& c : cases) {
        CPreviewPic pic;
        pic.SetBox(135, 6, c.boxHeight, c.boxWidth);
        pic.SetImageSize(c.width, c.height);
        EXPECT_DOUBLE_EQ(pic.Scale(), c.scale) << c.width << "x" << c.height;
        EXPECT_EQ(pic.DisplayWidth(), c.displayWidth) << c.width << "x" << c.height;
        EXPECT_EQ(pic.DisplayHeight(), c.displayHeight) << c.width << "x" << c.height;
    }
}

TEST(PreviewPic, DialogBoxes)
{
    CPreviewPic pic;
    SetParameterDialogBox(pic);
    pic.SetImageSize(640, 480);
    EXPECT_EQ(pic.Left(), 135);
    EXPECT_EQ(pic.Top(), 6);
    EXPECT_EQ(pic.DisplayWidth(), 280);
    SetMorphologyDialogBox(pic);
    pic.SetImageSize(640, 480);
    EXPECT_EQ(pic.Left(), 160);
    EXPECT_EQ(pic.DisplayWidth(), 244);
    EXPECT_EQ(pic.DisplayHeight(), 183);
}

TEST(PreviewPic, DisplaySamplesNearestPixels)
{
    // Pixel (x, y) has red 10 x + y: 5 x 5 at 0.6 samples columns and rows 0, 2, 3.
    const CImage image = MakeImage(5, 5, [](int x, int y) { return CColorVal(10 * x + y, 7, 9); });
    CPreviewPic pic;
    pic.SetBox(0, 0, 3, 3);
    pic.SetImageSize(5, 5);
    CImage picture;
    ASSERT_EQ(pic.Display(image, picture), 0);
    ASSERT_EQ(picture.width, 3);
    ASSERT_EQ(picture.height, 3);
    const int expected[3][3] = {{0, 20, 30}, {2, 22, 32}, {3, 23, 33}};
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(picture.pixelValueArray[y][x], CColorVal(expected[y][x], 7, 9)) << x << "," << y;

    // Unscaled: the picture is the image; the format follows it.
    const CImage grey = MakeGrey(4, 2, [](int x, int y) { return x + 4 * y; });
    pic.SetBox(0, 0, 210, 280);
    pic.SetImageSize(4, 2);
    ASSERT_EQ(pic.Display(grey, picture), 0);
    EXPECT_EQ(picture.format, FORMAT_GRAYSCALE);
    EXPECT_EQ(picture.pixelValueArray[1][3], CColorVal(7, 7, 7));
}

TEST(PreviewPic, DisplayFailures)
{
    FakeUserInterface ui;
    CPreviewPic pic;
    pic.SetBox(0, 0, 210, 280);
    pic.SetImageSize(0, 0);
    CImage picture;
    EXPECT_EQ(pic.Display(CImage(), picture), -1);
    EXPECT_EQ(pic.ErrorText(), "CPreviewPic::Display() fails.\n\n");
    ASSERT_EQ(ui.errors.size(), 1u);
    EXPECT_EQ(ui.errors[0], "The image holds no pixels.");

    // A box without room scales by 0.
    pic.SetBox(0, 0, 0, 0);
    pic.SetImageSize(10, 10);
    EXPECT_EQ(pic.Display(MakeGrey(10, 10, [](int, int) { return 0; }), picture), -1);
    ASSERT_EQ(ui.errors.size(), 2u);
    EXPECT_EQ(ui.errors[1], "CImage::MakeScaledBitmap invalid scaling factor");
}
