// TIFF reading on files written here with libtiff: compressions x planar
// configurations x strips or tiles against libtiff's own RGBA decoding, grey
// depths, min-is-white, palettes, 16-bit, alpha, pages and resolution.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <tiffio.h>

#include "support/ImageReads.h"
#include "support/LibjpegFiles.h"
#include "support/TestFiles.h"
#include "support/TiffFiles.h"

namespace {

constexpr int kWidth = kTiffWidth;
constexpr int kHeight = kTiffHeight;

int Sample(int x, int y, int c, int bits) { return TiffSample(x, y, c, bits); }

// libtiff's own decoding to 8-bit RGBA, top row first.
std::vector<std::uint32_t> LibtiffRgba(const std::string& path)
{
    std::vector<std::uint32_t> raster(kWidth * kHeight);
    TIFF* tif = TIFFOpen(path.c_str(), "r");
    EXPECT_TRUE(TIFFReadRGBAImageOriented(tif, kWidth, kHeight, raster.data(), ORIENTATION_TOPLEFT, 0));
    TIFFClose(tif);
    return raster;
}

// An old-style JPEG TIFF, as scanners once wrote them: a whole JPEG stream
// by libjpeg (grey, or YCbCr with the luma sampled factor x factor) as the
// strip and as the interchange format, which no writer of today makes.
void WriteOldStyleJpeg(const std::string& path, int components, int factor)
{
    const std::vector<std::uint8_t> jpeg = LibjpegFile(
        kWidth, kHeight, components, [](int x, int y, int c) { return Sample(x * 3 + c, y, 0, 8); },
        [factor](jpeg_compress_struct& info) { info.comp_info[0].h_samp_factor = info.comp_info[0].v_samp_factor = factor; });
    const auto length = std::uint32_t(jpeg.size());
    const std::uint32_t bits = TiffDataOffset(12), start = bits + 6;
    // Three bits-per-sample values of 8, then the stream.
    std::vector<std::uint8_t> data(6 + jpeg.size());
    data[0] = data[2] = data[4] = 8;
    std::copy(jpeg.begin(), jpeg.end(), data.begin() + 6);
    const std::vector<std::uint8_t> out = OneIfdTiff(
        {{256, 3, 1, kWidth}, {257, 3, 1, kHeight}, {258, 3, std::uint32_t(components), components == 1 ? 8 : bits},
         {259, 3, 1, COMPRESSION_OJPEG}, {262, 3, 1, std::uint32_t(components == 1 ? PHOTOMETRIC_MINISBLACK : PHOTOMETRIC_YCBCR)},
         {273, 4, 1, start}, {277, 3, 1, std::uint32_t(components)}, {278, 3, 1, kHeight}, {279, 4, 1, length},
         {513, 4, 1, start}, {514, 4, 1, length}, {530, 3, 2, std::uint32_t(factor | factor << 16)}},
        data);
    WriteBytes(path, out);
}

}  // namespace

TEST(TiffFile, OldStyleJpegMatchesLibtiff)
{
    TempDir dir;
    const std::string path = dir.path("ojpeg.tif");
    for (auto [components, factor] : {std::pair{1, 1}, std::pair{3, 1}, std::pair{3, 2}}) {
        WriteOldStyleJpeg(path, components, factor);
        const std::vector<std::uint32_t> reference = LibtiffRgba(path);
        const ImageRead r = ReadImageFile(path);
        ASSERT_FALSE(r.refused) << components << " " << factor << ": " << (r.errors.empty() ? "" : r.errors[0]);
        EXPECT_EQ(r.image.format, components == 1 ? FORMAT_GRAYSCALE : FORMAT_RGB);
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x) {
                const std::uint32_t p = reference[y * kWidth + x];
                ASSERT_EQ(r.image.pixelValueArray[y][x], CColorVal(TIFFGetR(p), TIFFGetG(p), TIFFGetB(p)))
                    << components << " " << factor << " at " << x << "," << y;
            }
    }
}

TEST(TiffFile, CompressionsPlanesAndTilesMatchLibtiff)
{
    TempDir dir;
    const std::string path = dir.path("c.tif");
    for (std::uint16_t compression :
         {COMPRESSION_NONE, COMPRESSION_PACKBITS, COMPRESSION_LZW, COMPRESSION_ADOBE_DEFLATE, COMPRESSION_JPEG})
        for (std::uint16_t planar : {PLANARCONFIG_CONTIG, PLANARCONFIG_SEPARATE})
            for (bool tiled : {false, true}) {
                const std::string name = "compression " + std::to_string(compression) + " planar " +
                                         std::to_string(planar) + (tiled ? " tiles" : " strips");
                TiffSpec spec;
                spec.compression = compression;
                spec.planar = planar;
                spec.tiled = tiled;
                WriteTiff(path, spec);
                const std::vector<std::uint32_t> reference = LibtiffRgba(path);
                const ImageRead r = ReadImageFile(path);
                ASSERT_FALSE(r.refused) << name << ": " << (r.errors.empty() ? "" : r.errors[0]);
                EXPECT_TRUE(r.notices.empty()) << name;
                for (int y = 0; y < kHeight; ++y)
                    for (int x = 0; x < kWidth; ++x) {
                        const std::uint32_t p = reference[y * kWidth + x];
                        ASSERT_EQ(r.image.pixelValueArray[y][x],
                                  CColorVal(TIFFGetR(p), TIFFGetG(p), TIFFGetB(p)))
                            << name << " at " << x << "," << y;
                        if (compression != COMPRESSION_JPEG) {
                            ASSERT_EQ(r.image.pixelValueArray[y][x].green, Sample(x, y, 1, 8)) << name;
                        }
                    }
            }
}

TEST(TiffFile, GreyPaletteSixteenBitAndAlpha)
{
    TempDir dir;
    const std::string path = dir.path("g.tif");
    const std::string alphaNotice = path + " has an alpha channel; it was dropped and each pixel keeps its colour as stored.";
    const struct {
        const char* name;
        TiffSpec spec;
        std::function<CColorVal(int, int)> expected;
        std::vector<std::string> notices = {};
    } cases[] = {
        {"grey 1", {.photometric = PHOTOMETRIC_MINISBLACK, .bits = 1, .samples = 1},
         [](int x, int y) { const int v = Sample(x, y, 0, 1) * 255; return CColorVal(v, v, v); }},
        {"grey 4 min-is-white", {.photometric = PHOTOMETRIC_MINISWHITE, .bits = 4, .samples = 1},
         [](int x, int y) { const int v = 255 - Sample(x, y, 0, 4) * 17; return CColorVal(v, v, v); }},
        {"grey 8 tiles", {.tiled = true, .photometric = PHOTOMETRIC_MINISBLACK, .samples = 1},
         [](int x, int y) { const int v = Sample(x, y, 0, 8); return CColorVal(v, v, v); }},
        {"grey 8 tiles beyond the image", {.tiled = true, .photometric = PHOTOMETRIC_MINISBLACK, .samples = 1, .tile = 64},
         [](int x, int y) { const int v = Sample(x, y, 0, 8); return CColorVal(v, v, v); }},
        {"grey 16 full", {.photometric = PHOTOMETRIC_MINISBLACK, .bits = 16, .samples = 1},
         [](int x, int y) { const int v = MappedLevel(Sample(x, y, 0, 16), 0, 65535); return CColorVal(v, v, v); }},
        {"rgba 8", {.samples = 4},
         [](int x, int y) { return CColorVal(Sample(x, y, 0, 8), Sample(x, y, 1, 8), Sample(x, y, 2, 8)); },
         {alphaNotice}},
        {"rgb 16 separate", {.planar = PLANARCONFIG_SEPARATE, .bits = 16},
         [](int x, int y) {
             return CColorVal(MappedLevel(Sample(x, y, 0, 16), 0, 65535), MappedLevel(Sample(x, y, 1, 16), 0, 65535),
                              MappedLevel(Sample(x, y, 2, 16), 0, 65535));
         }},
        {"palette 4", {.photometric = PHOTOMETRIC_PALETTE, .bits = 4, .samples = 1},
         [](int x, int y) { const int k = Sample(x, y, 0, 4); return CColorVal(k * 16, 255 - k, 7 * k); }},
        {"palette 4 with alpha", {.photometric = PHOTOMETRIC_PALETTE, .bits = 4, .samples = 2},
         [](int x, int y) { const int k = Sample(x, y, 0, 4); return CColorVal(k * 16, 255 - k, 7 * k); },
         {alphaNotice}},
        {"rgb 8 BigTIFF", {.mode = "w8"},
         [](int x, int y) { return CColorVal(Sample(x, y, 0, 8), Sample(x, y, 1, 8), Sample(x, y, 2, 8)); }},
        {"grey 16 BigTIFF big-endian tiles", {.tiled = true, .photometric = PHOTOMETRIC_MINISBLACK, .bits = 16, .samples = 1, .mode = "w8b"},
         [](int x, int y) { const int v = MappedLevel(Sample(x, y, 0, 16), 0, 65535); return CColorVal(v, v, v); }},
    };
    for (const auto& c : cases) {
        WriteTiff(path, c.spec, [&c](TIFF* tif) {
            if (c.spec.samples == 4 || (c.spec.photometric == PHOTOMETRIC_PALETTE && c.spec.samples == 2)) {
                const std::uint16_t extra[] = {EXTRASAMPLE_UNASSALPHA};
                TIFFSetField(tif, TIFFTAG_EXTRASAMPLES, 1, extra);
            }
            if (c.spec.photometric == PHOTOMETRIC_PALETTE) {
                static std::uint16_t r[16], g[16], b[16];
                for (int k = 0; k < 16; ++k) r[k] = std::uint16_t(k * 16 * 257), g[k] = std::uint16_t((255 - k) * 257),
                                             b[k] = std::uint16_t(7 * k * 257);
                TIFFSetField(tif, TIFFTAG_COLORMAP, r, g, b);
            }
        });
        const ImageRead r = ReadImageFile(path, {SampleRange::Mode::Full, 0, 65535});
        ASSERT_FALSE(r.refused) << c.name << ": " << (r.errors.empty() ? "" : r.errors[0]);
        EXPECT_EQ(r.notices, c.notices) << c.name;
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x)
                ASSERT_EQ(r.image.pixelValueArray[y][x], c.expected(x, y)) << c.name << " at " << x << "," << y;
        EXPECT_EQ(r.image.fileFacts.bitsPerSample, c.spec.bits) << c.name;
    }
}

TEST(TiffFile, SixteenBitFileRangeOverAllChannels)
{
    TempDir dir;
    const std::string path = dir.path("rgb16.tif");
    WriteTiff(path, {.tiled = true, .bits = 16});
    int lo = 65535, hi = 0;
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            for (int c = 0; c < 3; ++c) lo = std::min(lo, Sample(x, y, c, 16)), hi = std::max(hi, Sample(x, y, c, 16));
    const ImageRead r = ReadImageFile(path);
    ASSERT_FALSE(r.refused);
    EXPECT_EQ(r.notices, std::vector<std::string>{path + " has 16-bit samples; levels " + std::to_string(lo) + ".." +
                                                  std::to_string(hi) + " were mapped to 0..255."});
    EXPECT_EQ(r.image.pixelValueArray[5][9].blue, MappedLevel(Sample(9, 5, 2, 16), lo, hi));
    EXPECT_EQ(r.image.pixelValueArray[20][36].red, MappedLevel(Sample(36, 20, 0, 16), lo, hi));
}

TEST(TiffFile, SixteenBitGreyStripsWithDifferencesInEitherByteOrder)
{
    TempDir dir;
    const std::string path = dir.path("g16.tif");
    int lo = 65535, hi = 0;
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) lo = std::min(lo, Sample(x, y, 0, 16)), hi = std::max(hi, Sample(x, y, 0, 16));
    for (const std::uint16_t compression : {COMPRESSION_NONE, COMPRESSION_LZW, COMPRESSION_ADOBE_DEFLATE})
        for (const std::uint16_t predictor : {PREDICTOR_NONE, PREDICTOR_HORIZONTAL})
            for (const char* mode : {"wl", "wb"}) {
                if (compression == COMPRESSION_NONE && predictor != PREDICTOR_NONE) continue;
                const std::string name = "compression " + std::to_string(compression) + " predictor " +
                                         std::to_string(predictor) + " " + mode;
                WriteTiff(path, {.compression = compression, .photometric = PHOTOMETRIC_MINISBLACK, .bits = 16,
                                 .samples = 1, .mode = mode},
                          [&](TIFF* tif) {
                              if (predictor != PREDICTOR_NONE) TIFFSetField(tif, TIFFTAG_PREDICTOR, predictor);
                          });
                const ImageRead r = ReadImageFile(path);
                ASSERT_FALSE(r.refused) << name;
                for (int y = 0; y < kHeight; ++y)
                    for (int x = 0; x < kWidth; ++x)
                        ASSERT_EQ(r.image.pixelValueArray[y][x].red, MappedLevel(Sample(x, y, 0, 16), lo, hi))
                            << name << " at " << x << "," << y;
            }
}

TEST(TiffFile, PagesAndResolution)
{
    TempDir dir;
    const std::string path = dir.path("p.tif");
    WriteTiff(path, {.pages = 3}, [](TIFF* tif) {
        TIFFSetField(tif, TIFFTAG_RESOLUTIONUNIT, RESUNIT_INCH);
        TIFFSetField(tif, TIFFTAG_XRESOLUTION, 300.0f);
        TIFFSetField(tif, TIFFTAG_YRESOLUTION, 150.0f);
    });
    const ImageRead r = ReadImageFile(path);
    ASSERT_FALSE(r.refused);
    EXPECT_EQ(r.notices, std::vector<std::string>{path + " holds 3 pages; the first one was opened."});
    EXPECT_EQ(r.image.fileFacts.pages, 3);
    EXPECT_DOUBLE_EQ(r.image.xPixelsPerMetre, 300 / 0.0254);
    EXPECT_DOUBLE_EQ(r.image.yPixelsPerMetre, 150 / 0.0254);
}

TEST(TiffFile, RefusalsNameTheReason)
{
    TempDir dir;
    const std::string good = dir.path("good.tif");
    WriteTiff(good, {});
    const std::vector<std::uint8_t> bytes = ReadBytes(good);
    WriteBytes(dir.path("truncated.tif"), std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + 1000));
    WriteTiff(dir.path("cmyk.tif"), {.photometric = PHOTOMETRIC_SEPARATED, .samples = 4});
    WriteTiff(dir.path("float.tif"), {.bits = 16}, [](TIFF* tif) {
        TIFFSetField(tif, TIFFTAG_SAMPLEFORMAT, SAMPLEFORMAT_IEEEFP);
    });
    WriteBytes(dir.path("header.tif"), {'I', 'I', 42, 0, 0xFF, 0xFF, 0, 0});
    const std::string cases[][2] = {
        {"truncated.tif", "Can not read TIFF directory count"},
        {"cmyk.tif", "TIFF photometric interpretation 5 is not supported; grey, palette and RGB images are."},
        {"float.tif", "Only unsigned integer TIFF samples are supported, not signed or floating-point ones."},
        {"header.tif", "Can not read TIFF directory count"},
    };
    for (const auto& c : cases) {
        const std::string path = dir.path(c[0]);
        const ImageRead r = ReadImageFile(path);
        EXPECT_TRUE(r.refused) << c[0];
        EXPECT_EQ(r.errors, std::vector<std::string>{"Failed to read image " + path + ".\n" + c[1]});
    }
}

// A strip too tall to hold decoded (18 MB here) is read a row at a time.
TEST(TiffFile, ATallStripIsReadRowByRow)
{
    TempDir dir;
    const std::string path = dir.path("tall.tif");
    constexpr int w = 3000, h = 1000;
    TIFF* tif = TIFFOpen(path.c_str(), "w");
    TIFFSetField(tif, TIFFTAG_IMAGEWIDTH, w);
    TIFFSetField(tif, TIFFTAG_IMAGELENGTH, h);
    TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, 16);
    TIFFSetField(tif, TIFFTAG_SAMPLESPERPIXEL, 3);
    TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB);
    TIFFSetField(tif, TIFFTAG_COMPRESSION, COMPRESSION_ADOBE_DEFLATE);
    TIFFSetField(tif, TIFFTAG_ROWSPERSTRIP, h);
    std::vector<std::uint16_t> row(w * 3);
    for (int y = 0; y < h; ++y) {
        for (int i = 0; i < w * 3; ++i) row[i] = std::uint16_t(i * 7 + y * 60);
        TIFFWriteScanline(tif, row.data(), y, 0);
    }
    TIFFClose(tif);
    const ImageRead r = ReadImageFile(path, {SampleRange::Mode::Full, 0, 65535});
    ASSERT_FALSE(r.refused) << (r.errors.empty() ? "" : r.errors[0]);
    for (auto [x, y] : {std::pair{0, 0}, std::pair{2999, 999}, std::pair{1234, 567}})
        EXPECT_EQ(r.image.pixelValueArray[y][x].blue, MappedLevel(std::uint16_t((x * 3 + 2) * 7 + y * 60), 0, 65535));
}
