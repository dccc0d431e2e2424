// Large images: a 16000 x 12000 RGB bitmap goes through open, an operation,
// the undo snapshot and save; a header announcing more pixels than memory
// can hold is refused with the sizes before any pixel memory is taken.
#include <gtest/gtest.h>

#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/statvfs.h>
#include <unistd.h>

#include "image/Image.h"
#include "platform/Memory.h"
#include "support/FakeUserInterface.h"
#include "support/TestFiles.h"
#include "support/TestImages.h"

namespace {

constexpr std::uint64_t MiB = 1024 * 1024;

// A 24-bit bitmap of width x height whose pixel data is a hole: the file
// has its full length without taking the disk space.
void WriteSparseBitmap(const std::string& path, int width, int height)
{
    BitmapSpec spec;
    spec.width = 1;
    spec.height = 1;
    spec.pixels = {0};
    std::vector<std::uint8_t> bytes = BitmapBytes(spec);
    bytes.resize(54);
    for (int i = 0; i < 4; ++i) {
        bytes[18 + i] = static_cast<std::uint8_t>(width >> (8 * i));
        bytes[22 + i] = static_cast<std::uint8_t>(height >> (8 * i));
    }
    WriteBytes(path, bytes);
    const std::uint64_t rowBytes = (std::uint64_t(width) * 24 + 31) / 32 * 4;
    ASSERT_EQ(::truncate(path.c_str(), static_cast<off_t>(54 + rowBytes * std::uint64_t(height))), 0);
}

struct MemoryLimit {
    explicit MemoryLimit(std::uint64_t bytes) { platform::LimitAvailableMemory(bytes); }
    ~MemoryLimit() { platform::LimitAvailableMemory(0); }
};

bool SamePixels(const CImage& a, const CImage& b)
{
    return a.pixelValueArray.size() == b.pixelValueArray.size() &&
           std::memcmp(a.pixelValueArray.data(), b.pixelValueArray.data(), a.pixelValueArray.size() * sizeof(CColorVal)) == 0;
}

int Serialize(CImage& image, bool write, const std::string& path, std::string& message)
{
    bool causeValid = false;
    int cause = 0;
    return image.SerializeFile(write, path, false, message, causeValid, cause);
}

}  // namespace

TEST(LargeImage, HeaderBeyondAvailableMemoryIsRefusedWithTheSizes)
{
    TempDir dir;
    const struct {
        int width, height;
        std::uint64_t limitMiB;
        const char* refusal;  // nullptr: the file opens
    } cases[] = {
        {30000, 20000, 1024,
         "Unable to allocate memory for pixelValueArray.\n"
         "The 30000 x 20000 bitmap needs 1717 MB of memory, but only 1024 MB are available."},
        {46000, 46000, 4096,
         "Unable to allocate memory for pixelValueArray.\n"
         "The 46000 x 46000 bitmap needs 6055 MB of memory, but only 4096 MB are available."},
        {5000, 5000, 100, nullptr},
        {5000, 5000, 70,
         "Unable to allocate memory for pixelValueArray.\n"
         "The 5000 x 5000 bitmap needs 72 MB of memory, but only 70 MB are available."},
    };
    for (const auto& c : cases) {
        const std::string path = dir.path("large.bmp");
        WriteSparseBitmap(path, c.width, c.height);
        FakeUserInterface ui;
        MemoryLimit limit(c.limitMiB * MiB);
        CImage image = MakeImage(3, 2, [](int x, int y) { return CColorVal(x, y, 1); });
        const CImage before = image;
        std::string message;
        bool refused = false;
        try {
            EXPECT_EQ(Serialize(image, false, path, message), 0) << message;
        } catch (const platform::UserAbort&) {
            refused = true;
        }
        if (c.refusal) {
            EXPECT_TRUE(refused) << c.width;
            EXPECT_EQ(ui.errors, std::vector<std::string>{"Failed to read image " + path + ".\n" + c.refusal});
            EXPECT_EQ(image.width, 3) << c.width;
            EXPECT_TRUE(SamePixels(image, before)) << c.width;
        } else {
            EXPECT_FALSE(refused) << c.width;
            EXPECT_EQ(image.width, c.width);
            EXPECT_EQ(image.height, c.height);
            EXPECT_TRUE(ui.errors.empty());
        }
        std::filesystem::remove(path);
    }
}

TEST(LargeImage, OpensChangesUndoesAndSaves16000x12000)
{
    const std::uint64_t available = platform::AvailableMemory();
    if (available < 8192 * MiB)
        GTEST_SKIP() << "a 16000 x 12000 image needs 8 GiB of available memory; this machine has "
                     << available / MiB << " MiB";
    TempDir dir;
    struct statvfs disk;
    if (::statvfs(dir.root().c_str(), &disk) == 0 && std::uint64_t(disk.f_bavail) * disk.f_frsize < 2048 * MiB)
        GTEST_SKIP() << "a 16000 x 12000 image needs 2 GiB of free disk in " << dir.root();
    const int width = 16000, height = 12000;
    const std::string source = dir.path("large.bmp");
    const std::string saved = dir.path("saved.bmp");
    std::string message;
    {
        CImage made;
        ASSERT_EQ(made.BlankImage(width, height, CColorVal(0, 0, 0)), 0);
        for (int y = 0; y < height; ++y) {
            CColorVal* row = made.pixelValueArray[y];
            for (int x = 0; x < width; ++x) row[x] = CColorVal(x & 255, y & 255, (x ^ y) & 255);
        }
        made.format = FORMAT_RGB;
        ASSERT_EQ(Serialize(made, true, source, message), 0) << message;
    }

    CImage image;
    ASSERT_EQ(Serialize(image, false, source, message), 0) << message;
    ASSERT_EQ(image.width, width);
    ASSERT_EQ(image.height, height);
    EXPECT_EQ(image.format, FORMAT_RGB);
    EXPECT_EQ(image.pixelValueArray[11999][15999], CColorVal(15999 & 255, 11999 & 255, (15999 ^ 11999) & 255));
    EXPECT_FALSE(image.dataArray.present()) << "no frequency buffer without a transform";

    const CImage snapshot = image;  // the undo history's copy
    image.SetUpperLeft(1000, 2000, false);
    image.SetLowerRight(14999, 9999, false);
    image.Invert();
    EXPECT_EQ(image.pixelValueArray[2000][1000], CColorVal(255 - (1000 & 255), 255 - (2000 & 255), 255 - ((1000 ^ 2000) & 255)));
    EXPECT_EQ(image.pixelValueArray[1999][1000], snapshot.pixelValueArray[1999][1000]);
    EXPECT_FALSE(image.dataArray.present());

    ASSERT_EQ(Serialize(image, true, saved, message), 0) << message;
    EXPECT_EQ(std::filesystem::file_size(saved), 54u + 48000u * 12000u);
    CImage reread;
    ASSERT_EQ(Serialize(reread, false, saved, message), 0) << message;
    EXPECT_TRUE(SamePixels(reread, image));
    reread.ReleaseStorage();

    image = snapshot;  // undo
    CImage original;
    ASSERT_EQ(Serialize(original, false, source, message), 0) << message;
    EXPECT_TRUE(SamePixels(image, original));
}
