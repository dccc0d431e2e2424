// Calibration: from a file's resolution, the unit chosen, and back to a
// resolution; a bitmap's pixels per metre give none.
#include <gtest/gtest.h>

#include "image/Image.h"
#include "support/BitmapFiles.h"
#include "support/TestFiles.h"
#include "support/TestImages.h"

TEST(Calibration, FromTheFilesResolution)
{
    const struct {
        double x, y;
        CCalibration calibration;
    } cases[] = {
        {10000, 10000, {0.1, 0.1, "mm"}},
        {2000000, 1000000, {0.5, 1.0, "\u00b5m"}},
        {20, 20, {5.0, 5.0, "cm"}},
        {0, 3780, {}},
        // 72 and 96 dots per inch as files store them say nothing of the pixels.
        {2834, 2835, {}},
        {72 / 0.0254, 96 / 0.0254, {}},
        {3780, 3779, {}},
        {2800, 3800, {}},
        {2835, 10000, {1 / 2835.0 / 1e-3, 0.1, "mm"}},
    };
    for (const auto& c : cases) EXPECT_EQ(CalibrationFromResolution(c.x, c.y), c.calibration) << c.x;
    EXPECT_EQ(PixelsPerMetre({0.5, 1.0, "\u00b5m"}), (std::pair<double, double>{2000000, 1000000}));
    EXPECT_EQ(PixelsPerMetre({}), (std::pair<double, double>{0, 0}));

    // A bitmap's pixels per metre at bytes 38 and 42 of its header.
    TempDir dir;
    CImage image = MakeGrey(4, 3, [](int x, int) { return x * 60; });
    SaveBitmap(image, dir.path("r.bmp"));
    std::vector<std::uint8_t> bytes = ReadBytes(dir.path("r.bmp"));
    for (int at : {38, 42}) bytes[at] = 0x10, bytes[at + 1] = 0x27;  // 10000
    WriteBytes(dir.path("r.bmp"), bytes);
    // They are the writing program's screen, never a measurement.
    EXPECT_EQ(LoadBitmap(dir.path("r.bmp")).calibration, CCalibration{});
}

TEST(Calibration, ScaleChangesThePixelSize)
{
    CImage image = MakeGrey(8, 6, [](int x, int) { return x * 30; });
    image.SetCalibration({0.5, 0.8, "\u00b5m"});
    ASSERT_EQ(image.Scale(200, 50, 1), 0);
    EXPECT_EQ(image.calibration, (CCalibration{0.25, 1.6, "\u00b5m"}));
    EXPECT_EQ(image.xPixelsPerMetre, 4e6);
    CImage plain = MakeGrey(8, 6, [](int x, int) { return x * 30; });
    ASSERT_EQ(plain.Scale(200, 50, 1), 0);
    EXPECT_FALSE(plain.calibration.Calibrated());
}
