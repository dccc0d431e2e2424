#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "support/CliRun.h"
#include "support/TestFiles.h"
#include "support/TestImages.h"

namespace {

bool InRectangle(int x, int y) { return x >= 3 && x <= 12 && y >= 2 && y <= 5; }

class FindObjectsCli : public ::testing::Test {
protected:
    void SetUp() override
    {
        // The 10 x 4 rectangle of grey 200 on black.
        CImage image = MakeGrey(16, 8, [](int x, int y) { return InRectangle(x, y) ? 200 : 0; });
        SaveBitmap(image, in);
    }
    std::string Results() const
    {
        const std::vector<std::uint8_t> bytes = ReadBytes(results);
        return std::string(bytes.begin(), bytes.end());
    }

    TempDir dir;
    const std::string in = dir.path("in.bmp");
    const std::string out = dir.path("out.bmp");
    const std::string results = dir.path("objects.dat");
};

const char* const kHint = "Try 'nuvak-cli --help' for more information.\n";

}  // namespace

TEST_F(FindObjectsCli, WritesTheResultsAndAnUnchangedImage)
{
    struct Case {
        std::vector<std::string> options;
        const char* err;
        const char* file;
    } cases[] = {
        {{"--background", "0"}, "",
         "#id,x,y,area,left,top,right,bottom,circum,elong,major,minor,partl,perim,theta,round,gMin,gMax,gAvg,gDev\r\n"
         "1,7.5,3.5,40,3,2,12,5,24.0,0.3,9.0,3.0,F,24,0.0,0.9,200,200,200.0,0.0\r\n"},
        {{"--metrics", "0", "--background", "0"}, "", "#id,x,y\r\n1,7.5,3.5\r\n"},
        {{"--metrics", "129"}, "question: Detected LIGHT objects on a BLACK background.\nIs this correct? -> yes\n",
         "#id,x,y,area,partl\r\n1,7.5,3.5,40,F\r\n"},
        {{"--metrics=129", "--background=auto", "--answer", "no"},
         "question: Detected LIGHT objects on a BLACK background.\nIs this correct? -> no\n",
         "#id,x,y,area,partl\r\n1,7.5,3.5,128,T\r\n"},
        {{"--metrics", "129", "--background", "255"}, "", "#id,x,y,area,partl\r\n1,7.5,3.5,128,T\r\n"},
        // Options and a calibration: the limits take the unit squared.
        {{"--metrics", "1", "--background", "0", "--min-area", "41"}, "", "#id,x,y,area\r\n"},
        {{"--metrics", "1", "--background", "0", "--exclude-edge", "--own-pixels", "--summary"}, "",
         "#id,x,y,area\r\n1,7.5,3.5,40\r\n# objects: 1, total area: 40, mean area: 40.0\r\n"},
        {{"--metrics", "1", "--background", "0", "--pixel-size", "0.5,2", "--unit", "um", "--max-area", "40"}, "",
         "#id,x,y,area,x_um,y_um,area_um2\r\n1,7.5,3.5,40,3.75,7,40\r\n"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args = {"apply", "--op", "Find Objects", "--results", results};
        args.insert(args.end(), c.options.begin(), c.options.end());
        args.insert(args.end(), {in, out});
        const CliRun r = RunTool(args);
        EXPECT_EQ(r.status, 0) << c.file;
        EXPECT_EQ(r.err, c.err);
        EXPECT_EQ(Results(), c.file);
        EXPECT_EQ(ReadBytes(out), ReadBytes(in));
    }
}

TEST_F(FindObjectsCli, OverlayDrawsTheBoundaryInRed)
{
    const std::string overlay = dir.path("outline.bmp");
    const CliRun r = RunTool({"apply", "--op", "Find Objects", "--results", results, "--background", "0",
                              "--overlay", overlay, in, out});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(ReadBytes(out), ReadBytes(in));
    EXPECT_EQ(ReadBytes(overlay)[28], 24);
    const CImage drawn = LoadBitmap(overlay);
    ASSERT_EQ(drawn.width, 16);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 16; ++x) {
            const bool edge = InRectangle(x, y) && (x == 3 || x == 12 || y == 2 || y == 5);
            const CColorVal expected = edge ? CColorVal(255, 0, 0) : (InRectangle(x, y) ? CColorVal(200, 200, 200)
                                                                                       : CColorVal());
            EXPECT_EQ(drawn.pixelValueArray[y][x], expected) << x << "," << y;
        }

    // Nothing found: the overlay is the image in RGB.
    CImage black = MakeGrey(5, 5, [](int, int) { return 0; });
    SaveBitmap(black, in);
    ASSERT_EQ(RunTool({"apply", "--op", "Find Objects", "--results", results, "--background", "0", "--overlay",
                       overlay, in, out})
                  .status,
              0);
    EXPECT_EQ(Results(), "");
    EXPECT_EQ(LoadBitmap(overlay).pixelValueArray[4][4], CColorVal());
}

TEST_F(FindObjectsCli, UsageErrors)
{
    struct Case {
        std::vector<std::string> options;
        std::string reason;
    } cases[] = {
        {{}, "\"Find Objects\" needs --results FILE.dat"},
        {{"--metrics", "0"}, "\"Find Objects\" needs --results FILE.dat"},
        {{"--results="}, "--results needs a file name"},
        {{"--results", "r.dat", "--overlay="}, "--overlay needs a file name"},
        {{"--results", "r.dat", "--metrics", "2048"}, "--metrics must be an integer from 0 to 2047"},
        {{"--results", "r.dat", "--background", "128"}, "--background must be 0|255|auto"},
        {{"--results", "r.dat", "--pixel-size", "2"}, "--pixel-size and --unit go together"},
        {{"--results", "r.dat", "--pixel-size", "0", "--unit", "mm"}, "--pixel-size must be W or W,H with numbers above 0"},
        {{"--results", "r.dat", "--pixel-size", "1", "--unit", "ft"}, "--unit must be nm, um, mm, cm, m or in"},
        {{"--results", "r.dat", "--min-area", "x"}, "--min-area must be a number"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args = {"apply", "--op", "Find Objects"};
        args.insert(args.end(), c.options.begin(), c.options.end());
        args.insert(args.end(), {in, out});
        const CliRun r = RunTool(args);
        EXPECT_EQ(r.status, 2) << c.reason;
        EXPECT_EQ(r.err, "nuvak-cli: " + c.reason + "\n" + kHint);
        EXPECT_FALSE(Exists(out));
    }
    EXPECT_EQ(RunTool({"apply", "--op", "Grayscale", "--overlay", "o.bmp", in, out}).err,
              std::string("nuvak-cli: --overlay does not apply to \"Grayscale\"\n") + kHint);
}

TEST_F(FindObjectsCli, FailuresWriteNoImage)
{
    const std::string badResults = dir.path("none/objects.dat");
    CliRun r = RunTool({"apply", "--op", "Find Objects", "--results", badResults, in, out});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "nuvak-cli: " + badResults + " could not be opened for output.\n");
    EXPECT_FALSE(Exists(out));

    const std::string badOverlay = dir.path("none/outline.bmp");
    r = RunTool({"apply", "--op", "Find Objects", "--results", results, "--background", "0", "--overlay", badOverlay,
                 in, out});
    EXPECT_EQ(r.status, 3);
    EXPECT_EQ(r.err, "nuvak-cli: Failed to open file " + badOverlay + " for writing.\nCause:  No such file or directory\n");
    EXPECT_FALSE(Exists(out));
}

TEST_F(FindObjectsCli, HelpShowsTheOptions)
{
    const std::string help = RunTool({"--help"}).out;
    EXPECT_NE(help.find("  Find Objects         find objects and write their metrics\n"
                        "      --results FILE.dat           object results file (required)\n"
                        "      --metrics N                  metric flags written to the results file (default 2047)\n"
                        "      --background 0|255|auto      background level; auto detects it and asks (default auto)\n"
                        "      --overlay FILE.bmp           copy of the image with the objects' outlines in red\n"),
              std::string::npos);
}

TEST_F(FindObjectsCli, SeriesTableReadsAsOneCsvInPandas)
{
    // A grey image whose name holds a comma, an RGB one and a calibrated one.
    const std::string named = dir.path("blob, one.bmp"), rgb = dir.path("two.bmp"), png = dir.path("three.png");
    CImage grey = MakeGrey(16, 8, [](int x, int y) { return InRectangle(x, y) ? 200 : 0; });
    SaveBitmap(grey, named);
    CImage colour = MakeImage(16, 8, [](int x, int y) { return InRectangle(x, y) ? CColorVal(9, 99, 199) : CColorVal(); });
    SaveBitmap(colour, rgb);
    CImage calibrated = MakeGrey(16, 8, [](int x, int y) { return InRectangle(x, y) ? 90 : 0; });
    calibrated.xPixelsPerMetre = calibrated.yPixelsPerMetre = 2000000;  // 0.5 um
    SaveBitmap(calibrated, png);
    const std::string outDir = dir.path("out");
    std::filesystem::create_directory(outDir);
    const CliRun r = RunTool({"series", "--op", "Find Objects", "--results", "objects.dat", "--background", "0",
                              "--out", outDir, named, rgb, png});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string check =
        "/usr/bin/python3 -c \"import sys, pandas; t = pandas.read_csv(sys.argv[1]); "
        "assert list(t['image']) == ['blob, one.bmp', 'two.bmp', 'three.png'], list(t['image']); "
        "assert all(t[c].dtype.kind in 'if' for c in t.columns if c not in ('image', 'partl')), t.dtypes; "
        "assert list(t['area_um2'].isna()) == [True, True, False] and t['area_um2'][2] == 10\" '" +
        outDir + "/objects_all.csv'";
    EXPECT_EQ(std::system(check.c_str()), 0) << "python3-pandas comes with scripts/setup.sh";
}
