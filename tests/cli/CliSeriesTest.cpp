#include <gtest/gtest.h>

#include <filesystem>

#include "support/CliRun.h"
#include "support/BitmapFiles.h"
#include "support/TestFiles.h"
#include "support/TestImages.h"

namespace {

const char* const kHint = "Try 'nuvak-cli --help' for more information.\n";

class CliSeries : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::filesystem::create_directory(outDir);
        for (int i = 0; i < 2; ++i) {
            CImage image = MakeImage(4, 3, [i](int x, int y) { return CColorVal(60 * x + i, 100 * y, 7); });
            SaveBitmap(image, files[i]);
        }
    }
    // The one log a run wrote into folder.
    static std::string LogIn(const std::string& folder)
    {
        std::string found;
        for (const auto& entry : std::filesystem::directory_iterator(folder)) {
            const std::string name = entry.path().filename().string();
            if (name.rfind("series_", 0) == 0 && name.size() > 4 && name.substr(name.size() - 4) == ".log") {
                EXPECT_TRUE(found.empty()) << "two logs";
                found = entry.path().string();
            }
        }
        return found;
    }

    TempDir dir;
    const std::string outDir = dir.path("out");
    const std::string files[2] = {dir.path("a.bmp"), dir.path("b.bmp")};
};

}  // namespace

TEST_F(CliSeries, CompleteRunPrintsBothTextsAndWritesResultsAndLog)
{
    const CliRun r = RunTool({"series", "--op", "Grayscale", "--out", outDir, files[0], files[1]});

    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    const std::string log = LogIn(outDir);
    ASSERT_FALSE(log.empty());
    // The wizard's BACK and FINISH are not the command line's.
    EXPECT_EQ(r.out, "Requested procedure:\n\tGrayscale\nOutput location:\n\t" + outDir +
                         "\n\nFiles: 2\nA file that cannot be read ends the run.\n\n"
                         "Image series processing complete.\n\nSee log file:\n" + log + "\nfor details.\n");
    const std::vector<std::uint8_t> bytes = ReadBytes(log);
    const std::string text(bytes.begin(), bytes.end());
    EXPECT_NE(text.find("\r\nNow processing " + files[0] + "\r\nNow processing " + files[1] +
                        "\r\n\r\nImage series processing complete.\r\n"),
              std::string::npos);
    EXPECT_EQ(LoadBitmap(outDir + "/b.bmp").pixelValueArray[2][3].red, CColorVal(181, 200, 7).Luminance());
}

TEST_F(CliSeries, AoiOfTheFirstFileWithNoticesAndProgressLines)
{
    const CliRun r =
        RunTool({"series", "--op", "Crop", "--aoi=1,1,9,2", "--progress", "--out", outDir, files[0], files[1]});

    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "notice: Specified lower right corner (9, 2) is outside the image.\n"
                     "Lower right corner being reset to (3, 2)\n"
                     "[1/2] " + files[0] + "\n[2/2] " + files[1] + "\n");
    EXPECT_EQ(r.out.substr(0, r.out.find("\nImage series")),
              "Requested procedure:\n\tCrop\nOutput location:\n\t" + outDir +
                  "\n\nArea of interest:\n\tupper left corner\t(1, 1)\n\tlower right corner\t(3, 2)\n\n"
                  "Files: 2\nA file that cannot be read ends the run.\n");
    const CImage cropped = LoadBitmap(outDir + "/b.bmp");
    EXPECT_EQ(cropped.width, 3);
    EXPECT_EQ(cropped.height, 2);
    EXPECT_EQ(cropped.pixelValueArray[0][0], CColorVal(61, 100, 7));
    // An AOI wholly outside the first file is refused, not turned into a sliver at its edge.
    const CliRun outside = RunTool({"series", "--op", "Crop", "--aoi=5,0,9,2", "--out", outDir, files[0]});
    EXPECT_EQ(outside.status, 2);
    EXPECT_EQ(outside.err, "nuvak-cli: The AOI (5, 0) - (9, 2) lies wholly outside the 4 x 3 image.\n"
                           "Try 'nuvak-cli --help' for more information.\n");
}

TEST_F(CliSeries, OverwriteReplacesTheSourcesAndLogsBesideThem)
{
    const CliRun r = RunTool({"series", "--op", "Grayscale", "--overwrite", files[0], files[1]});

    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("\tOriginal data files will be overwritten with the results of this procedure.\n"),
              std::string::npos);
    EXPECT_FALSE(LogIn(dir.root().string()).empty());
    for (const std::string& file : files) EXPECT_EQ(LoadBitmap(file).format, FORMAT_GRAYSCALE);
}

TEST_F(CliSeries, RunsThatDoNotCompleteExitWithOne)
{
    const std::string missing = dir.path("missing.bmp");
    const std::string bad = dir.path("bad.bmp");
    WriteBytes(bad, {'N', 'O', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
    struct Case {
        std::vector<std::string> args;
        std::string inOut;  // must appear on standard output
        std::string err;
    };
    const Case cases[] = {
        {{"series", "--op", "Comb", "--out", outDir, files[0], missing},
         "\n\nImage Series processing aborted.\nAn error occurred while attempting to read the file\n" + missing +
             "\nfrom disk.\n\nFailed to open file " + missing + " for reading.\nCause:  No such file or directory\n" +
             "\n\nSee log file:\n",
         ""},
        {{"series", "--op", "Comb", "--out", outDir, files[0], bad, files[1]},
         "\n\nImage Series processing aborted.\nAn error occurred while attempting to read the file\n" + bad +
             "\nfrom disk.\n\n" + bad + " is not a bitmap, PNG, TIFF or JPEG file.\n\nSee log file:\n",
         ""},
    };
    for (const Case& c : cases) {
        const CliRun r = RunTool(c.args);
        EXPECT_EQ(r.status, 1) << c.inOut;
        EXPECT_NE(r.out.find(c.inOut), std::string::npos) << r.out;
        EXPECT_EQ(r.err, c.err);
    }
    EXPECT_TRUE(Exists(outDir + "/a_even.bmp"));
    EXPECT_FALSE(Exists(outDir + "/b.bmp"));
}

TEST_F(CliSeries, AMissingOutFolderIsMadeWithTheFoldersAboveIt)
{
    const std::string made = dir.path("new/deeper");
    CliRun r = RunTool({"series", "--op", "Invert", "--out", made, files[0]});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(Exists(made + "/a.bmp"));
    EXPECT_FALSE(LogIn(made).empty());

    const std::string underFile = files[0] + "/out";
    r = RunTool({"series", "--op", "Invert", "--out", underFile, files[1]});
    EXPECT_EQ(r.status, 3);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "nuvak-cli: the --out folder " + underFile + " could not be made: Not a directory\n");
}

TEST_F(CliSeries, SkipUnreadableGoesOnAndListsTheSkippedFiles)
{
    const std::string bad = dir.path("bad.bmp");
    WriteBytes(bad, {'N', 'O', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
    const CliRun r = RunTool({"series", "--op", "Invert", "--skip-unreadable", "--out", outDir, files[0], bad, files[1]});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "nuvak-cli: skipped " + bad + ": " + bad + " is not a bitmap, PNG, TIFF or JPEG file.\n");
    EXPECT_NE(r.out.find("1 file could not be read and was skipped; the log names it.\n"), std::string::npos);
    EXPECT_TRUE(Exists(outDir + "/a.bmp") && Exists(outDir + "/b.bmp"));
}

TEST_F(CliSeries, OutFolderHoldingASourceIsRefused)
{
    const std::vector<std::uint8_t> before = ReadBytes(files[0]);
    const CliRun r = RunTool({"series", "--op", "Invert", "--out", dir.root().string() + "/.", files[0], files[1]});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find(files[0] + " lies in the --out folder"), std::string::npos) << r.err;
    EXPECT_EQ(ReadBytes(files[0]), before);
}

TEST_F(CliSeries, UnreadableFirstFileStopsBeforeTheRun)
{
    const std::string missing = dir.path("missing.bmp");
    const CliRun r = RunTool({"series", "--op", "Grayscale", "--out", outDir, missing, files[0]});
    EXPECT_EQ(r.status, 3);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "nuvak-cli: Failed to open file " + missing +
                         " for reading.\nCause:  No such file or directory\nnuvak-cli: Series processing aborted\n");
    EXPECT_TRUE(std::filesystem::is_empty(outDir));

    const std::string bad = dir.path("bad.bmp");
    WriteBytes(bad, {'N', 'O', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
    const CliRun refused = RunTool({"series", "--op", "Grayscale", "--out", outDir, bad, files[0]});
    EXPECT_EQ(refused.status, 3);
    EXPECT_EQ(refused.err, "error: " + bad + " is not a bitmap, PNG, TIFF or JPEG file.\nnuvak-cli: Series processing aborted\n");
    EXPECT_TRUE(std::filesystem::is_empty(outDir));
}

TEST_F(CliSeries, UsageErrors)
{
    const std::string twin = dir.path("sub");
    struct Case {
        std::vector<std::string> args;
        std::string reason;
    } cases[] = {
        {{"series", "--out", outDir, files[0]}, "series needs --op NAME"},
        {{"series", "--op", "Grayscale", files[0]}, "series needs --out DIR or --overwrite"},
        {{"series", "--op", "Grayscale", "--overwrite", "--out", outDir, files[0]},
         "series takes --out DIR or --overwrite, not both"},
        {{"series", "--op", "Grayscale", "--out", "", files[0]}, "--out needs a folder"},
        {{"series", "--op", "Grayscale", "--out", outDir}, "missing file argument: series expects FILE..."},
        {{"series", "--op", "RGB", "--out", outDir, files[0]}, "\"RGB\" is not a series operation"},
        {{"series", "--op", "Sharpen", "--out", outDir, files[0]}, "unknown operation \"Sharpen\""},
        {{"series", "--op", "Comb", "--size", "5", "--out", outDir, files[0]}, "--size does not apply to \"Comb\""},
        {{"series", "--op", "Comb", "--progress=1", "--out", outDir, files[0]}, "--progress takes no value"},
        {{"series", "--op", "Comb", "--out", outDir, files[0], twin + "/a.bmp"},
         "two files are named a.bmp; their results would overwrite each other in --out"},
        {{"series", "--op", "Comb", "--out", outDir, files[0], "x\r\ny.bmp"},
         "a file name must not contain a carriage return and line feed"},
        {{"series", "--op", "Comb", "--overwrite", files[0], "x\r\ny.bmp"},
         "a file name must not contain a carriage return and line feed"},
    };
    for (const Case& c : cases) {
        const CliRun r = RunTool(c.args);
        EXPECT_EQ(r.status, 2) << c.reason;
        EXPECT_EQ(r.err, "nuvak-cli: " + c.reason + "\n" + kHint);
        EXPECT_EQ(r.out, "");
    }
    EXPECT_TRUE(std::filesystem::is_empty(outDir));
}

TEST_F(CliSeries, TheSameFileTwiceIsNoNameClash)
{
    const CliRun r = RunTool({"series", "--op", "Grayscale", "--out", outDir, files[0], files[0]});
    EXPECT_EQ(r.status, 0) << r.err;
}

TEST_F(CliSeries, HelpShowsTheCommandAndWhichOperationsItOffers)
{
    const CliRun r = RunTool({"--help"});
    EXPECT_NE(r.out.find("  nuvak-cli series --op NAME [parameters] [--aoi L,T,R,B] [--answer yes|no] [--progress]\n"
                         "                   [--skip-unreadable] [--range R] [--quality N] [--format bmp|png|tif|jpg]\n"
                         "                   (--out DIR | --overwrite [--allow-8bit]) FILE...\n"),
              std::string::npos);
    EXPECT_NE(r.out.find("  RGB                  mark the image as RGB (not offered by series)\n"), std::string::npos);
    EXPECT_NE(r.out.find("  Comb                 write the even and odd fields\n"), std::string::npos);
}
