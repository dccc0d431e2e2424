// run --recipe and series --recipe: replays equal to chained applies, the
// refusals before anything runs, and one series log listing the steps.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "support/BitmapFiles.h"
#include "support/CliRun.h"
#include "support/TestFiles.h"
#include "support/TestImages.h"

namespace {

class RecipeCli : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (int i = 0; i < 2; ++i) {
            CImage image = MakeGrey(8, 8, [i](int x, int y) { return (x * 29 + y * 13 + i * 50) % 256; });
            SaveBitmap(image, files[i]);
        }
    }
    void WriteRecipe(const std::string& text) const { std::ofstream(recipe, std::ios::binary) << text; }

    TempDir dir;
    const std::string files[2] = {dir.path("a.bmp"), dir.path("b.bmp")};
    const std::string recipe = dir.path("steps.nrcp");
    const std::string out = dir.path("out.bmp");
};

const char* const kSteps =
    "nuvak recipe 1\n"
    "# smooth the middle, stretch, then mirror\r\n"
    "\n"
    "  --op \"Low Pass Filter\" --size 3 --aoi 1,1,6,6\n"
    "--op Stretch --channel red --answer yes\n"
    "--op 'Flip Horizontal'\n";

// The text of the series log in folder.
std::string SeriesLog(const std::string& folder)
{
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        if (entry.path().extension() == ".log") return FileText(entry.path().string());
    return std::string();
}

}  // namespace

TEST_F(RecipeCli, RunEqualsTheStepsAppliedOneAfterAnother)
{
    WriteRecipe(kSteps);
    const CliRun r = RunTool({"run", "--recipe", recipe, files[0], out});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");

    const std::string a = dir.path("1.bmp"), b = dir.path("2.bmp"), c = dir.path("3.bmp");
    ASSERT_EQ(RunTool({"apply", "--op", "Low Pass Filter", "--aoi", "1,1,6,6", files[0], a}).status, 0);
    ASSERT_EQ(RunTool({"apply", "--op", "Stretch", a, b}).status, 0);
    ASSERT_EQ(RunTool({"apply", "--op", "Flip Horizontal", b, c}).status, 0);
    EXPECT_EQ(ReadBytes(out), ReadBytes(c));
    // A byte-order mark before the first line is no part of it.
    WriteRecipe(std::string("\xEF\xBB\xBF") + kSteps);
    ASSERT_EQ(RunTool({"run", "--recipe", recipe, files[0], out}).status, 0);
    EXPECT_EQ(ReadBytes(out), ReadBytes(c));
}

TEST_F(RecipeCli, BadRecipesAreRefusedBeforeAnythingRuns)
{
    const struct {
        const char* text;
        const char* reason;
    } cases[] = {
        {"", "1: not a recipe: the first line must be \"nuvak recipe 1\""},
        {"--op Invert\n", "1: not a recipe: the first line must be \"nuvak recipe 1\""},
        {"nuvak recipe 2\n--op Invert\n", "1: recipe version \"2\" is not known; this program reads version 1"},
        {"nuvak recipe 1\n--op Invert\n--op Nothing\n", "3: unknown operation \"Nothing\""},
        {"nuvak recipe 1\n\n--op Invert --bogus 1\n", "3: unknown option --bogus"},
        {"nuvak recipe 1\n--op Invert --size 3\n", "2: --size does not apply to \"Invert\""},
        {"nuvak recipe 1\n--op \"Low Pass Filter\" --size 4\n", "2: --size must be 3|5|7|9"},
        {"nuvak recipe 1\n--op Invert --aoi 1,2,3\n", "2: --aoi must be L,T,R,B"},
        {"nuvak recipe 1\n--op Invert --answer maybe\n", "2: --answer must be yes or no"},
        {"nuvak recipe 1\n--op \"Low Pass Filter\n", "2: a double quote is not closed"},
        {"nuvak recipe 1\n--size 3\n", "2: a step needs --op NAME"},
        {"nuvak recipe 1\n--op Invert in.bmp\n", "2: unexpected word \"in.bmp\": a recipe step names no files"},
        {"nuvak recipe 1\n--op Invert --overwrite\n", "2: unknown option --overwrite"},
        {"nuvak recipe 1\n--op \"Find Objects\"\n", "2: \"Find Objects\" needs --results FILE.dat"},
        {"nuvak recipe 1\n# nothing\n", "2: the recipe has no steps"},
        {"nuvak recipe 1\n--op In\xffvert\n", "2: the line is not UTF-8 text"},
        {"nuvak recipe 1\n--op \"Custom Filter\" --kernel /none/k.ftr\n",
         "2: Error:  /none/k.ftr cannot be opened for input."},
        {"nuvak recipe 1\n--op \"Find Objects\" --results o.dat --min-area 3furlong2\n",
         "2: --min-area must be a number, then px or a unit squared (nm2, um2, mm2, cm2, m2, in2) if any"},
    };
    for (const auto& c : cases) {
        WriteRecipe(c.text);
        const CliRun r = RunTool({"run", "--recipe", recipe, files[0], out});
        EXPECT_EQ(r.status, 2) << c.text;
        EXPECT_EQ(r.err, "nuvak-cli: " + recipe + ":" + c.reason + "\n");
        EXPECT_FALSE(Exists(out)) << c.text;
    }
    const CliRun missing = RunTool({"run", "--recipe", dir.path("none.nrcp"), files[0], out});
    EXPECT_EQ(missing.status, 2);
    EXPECT_EQ(missing.err, "nuvak-cli: " + dir.path("none.nrcp") + ": the recipe cannot be read\n");
}

TEST_F(RecipeCli, AFailingStepWritesNothing)
{
    WriteRecipe("nuvak recipe 1\n--op Invert\n--op \"FFT Filter\" --aoi 0,0,2,2\n");
    const CliRun r = RunTool({"run", "--recipe", recipe, files[0], out});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "nuvak-cli: " + recipe + ":3: To perform an FFT (Fast Fourier Transform) the area of "
                     "interest width and height must be powers of two.\n");
    EXPECT_FALSE(Exists(out));
}

TEST_F(RecipeCli, SeriesRunsTheRecipeOnEveryFileWithOneProcedureBlock)
{
    WriteRecipe(kSteps);
    const std::string outDir = dir.path("out");
    std::filesystem::create_directory(outDir);
    const CliRun r = RunTool({"series", "--recipe", recipe, "--out", outDir, files[0], files[1]});
    ASSERT_EQ(r.status, 0) << r.err;

    const std::string procedure = "Requested procedure:\n\tRecipe " + recipe +
                                  "\n\t\t--op \"Low Pass Filter\" --size 3 --aoi 1,1,6,6"
                                  "\n\t\t--op Stretch --channel red --answer yes"
                                  "\n\t\t--op \"Flip Horizontal\"\nOutput location:\n\t" + outDir + "\n";
    EXPECT_EQ(r.out.substr(0, procedure.size()), procedure);
    const std::string logText = SeriesLog(outDir);
    EXPECT_EQ(logText.find("Requested procedure"), logText.rfind("Requested procedure"));
    EXPECT_NE(logText.find("\t\t--op Stretch --channel red --answer yes\r\n"), std::string::npos);
    for (int i = 0; i < 2; ++i) {
        ASSERT_EQ(RunTool({"run", "--recipe", recipe, files[i], out}).status, 0);
        EXPECT_EQ(ReadBytes(outDir + (i == 0 ? "/a.bmp" : "/b.bmp")), ReadBytes(out));
    }
}

TEST_F(RecipeCli, UsageErrors)
{
    WriteRecipe(kSteps);
    const std::string outDir = dir.path("out");
    const struct {
        std::vector<std::string> args;
        const char* reason;
    } cases[] = {
        {{"run", files[0], out}, "run needs --recipe FILE"},
        {{"run", "--recipe", recipe, "--size", "3", files[0], out}, "--size is not an option of run"},
        {{"run", "--recipe", recipe, files[0]}, "missing file argument: run expects IN OUT"},
        {{"series", "--recipe", recipe, "--op", "Invert", "--out", outDir, files[0]},
         "series takes --op NAME or --recipe FILE, not both"},
        {{"series", "--recipe", recipe, "--aoi", "0,0,1,1", "--out", outDir, files[0]},
         "--aoi does not apply to series --recipe: each step gives its own"},
        {{"series", "--recipe", recipe, "--size", "3", "--out", outDir, files[0]},
         "--size is not an option of series --recipe"},
    };
    for (const auto& c : cases) {
        const CliRun r = RunTool(c.args);
        EXPECT_EQ(r.status, 2) << c.reason;
        EXPECT_EQ(r.err, std::string("nuvak-cli: ") + c.reason + "\nTry 'nuvak-cli --help' for more information.\n");
    }
    WriteRecipe("nuvak recipe 1\n--op Nothing\n");
    const CliRun refused = RunTool({"series", "--recipe", recipe, "--out", outDir, files[0]});
    EXPECT_EQ(refused.status, 2);
    EXPECT_EQ(refused.err, "nuvak-cli: " + recipe + ":2: unknown operation \"Nothing\"\n");
    EXPECT_FALSE(std::filesystem::exists(outDir));
    EXPECT_FALSE(Exists(out));
}

TEST_F(RecipeCli, ObjectsKeepTheirUnitsAndFilesPerImage)
{
    // A 4 x 4 square (16 pixels) and a 4 x 1 bar (4 pixels) on black.
    for (int i = 0; i < 2; ++i) {
        CImage image = MakeGrey(12, 6 + i, [](int x, int y) {
            return (x >= 1 && x <= 4 && y >= 1 && y <= 4) || (x >= 7 && x <= 10 && y == 2) ? 200 : 0;
        });
        SaveBitmap(image, files[i]);
    }
    // 2 um2 is 8 pixels of 0.5 um, or of 0.0005 mm.
    WriteRecipe("nuvak recipe 1\n--op \"Find Objects\" --results cells.dat --metrics 1 --background 0 --min-area 2um2 "
                "--overlay outline.bmp\n");
    const std::string outDir = dir.path("out");
    std::filesystem::create_directory(outDir);
    const struct {
        std::vector<std::string> calibration;
        int status;
        std::string err;
        std::string results;
    } cases[] = {
        {{}, 1,
         "nuvak-cli: " + recipe + ":2: --min-area is an area in \u00b5m\u00b2, but the image has no pixel size to "
         "convert it with (set one with Image, Set Scale or --pixel-size W --unit U).\n", ""},
        {{"--pixel-size", "0.5", "--unit", "um"}, 0, "", "#id,x,y,area,x_um,y_um,area_um2\r\n1,2.5,2.5,16,1.25,1.25,4\r\n"},
        {{"--pixel-size", "0.0005", "--unit", "mm"}, 0, "",
         "#id,x,y,area,x_mm,y_mm,area_mm2\r\n1,2.5,2.5,16,0.00125,0.00125,4e-06\r\n"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args = {"run", "--recipe", recipe};
        args.insert(args.end(), c.calibration.begin(), c.calibration.end());
        args.insert(args.end(), {files[0], outDir + "/a.bmp"});
        std::filesystem::remove(outDir + "/cells.dat");
        const CliRun r = RunTool(args);
        EXPECT_EQ(r.status, c.status) << r.err;
        EXPECT_EQ(r.err, c.err);
        // Beside OUT, not in the folder the command ran in.
        EXPECT_EQ(Exists(outDir + "/cells.dat") ? FileText(outDir + "/cells.dat") : "", c.results);
        EXPECT_EQ(Exists(outDir + "/outline.bmp"), c.status == 0);
    }

    // A series keeps every image's objects, and all of them in one table.
    const std::string seriesDir = dir.path("series");
    std::filesystem::create_directory(seriesDir);
    const CliRun r = RunTool({"series", "--recipe", recipe, "--pixel-size", "0.5", "--unit", "um", "--out", seriesDir,
                              files[0], files[1]});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string row = "1,2.5,2.5,16,1.25,1.25,4\r\n";
    EXPECT_EQ(FileText(seriesDir + "/cells_a.dat"), "#id,x,y,area,x_um,y_um,area_um2\r\n" + row);
    EXPECT_EQ(FileText(seriesDir + "/cells_b.dat"), "#id,x,y,area,x_um,y_um,area_um2\r\n" + row);
    EXPECT_TRUE(Exists(seriesDir + "/outline_a.bmp") && Exists(seriesDir + "/outline_b.bmp"));
    EXPECT_EQ(FileText(seriesDir + "/cells_all.csv"),
              "image,#id,x,y,area,x_um,y_um,area_um2\r\na.bmp," + row + "b.bmp," + row);
    EXPECT_NE(SeriesLog(seriesDir).find("Results written to " + seriesDir + "/cells_b.dat\r\n"), std::string::npos);
}
