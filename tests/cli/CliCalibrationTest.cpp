// nuvak-cli's --pixel-size and --unit: the calibration is written with OUT,
// by apply, run and series alike.
#include <gtest/gtest.h>

#include <filesystem>

#include "support/BitmapFiles.h"
#include "support/CliRun.h"
#include "support/ImageReads.h"
#include "support/TestFiles.h"
#include "support/TestImages.h"

TEST(CliCalibration, PixelSizeIsWrittenWithTheOutput)
{
    TempDir dir;
    CImage image = MakeGrey(6, 4, [](int x, int y) { return x * 40 + y; });
    const std::string in = dir.path("in.bmp");
    SaveBitmap(image, in);
    const std::string size[] = {"--pixel-size", "0.5,0.8", "--unit", "um"};
    const struct {
        std::vector<std::string> args;
        std::string out;
    } cases[] = {
        {{"apply", "--op", "Invert"}, dir.path("a.tif")},
        {{"apply", "--op", "Invert"}, dir.path("a.png")},
        {{"series", "--op", "Invert", "--format", "tif", "--out", dir.path("s")}, dir.path("s/in.tif")},
    };
    std::filesystem::create_directory(dir.path("s"));
    for (const auto& c : cases) {
        std::vector<std::string> args = c.args;
        args.insert(args.end(), std::begin(size), std::end(size));
        args.push_back(in);
        if (c.args[0] == "apply") args.push_back(c.out);
        const CliRun r = RunTool(args);
        ASSERT_EQ(r.status, 0) << r.err;
        const ImageRead read = ReadImageFile(c.out);
        ASSERT_FALSE(read.refused) << c.out;
        EXPECT_EQ(read.image.calibration.unit, "\u00b5m") << c.out;
        EXPECT_NEAR(read.image.calibration.pixelWidth, 0.5, 1e-7) << c.out;
        EXPECT_NEAR(read.image.calibration.pixelHeight, 0.8, 1e-7) << c.out;
    }
}
