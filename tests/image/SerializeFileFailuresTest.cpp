// Writing a bitmap where it cannot go: a full device, a full file system, a
// read-only folder and a missing folder. Each reports the text of the stage
// that failed, and a file that was there before is left as it was.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <sys/stat.h>

#include "image/Image.h"
#include "support/FailingPlaces.h"
#include "support/TestFiles.h"
#include "support/TestImages.h"

namespace {

struct Outcome {
    int rc = 0;
    std::string message;
    bool causeValid = false;
    int cause = 0;
};

Outcome Write(int width, const std::string& path)
{
    CImage image = MakeImage(width, 20, [](int x, int y) { return CColorVal(x, y, 9); });
    Outcome o;
    o.rc = image.SerializeFile(true, path, false, o.message, o.causeValid, o.cause);
    return o;
}

const std::vector<std::uint8_t> kPrevious = {'B', 'M', 'o', 'l', 'd'};

// A 2-pixel-wide image stays within the archive's buffer until it closes;
// a 100-pixel-wide one fills it while the image is written.
constexpr int kSmall = 2;
constexpr int kLarge = 100;

}  // namespace

TEST(SerializeFileFailures, FullDeviceIsWrittenNotReplacedByAFile)
{
    TempDir dir;
    std::string reason;
    const std::string device = FullDevice(dir.root().string(), reason);
    if (device.empty()) GTEST_SKIP() << reason;
    const struct {
        int width;
        std::string message;
    } cases[] = {
        {kSmall, "Failed to close archive for file " + device + ".\nCause:  No space left on device\n"},
        {kLarge, "CImage::Serialize() failed for file " + device + ".\nCause:  No space left on device\n"},
    };
    for (const auto& c : cases) {
        const Outcome o = Write(c.width, device);
        EXPECT_EQ(o.rc, -1) << c.width;
        EXPECT_EQ(o.message, c.message);
        EXPECT_TRUE(o.causeValid) << c.width;
        EXPECT_EQ(o.cause, ENOSPC) << c.width;
        // The device is written, never replaced by a file.
        struct stat st;
        ASSERT_EQ(::stat(device.c_str(), &st), 0);
        EXPECT_TRUE(S_ISCHR(st.st_mode)) << c.width;
    }
}

TEST(SerializeFileFailures, FullFileSystemKeepsThePreviousFile)
{
    TempDir dir;
    const std::string folder = dir.path("small");
    std::filesystem::create_directory(folder);
    SmallFileSystem fs(folder);
    if (!fs.ok()) GTEST_SKIP() << fs.reason();
    WriteBytes(folder + "/old.bmp", kPrevious);
    fs.Fill();
    const struct {
        const char* name;
        int width;
        std::string message;
    } cases[] = {
        {"old.bmp", kSmall, "Failed to close archive for file " + folder + "/old.bmp.\nCause:  No space left on device\n"},
        {"old.bmp", kLarge, "CImage::Serialize() failed for file " + folder + "/old.bmp.\nCause:  No space left on device\n"},
        {"new.bmp", kLarge, "CImage::Serialize() failed for file " + folder + "/new.bmp.\nCause:  No space left on device\n"},
    };
    for (const auto& c : cases) {
        const Outcome o = Write(c.width, folder + "/" + c.name);
        EXPECT_EQ(o.rc, -1) << c.name;
        EXPECT_EQ(o.message, c.message);
        EXPECT_EQ(o.cause, ENOSPC) << c.name;
        EXPECT_EQ(ReadBytes(folder + "/old.bmp"), kPrevious) << c.name;
        // No temporary is left behind.
        int entries = 0;
        for (const auto& entry : std::filesystem::directory_iterator(folder)) entries += entry.exists();
        EXPECT_EQ(entries, 2) << c.name;  // old.bmp and the filler
    }
}

TEST(SerializeFileFailures, ReadOnlyAndMissingFolders)
{
    TempDir dir;
    const std::string locked = dir.path("locked");
    std::filesystem::create_directory(locked);
    WriteBytes(locked + "/old.bmp", kPrevious);
    ReadOnlyFolder readOnly(locked);
    if (!readOnly.ok()) GTEST_SKIP() << readOnly.reason();
    const std::string roCause = std::strerror(readOnly.cause());
    const struct {
        std::string path;
        std::string message;
        int cause;
    } cases[] = {
        {locked + "/old.bmp", "Failed to open file " + locked + "/old.bmp for writing.\nCause:  " + roCause + "\n",
         readOnly.cause()},
        {locked + "/new.bmp", "Failed to open file " + locked + "/new.bmp for writing.\nCause:  " + roCause + "\n",
         readOnly.cause()},
        {dir.path("none/new.bmp"),
         "Failed to open file " + dir.path("none/new.bmp") + " for writing.\nCause:  No such file or directory\n",
         ENOENT},
    };
    for (const auto& c : cases) {
        const Outcome o = Write(kLarge, c.path);
        EXPECT_EQ(o.rc, -1) << c.path;
        EXPECT_EQ(o.message, c.message);
        EXPECT_TRUE(o.causeValid) << c.path;
        EXPECT_EQ(o.cause, c.cause) << c.path;
        EXPECT_EQ(ReadBytes(locked + "/old.bmp"), kPrevious) << c.path;
        EXPECT_FALSE(Exists(locked + "/new.bmp")) << c.path;
    }
}
