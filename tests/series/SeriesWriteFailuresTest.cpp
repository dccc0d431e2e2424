// A series run whose log, results or output files cannot be written: the run
// stops with the text of what failed, and no file that was there before is
// lost or cut short.
#include <cstring>
#include <filesystem>

#include "series/SeriesRunFixture.h"
#include "support/FailingPlaces.h"
#include "support/TestImages.h"

namespace fs = std::filesystem;

namespace {

const std::string kWriteFailure = "Image Series processing aborted.\nAn error occurred while attempting to write the file\n";
const std::string kFullCause = "Cause:  No space left on device\n";

}  // namespace

class SeriesWriteFailures : public SeriesRunTest {
protected:
    // a.bmp and b.bmp to be inverted; their bytes before the run.
    void Sources()
    {
        a = AddSource("a.bmp", 4, 3, 1);
        b = AddSource("b.bmp", 4, 3, 2);
        ReadFirstImage();
        settings.operationName = "Invert";
        aBytes = ReadBytes(a);
        bBytes = ReadBytes(b);
    }
    void ExpectSourcesKept()
    {
        EXPECT_EQ(ReadBytes(a), aBytes);
        EXPECT_EQ(ReadBytes(b), bBytes);
    }
    std::string Device()
    {
        std::string reason;
        const std::string device = FullDevice(dir.root().string(), reason);
        if (device.empty()) skipReason = reason;
        return device;
    }

    std::string a, b;
    std::vector<std::uint8_t> aBytes, bBytes;
    std::string skipReason;
};

TEST_F(SeriesWriteFailures, LogOnAFullDeviceIsNotReportedComplete)
{
    const std::string device = Device();
    if (device.empty()) GTEST_SKIP() << skipReason;
    Sources();
    fs::create_symlink(device, LogPath());

    const SeriesResult r = Run();

    EXPECT_EQ(r.ending, SeriesEnding::LogNotWritten);
    EXPECT_EQ(r.confirmationText,
              confirmation + "\n\nImage Series Processing aborted.\nLog file\n" + LogPath() + "\ncould not be written completely.");
    EXPECT_EQ(FolderNames(out), std::vector<std::string>{"series_3_7_2026 14_5_9.log"});
    ExpectSourcesKept();
}

TEST_F(SeriesWriteFailures, LogThatCannotBeOpenedStartsNoRun)
{
    Sources();
    const std::string previousLog = "\r\n\r\nan earlier run\r\n";
    WriteBytes(LogPath(), std::vector<std::uint8_t>(previousLog.begin(), previousLog.end()));
    ReadOnlyFolder readOnly(out);
    if (!readOnly.ok()) GTEST_SKIP() << readOnly.reason();
    for (const std::string& folder : {out, out + "/none"}) {
        settings.outputFolder = folder;
        const SeriesResult r = Run();
        EXPECT_EQ(r.ending, SeriesEnding::LogNotOpened) << folder;
        EXPECT_EQ(r.confirmationText, confirmation + "\n\nImage Series Processing aborted.\nLog file\n" + folder +
                                          "/series_3_7_2026 14_5_9.log\ncould not be opened for output.");
        EXPECT_EQ(FileText(LogPath()), previousLog) << folder;
        ExpectSourcesKept();
    }
}

TEST_F(SeriesWriteFailures, FullOutputFileSystemKeepsEarlierResults)
{
    SmallFileSystem small(out);
    if (!small.ok()) GTEST_SKIP() << small.reason();
    Sources();
    const std::vector<std::uint8_t> earlier = {'B', 'M', 'e', 'a', 'r', 'l', 'i', 'e', 'r'};
    WriteBytes(out + "/a.bmp", earlier);
    small.Fill();

    const SeriesResult r = Run();

    // The log is the first thing that cannot be written.
    EXPECT_EQ(r.ending, SeriesEnding::LogNotWritten);
    EXPECT_EQ(r.confirmationText,
              confirmation + "\n\nImage Series Processing aborted.\nLog file\n" + LogPath() + "\ncould not be written completely.");
    EXPECT_EQ(ReadBytes(out + "/a.bmp"), earlier);
    ExpectSourcesKept();
}

TEST_F(SeriesWriteFailures, OutputsAndResultsThatCannotBeWritten)
{
    const std::string device = Device();
    if (device.empty()) GTEST_SKIP() << skipReason;
    struct Case {
        const char* name;
        const char* operation;
        std::string resultsFile;
        std::string blocked;  // an output name that leads to the full device
        std::string message;
    };
    const std::string outA = out + "/a.bmp";
    const std::string inA = in + "/a.bmp";
    const Case cases[] = {
        {"result on a full device", "Invert", "", "a.bmp",
         kWriteFailure + outA + "\nto disk.\n\nFailed to close archive for file " + outA + ".\n" + kFullCause},
        {"plane on a full device", "Extract RGB", "", "a_green.bmp",
         kWriteFailure + out + "/a_green.bmp\nto disk.\n\nFailed to close archive for file " + out + "/a_green.bmp.\n" +
             kFullCause},
        {"results file on a full device", "Find Objects", "objects.dat", "objects_a.dat",
         "Image Series processing aborted.\nAn error occurred while processing the file\n" + inA + "\n\n" + out +
             "/objects_a.dat could not be written completely."},
        {"combined results on a full device", "Find Objects", dir.path("none/objects.dat"), "objects_all.csv",
         kWriteFailure + out + "/objects_all.csv\nto disk.\n\nThe file could not be written completely."},
    };
    for (const Case& c : cases) {
        fs::remove_all(out);
        fs::create_directory(out);
        settings.fileList.clear();
        settings.fileCount = 0;
        Sources();
        settings.operationName = c.operation;
        settings.params.resultsFile = c.resultsFile;
        if (!c.blocked.empty()) fs::create_symlink(device, out + "/" + c.blocked);

        const SeriesResult r = Run();

        EXPECT_EQ(r.ending, SeriesEnding::Ended) << c.name;
        EXPECT_EQ(r.message, c.message) << c.name;
        EXPECT_EQ(FileText(LogPath()), LogHead() + Crlf("Now processing " + a + "\n\n\n" + c.message + "\n")) << c.name;
        ExpectSourcesKept();
    }
}

TEST_F(SeriesWriteFailures, OverwriteIntoAReadOnlyFolderKeepsThatSource)
{
    const std::string locked = dir.path("locked");
    fs::create_directory(locked);
    a = AddSource("a.bmp", 4, 3, 1);
    CImage image = MakeImage(4, 3, [](int x, int y) { return CColorVal(x, y, 5); });
    SaveBitmap(image, locked + "/b.bmp");
    b = locked + "/b.bmp";
    settings.AddFile(b);
    ReadFirstImage();
    settings.operationName = "Invert";
    settings.overwriteChoice = SERIES_OVERWRITE;
    settings.outputFolder = in;
    aBytes = ReadBytes(a);
    bBytes = ReadBytes(b);
    ReadOnlyFolder readOnly(locked);
    if (!readOnly.ok()) GTEST_SKIP() << readOnly.reason();

    const SeriesResult r = Run();

    EXPECT_EQ(r.ending, SeriesEnding::Ended);
    EXPECT_EQ(r.message, kWriteFailure + b + "\nto disk.\n\nFailed to open file " + b + " for writing.\nCause:  " +
                             std::strerror(readOnly.cause()) + "\n");
    EXPECT_EQ(ReadBytes(b), bBytes);
    EXPECT_NE(ReadBytes(a), aBytes) << "the first source was replaced by its result";
}
