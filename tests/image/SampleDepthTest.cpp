// Bits per sample told from a file's header, on files libtiff and libpng
// write: byte orders, BigTIFF, counts stored inline or apart.
#include <gtest/gtest.h>

#include <tiffio.h>

#include "image/SampleDepth.h"
#include "support/BitmapFiles.h"
#include "support/ImageReads.h"
#include "support/TestFiles.h"
#include "support/TestImages.h"

namespace {

void WriteTiff(const std::string& path, const char* mode, int bits, int samples)
{
    TIFF* tif = TIFFOpen(path.c_str(), mode);
    ASSERT_NE(tif, nullptr);
    TIFFSetField(tif, TIFFTAG_IMAGEWIDTH, 2);
    TIFFSetField(tif, TIFFTAG_IMAGELENGTH, 1);
    TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, bits);
    TIFFSetField(tif, TIFFTAG_SAMPLESPERPIXEL, samples);
    TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, samples == 3 ? PHOTOMETRIC_RGB : PHOTOMETRIC_MINISBLACK);
    std::vector<std::uint8_t> row(size_t(2 * samples * bits + 7) / 8);
    TIFFWriteScanline(tif, row.data(), 0, 0);
    TIFFClose(tif);
}

}  // namespace

TEST(SampleDepth, ToldFromTheHeader)
{
    TempDir dir;
    const struct {
        const char* name;
        const char* mode;  // nullptr: not a TIFF
        int bits, samples, expected;
    } cases[] = {{"le16.tif", "w", 16, 1, 16},  {"be16.tif", "wb", 16, 1, 16}, {"big16.tif", "w8", 16, 1, 16},
                 {"rgb16.tif", "w", 16, 3, 16}, {"rgb8.tif", "wb", 8, 3, 8},   {"big8.tif", "w8", 8, 3, 8},
                 {"bi.tif", "w", 1, 1, 1}};
    for (const auto& c : cases) {
        WriteTiff(dir.path(c.name), c.mode, c.bits, c.samples);
        EXPECT_EQ(FileSampleBits(dir.path(c.name)), c.expected) << c.name;
    }
    WriteGreyPng16(dir.path("g16.png"), {100, 40000});
    EXPECT_EQ(FileSampleBits(dir.path("g16.png")), 16);
    EXPECT_TRUE(HoldsDeepSamples(dir.path("g16.png")));
    CImage bitmap = MakeImage(3, 2, [](int x, int y) { return CColorVal(x, y, 0); });
    SaveBitmap(bitmap, dir.path("a.bmp"));
    EXPECT_EQ(FileSampleBits(dir.path("a.bmp")), 8);
    EXPECT_FALSE(HoldsDeepSamples(dir.path("a.bmp")));
    EXPECT_EQ(FileSampleBits(dir.path("missing.tif")), 0);
    WriteBytes(dir.path("cut.tif"), {'I', 'I', 42, 0, 0xFF, 0xFF, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
    EXPECT_EQ(FileSampleBits(dir.path("cut.tif")), 0);
}
