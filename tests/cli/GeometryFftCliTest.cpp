#include <gtest/gtest.h>

#include <sstream>

#include "cli/Cli.h"
#include "image/Image.h"
#include "support/GreyRows.h"
#include "support/TestFiles.h"
#include "support/TestImages.h"

namespace {

struct CliRun {
    int status;
    std::string err;
};

class CliTransforms : public ::testing::Test {
protected:
    CliRun Run(std::vector<std::string> args)
    {
        args.insert(args.begin(), {"nuvak-cli", "apply"});
        args.push_back(in);
        args.push_back(out);
        std::vector<const char*> argv;
        for (const std::string& a : args) argv.push_back(a.c_str());
        std::ostringstream o, e;
        const int status = RunCli(static_cast<int>(argv.size()), argv.data(), o, e);
        return {status, e.str()};
    }
    void Save(CImage image)
    {
        std::string message;
        bool causeValid;
        int cause;
        ASSERT_EQ(image.SerializeFile(true, in, false, message, causeValid, cause), 0) << message;
    }
    Rows Result()
    {
        CImage image;
        std::string message;
        bool causeValid;
        int cause;
        EXPECT_EQ(image.SerializeFile(false, out, false, message, causeValid, cause), 0) << message;
        return RedRows(image);
    }

    TempDir dir;
    const std::string in = dir.path("in.bmp");
    const std::string out = dir.path("out.bmp");
};

// 50 + 100 on a checkerboard: the mean 100 and the highest frequency, which
// the spectrum shows in its corner.
CImage Checkerboard(int size)
{
    return MakeGrey(size, size, [](int x, int y) { return (x + y) % 2 ? 150 : 50; });
}

Rows Flat(int width, int height, int level) { return Rows(height, std::vector<int>(width, level)); }

}  // namespace

TEST_F(CliTransforms, RotateScaleAndWindowResults)
{
    const Rows digits = {{1, 2, 3}, {4, 5, 6}, {7, 8, 9}};
    const Rows flat = Flat(3, 3, 200);
    struct Case {
        std::vector<std::string> args;
        const Rows& input;
        Rows expected;
    } cases[] = {
        {{"--op", "Rotate"}, digits, {{3, 6, 9}, {2, 5, 8}, {1, 4, 7}}},
        {{"--op", "Rotate", "--degrees", "-90", "--interpolation", "nearest"}, digits, {{7, 4, 1}, {8, 5, 2}, {9, 6, 3}}},
        {{"--op", "Rotate", "--degrees", "90", "--aoi", "0,0,1,1"}, digits, {{2, 5, 3}, {1, 4, 6}, {7, 8, 9}}},
        {{"--op", "Scale", "--x", "200", "--y", "50", "--interpolation", "nearest"}, digits,
         {{1, 2, 2, 3, 3, 0}, {7, 8, 8, 9, 9, 0}}},
        {{"--op", "Scale"}, digits, digits},
        {{"--op", "Scale", "--x", "66.7", "--y", "100"}, digits, {{1, 2}, {4, 5}, {7, 8}}},
        // Hamming on 3: 0.08, 1, 0.08.
        {{"--op", "Window"}, flat, {{1, 16, 1}, {16, 200, 16}, {1, 16, 1}}},
        {{"--op", "Window", "--window", "triangular"}, flat, {{0, 0, 0}, {0, 200, 0}, {0, 0, 0}}},
        {{"--op", "Window", "--window", "cosine", "--alpha", "0.75"}, flat,
         {{50, 100, 50}, {100, 200, 100}, {50, 100, 50}}},
        {{"--op", "Window", "--window", "hann"}, flat, {{0, 0, 0}, {0, 200, 0}, {0, 0, 0}}},
        // k = 2: 0 and 1 both ways.
        {{"--op", "Window", "--window", "rolloff", "--percent", "50"}, flat, {{0, 0, 0}, {0, 200, 200}, {0, 200, 200}}},
    };
    for (const Case& c : cases) {
        Save(GreyFromRows(c.input));
        const CliRun r = Run(c.args);
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.err, "");
        EXPECT_EQ(Result(), c.expected) << c.args[1] << " " << c.args.back();
    }
}

TEST_F(CliTransforms, FftShowsTheSpectrumOfTheAoi)
{
    Save(MakeGrey(12, 6, [](int x, int y) { return x >= 2 && x < 10 && y >= 1 && y < 5 ? 1 : 9; }));
    const CliRun r = Run({"--op", "FFT", "--aoi", "2,1,9,4"});
    ASSERT_EQ(r.status, 0) << r.err;
    Rows expected = Flat(8, 4, 0);
    expected[2][4] = 122;
    EXPECT_EQ(Result(), expected);
}

TEST_F(CliTransforms, FftAutosizeFollowsTheAnswer)
{
    const std::string question = "question: Image width and height must be powers of 2.\nAutosize image? -> ";
    Save(MakeGrey(6, 5, [](int, int) { return 1; }));
    CliRun r = Run({"--op", "FFT", "--answer", "no"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, question + "no\nnuvak-cli: Can't perform FFT on image whose dimensions are not powers of 2\n");
    EXPECT_FALSE(Exists(out));

    r = Run({"--op", "FFT"});
    ASSERT_EQ(r.status, 0);
    EXPECT_EQ(r.err, question + "yes\n");
    Rows expected = Flat(4, 4, 0);
    expected[2][2] = 122;
    EXPECT_EQ(Result(), expected);
}

TEST_F(CliTransforms, FftFilter)
{
    struct Case {
        std::vector<std::string> args;
        int level;
        std::string err;
    } cases[] = {
        // Low pass at 100 deletes the corners, where the checkerboard is.
        {{"--op", "FFT Filter"}, 100, ""},
        {{"--op", "FFT Filter", "--filter", "low", "--slider", "100"}, 100, ""},
        // High pass at 0 deletes the centre, the mean; the pixels show |±50|.
        {{"--op", "FFT Filter", "--filter", "high", "--slider", "0"}, 50, ""},
        // High pass at 100 deletes all but the corners.
        {{"--op", "FFT Filter", "--filter", "high", "--slider", "100"}, 50, ""},
        // A custom ellipse deletes its inside.
        {{"--op", "FFT Filter", "--ellipse", "0,0,0,0"}, 100, ""},
        {{"--op", "FFT Filter", "--ellipse", "3,3,4,4", "--filter", "low"}, 50, ""},
        {{"--op", "FFT Filter", "--ellipse", "7,7,9,9"}, 100,
         "notice: Specified lower right corner (9, 9) is outside the image.\n"
         "Lower right corner being reset to (7, 7)\n"},
    };
    for (const Case& c : cases) {
        Save(Checkerboard(8));
        const CliRun r = Run(c.args);
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.err, c.err);
        EXPECT_EQ(Result(), Flat(8, 8, c.level)) << c.args.back();
    }
}

TEST_F(CliTransforms, FftFilterCropsTheAoiFirst)
{
    Save(MakeGrey(10, 9, [](int x, int y) { return x < 8 && y < 8 ? ((x + y) % 2 ? 150 : 50) : 255; }));
    const CliRun r = Run({"--op", "FFT Filter", "--aoi", "0,0,7,7"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(Result(), Flat(8, 8, 100));
}

TEST_F(CliTransforms, OperationFailures)
{
    struct Case {
        std::vector<std::string> args;
        std::string text;
    } cases[] = {
        {{"--op", "Scale", "--x", "1"}, "CImage::Scale cannot scale to a width or height below 1 pixel, invalid argument"},
        {{"--op", "Window", "--window", "rolloff"},
         "There aren't enough pixels to perform a\nrolloff window. Enlarge the area of interest\n"
         "or the percent of the image to rolloff."},
        {{"--op", "Window", "--aoi", "0,0,0,2"},
         "The area of interest must be at least\ntwo pixels in each direction to\nperform a windowing function."},
        {{"--op", "FFT Filter", "--aoi", "0,0,2,3"},
         "To perform an FFT (Fast Fourier Transform) the area of interest width and height must be powers of two."},
        {{"--op", "FFT Filter", "--aoi", "0,0,1,1", "--answer", "no"}, "CImage::Fft() only defined on grayscale images"},
        {{"--op", "FFT"}, "CImage::Fft() only defined on grayscale images"},
    };
    for (const Case& c : cases) {
        Save(MakeImage(4, 4, [](int x, int) { return CColorVal(x, 0, 0); }));
        const CliRun r = Run(c.args);
        EXPECT_EQ(r.status, 1) << c.text;
        EXPECT_EQ(r.err, "nuvak-cli: " + c.text + "\n");
        EXPECT_FALSE(Exists(out));
    }
}

TEST_F(CliTransforms, ParameterRanges)
{
    struct Case {
        std::vector<std::string> args;
        std::string reason;
    } cases[] = {
        {{"--op", "Rotate", "--degrees", "361"}, "--degrees must be a number from -360 to 360"},
        {{"--op", "Rotate", "--interpolation", "cubic"}, "--interpolation must be nearest|bilinear"},
        {{"--op", "Scale", "--x", "0"}, "--x must be a number greater than 0 and at most 400"},
        {{"--op", "Scale", "--y", "400.5"}, "--y must be a number greater than 0 and at most 400"},
        {{"--op", "Window", "--window", "box"}, "--window must be hamming|hann|cosine|triangular|rolloff"},
        {{"--op", "Window", "--alpha", "0.49"}, "--alpha must be a number from 0.5 to 1"},
        {{"--op", "Window", "--percent", "101"}, "--percent must be an integer from 0 to 100"},
        {{"--op", "FFT Filter", "--slider", "-1"}, "--slider must be an integer from 0 to 100"},
        {{"--op", "FFT Filter", "--filter", "band"}, "--filter must be low|high"},
        {{"--op", "FFT Filter", "--ellipse", "1,2,3"}, "--ellipse must be L,T,R,B with four integers"},
        {{"--op", "FFT Filter", "--ellipse", "3,0,1,2"}, "--ellipse needs L <= R and T <= B"},
        {{"--op", "FFT", "--slider", "5"}, "--slider does not apply to \"FFT\""},
    };
    Save(MakeGrey(4, 4, [](int, int) { return 1; }));
    for (const Case& c : cases) {
        const CliRun r = Run(c.args);
        EXPECT_EQ(r.status, 2) << c.reason;
        EXPECT_EQ(r.err, "nuvak-cli: " + c.reason + "\nTry 'nuvak-cli --help' for more information.\n");
    }
}

TEST_F(CliTransforms, HelpListsTheOperations)
{
    const char* argv[] = {"nuvak-cli", "--help"};
    std::ostringstream o, e;
    ASSERT_EQ(RunCli(2, argv, o, e), 0);
    for (const char* line : {"  Rotate               rotate the AOI\n", "  Scale                scale the image\n",
                             "  FFT                  show the spectrum of the AOI (not offered by series)\n",
                             "  FFT Filter           delete frequencies of the AOI (not offered by series)\n",
                             "  Window               apply a window function (not offered by series)\n",
                             "      --window hamming|hann|cosine|triangular|rolloff window function (default hamming)\n",
                             "      --alpha X                    window alpha (default 0.5)\n"})
        EXPECT_NE(o.str().find(line), std::string::npos) << line;
}
