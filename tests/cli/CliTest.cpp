#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>
#include <sys/wait.h>

#include "cli/Cli.h"
#include "support/CliRun.h"
#include "cli/CliUserInterface.h"
#include "image/Image.h"
#include "support/BitmapFiles.h"
#include "support/FakeUserInterface.h"
#include "support/TestFiles.h"
#include "support/TestImages.h"

namespace {

class Cli : public ::testing::Test {
protected:
    void SetUp() override
    {
        CImage rgb = MakeImage(4, 3, [](int x, int y) { return CColorVal(60 * x, 100 * y, 7); });
        Save(rgb, in);
    }
    static void Save(CImage& image, const std::string& path) { SaveBitmap(image, path); }
    static CImage Load(const std::string& path) { return LoadBitmap(path); }

    TempDir dir;
    const std::string in = dir.path("in.bmp");
    const std::string out = dir.path("out.bmp");
};

const char* const kHint = "Try 'nuvak-cli --help' for more information.\n";

}  // namespace

TEST_F(Cli, HelpListsOperationsWithTheirParameters)
{
    const CliRun r = RunTool({"--help"});
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("nuvak-cli apply --op NAME"), std::string::npos);
    for (const char* name : {"Grayscale", "RGB", "Crop", "Extract RGB", "Comb"})
        EXPECT_NE(r.out.find(std::string("  ") + name + " "), std::string::npos) << name;
    EXPECT_TRUE(r.err.empty());
}

TEST_F(Cli, Version)
{
    const CliRun r = RunTool({"--version"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, std::string("nuvak-cli ") + NUVAK_VERSION + "\n");
}

TEST_F(Cli, InfoPrintsTheAttributesText)
{
    const CliRun r = RunTool({"info", in});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, in +
                         "\n\nwidth = 4 pixels\nheight = 3 pixels\n\nImage format: RGB\n"
                         "Area of Interest, upper left:  (0, 0)\nArea of Interest, lower right:  (3, 2)\n"
                         "\nFile format: Bitmap\nBit depth: 8 bits per sample, 3 samples per pixel\nPages: 1\n"
                         "Resolution: unknown\nPixel size: not calibrated (pixels)\n");
}

TEST_F(Cli, UsageErrors)
{
    struct Case {
        std::vector<std::string> args;
        std::string reason;
    } cases[] = {
        {{}, "no command given"},
        {{"frobnicate"}, "unknown command \"frobnicate\""},
        {{"apply", in, out}, "apply needs --op NAME"},
        {{"apply", "--op", "Sharpen", in, out}, "unknown operation \"Sharpen\""},
        {{"apply", "--op", "Grayscale", in}, "missing file argument: apply expects IN OUT"},
        {{"apply", "--op", "Grayscale", in, out, out}, "too many file arguments: apply expects IN OUT"},
        {{"apply", "--op", "Grayscale", "--frob", "1", in, out}, "unknown option --frob"},
        {{"apply", "--op", "Grayscale", "--size", "5", in, out}, "--size does not apply to \"Grayscale\""},
        {{"apply", "--op", "Grayscale", "--answer", "maybe", in, out}, "--answer must be yes or no"},
        {{"apply", "--op", "Crop", "--aoi", "1,2,3", in, out}, "--aoi must be L,T,R,B"},
        {{"apply", "--op", "Crop", "--aoi", "1,2,x,4", in, out}, "--aoi must be L,T,R,B with four integers"},
        {{"apply", "--op", "Crop", "--aoi", "3,0,1,2", in, out}, "--aoi needs L <= R and T <= B"},
        {{"apply", "--op"}, "--op needs a value"},
        {{"info"}, "missing file argument: info expects IN"},
        {{"info", "--op", "Crop", in}, "--op is not an option of info"},
        {{"calc", "--op", "Power", in, in, out}, "unknown calculation \"Power\""},
        {{"calc", in, in, out}, "calc needs --op NAME"},
        {{"calc", "--op", "Add", in, out}, "missing file argument: calc expects A B OUT"},
    };
    for (const Case& c : cases) {
        const CliRun r = RunTool(c.args);
        EXPECT_EQ(r.status, 2) << c.reason;
        EXPECT_EQ(r.err, "nuvak-cli: " + c.reason + "\n" + kHint);
        EXPECT_FALSE(Exists(out)) << c.reason;
    }
}

TEST_F(Cli, GrayscaleWritesAnEightBitFile)
{
    const CliRun r = RunTool({"apply", "--op", "Grayscale", in, out});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(r.err.empty());
    const CImage result = Load(out);
    EXPECT_EQ(result.format, FORMAT_GRAYSCALE);
    EXPECT_EQ(result.pixelValueArray[2][3].red, CColorVal(180, 200, 7).Luminance());
    EXPECT_EQ(ReadBytes(out)[28], 8);
}

TEST_F(Cli, RgbOfAGreyImageWritesTwentyFourBits)
{
    CImage grey = MakeGrey(3, 3, [](int x, int y) { return x * y; });
    Save(grey, in);
    ASSERT_EQ(RunTool({"apply", "--op", "RGB", in, out}).status, 0);
    EXPECT_EQ(ReadBytes(out)[28], 24);
}

TEST_F(Cli, CropToAClampedAoiEchoesTheNotice)
{
    const CliRun r = RunTool({"apply", "--op", "Crop", "--aoi=1,1,9,2", in, out});
    ASSERT_EQ(r.status, 0);
    EXPECT_EQ(r.err,
              "notice: Specified lower right corner (9, 2) is outside the image.\n"
              "Lower right corner being reset to (3, 2)\n");
    const CImage result = Load(out);
    EXPECT_EQ(result.width, 3);
    EXPECT_EQ(result.height, 2);
    EXPECT_EQ(result.pixelValueArray[0][0], CColorVal(60, 100, 7));
    // Both corners clamped: the notice names the corner stored. Wholly outside: refused.
    const CliRun both = RunTool({"apply", "--op", "Crop", "--aoi=1,1,9,9999", in, out});
    EXPECT_EQ(both.err, "notice: Specified lower right corner (9, 9999) is outside the image.\n"
                        "Lower right corner being reset to (3, 2)\n");
    const CliRun outside = RunTool({"apply", "--op", "Crop", "--aoi=4,0,9,2", in, out});
    EXPECT_EQ(outside.status, 1);
    EXPECT_EQ(outside.err, "nuvak-cli: The AOI (4, 0) - (9, 2) lies wholly outside the 4 x 3 image.\n");
}

TEST_F(Cli, ExtractRgbAndCombWriteTheirFilesBesideOut)
{
    ASSERT_EQ(RunTool({"apply", "--op", "Extract RGB", in, out}).status, 0);
    EXPECT_EQ(Load(dir.path("out_red.bmp")).pixelValueArray[1][2], CColorVal(120, 0, 0));
    EXPECT_EQ(Load(dir.path("out_green.bmp")).pixelValueArray[1][2], CColorVal(0, 100, 0));
    EXPECT_EQ(Load(dir.path("out_blue.bmp")).pixelValueArray[1][2], CColorVal(0, 0, 7));
    EXPECT_EQ(ReadBytes(out), ReadBytes(in));

    ASSERT_EQ(RunTool({"apply", "--op", "Comb", in, dir.path("c.bmp")}).status, 0);
    EXPECT_EQ(Load(dir.path("c_even.bmp")).pixelValueArray[1][0], CColorVal(0, 0, 7));
    EXPECT_EQ(Load(dir.path("c_odd.bmp")).pixelValueArray[0][0], CColorVal(0, 100, 7));
}

TEST_F(Cli, RefusedInputIsExitThreeWithoutOut)
{
    WriteBytes(in, {'B', 'M', 0});
    CliRun r = RunTool({"apply", "--op", "Grayscale", in, out});
    EXPECT_EQ(r.status, 3);
    EXPECT_EQ(r.err, "error: Failed to read image " + in + ".\nFailed to read bitmap file header\n");
    EXPECT_FALSE(Exists(out));

    r = RunTool({"info", dir.path("none.bmp")});
    EXPECT_EQ(r.status, 3);
    EXPECT_EQ(r.err, "nuvak-cli: Failed to open file " + dir.path("none.bmp") +
                         " for reading.\nCause:  No such file or directory\n");
}

TEST_F(Cli, UnwritableOutIsExitThree)
{
    const std::string bad = dir.path("missing/out.bmp");
    const CliRun r = RunTool({"apply", "--op", "Extract RGB", in, bad});
    EXPECT_EQ(r.status, 3);
    EXPECT_EQ(r.err, "nuvak-cli: Failed to open file " + dir.path("missing/out_red.bmp") +
                         " for writing.\nCause:  No such file or directory\n");
}

TEST_F(Cli, OutIsReplacedWithoutAQuestion)
{
    WriteBytes(out, {1, 2, 3});
    const CliRun r = RunTool({"apply", "--op", "RGB", in, out});
    EXPECT_EQ(r.status, 0);
    EXPECT_TRUE(r.err.empty());
    EXPECT_EQ(ReadBytes(out), ReadBytes(in));
}

TEST_F(Cli, CalcWritesTheFirstOperandsResult)
{
    CliRun r = RunTool({"calc", "--op", "Absolute Difference", in, in, out});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(Load(out).pixelValueArray[2][3], CColorVal());

    CImage other = MakeImage(5, 3, [](int, int) { return CColorVal(); });
    Save(other, dir.path("other.bmp"));
    std::filesystem::remove(out);
    r = RunTool({"calc", "--op", "Divide", in, dir.path("other.bmp"), out});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "nuvak-cli: CImage::DivideImage: Images must be the same size to Divide\n");
    EXPECT_FALSE(Exists(out));
}

TEST(CliUser, EchoesQuestionsAndNoticesOnTheErrorStream)
{
    std::ostringstream err;
    CliUserInterface yes(err, true), no(err, false);
    EXPECT_TRUE(yes.askYesNo("Reduce the AOI?"));
    EXPECT_FALSE(no.askYesNo("Invert first?"));
    yes.message("Size corrected", platform::MessageKind::Notice);
    yes.message("Not a bitmap file", platform::MessageKind::Error);
    EXPECT_EQ(err.str(),
              "question: Reduce the AOI? -> yes\nquestion: Invert first? -> no\nnotice: Size corrected\n"
              "error: Not a bitmap file\n");
}

TEST(CliBinary, ExitStatusesOfTheRealProgram)
{
    TempDir dir;
    auto status = [](const std::string& command) {
        const int raw = std::system((command + " >/dev/null 2>&1").c_str());
        return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    };
    const std::string cli = NUVAK_CLI_PATH;
    EXPECT_EQ(status(cli + " --help"), 0);
    EXPECT_EQ(status(cli + " apply --op Nothing a b"), 2);
    WriteBytes(dir.path("bad.bmp"), {'X', 'Y'});
    EXPECT_EQ(status(cli + " apply --op Crop " + dir.path("bad.bmp") + " " + dir.path("o.bmp") + " </dev/null"), 3);
    EXPECT_FALSE(Exists(dir.path("o.bmp")));
}

TEST_F(Cli, PointAndHistogramOperations)
{
    CImage grey = MakeGrey(4, 3, [](int x, int y) { return x == 0 && y == 0 ? 10 : 250 - x - y; });
    const std::string greyIn = dir.path("grey.bmp");
    Save(grey, greyIn);
    struct Case {
        std::vector<std::string> args;  // before IN OUT
        bool greyInput;
        int x, y;
        CColorVal pixel;
        int bits;
    } cases[] = {
        {{"--op", "Threshold", "--threshold", "100", "--fill", "1", "--above", "--component", "green"}, false, 3, 2,
         {180, 1, 7}, 24},
        {{"--op", "Bound", "--mode", "inside", "--intensity", "200", "--color", "1,2,3", "--aoi", "1,1,1,1"}, true, 1,
         1, {200, 200, 200}, 8},
        {{"--op", "Bound", "--color", "1,2,3", "--aoi", "0,0,2,1"}, false, 3, 2, {1, 2, 3}, 24},
        {{"--op", "Flip Horizontal", "--aoi", "1,0,3,2"}, false, 1, 2, {180, 200, 7}, 24},
        {{"--op", "Slide", "--offset", "100"}, true, 0, 0, {16, 16, 16}, 8},  // 249 + 6 = 255
        {{"--op", "Stretch", "--channel", "blue"}, false, 2, 2, {120, 200, 0}, 24},
        {{"--op", "Brightness Slice", "--low", "240", "--high", "249"}, true, 1, 0, {255, 255, 255}, 8},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args = {"apply"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        args.push_back(c.greyInput ? greyIn : in);
        args.push_back(out);
        const CliRun r = RunTool(args);
        ASSERT_EQ(r.status, 0) << c.args[1] << ": " << r.err;
        EXPECT_TRUE(r.err.empty()) << r.err;
        EXPECT_EQ(Load(out).pixelValueArray[c.y][c.x], c.pixel) << c.args[1] << " at " << c.x << "," << c.y;
        EXPECT_EQ(ReadBytes(out)[28], c.bits) << c.args[1];
    }
}

TEST_F(Cli, BrightnessSliceOfAnRgbImageFails)
{
    const CliRun r = RunTool({"apply", "--op", "Brightness Slice", in, out});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "nuvak-cli: CImage::BrightnessSlice() only defined on grayscale images\n");
    EXPECT_FALSE(Exists(out));
}

TEST_F(Cli, PointAndHistogramParameterErrors)
{
    struct Case {
        std::vector<std::string> args;
        std::string reason;
    } cases[] = {
        {{"--op", "Slide", "--offset", "300"}, "--offset must be an integer from -255 to 255"},
        {{"--op", "Stretch", "--channel", "rgb"}, "--channel must be red|green|blue"},
        {{"--op", "Bound", "--mode", "middle"}, "--mode must be inside|outside"},
        {{"--op", "Bound", "--color", "1,2"}, "--color must be R,G,B with each value from 0 to 255"},
        {{"--op", "Threshold", "--threshold", "256"}, "--threshold must be an integer from 0 to 255"},
        {{"--op", "Threshold", "--component", "alpha"}, "--component must be red|green|blue|rgb"},
        {{"--op", "Brightness Slice", "--low", "-1"}, "--low must be an integer from 0 to 255"},
        {{"--op", "Invert", "--fill", "3"}, "--fill does not apply to \"Invert\""},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args = {"apply"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        args.push_back(in);
        args.push_back(out);
        const CliRun r = RunTool(args);
        EXPECT_EQ(r.status, 2) << c.reason;
        EXPECT_EQ(r.err, "nuvak-cli: " + c.reason + "\n" + kHint);
        EXPECT_FALSE(Exists(out));
    }
}
