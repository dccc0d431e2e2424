// The results file of Find Objects where it cannot be written: the run fails
// with its text, and a results file from an earlier run is left whole.
#include <gtest/gtest.h>

#include <filesystem>

#include "image/Image.h"
#include "objects/Sketch.h"
#include "support/FailingPlaces.h"
#include "support/TestFiles.h"

namespace {

const std::vector<std::uint8_t> kPrevious = {'#', 'i', 'd', ',', 'x', ',', 'y', '\r', '\n'};

// Fails unless the run failed with message and kept no objects of its own.
void ExpectFailure(const std::string& path, const std::string& message)
{
    CImage image = Sketch({"......", ".####.", "......"});
    EXPECT_EQ(image.CentroidDetermination(path, METRIC_ALL, 0), -1) << path;
    EXPECT_EQ(image.errorMessage, message);
    EXPECT_EQ(image.ObjectCount(), 0) << path;
}

}  // namespace

TEST(ResultsFileFailures, FullDevice)
{
    TempDir dir;
    std::string reason;
    const std::string device = FullDevice(dir.root().string(), reason);
    if (device.empty()) GTEST_SKIP() << reason;
    ExpectFailure(device, device + " could not be written completely.");
}

TEST(ResultsFileFailures, FullFileSystemDoesNotTruncateThePreviousFile)
{
    TempDir dir;
    const std::string folder = dir.path("small");
    std::filesystem::create_directory(folder);
    SmallFileSystem fs(folder);
    if (!fs.ok()) GTEST_SKIP() << fs.reason();
    WriteBytes(folder + "/objects.dat", kPrevious);
    fs.Fill();
    ExpectFailure(folder + "/objects.dat", folder + "/objects.dat could not be written completely.");
    EXPECT_EQ(ReadBytes(folder + "/objects.dat"), kPrevious);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), std::filesystem::directory_iterator()), 2)
        << "a temporary was left behind";
}

TEST(ResultsFileFailures, ReadOnlyAndMissingFolders)
{
    TempDir dir;
    const std::string locked = dir.path("locked");
    std::filesystem::create_directory(locked);
    WriteBytes(locked + "/objects.dat", kPrevious);
    ReadOnlyFolder readOnly(locked);
    if (!readOnly.ok()) GTEST_SKIP() << readOnly.reason();
    for (const std::string& path : {locked + "/objects.dat", locked + "/new.dat", dir.path("none/objects.dat")}) {
        ExpectFailure(path, path + " could not be opened for output.");
        EXPECT_EQ(ReadBytes(locked + "/objects.dat"), kPrevious) << path;
        EXPECT_FALSE(Exists(locked + "/new.dat")) << path;
    }
}
