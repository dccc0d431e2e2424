#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "series/ConfirmationText.h"
#include "series/SeriesRunFixture.h"
#include "support/TestImages.h"

namespace {

const char* const kStars = "***************************************************";

}  // namespace

TEST_F(SeriesRunTest, CompleteRunWritesResultsLogAndCallsBackInOrder)
{
    const std::string a = AddSource("a.bmp", 3, 2);
    const std::string b = AddSource("b.bmp", 3, 2, 5);
    ReadFirstImage();
    settings.operationName = "Grayscale";

    const SeriesResult r = Run();

    EXPECT_EQ(r.ending, SeriesEnding::Complete);
    EXPECT_EQ(r.logPath, out + "/series_3_7_2026 14_5_9.log");
    EXPECT_EQ(confirmation, "Requested procedure:\n\tGrayscale\nOutput location:\n\t" + out +
                                "\n\nFiles: 2\nA file that cannot be read ends the run.");
    EXPECT_EQ(r.confirmationText, "Image series processing complete.\n\nSee log file:\n" + r.logPath +
                                      "\nfor details.\n\nPress BACK to perform further image processing or\n"
                                      "Press FINISH to exit the Image Series Wizard.");
    EXPECT_EQ(FileText(r.logPath), std::string("\r\n\r\n") + kStars + "\r\nRequested procedure:\r\n\tGrayscale\r\n" +
                                       "Output location:\r\n\t" + out + "\r\n\r\nFiles: " + std::to_string(settings.fileCount) +
                                       "\r\nA file that cannot be read ends the run.\r\n\r\nNow processing " + a +
                                       "\r\nNow processing " + b + "\r\n\r\nImage series processing complete.\r\n");
    const std::vector<std::string> expectedEvents = {
        "running", "status:", "text:" + confirmation, "dispatch:10", "status:Now processing " + a, "file:0:" + a,
        "dispatch:10", "status:Now processing " + b, "file:1:" + b, "text:" + r.confirmationText, "status:",
        "idle"};
    EXPECT_EQ(events, expectedEvents);
    EXPECT_EQ(progress, (std::vector<int>{0, 50, 100}));
    EXPECT_EQ(ui.waitCount, 1);
    EXPECT_EQ(ui.waitDepth, 0);
    EXPECT_TRUE(ui.errors.empty());
    EXPECT_EQ(FolderNames(out), (std::vector<std::string>{"a.bmp", "b.bmp", "series_3_7_2026 14_5_9.log"}));

    const CImage result = LoadBitmap(out + "/b.bmp");
    EXPECT_EQ(result.format, FORMAT_GRAYSCALE);
    // (25, 25, 15) and (5, 5, 15): round(0.299 R + 0.587 G + 0.114 B)
    EXPECT_EQ(result.pixelValueArray[1][2], CColorVal(24, 24, 24));
    EXPECT_EQ(result.pixelValueArray[0][0], CColorVal(6, 6, 6));
}

TEST_F(SeriesRunTest, ProgressIsTruncatedAndReachesHundredAtTheLastFile)
{
    const std::vector<std::pair<int, std::vector<int>>> cases = {
        {1, {0, 100}},
        {3, {0, 33, 66, 100}},
        {7, {0, 14, 28, 42, 57, 71, 85, 100}},
    };
    for (const auto& [count, expected] : cases) {
        settings.fileList.clear();
        settings.fileCount = 0;
        progress.clear();
        for (int i = 0; i < count; ++i) AddSource(std::to_string(i) + ".bmp", 2, 2, i);
        ReadFirstImage();
        settings.operationName = "Grayscale";
        EXPECT_EQ(Run().ending, SeriesEnding::Complete);
        EXPECT_EQ(progress, expected) << count;
    }
}

TEST_F(SeriesRunTest, AbortStopsBeforeTheNextFileIsReadAndNamesIt)
{
    const std::string a = AddSource("a.bmp");
    const std::string b = AddSource("b.bmp");
    AddSource("c.bmp");
    ReadFirstImage();
    settings.operationName = "Grayscale";
    int dispatches = 0;
    // The Abort button is pressed while the first file is processed.
    callbacks.dispatchMessages = [&](int) {
        if (++dispatches == 2) settings.abortRequest = true;
    };

    const SeriesResult r = Run();

    const std::string message = "Image Series processing canceled by user at file " + b;
    EXPECT_EQ(r.ending, SeriesEnding::Ended);
    EXPECT_EQ(r.message, message);
    EXPECT_FALSE(settings.abortRequest);
    EXPECT_EQ(r.confirmationText, confirmation + "\n\n" + message + "\n\nSee log file:\n" + LogPath() + "\nfor details.\n");
    EXPECT_EQ(FileText(LogPath()), LogHead() + "Now processing " + a + "\r\n\r\n\r\n" + message + "\r\n");
    EXPECT_EQ(FolderNames(out), (std::vector<std::string>{"a.bmp", "series_3_7_2026 14_5_9.log"}));
    EXPECT_EQ(progress, (std::vector<int>{0, 33}));
}

TEST_F(SeriesRunTest, ReadFailureEndsTheRunWithTheReadersText)
{
    const std::string a = AddSource("a.bmp");
    const std::string missing = in + "/gone.bmp";
    settings.AddFile(missing);
    AddSource("c.bmp");
    ReadFirstImage();
    settings.operationName = "Grayscale";

    const SeriesResult r = Run();

    const std::string message = "Image Series processing aborted.\nAn error occurred while attempting to read the file\n" +
                                missing + "\nfrom disk.\n\nFailed to open file " + missing +
                                " for reading.\nCause:  No such file or directory\n";
    EXPECT_EQ(r.ending, SeriesEnding::Ended);
    EXPECT_EQ(r.message, message);
    EXPECT_EQ(FileText(LogPath()), std::string("\r\n\r\n") + kStars + "\r\nRequested procedure:\r\n\tGrayscale\r\n" +
                                       "Output location:\r\n\t" + out + "\r\n\r\nFiles: " + std::to_string(settings.fileCount) +
                                       "\r\nA file that cannot be read ends the run.\r\n\r\nNow processing " + a +
                                       "\r\n\r\n\r\nImage Series processing aborted.\r\nAn error occurred while "
                                       "attempting to read the file\r\n" +
                                       missing + "\r\nfrom disk.\r\n\r\nFailed to open file " + missing +
                                       " for reading.\r\nCause:  No such file or directory\r\n\r\n");
    EXPECT_EQ(r.confirmationText, confirmation + "\n\n" + message + "\n\nSee log file:\n" + LogPath() + "\nfor details.\n");
    EXPECT_EQ(FolderNames(out), (std::vector<std::string>{"a.bmp", "series_3_7_2026 14_5_9.log"}));
}

TEST_F(SeriesRunTest, ReaderRefusalEndsTheRunOrIsSkipped)
{
    const std::string a = AddSource("a.bmp");
    const std::string bad = in + "/bad.bmp";
    // A broken bitmap: its refusal names it, as the other readers' do.
    WriteBytes(bad, {'B', 'M', 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14});
    const std::string refusal = "Failed to read image " + bad + ".\nFailed to read bitmap info header";
    const std::string oneLine = "Failed to read image " + bad + ". Failed to read bitmap info header";
    settings.AddFile(bad);
    const std::string c = AddSource("c.bmp");
    ReadFirstImage();
    settings.operationName = "Grayscale";

    for (bool skip : {false, true}) {
        SCOPED_TRACE(skip);
        settings.skipUnreadable = skip;
        events.clear();
        std::filesystem::remove(LogPath());
        const SeriesResult r = Run();
        // The reader's box is not shown: its text goes into the log and the page's text.
        EXPECT_TRUE(ui.errors.empty());
        std::vector<std::string> statuses;
        for (const std::string& e : events)
            if (e.rfind("status:", 0) == 0) statuses.push_back(e.substr(7));
        if (!skip) {
            const std::string message = "Image Series processing aborted.\nAn error occurred while attempting to read "
                                        "the file\n" + bad + "\nfrom disk.\n\n" + refusal;
            EXPECT_EQ(r.ending, SeriesEnding::Ended);
            EXPECT_EQ(r.confirmationText,
                      confirmation + "\n\n" + message + "\n\nSee log file:\n" + LogPath() + "\nfor details.\n");
            EXPECT_EQ(FileText(LogPath()), LogHead() + Crlf("Now processing " + a + "\n\n\n" + message + "\n"));
            // The status named the refused file while it was read.
            EXPECT_EQ(statuses, (std::vector<std::string>{"", "Now processing " + a, "Now processing " + bad, ""}));
            EXPECT_EQ(FolderNames(out), (std::vector<std::string>{"a.bmp", "series_3_7_2026 14_5_9.log"}));
        } else {
            EXPECT_EQ(r.ending, SeriesEnding::Complete);
            EXPECT_EQ(r.skipped, (std::vector<std::pair<std::string, std::string>>{{bad, oneLine}}));
            EXPECT_EQ(r.confirmationText,
                      CompleteText(LogPath()) + "\n\n1 file could not be read and was skipped; the log names it.");
            EXPECT_EQ(FileText(LogPath()), LogHead() + Crlf("Now processing " + a + "\nSkipped " + bad +
                                                            ": " + oneLine + "\nNow processing " + c +
                                                            "\n\nImage series processing complete.\n"));
            EXPECT_EQ(FolderNames(out), (std::vector<std::string>{"a.bmp", "c.bmp", "series_3_7_2026 14_5_9.log"}));
        }
        EXPECT_EQ(events.back(), "idle");
        EXPECT_EQ(ui.waitDepth, 0);
    }
}

TEST_F(SeriesRunTest, LogThatCannotBeOpenedTouchesNothing)
{
    AddSource("a.bmp");
    ReadFirstImage();
    settings.operationName = "Grayscale";
    settings.outputFolder = dir.path("no such folder");
    const std::vector<std::uint8_t> before = ReadBytes(in + "/a.bmp");

    const SeriesResult r = Run();

    const std::string logPath = dir.path("no such folder") + "/series_3_7_2026 14_5_9.log";
    EXPECT_EQ(r.ending, SeriesEnding::LogNotOpened);
    EXPECT_EQ(r.logPath, logPath);
    EXPECT_EQ(r.confirmationText,
              confirmation + "\n\nImage Series Processing aborted.\nLog file\n" + logPath + "\ncould not be opened for output.");
    const std::vector<std::string> expectedEvents = {"running", "status:", "text:" + confirmation,
                                                     "text:" + r.confirmationText, "status:", "idle"};
    EXPECT_EQ(events, expectedEvents);
    EXPECT_EQ(FolderNames(in), (std::vector<std::string>{"a.bmp"}));
    EXPECT_EQ(ReadBytes(in + "/a.bmp"), before);
    EXPECT_TRUE(FolderNames(out).empty());
}

TEST_F(SeriesRunTest, LogOfTheSameSecondGrowsAndAnEmptyListCompletesAtOnce)
{
    settings.operationName = "Comb";
    EXPECT_EQ(Run().ending, SeriesEnding::Complete);
    const std::string once = LogHead() + "\r\nImage series processing complete.\r\n";
    EXPECT_EQ(FileText(LogPath()), once);
    EXPECT_EQ(progress, (std::vector<int>{0}));

    // A list without a line end holds no complete path.
    settings.fileList = in + "/a.bmp";
    settings.fileCount = 1;
    EXPECT_EQ(Run().ending, SeriesEnding::Complete);
    EXPECT_EQ(FileText(LogPath()), once + LogHead() + "\r\nImage series processing complete.\r\n");
}

// Grows with the operation table: every series operation runs headless on the
// image type it is offered for, completes and is logged.
TEST_F(SeriesRunTest, EveryTableOperationRunsHeadless)
{
    for (const Operation& op : OperationTable()) {
        if (!op.inSeries) continue;
        std::filesystem::remove_all(out);
        std::filesystem::create_directory(out);
        settings.fileList.clear();
        settings.fileCount = 0;
        for (const char* name : {"1.bmp", "2.bmp"}) {
            CImage image = op.offered == OfferedFor::Grayscale
                               ? MakeGrey(32, 24, [](int x, int y) { return (x * 7 + y * 13) % 256; })
                               : MakeImage(32, 24, [](int x, int y) { return CColorVal(x * 8, y * 10, 255 - x * 3); });
            SaveBitmap(image, in + "/" + name);
            settings.AddFile(in + "/" + name);
        }
        ReadFirstImage();
        settings.operationName = op.name;
        settings.params.resultsFile = dir.path("objects.dat");

        const SeriesResult r = Run();

        EXPECT_EQ(r.ending, SeriesEnding::Complete) << op.name << ": " << r.confirmationText;
        // Find Objects' results are its files; the images stay as they were, uncopied.
        const bool copies = std::string(op.name) != "Find Objects";
        EXPECT_EQ(Exists(out + "/1.bmp"), copies) << op.name;
        EXPECT_EQ(Exists(out + "/2.bmp"), copies) << op.name;
        const std::string log = FileText(LogPath());
        const std::string results =
            std::string(op.name) == "Find Objects" ? "Results written to " + out + "/objects_2.dat\r\n" : "";
        const std::string ending =
            "Now processing " + in + "/2.bmp\r\n" + results + "\r\nImage series processing complete.\r\n";
        EXPECT_EQ(log.substr(log.size() - std::min(log.size(), ending.size())), ending) << op.name;
    }
}

TEST_F(SeriesRunTest, FindObjectsKeepsEveryImagesResults)
{
    // Three images with one, two and no objects.
    for (int k = 0; k < 3; ++k) {
        // Squares of 4 x 4 at x 1..4 (images 0 and 1) and 7..10 (image 1).
        CImage image = MakeGrey(12, 6, [k](int x, int y) {
            const bool row = y >= 1 && y <= 4;
            return row && ((k < 2 && x >= 1 && x <= 4) || (k == 1 && x >= 7 && x <= 10)) ? 200 : 0;
        });
        SaveBitmap(image, in + "/p" + std::to_string(k) + ".bmp");
        settings.AddFile(in + "/p" + std::to_string(k) + ".bmp");
    }
    ReadFirstImage();
    settings.operationName = "Find Objects";
    settings.params.resultsFile = "/elsewhere/objects.dat";
    settings.params.metricMask = METRIC_AREA;
    settings.params.background = 0;
    settings.params.overlayFile = "outline.png";
    const SeriesResult r = Run();
    ASSERT_EQ(r.ending, SeriesEnding::Complete) << r.confirmationText;
    // Each image's overlay in a file of its own, in the format its name asks for.
    for (const char* name : {"/outline_p0.png", "/outline_p1.png", "/outline_p2.png"})
        EXPECT_EQ(FileText(out + name).rfind("\x89PNG", 0), 0u) << name;
    EXPECT_EQ(FileText(out + "/objects_p0.dat"), "#id,x,y,area\r\n1,2.5,2.5,16\r\n");
    EXPECT_EQ(FileText(out + "/objects_p1.dat"), "#id,x,y,area\r\n1,2.5,2.5,16\r\n2,8.5,2.5,16\r\n");
    EXPECT_EQ(FileText(out + "/objects_p2.dat"), "");
    EXPECT_EQ(FileText(out + "/objects_all.csv"),
              "image,#id,x,y,area\r\np0.bmp,1,2.5,2.5,16\r\np1.bmp,1,2.5,2.5,16\r\np1.bmp,2,8.5,2.5,16\r\n");
    EXPECT_EQ(r.combinedTables, std::vector<std::string>{out + "/objects_all.csv"});  // for the Results window
    EXPECT_NE(FileText(LogPath()).find("Results written to " + out + "/objects_p1.dat\r\n"), std::string::npos);
    EXPECT_FALSE(Exists(out + "/p0.bmp") || Exists(out + "/p1.bmp") || Exists(out + "/p2.bmp"));
}

TEST_F(SeriesRunTest, CombinedTableHasOneHeaderWhateverTheImages)
{
    // A grey image, an RGB one and a calibrated grey one, each with a 4 x 4 square.
    const auto square = [](int x, int y) { return x >= 1 && x <= 4 && y >= 1 && y <= 4; };
    CImage grey = MakeGrey(6, 6, [&](int x, int y) { return square(x, y) ? 200 : 0; });
    SaveBitmap(grey, in + "/blob, one.bmp");
    CImage rgb = MakeImage(6, 6, [&](int x, int y) { return square(x, y) ? CColorVal(90, 60, 30) : CColorVal(); });
    SaveBitmap(rgb, in + "/two.bmp");
    CImage calibrated = MakeGrey(6, 6, [&](int x, int y) { return square(x, y) ? 100 : 0; });
    calibrated.xPixelsPerMetre = calibrated.yPixelsPerMetre = 2000000;  // 0.5 um
    SaveBitmap(calibrated, in + "/three.png");
    for (const char* name : {"blob, one.bmp", "two.bmp", "three.png"}) settings.AddFile(in + "/" + name);
    ReadFirstImage();
    settings.operationName = "Find Objects";
    settings.params.resultsFile = "objects.dat";
    settings.params.metricMask = METRIC_AREA | METRIC_COLOR;
    settings.params.background = 0;
    ASSERT_EQ(Run().ending, SeriesEnding::Complete);
    EXPECT_EQ(FileText(out + "/objects_all.csv"),
              "image,#id,x,y,area,rMin,rMax,rAvg,rDev,gMin,gMax,gAvg,gDev,bMin,bMax,bAvg,bDev,x_um,y_um,area_um2\r\n"
              "\"blob, one.bmp\",1,2.5,2.5,16,,,,,200,200,200.0,0.0,,,,,,,\r\n"
              "two.bmp,1,2.5,2.5,16,90,90,90.0,0.0,60,60,60.0,0.0,30,30,30.0,0.0,,,\r\n"
              "three.png,1,2.5,2.5,16,,,,,100,100,100.0,0.0,,,,,1.25,1.25,4\r\n");
}

TEST_F(SeriesRunTest, FilesOfOtherSizesAreWholeUnlessAnAoiIsGiven)
{
    AddSource("small.bmp", 4, 3);
    AddSource("large.bmp", 8, 6);
    AddSource("tiny.bmp", 2, 2);
    ReadFirstImage();
    settings.operationName = "Invert";
    ASSERT_EQ(Run().ending, SeriesEnding::Complete);
    EXPECT_EQ(LoadBitmap(out + "/large.bmp").pixelValueArray[5][7], CColorVal(255 - 70, 255 - 100, 255));
    EXPECT_EQ(confirmation.substr(confirmation.find("\nArea")), "\nArea of interest:\n\tthe whole of each image\n\n"
                                                                "Files: 3\nA file that cannot be read ends the run.");

    // An AOI given for the run: clamped on each file, and named in the log where it covers part of one.
    settings.aoiGiven = true;
    settings.firstImage.SetLowerRight(2, 2, false);
    std::filesystem::remove(LogPath());
    ASSERT_EQ(Run().ending, SeriesEnding::Complete);
    EXPECT_EQ(LoadBitmap(out + "/large.bmp").pixelValueArray[5][7], CColorVal(70, 100, 0));
    const std::string log = FileText(LogPath());
    EXPECT_NE(log.find("The AOI covers part of " + in + "/large.bmp (8 x 6): (0, 0) - (2, 2)\r\n"), std::string::npos);
    EXPECT_EQ(log.find("covers part of " + in + "/tiny.bmp"), std::string::npos);

    // One wholly outside a file ends the run there.
    settings.firstImage.SetUpperLeft(3, 0, false);
    settings.firstImage.SetLowerRight(3, 2, false);
    std::filesystem::remove(LogPath());
    const SeriesResult r = Run();
    EXPECT_EQ(r.ending, SeriesEnding::Ended);
    EXPECT_EQ(r.message, "Image Series processing aborted.\nAn error occurred while processing the file\n" + in +
                             "/tiny.bmp\n\nThe AOI (3, 0) - (3, 2) lies wholly outside the 2 x 2 image.");
}

TEST_F(SeriesRunTest, AnAnswerThatPullsTheAoiInIsLogged)
{
    AddSource("a.bmp", 6, 5);
    ReadFirstImage();
    settings.operationName = "Low Pass Filter";
    ASSERT_EQ(Run().ending, SeriesEnding::Complete);
    EXPECT_NE(FileText(LogPath()).find("The AOI of " + in + "/a.bmp became (1, 1) - (4, 3) after the answers:\r\n"
                                       "The current filter size is 3x3."),
              std::string::npos);
}
