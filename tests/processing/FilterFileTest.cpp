#include <gtest/gtest.h>

#include <filesystem>

#include "processing/FilterFile.h"
#include "forms/FilterGrid.h"
#include "processing/WeightEntry.h"
#include "image/Image.h"
#include "support/SamePixels.h"
#include "support/TestFiles.h"
#include "support/TestImages.h"

namespace {

std::vector<std::uint8_t> Bytes(const std::string& text) { return {text.begin(), text.end()}; }

}  // namespace

TEST(FilterFile, WritesTheSizeAndTheWeightsAsTyped)
{
    TempDir dir;
    const std::string path = dir.path("box.ftr");
    FilterFileContents box{3, std::vector<std::string>(9, "1/9")};
    EXPECT_EQ(WriteFilterFile(path, box), "");
    std::string expected = "3\r\n";
    for (int i = 0; i < 9; ++i) expected += "1/9\r\n";
    EXPECT_EQ(ReadBytes(path), Bytes(expected));

    FilterFileContents read;
    EXPECT_EQ(ReadFilterFile(path, read), "");
    EXPECT_EQ(read.size, 3);
    EXPECT_EQ(read.weights, box.weights);
}

TEST(FilterFile, SavingAtSizeFiveWritesTwentySixLines)
{
    TempDir dir;
    WeightGrid grid;
    grid.fill("7");  // disabled boxes hold text too; it must not be written
    for (int i = 0; i < 81; ++i)
        if (GridBoxEnabled(5, i / 9, i % 9)) grid[static_cast<size_t>(i)] = std::to_string(i);
    const FilterFileContents contents{5, EnabledWeights(5, grid)};
    ASSERT_EQ(contents.weights.size(), 25u);
    EXPECT_TRUE(SaveFilterFile(dir.path("f.ftr"), contents).empty());
    const std::vector<std::uint8_t> bytes = ReadBytes(dir.path("f.ftr"));
    const std::string text(bytes.begin(), bytes.end());
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 26);
    // The first enabled box of a 5 x 5 block is row 2, column 2: box 20.
    EXPECT_EQ(text.substr(0, 15), "5\r\n20\r\n21\r\n22\r\n");
    EXPECT_EQ(text.substr(text.size() - 4), "60\r\n");
}

TEST(FilterFile, SavingRefusesInvalidWeightsAndUnwritablePaths)
{
    TempDir dir;
    const char* mustBeValid =
        "Error:  all filter weights must be valid before file is written.\nPlease enter valid weight and try again.";
    FilterFileContents contents{3, {"1", "1", "", "1", "1", "1", "1", "1", "1"}};
    EXPECT_EQ(SaveFilterFile(dir.path("a.ftr"), contents),
              (std::vector<std::string>{"Error:  must enter value.", mustBeValid}));
    EXPECT_FALSE(Exists(dir.path("a.ftr")));

    contents.weights[2] = "1";
    const std::string bad = dir.path("none/a.ftr");
    EXPECT_EQ(SaveFilterFile(bad, contents),
              std::vector<std::string>{"Error:  " + bad + " could not be opened for output"});

    // A folder in the way: nothing is written beside it.
    std::filesystem::create_directory(dir.path("b.ftr"));
    EXPECT_EQ(SaveFilterFile(dir.path("b.ftr"), contents),
              std::vector<std::string>{"Error:  " + dir.path("b.ftr") + " could not be opened for output"});
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.root()), {}), 1);
}

TEST(FilterFile, SavingReplacesAnEarlierFile)
{
    TempDir dir;
    const std::string path = dir.path("k.ftr");
    WriteBytes(path, Bytes("9\r\nold\r\n"));
    EXPECT_TRUE(SaveFilterFile(path, FilterFileContents{3, std::vector<std::string>(9, "2")}).empty());
    FilterFileContents read;
    EXPECT_EQ(ReadFilterFile(path, read), "");
    EXPECT_EQ(read.weights, std::vector<std::string>(9, "2"));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.root()), {}), 1) << "a temporary was left";
}

TEST(FilterFile, ReadingRules)
{
    TempDir dir;
    struct Case {
        const char* name;
        const char* text;  // nullptr: no such file
        const char* message;  // %s is the path
        int size;
        std::vector<std::string> weights;
    } cases[] = {
        {"bare.ftr", "3\n1\n2\n3\n4\n5\n6\n7\n8\n9\n", "", 3, {"1", "2", "3", "4", "5", "6", "7", "8", "9"}},
        {"FILTER.FTR", "3\r\n1/9\r\n0\r\n0\r\n0\r\n-1\r\n0\r\n0\r\n0\r\n.5\r\nextra\r\n", "", 3,
         {"1/9", "0", "0", "0", "-1", "0", "0", "0", ".5"}},
        {"last.Ftr", "3\r\n1\r\n1\r\n1\r\n1\r\n1\r\n1\r\n1\r\n1\r\n1", "", 3, std::vector<std::string>(9, "1")},
        {"typed.ftr", "3 \r\nx\r\n\r\n1 /2\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n", "", 3,
         {"x", "", "1 /2", "0", "0", "0", "0", "0", "0"}},
        {"filter.txt", "3\r\n", "Error:  the selected file is not a recognized filter file.", 0, {}},
        {"ftr", "3\r\n", "Error:  the selected file is not a recognized filter file.", 0, {}},
        {"missing.ftr", nullptr, "Error:  %s cannot be opened for input.", 0, {}},
        {"folder.ftr", nullptr, "Error:  %s cannot be opened for input.", 0, {}},
        {"four.ftr", "4\r\n", "Error:  filter size 4x4 not supported.", 0, {}},
        {"empty.ftr", "", "Error:  filter size 0x0 not supported.", 0, {}},
        {"word.ftr", "size\r\n", "Error:  filter size 0x0 not supported.", 0, {}},
        {"eleven.ftr", "11\r\n", "Error:  filter size 11x11 not supported.", 0, {}},
        {"short.ftr", "3\r\n1\r\n2\r\n", "Error:  %s ends after 2 of its 9 filter weights.", 0, {}},
    };
    std::filesystem::create_directory(dir.path("folder.ftr"));
    for (const Case& c : cases) {
        const std::string path = dir.path(c.name);
        if (c.text) WriteBytes(path, Bytes(c.text));
        FilterFileContents contents{7, {"kept"}};
        std::string message = c.message;
        if (message.find("%s") != std::string::npos) message.replace(message.find("%s"), 2, path);
        EXPECT_EQ(ReadFilterFile(path, contents), message) << c.name;
        EXPECT_EQ(contents.size, c.size ? c.size : 7) << c.name;
        EXPECT_EQ(contents.weights, c.size ? c.weights : std::vector<std::string>{"kept"}) << c.name;
    }
}

TEST(FilterFile, LongLinesAreCutToSeventyNineCharacters)
{
    TempDir dir;
    const std::string longWeight(100, '1');
    std::string text = "3\r\n" + longWeight + "\r\n";
    for (int i = 0; i < 8; ++i) text += "2\r\n";
    WriteBytes(dir.path("l.ftr"), Bytes(text));
    FilterFileContents contents;
    ASSERT_EQ(ReadFilterFile(dir.path("l.ftr"), contents), "");
    EXPECT_EQ(contents.weights[0], std::string(79, '1'));
    EXPECT_EQ(contents.weights[1], "2");
}

TEST(FilterGrid, AThreeByThreeFileFillsTheCentreOfTheGrid)
{
    const std::vector<std::string> weights = {"1", "2", "3", "4", "5", "6", "7", "8", "9"};
    const WeightGrid grid = GridFromWeights(3, weights);
    int zeros = 0;
    for (int i = 0; i < 81; ++i) {
        const bool centre = i / 9 >= 3 && i / 9 <= 5 && i % 9 >= 3 && i % 9 <= 5;
        EXPECT_EQ(GridBoxEnabled(3, i / 9, i % 9), centre) << i;
        EXPECT_TRUE(GridBoxEnabled(9, i / 9, i % 9));
        zeros += grid[static_cast<size_t>(i)] == "0";
    }
    EXPECT_EQ(zeros, 72);
    EXPECT_EQ(grid[30], "1");
    EXPECT_EQ(grid[40], "5");
    EXPECT_EQ(grid[50], "9");
    EXPECT_EQ(EnabledWeights(3, grid), weights);
    EXPECT_EQ(EnabledWeights(7, grid).size(), 49u);
}

TEST(FilterGrid, TheCentreBoxAloneIsTheIdentity)
{
    WeightGrid grid;
    grid.fill("0");
    grid[40] = "1";
    std::vector<float> weights;
    for (const std::string& text : EnabledWeights(3, grid)) weights.push_back(ParseWeight(text));
    CImage image = MakeImage(5, 4, [](int x, int y) { return CColorVal(40 * x, 60 * y, x * y); });
    image.SetUpperLeft(1, 1, false);
    image.SetLowerRight(3, 2, false);
    const CImage before = image;
    ASSERT_EQ(image.CustomFilter(3, weights), 0);
    EXPECT_TRUE(SamePixels(image, before));
}

TEST(FilterFile, LoadKernelConvertsTheWeights)
{
    TempDir dir;
    const std::string path = dir.path("k.ftr");
    WriteBytes(path, Bytes("3\r\n1/8\r\n-1\r\n0.5\r\n0\r\n0\r\n0\r\n0\r\n0\r\n2\r\n"));
    int size = 0;
    std::vector<float> weights;
    EXPECT_EQ(LoadKernel(path, size, weights), "");
    EXPECT_EQ(size, 3);
    EXPECT_EQ(weights, (std::vector<float>{0.125f, -1, 0.5f, 0, 0, 0, 0, 0, 2}));

    WriteBytes(path, Bytes("3\r\n1\r\n1\r\n1\r\n1\r\n1/0\r\n1\r\n1\r\n1\r\n1\r\n"));
    EXPECT_EQ(LoadKernel(path, size, weights),
              path + ", weight 5: 1/0 divides by zero.  The value after the slash (/) must not be 0.");
    // A line holds up to 79 digits: far beyond single precision.
    const std::string huge = std::string(60, '9') + ".5";
    WriteBytes(path, Bytes("3\r\n" + huge + "\r\n1\r\n1\r\n1\r\n1\r\n1\r\n1\r\n1\r\n1\r\n"));
    EXPECT_EQ(LoadKernel(path, size, weights),
              path + ", weight 1: " + huge + " is too large.  A weight must lie between -3.4e38 and 3.4e38.");
    EXPECT_EQ(weights, (std::vector<float>{0.125f, -1, 0.5f, 0, 0, 0, 0, 0, 2}));
    EXPECT_EQ(LoadKernel(dir.path("k.bmp"), size, weights),
              "Error:  the selected file is not a recognized filter file.");
}
