#include <gtest/gtest.h>

#include "forms/PreviewPicModel.h"
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
        PreviewPicModel pic;
        pic.SetBox(135, 6, c.boxHeight, c.boxWidth);
        pic.SetImageSize(c.width, c.height);
        EXPECT_DOUBLE_EQ(pic.Scale(), c.scale) << c.width << "x" << c.height;
        EXPECT_EQ(pic.DisplayWidth(), c.displayWidth) << c.width << "x" << c.height;
        EXPECT_EQ(pic.DisplayHeight(), c.displayHeight) << c.width << "x" << c.height;
    }
}

TEST(PreviewPic, EnlargesByWholeNumbersWhenAllowed)
{
    struct Case {
        int width, height;
        int enlargement;
        int displayWidth, displayHeight;
        std::pair<int, int> around;  // the picture columns around image columns 1..2
        int imageAt;                 // the image column shown at picture column 30
    } cases[] = {
        {8, 8, 28, 224, 224, {28, 83}, 1},
        {64, 32, 4, 256, 128, {4, 11}, 7},
        {150, 100, 2, 300, 200, {2, 5}, 15},
        {151, 100, 1, 151, 100, {1, 2}, 30},   // fits, but not twice over
        {512, 64, 1, 300, 37, {1, 1}, 51},     // shrunk as before
    };
    for (const Case& c : cases) {
        PreviewPicModel pic;
        pic.SetBox(0, 0, 225, 300);
        pic.AllowEnlarging();
        pic.SetImageSize(c.width, c.height);
        EXPECT_EQ(pic.Enlargement(), c.enlargement) << c.width;
        EXPECT_EQ(pic.DisplayWidth(), c.displayWidth) << c.width;
        EXPECT_EQ(pic.DisplayHeight(), c.displayHeight) << c.width;
        EXPECT_EQ(pic.ToPicture(1, 2), c.around) << c.width;
        EXPECT_EQ(pic.ToImage(30), c.imageAt) << c.width;
    }
    // Each pixel a whole block, from the first column on.
    const CImage image = MakeGrey(2, 1, [](int x, int) { return x == 0 ? 10 : 200; });
    PreviewPicModel pic;
    pic.SetBox(0, 0, 10, 10);
    pic.AllowEnlarging();
    pic.SetImageSize(2, 1);
    CDeviceBitmap bitmap;
    CImage shown = image;
    ASSERT_EQ(pic.Display(shown, bitmap, 24), 0);
    ASSERT_EQ(bitmap.width, 10);
    ASSERT_EQ(bitmap.height, 5);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 10; ++x) EXPECT_EQ(bitmap.Row(y)[3 * x], x < 5 ? 10 : 200) << x << "," << y;
}

TEST(PreviewPic, DialogBoxes)
{
    PreviewPicModel pic;
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
    CImage image = MakeImage(5, 5, [](int x, int y) { return CColorVal(10 * x + y, 7, 9); });
    PreviewPicModel pic;
    pic.SetBox(0, 0, 3, 3);
    pic.SetImageSize(5, 5);
    CDeviceBitmap bitmap;
    ASSERT_EQ(pic.Display(image, bitmap, 24), 0);
    ASSERT_EQ(bitmap.width, 3);
    ASSERT_EQ(bitmap.height, 3);
    const int expected[3][3] = {{0, 20, 30}, {2, 22, 32}, {3, 23, 33}};
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 3; ++x) {
            const std::uint8_t* bgr = bitmap.Row(y) + 3 * x;
            EXPECT_EQ(bgr[0], 9);
            EXPECT_EQ(bgr[1], 7);
            EXPECT_EQ(bgr[2], expected[y][x]) << x << "," << y;
        }

    // Unscaled: the bitmap holds every pixel, four bytes each on a 32-bit display.
    CImage grey = MakeGrey(4, 2, [](int x, int y) { return x + 4 * y; });
    pic.SetBox(0, 0, 210, 280);
    pic.SetImageSize(4, 2);
    ASSERT_EQ(pic.Display(grey, bitmap, 32), 0);
    EXPECT_EQ(bitmap.width, 4);
    EXPECT_EQ(bitmap.Row(1)[4 * 3 + 2], 7);
    EXPECT_EQ(bitmap.Row(1)[4 * 3 + 3], 0);
}

TEST(PreviewPic, DisplayFailures)
{
    FakeUserInterface ui;
    CImage image = MakeGrey(10, 10, [](int, int) { return 0; });
    CDeviceBitmap bitmap;
    const struct {
        int box;
        int bits;
        const char* message;
    } cases[] = {
        {0, 32, "CImage::MakeScaledBitmap invalid scaling factor"},  // a box without room scales by 0
        {210, 16,
         "Your display is not currently set up to display sufficient colors.\nTo properly display the image,\n"
         "go into Control Panel - Display - Settings and set your color palette to\nTrue Color."},
    };
    for (const auto& c : cases) {
        PreviewPicModel pic;
        pic.SetBox(0, 0, c.box, c.box);
        pic.SetImageSize(10, 10);
        ui.errors.clear();
        EXPECT_EQ(pic.Display(image, bitmap, c.bits), -1);
        EXPECT_EQ(pic.ErrorText(), "CPreviewPic::Display() fails.\n\n");
        EXPECT_EQ(ui.errors, std::vector<std::string>{c.message});
    }
}
