#include <gtest/gtest.h>

#include <filesystem>

#include "forms/FindObjectsWizard.h"
#include "support/FakeUserInterface.h"
#include "support/TestFiles.h"
#include "support/TestImages.h"

namespace {

std::vector<std::uint8_t> Bytes(const std::string& text) { return {text.begin(), text.end()}; }

// The 10 x 4 rectangle of level 200 at columns 3..12, rows 2..5 on black.
CImage Rectangle()
{
    return MakeGrey(16, 8, [](int x, int y) { return x >= 3 && x <= 12 && y >= 2 && y <= 5 ? 200 : 0; });
}

}  // namespace

TEST(FindObjectsWizard, ResultsTextShowsLineEndsAndTabs)
{
    TempDir dir;
    const struct {
        const char* file;
        const char* shown;
    } cases[] = {
        {"#id,x,y\r\n1,7.5,3.5\r\n", "#id\tx\ty\r\n1\t7.5\t3.5\r\n"},
        {"a,b\nc", "a\tb\r\nc"},
        {"a\rb\r", "a\rb\r"},
        {"", ""},
    };
    for (const auto& c : cases) {
        WriteBytes(dir.path("r.dat"), Bytes(c.file));
        EXPECT_EQ(ResultsText(dir.path("r.dat")), c.shown) << c.file;
    }
    const std::string missing = dir.path("missing.dat");
    EXPECT_EQ(ResultsText(missing), "Could not open " + missing + "\r\nNo results available");
}

TEST(FindObjectsWizard, GoRefusesWithoutFileOrDocument)
{
    FakeUserInterface user;
    FindObjectsMetrics metrics;
    std::string results = "kept";
    int redraws = 0;
    CImage image = Rectangle();
    EXPECT_EQ(RunGo(&image, "", metrics, [&] { ++redraws; }, results), GoResult::NoFile);
    EXPECT_EQ(user.errors, std::vector<std::string>{"Please enter an output file"});
    EXPECT_EQ(user.waitCount, 0);
    TempDir dir;
    EXPECT_EQ(RunGo(nullptr, dir.path("r.dat"), metrics, [&] { ++redraws; }, results), GoResult::NoDocument);
    EXPECT_EQ(user.waitCount, 1);
    EXPECT_EQ(user.waitDepth, 0);
    EXPECT_FALSE(Exists(dir.path("r.dat")));

    const std::string unopenable = dir.path("no/such/folder.dat");
    image.objectColor = 0x123456;
    EXPECT_EQ(RunGo(&image, unopenable, metrics, [&] { ++redraws; }, results), GoResult::Failed);
    EXPECT_EQ(user.errors.back(), unopenable + " could not be opened for output.");
    EXPECT_EQ(image.objectColor, 0x123456u);
    EXPECT_EQ(redraws, 0);
    EXPECT_EQ(results, "kept");
}

TEST(FindObjectsWizard, GoFindsColoursRedrawsThenReadsBack)
{
    TempDir dir;
    const std::string path = dir.path("objects.dat");
    const struct {
        int flags;
        const char* file;
    } cases[] = {
        {0, "#id,x,y\r\n1,7.5,3.5\r\n"},
        {METRIC_ALL,
         "#id,x,y,area,left,top,right,bottom,circum,elong,major,minor,partl,perim,theta,round,gMin,gMax,gAvg,gDev\r\n"
         "1,7.5,3.5,40,3,2,12,5,24.0,0.3,9.0,3.0,F,24,0.0,0.9,200,200,200.0,0.0\r\n"},
    };
    for (const auto& c : cases) {
        FakeUserInterface user;
        CImage image = Rectangle();
        FindObjectsMetrics metrics;
        metrics.flags = c.flags;
        metrics.outlineColor = 0x00FF00;
        std::string results;
        std::uint32_t colourAtRedraw = 0;
        EXPECT_EQ(RunGo(&image, path, metrics, [&] { colourAtRedraw = image.objectColor; }, results), GoResult::Found);
        EXPECT_EQ(user.questions, std::vector<std::string>{"Detected LIGHT objects on a BLACK background.\nIs this correct?"});
        EXPECT_EQ(ReadBytes(path), Bytes(c.file));
        EXPECT_EQ(colourAtRedraw, 0x00FF00u);
        EXPECT_EQ(image.ObjectCount(), 1);
        EXPECT_EQ(results, ResultsText(path));
    }

    // A file gone before it is read back is reported in the results.
    FakeUserInterface user;
    CImage image = Rectangle();
    std::string results;
    EXPECT_EQ(RunGo(&image, path, FindObjectsMetrics{}, [&] { std::filesystem::remove(path); }, results),
              GoResult::Found);
    EXPECT_EQ(results, "Could not open " + path + "\r\nNo results available");
}

TEST(FindObjectsWizard, FlagsAreRebuiltFromTheBoxes)
{
    FindObjectsMetrics metrics;
    EXPECT_EQ(metrics.flags, 0x7FF);
    metrics.checked.fill(false);
    EXPECT_EQ(metrics.flags, 0x7FF);  // only leaving the page rebuilds them
    metrics.Rebuild();
    EXPECT_EQ(metrics.flags, 0);
    for (size_t k = 0; k < metrics.checked.size(); ++k) metrics.checked[k] = std::string(MetricBoxes()[k].label) == "Roundness";
    metrics.Rebuild();
    EXPECT_EQ(metrics.flags, 0x400);
}
