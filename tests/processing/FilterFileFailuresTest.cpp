// Saving a filter file where it cannot go: a full device, a full file
// system, a read-only folder and a missing folder. The save reports what
// failed, and a filter file saved before is left whole.
#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <sys/stat.h>

#include "processing/FilterFile.h"
#include "support/FailingPlaces.h"
#include "support/TestFiles.h"

namespace {

const std::vector<std::uint8_t> kPrevious = {'3', '\r', '\n', '1', '\r', '\n'};
const FilterFileContents kBox{3, std::vector<std::string>(9, "1/9")};

std::string NotOpened(const std::string& path) { return "Error:  " + path + " could not be opened for output"; }
std::string NotWritten(const std::string& path) { return "Error:  " + path + " could not be written completely."; }

size_t Entries(const std::string& folder)
{
    return static_cast<size_t>(std::distance(std::filesystem::directory_iterator(folder), {}));
}

}  // namespace

TEST(FilterFileFailures, FullDeviceIsWrittenNotReplacedByAFile)
{
    TempDir dir;
    std::string reason;
    const std::string device = FullDevice(dir.root().string(), reason);
    if (device.empty()) GTEST_SKIP() << reason;
    EXPECT_EQ(SaveFilterFile(device, kBox), std::vector<std::string>{NotWritten(device)});
    struct stat st;
    ASSERT_EQ(::stat(device.c_str(), &st), 0);
    EXPECT_TRUE(S_ISCHR(st.st_mode));
}

TEST(FilterFileFailures, FullFileSystemKeepsThePreviousFile)
{
    TempDir dir;
    const std::string folder = dir.path("small");
    std::filesystem::create_directory(folder);
    SmallFileSystem fs(folder);
    if (!fs.ok()) GTEST_SKIP() << fs.reason();
    WriteBytes(folder + "/old.ftr", kPrevious);
    fs.Fill();
    // A 9 x 9 filter of long weights is more than a page that might be left.
    const FilterFileContents large{9, std::vector<std::string>(81, "0." + std::string(77, '1'))};
    for (const std::string name : {"old.ftr", "new.ftr"}) {
        const std::string path = folder + "/" + name;
        EXPECT_EQ(SaveFilterFile(path, large), std::vector<std::string>{NotWritten(path)});
        EXPECT_EQ(ReadBytes(folder + "/old.ftr"), kPrevious) << name;
        EXPECT_EQ(Entries(folder), 2u) << name << ": a temporary was left behind";  // old.ftr and the filler
    }
}

TEST(FilterFileFailures, ReadOnlyAndMissingFolders)
{
    TempDir dir;
    const std::string locked = dir.path("locked");
    std::filesystem::create_directory(locked);
    WriteBytes(locked + "/old.ftr", kPrevious);
    ReadOnlyFolder readOnly(locked);
    if (!readOnly.ok()) GTEST_SKIP() << readOnly.reason();
    for (const std::string& path : {locked + "/old.ftr", locked + "/new.ftr", dir.path("none/new.ftr")}) {
        EXPECT_EQ(SaveFilterFile(path, kBox), std::vector<std::string>{NotOpened(path)});
        EXPECT_EQ(ReadBytes(locked + "/old.ftr"), kPrevious) << path;
        EXPECT_EQ(Entries(locked), 1u) << path;
    }
}
