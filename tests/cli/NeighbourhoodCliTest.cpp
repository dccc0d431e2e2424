// The neighbourhood operations through nuvak-cli apply.
#include <gtest/gtest.h>

#include "image/Image.h"
#include "support/CliRun.h"
#include "support/TestFiles.h"
#include "support/TestImages.h"

namespace {

class NeighbourhoodCli : public ::testing::Test {
protected:
    TempDir dir;
    const std::string in = dir.path("in.bmp");
    const std::string out = dir.path("out.bmp");
};

const char* const kRoomQuestion =
    "question: The current filter size is 3x3.\nThe current image size is 5x5.\n"
    "The currently selected area of interest is (0, 0) to (4, 4).\n"
    "There is not enough room for the selected filter to be applied to the current area of interest.\n\n"
    "Do you want to reduce the area of interest to make room to apply the filter? -> ";

}  // namespace

TEST_F(NeighbourhoodCli, FiltersWriteTheirResult)
{
    struct Case {
        std::vector<std::string> args;
        int centre;  // of a 5 x 5 grey image with a 255 dot in 0s, AOI (1, 1)-(3, 3)
        int beside;  // (1, 2), or the centre for a one-pixel AOI
    } cases[] = {
        {{"--op", "Low Pass Filter"}, 28, 28},
        {{"--op", "Low Pass Filter", "--size", "5"}, 10, 10},
        {{"--op", "High Pass Filter"}, 255, 0},
        {{"--op", "Laplace"}, 255, 0},
        {{"--op", "Unsharp Mask", "--boost", "0"}, 255, 0},
        {{"--op", "Prewitt", "--direction", "South"}, 0, 255},
        {{"--op", "Prewitt", "--direction", "North"}, 0, 255},
        {{"--op", "Prewitt", "--direction", "east"}, 0, 255},
        {{"--op", "Sobel"}, 0, 255},
        {{"--op", "Median Filter"}, 0, 0},
        {{"--op", "Erosion"}, 0, 0},
        {{"--op", "Dilation"}, 255, 255},
        {{"--op", "Dilation", "--direction", "Vertical"}, 255, 0},
        {{"--op", "Opening", "--repetitions", "2"}, 0, 0},
        {{"--op", "Closing", "--direction", "1"}, 255, 0},
        {{"--op", "Outline"}, 255, 0},
        {{"--op", "Gradient", "--direction", "Horizontal"}, 255, 255},
        {{"--op", "Peak Detection"}, 255, 0},
        {{"--op", "Valley Detection"}, 0, 0},
        {{"--op", "Clean", "--background", "0"}, 0, 0},
        {{"--op", "Clean", "--background", "0", "--clutter", "0", "--significance", "0"}, 255, 0},
    };
    for (const Case& c : cases) {
        CImage image = MakeGrey(5, 5, [](int x, int y) { return x == 2 && y == 2 ? 255 : 0; });
        SaveBitmap(image, in);
        std::vector<std::string> args = {"apply"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const bool wide = c.args.size() > 2 && c.args[2] == "--size";
        args.insert(args.end(), {"--aoi", wide ? "2,2,2,2" : "1,1,3,3"});
        args.insert(args.end(), {in, out});
        const CliRun r = RunTool(args);
        ASSERT_EQ(r.status, 0) << c.args[1] << r.err;
        EXPECT_TRUE(r.err.empty()) << r.err;
        const CImage result = LoadBitmap(out);
        EXPECT_EQ(result.pixelValueArray[2][2], CColorVal(c.centre, c.centre, c.centre)) << c.args[1];
        EXPECT_EQ(result.pixelValueArray[2][wide ? 2 : 1], CColorVal(c.beside, c.beside, c.beside)) << c.args[1];
        EXPECT_EQ(result.pixelValueArray[0][0], CColorVal(0, 0, 0));
    }
}

TEST_F(NeighbourhoodCli, TheRoomQuestionIsAnsweredByAnswer)
{
    CImage image = MakeGrey(5, 5, [](int x, int y) { return x == 2 && y == 2 ? 255 : 0; });
    SaveBitmap(image, in);
    CliRun r = RunTool({"apply", "--op", "Laplace", "--answer", "no", in, out});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, std::string(kRoomQuestion) +
                         "no\nnuvak-cli: There is not enough room to apply the filter.  Laplace Aborted.\n");
    EXPECT_FALSE(Exists(out));

    r = RunTool({"apply", "--op", "Laplace", in, out});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, std::string(kRoomQuestion) + "yes\n");
    EXPECT_EQ(LoadBitmap(out).pixelValueArray[2][2], CColorVal(255, 255, 255));
}

TEST_F(NeighbourhoodCli, CustomFilterReadsItsKernelFile)
{
    CImage image = MakeGrey(5, 5, [](int x, int y) { return 10 * y + x; });
    SaveBitmap(image, in);
    const std::string kernel = dir.path("shift.FTR");
    // Reads the pixel to the upper right, scaled by 3/2.
    WriteBytes(kernel, {'3', '\r', '\n', '0', '\r', '\n', '0', '\r', '\n', '3', '/', '2', '\r', '\n', '0', '\n',
                        '0', '\n', '0', '\n', '0', '\n', '0', '\n', '0', '\n'});
    CliRun r = RunTool({"apply", "--op", "Custom Filter", "--kernel", kernel, "--aoi", "1,1,3,3", in, out});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    const CImage result = LoadBitmap(out);
    EXPECT_EQ(result.pixelValueArray[1][1], CColorVal(3, 3, 3));     // 1.5 x 2 = 3
    EXPECT_EQ(result.pixelValueArray[2][2], CColorVal(20, 20, 20));  // 1.5 x 13 = 19.5
    EXPECT_EQ(result.pixelValueArray[0][0], CColorVal(0, 0, 0));

    struct Case {
        std::vector<std::string> args;
        std::string err;
    } cases[] = {
        {{}, "Custom Filter needs a filter file (--kernel FILE.ftr)."},
        {{"--kernel", dir.path("k.txt")}, "Error:  the selected file is not a recognized filter file."},
        {{"--kernel", dir.path("none.ftr")}, "Error:  " + dir.path("none.ftr") + " cannot be opened for input."},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args = {"apply", "--op", "Custom Filter"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        args.insert(args.end(), {in, dir.path("other.bmp")});
        r = RunTool(args);
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.err, "nuvak-cli: " + c.err + "\n");
        EXPECT_FALSE(Exists(dir.path("other.bmp")));
    }
}

TEST_F(NeighbourhoodCli, CleanAsksAboutTheBackground)
{
    CImage image = MakeGrey(5, 5, [](int x, int y) { return x == 2 && y == 2 ? 255 : 0; });
    SaveBitmap(image, in);
    CliRun r = RunTool({"apply", "--op", "Clean", "--aoi", "1,1,3,3", "--answer", "no", in, out});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err,
              "question: Detected LIGHT objects on a BLACK background.\nIs this correct? -> no\n"
              "question: Clean is designed to work on images with light objects\non a black background.  "
              "Invert image? -> no\n"
              "nuvak-cli: Please invert your image before cleaning.  Clean aborted.\n");
    EXPECT_FALSE(Exists(out));

    r = RunTool({"apply", "--op", "Clean", "--aoi", "1,1,3,3", in, out});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "question: Detected LIGHT objects on a BLACK background.\nIs this correct? -> yes\n");
    EXPECT_EQ(LoadBitmap(out).pixelValueArray[2][2], CColorVal(0, 0, 0));

    CImage rgb = MakeImage(5, 5, [](int x, int) { return CColorVal(x, 0, 0); });
    SaveBitmap(rgb, in);
    r = RunTool({"apply", "--op", "Median Filter", in, out});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "nuvak-cli: CImage::MedianFilter() only defined on grayscale images\n");
}

TEST_F(NeighbourhoodCli, HelpListsTheOperations)
{
    const CliRun r = RunTool({"--help"});
    for (const char* name : {"High Pass Filter", "Low Pass Filter", "Unsharp Mask", "Laplace", "Prewitt", "Sobel",
                             "Median Filter", "Clean", "Erosion", "Dilation", "Opening", "Closing", "Outline",
                             "Gradient", "Peak Detection", "Valley Detection", "Custom Filter"})
        EXPECT_NE(r.out.find(std::string("\n  ") + name + " "), std::string::npos) << name;
    EXPECT_NE(r.out.find("      --kernel FILE.ftr"), std::string::npos);
    EXPECT_NE(r.out.find("      --repetitions N"), std::string::npos);
    EXPECT_NE(r.out.find("      --background 0|255|auto"), std::string::npos);
}
