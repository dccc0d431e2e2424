// Bitmap rows read and written in blocks and in bands over threads: the same
// pixels and bytes as the plain per-pixel builder, whatever the thread count.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "image/Image.h"
#include "platform/UserInterface.h"
#include "platform/ParallelRows.h"
#include "support/BitmapFiles.h"
#include "support/FakeUserInterface.h"
#include "support/TestFiles.h"
#include "support/TestImages.h"

namespace {

// A random bitmap of the given depth; grey tells whether its colours are.
BitmapSpec RandomSpec(std::mt19937& random, int bits, int width, int height, bool grey)
{
    BitmapSpec spec;
    spec.width = width;
    spec.height = height;
    spec.bits = bits;
    auto colour = [&] {
        const std::uint32_t r = random() % 256;
        return grey ? r * 0x010101u : r << 16 | (random() % 256) << 8 | random() % 256;
    };
    const int entries = bits == 24 ? 0 : 1 << bits;
    for (int k = 0; k < entries; ++k) spec.palette.push_back(colour());
    for (int i = 0; i < width * height; ++i)
        spec.pixels.push_back(bits == 24 ? colour() : static_cast<std::uint32_t>(random() % entries));
    return spec;
}

CColorVal Expected(const BitmapSpec& spec, int x, int y)
{
    std::uint32_t v = spec.pixels[static_cast<size_t>(y) * spec.width + x];
    if (spec.bits != 24) v = spec.palette[v];
    return CColorVal(v >> 16 & 0xFF, v >> 8 & 0xFF, v & 0xFF);
}

}  // namespace

TEST(BitmapRowBlocks, ReadAndWriteGiveThePlainPixelsAndBytesWithAnyThreads)
{
    // The widest cases need more than one block of rows; rows longer than the
    // archive's buffer go to the file a block at a time; the largest file is
    // handed to the disk in parts while it replaces the one before.
    const struct {
        int bits, width, height;
        bool grey;
    } cases[] = {{24, 7, 5, false}, {24, 1001, 400, false}, {24, 13, 9, true}, {8, 1, 1, true},
                 {8, 1003, 1100, true}, {8, 31, 17, false}, {4, 9, 11, false}, {1, 67, 23, true},
                 {24, 1500, 700, false}, {8, 4099, 3, true},
                 {24, 1601, 1000, false}};
    std::mt19937 random(31);
    TempDir dir;
    for (const auto& c : cases) {
        const BitmapSpec spec = RandomSpec(random, c.bits, c.width, c.height, c.grey);
        WriteBytes(dir.path("in.bmp"), BitmapBytes(spec));
        for (int threads = 1; threads <= 3; ++threads) {
            const parallel::ScopedThreads scoped(threads, 0);
            CImage image = LoadBitmap(dir.path("in.bmp"));
            ASSERT_EQ(image.width, c.width);
            ASSERT_EQ(image.height, c.height);
            EXPECT_EQ(image.format, c.grey ? FORMAT_GRAYSCALE : FORMAT_RGB) << c.bits << " bits";
            for (int y = 0; y < c.height; ++y)
                for (int x = 0; x < c.width; ++x)
                    ASSERT_EQ(image.pixelValueArray[y][x], Expected(spec, x, y))
                        << c.bits << " bits, " << threads << " threads, (" << x << ", " << y << ")";

            // Written back: 24 bits for colour, 8 bits with a grey table for grey.
            BitmapSpec plain;
            plain.width = c.width;
            plain.height = c.height;
            plain.bits = c.grey ? 8 : 24;
            for (int k = 0; c.grey && k < 256; ++k) plain.palette.push_back(static_cast<std::uint32_t>(k) * 0x010101u);
            for (int y = 0; y < c.height; ++y)
                for (int x = 0; x < c.width; ++x) {
                    const CColorVal p = Expected(spec, x, y);
                    plain.pixels.push_back(c.grey ? p.red : std::uint32_t(p.red) << 16 | p.green << 8 | p.blue);
                }
            SaveBitmap(image, dir.path("out.bmp"));
            EXPECT_EQ(ReadBytes(dir.path("out.bmp")), BitmapBytes(plain)) << c.bits << " bits, " << threads;
        }
    }
}

TEST(BitmapRowBlocks, TheFirstBadIndexInFileOrderIsReported)
{
    // Bad indices in several rows of several blocks: the bottom row comes
    // first in the file.
    std::mt19937 random(37);
    BitmapSpec spec = RandomSpec(random, 8, 1501, 1500, true);
    spec.palette.resize(200);
    spec.colorsUsed = 200;
    for (std::uint32_t& v : spec.pixels) v %= 200;
    spec.pixels[static_cast<size_t>(3) * 1501 + 9] = 250;
    spec.pixels[static_cast<size_t>(700) * 1501 + 1500] = 201;
    spec.pixels[static_cast<size_t>(700) * 1501 + 1400] = 230;
    spec.pixels[static_cast<size_t>(1200) * 1501 + 5] = 255;
    TempDir dir;
    WriteBytes(dir.path("bad.bmp"), BitmapBytes(spec));
    for (int threads = 1; threads <= 3; ++threads) {
        const parallel::ScopedThreads scoped(threads, 0);
        FakeUserInterface user;
        CImage image;
        std::string message;
        bool causeValid = false;
        int cause = 0;
        EXPECT_THROW(image.SerializeFile(false, dir.path("bad.bmp"), false, message, causeValid, cause),
                     platform::UserAbort);
        ASSERT_EQ(user.errors.size(), 1u) << threads;
        EXPECT_EQ(user.errors[0], "Failed to read image " + dir.path("bad.bmp") +
                                      ".\nBitmap pixel (5, 1200) uses color 255, but the color table has only 200 entries.")
            << threads;
    }
}
