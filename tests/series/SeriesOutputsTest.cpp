#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <sys/resource.h>

#include "platform/UserInterface.h"
#include "series/SeriesRunFixture.h"
#include "support/TestImages.h"

namespace {

// What a test-only operation saw on each call.
struct Seen {
    int left, top, right, bottom;
    int firstImageFormat;
};
std::vector<Seen> seen;

// Pulls the AOI in by one pixel on each side and paints its new upper left corner white.
int PullIn(CImage& image, const OperationParams& params, OperationOutputs&)
{
    seen.push_back({image.aoiLeft, image.aoiTop, image.aoiRight, image.aoiBottom, params.firstImageFormat});
    image.SetUpperLeft(image.aoiLeft + 1, image.aoiTop + 1, false);
    image.SetLowerRight(image.aoiRight - 1, image.aoiBottom - 1, false);
    image.pixelValueArray[image.aoiTop][image.aoiLeft] = CColorVal(255, 255, 255);
    return 0;
}

int Fail(CImage& image, const OperationParams&, OperationOutputs&)
{
    image.pixelValueArray[0][0] = CColorVal(1, 1, 1);
    image.errorMessage = "Cannot reset AOI.  Low Pass Aborted.";
    return -1;
}

// Refuses after showing its reason, as an operation does when the user declines its question.
int Refuse(CImage&, const OperationParams&, OperationOutputs&) { platform::abortWith("Operation abandoned."); }

OperationLookup Only(const Operation& op)
{
    return [&op](const std::string& name) { return name == op.name ? &op : nullptr; };
}

}  // namespace

TEST_F(SeriesRunTest, ExtractRgbOnThreeFilesWritesTwelveFilesAndAnEmptyStemForNoExtension)
{
    AddSource("a.bmp", 2, 2, 1);
    AddSource("b.v2.bmp", 2, 2, 2);
    AddSource("plain", 2, 2, 3);
    ReadFirstImage();
    settings.operationName = "Extract RGB";

    EXPECT_EQ(Run().ending, SeriesEnding::Complete);

    EXPECT_EQ(FolderNames(out),
              (std::vector<std::string>{"_blue.bmp", "_green.bmp", "_red.bmp", "a.bmp", "a_blue.bmp", "a_green.bmp",
                                        "a_red.bmp", "b.v2.bmp", "b.v2_blue.bmp", "b.v2_green.bmp", "b.v2_red.bmp",
                                        "plain", "series_3_7_2026 14_5_9.log"}));
    // Pixel (1, 1) of b.v2.bmp is (12, 22, 6).
    EXPECT_EQ(LoadBitmap(out + "/b.v2_red.bmp").pixelValueArray[1][1], CColorVal(12, 0, 0));
    EXPECT_EQ(LoadBitmap(out + "/b.v2_green.bmp").pixelValueArray[1][1], CColorVal(0, 22, 0));
    EXPECT_EQ(LoadBitmap(out + "/b.v2_blue.bmp").pixelValueArray[1][1], CColorVal(0, 0, 6));
    EXPECT_EQ(LoadBitmap(out + "/_blue.bmp").pixelValueArray[1][1], CColorVal(0, 0, 9));
    EXPECT_EQ(ReadBytes(out + "/a.bmp"), ReadBytes(in + "/a.bmp"));  // written unchanged
}

TEST_F(SeriesRunTest, CombWritesEvenAndOddFields)
{
    AddSource("f.bmp", 2, 3);
    ReadFirstImage();
    settings.operationName = "Comb";

    EXPECT_EQ(Run().ending, SeriesEnding::Complete);

    const CImage even = LoadBitmap(out + "/f_even.bmp");
    const CImage odd = LoadBitmap(out + "/f_odd.bmp");
    // Rows 0, 0, 2 and 1, 1, 2 of the source.
    EXPECT_EQ(even.height, 3);
    EXPECT_EQ(even.pixelValueArray[1][1], CColorVal(10, 0, 0));
    EXPECT_EQ(even.pixelValueArray[2][1], CColorVal(10, 40, 0));
    EXPECT_EQ(odd.pixelValueArray[0][1], CColorVal(10, 20, 0));
    EXPECT_EQ(odd.pixelValueArray[2][1], CColorVal(10, 40, 0));
    EXPECT_EQ(ReadBytes(out + "/f.bmp"), ReadBytes(in + "/f.bmp"));
}

TEST_F(SeriesRunTest, EveryFileGetsTheFirstImagesAoiClampedWithoutNotices)
{
    AddSource("big.bmp", 6, 5);
    AddSource("small.bmp", 3, 2, 4);
    ReadFirstImage();
    settings.firstImage.SetUpperLeft(1, 1, false);
    settings.firstImage.SetLowerRight(4, 3, false);
    settings.operationName = "Crop";

    EXPECT_EQ(Run().ending, SeriesEnding::Complete);

    const CImage big = LoadBitmap(out + "/big.bmp");
    EXPECT_EQ(big.width, 4);
    EXPECT_EQ(big.height, 3);
    EXPECT_EQ(big.pixelValueArray[0][0], CColorVal(10, 20, 0));
    const CImage small = LoadBitmap(out + "/small.bmp");
    EXPECT_EQ(small.width, 2);  // AOI (1, 1)-(2, 1)
    EXPECT_EQ(small.height, 1);
    EXPECT_EQ(small.pixelValueArray[0][1], CColorVal(24, 24, 12));
    EXPECT_TRUE(ui.notices.empty());
}

TEST_F(SeriesRunTest, UnknownAndNonSeriesNamesWriteTheImageUnchanged)
{
    for (const char* name : {"No Such Operation", "RGB"}) {
        CImage grey = MakeGrey(3, 2, [](int x, int y) { return 40 * x + y; });
        SaveBitmap(grey, in + "/g.bmp");
        settings.fileList.clear();
        settings.fileCount = 0;
        settings.AddFile(in + "/g.bmp");
        ReadFirstImage();
        settings.operationName = name;
        EXPECT_EQ(Run().ending, SeriesEnding::Complete) << name;
        EXPECT_EQ(ReadBytes(out + "/g.bmp"), ReadBytes(in + "/g.bmp")) << name;
    }
}

TEST_F(SeriesRunTest, AoiKeptOperationPassesTheFirstFilesAoiOn)
{
    struct Case {
        bool aoiKept;
        int choice;
        Seen secondFile;
    };
    const Case cases[] = {
        {true, SERIES_SAVE_TO_FOLDER, {1, 1, 5, 3, FORMAT_GRAYSCALE}},
        {true, SERIES_OVERWRITE, {1, 1, 5, 3, FORMAT_GRAYSCALE}},
        {false, SERIES_SAVE_TO_FOLDER, {0, 0, 6, 4, FORMAT_GRAYSCALE}},
    };
    for (const Case& c : cases) {
        const Operation op{"Pull In", true, OfferedFor::Both, true, c.aoiKept, {}, "", PullIn};
        settings.fileList.clear();
        settings.fileCount = 0;
        AddSource("1.bmp", 7, 5);
        AddSource("2.bmp", 7, 5);
        AddSource("3.bmp", 7, 5);
        // A grayscale first image decides Bound's colour even for RGB files.
        settings.firstImage = MakeGrey(7, 5, [](int, int) { return 9; });
        settings.overwriteChoice = c.choice;
        settings.operationName = "Pull In";
        seen.clear();

        EXPECT_EQ(Run(Only(op)).ending, SeriesEnding::Complete);

        ASSERT_EQ(seen.size(), 3u);
        for (size_t i = 1; i < 3; ++i) {
            EXPECT_EQ(seen[i].left, c.secondFile.left);
            EXPECT_EQ(seen[i].top, c.secondFile.top);
            EXPECT_EQ(seen[i].right, c.secondFile.right);
            EXPECT_EQ(seen[i].bottom, c.secondFile.bottom);
            EXPECT_EQ(seen[i].firstImageFormat, FORMAT_GRAYSCALE);
        }
        const CImage& first = settings.firstImage;
        EXPECT_EQ(first.aoiLeft, c.aoiKept ? 1 : 0);
        EXPECT_EQ(first.aoiBottom, c.aoiKept ? 3 : 4);
        // Only overwrite mode copies the first result into the first image.
        EXPECT_EQ(first.format, c.choice == SERIES_OVERWRITE ? FORMAT_RGB : FORMAT_GRAYSCALE);
        EXPECT_EQ(first.pixelValueArray[1][1], c.choice == SERIES_OVERWRITE ? CColorVal(255, 255, 255) : CColorVal(9, 9, 9));
    }
}

TEST_F(SeriesRunTest, CheckedFailureEndsTheRunUncheckedIsWritten)
{
    for (const bool checked : {true, false}) {
        const Operation op{"Failing", true, OfferedFor::Both, checked, false, {}, "", Fail};
        std::filesystem::remove_all(out);
        std::filesystem::create_directory(out);
        settings.fileList.clear();
        settings.fileCount = 0;
        const std::string a = AddSource("a.bmp");
        AddSource("b.bmp");
        ReadFirstImage();
        settings.operationName = "Failing";

        const SeriesResult r = Run(Only(op));

        if (checked) {
            const std::string message = "Image Series processing aborted.\nAn error occurred while processing the file\n" +
                                        a + "\n\nCannot reset AOI.  Low Pass Aborted.";
            EXPECT_EQ(r.ending, SeriesEnding::Ended);
            EXPECT_EQ(r.message, message);
            EXPECT_EQ(FileText(LogPath()), LogHead() + "Now processing " + a + "\r\n\r\n\r\n" + Crlf(message) + "\r\n");
            EXPECT_EQ(FolderNames(out), (std::vector<std::string>{"series_3_7_2026 14_5_9.log"}));
        } else {
            EXPECT_EQ(r.ending, SeriesEnding::Complete);
            EXPECT_EQ(LoadBitmap(out + "/b.bmp").pixelValueArray[0][0], CColorVal(1, 1, 1));
        }
    }
}

TEST_F(SeriesRunTest, FailedWritesEndTheRunWithTheWritersText)
{
    struct Case {
        const char* operation;
        const char* blocked;  // a folder where a result file should go
        std::vector<std::string> written;
    };
    const Case cases[] = {
        {"Grayscale", "a.bmp", {"a.bmp", "series_3_7_2026 14_5_9.log"}},
        {"Extract RGB", "a_green.bmp", {"a_green.bmp", "a_red.bmp", "series_3_7_2026 14_5_9.log"}},
    };
    for (const Case& c : cases) {
        std::filesystem::remove_all(out);
        std::filesystem::create_directories(out + "/" + c.blocked + "/inside");
        settings.fileList.clear();
        settings.fileCount = 0;
        AddSource("a.bmp");
        AddSource("b.bmp");
        ReadFirstImage();
        settings.operationName = c.operation;

        const SeriesResult r = Run();

        const std::string target = out + "/" + c.blocked;
        EXPECT_EQ(r.ending, SeriesEnding::Ended);
        EXPECT_EQ(r.message, "Image Series processing aborted.\nAn error occurred while attempting to write the file\n" +
                                 target + "\nto disk.\n\nFailed to open file " + target +
                                 " for writing.\nCause:  Is a directory\n")
            << c.operation;
        EXPECT_EQ(FolderNames(out), c.written) << c.operation;
    }
}

TEST_F(SeriesRunTest, OverwriteModeReplacesEachSourceInItsOwnFolder)
{
    // Relative paths without a folder, and a second file from another folder.
    const std::filesystem::path cwd = std::filesystem::current_path();
    std::filesystem::current_path(in);
    CImage image = MakeImage(2, 1, [](int x, int) { return CColorVal(100 * x, 0, 0); });
    SaveBitmap(image, "a.bmp");
    std::filesystem::create_directory(dir.path("other"));
    SaveBitmap(image, dir.path("other") + "/b.bmp");
    settings.AddFile("a.bmp");
    settings.AddFile(dir.path("other") + "/b.bmp");
    ReadFirstImage();
    settings.overwriteChoice = SERIES_OVERWRITE;
    settings.outputFolder = FolderOf("a.bmp");
    settings.operationName = "Grayscale";

    const SeriesResult r = Run();
    std::filesystem::current_path(cwd);

    EXPECT_EQ(r.ending, SeriesEnding::Complete);
    EXPECT_EQ(r.logPath, "./series_3_7_2026 14_5_9.log");
    EXPECT_EQ(FolderNames(in), (std::vector<std::string>{"a.bmp", "series_3_7_2026 14_5_9.log"}));
    EXPECT_EQ(FolderNames(dir.path("other")), (std::vector<std::string>{"b.bmp"}));
    for (const std::string& path : {in + "/a.bmp", dir.path("other") + "/b.bmp"}) {
        const CImage result = LoadBitmap(path);
        EXPECT_EQ(result.format, FORMAT_GRAYSCALE);
        EXPECT_EQ(result.pixelValueArray[0][1], CColorVal(30, 30, 30));
    }
}

TEST_F(SeriesRunTest, OverwriteModeWriteFailureLeavesTheSourceIntact)
{
    const std::string a = AddSource("a.bmp", 64, 64);
    ReadFirstImage();
    settings.overwriteChoice = SERIES_OVERWRITE;
    settings.outputFolder = in;
    settings.operationName = "Grayscale";
    const std::vector<std::uint8_t> before = ReadBytes(a);

    // Files may grow to 4 KiB: the log fits, the 5 KiB grey bitmap does not.
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 4096;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const SeriesResult r = Run();
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_EQ(r.ending, SeriesEnding::Ended);
    EXPECT_EQ(r.message, "Image Series processing aborted.\nAn error occurred while attempting to write the file\n" + a +
                             "\nto disk.\n\nFailed to close archive for file " + a + ".\nCause:  File too large\n");
    EXPECT_EQ(ReadBytes(a), before);
    EXPECT_EQ(FolderNames(in), (std::vector<std::string>{"a.bmp", "series_3_7_2026 14_5_9.log"}));
}

TEST_F(SeriesRunTest, SilentAbortInsideTheOperationStopsAtThatFile)
{
    const Operation op{"Refusing", true, OfferedFor::Both, true, false, {}, "", Refuse};
    const std::string a = AddSource("a.bmp");
    AddSource("b.bmp");
    ReadFirstImage();
    settings.operationName = "Refusing";

    const SeriesResult r = Run(Only(op));

    EXPECT_EQ(r.ending, SeriesEnding::Abandoned);
    EXPECT_EQ(r.stoppedAt, a);
    EXPECT_EQ(ui.errors, (std::vector<std::string>{"Operation abandoned."}));
    EXPECT_EQ(FileText(LogPath()), LogHead() + "Now processing " + a + "\r\n");
    EXPECT_EQ(FolderNames(out), (std::vector<std::string>{"series_3_7_2026 14_5_9.log"}));
}
