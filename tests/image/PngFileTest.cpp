// PNG reading: every colour type and depth, interlaced or not, against
// pixels built here and written with libpng itself; the 16-bit rules; refusals.
#include <gtest/gtest.h>

#include <csetjmp>
#include <cstdio>
#include <png.h>

#include "platform/Memory.h"
#include "support/ImageReads.h"
#include "support/TestFiles.h"

namespace {

struct PngCase {
    int colorType;
    int depth;
    bool interlaced = false;
    bool transparency = false;  // a tRNS chunk on a palette
};

int Channels(int colorType)
{
    switch (colorType) {
    case PNG_COLOR_TYPE_GRAY_ALPHA: return 2;
    case PNG_COLOR_TYPE_RGB: return 3;
    case PNG_COLOR_TYPE_RGB_ALPHA: return 4;
    default: return 1;
    }
}

// The size the cases are written in; larger ones have their image data
// inflated whole by the reader.
int kWidth = 7;
int kHeight = 5;

// Sample c of pixel (x, y), spread over the depth's whole range.
int Sample(int x, int y, int c, int depth)
{
    const int top = (1 << depth) - 1;
    return static_cast<int>((x * 7919u + y * 104729u + c * 31337u + 11u) % (top + 1u));
}

std::uint32_t Crc32(const std::uint8_t* p, size_t n)
{
    std::uint32_t c = 0xFFFFFFFFu;
    for (size_t i = 0; i < n; ++i) {
        c ^= p[i];
        for (int k = 0; k < 8; ++k) c = (c >> 1) ^ (0xEDB88320u & (0u - (c & 1)));
    }
    return ~c;
}

CColorVal PaletteEntry(int k) { return CColorVal(k * 37 % 256, k * 91 % 256, k * 53 % 256); }

void WritePng(const std::string& path, const PngCase& c, int xPpm = 0)
{
    FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        std::fclose(f);
        FAIL() << "libpng failed";
    }
    png_init_io(png, f);
    png_set_IHDR(png, info, kWidth, kHeight, c.depth, c.colorType,
                 c.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    if (c.colorType == PNG_COLOR_TYPE_PALETTE) {
        png_color palette[256];
        for (int k = 0; k < (1 << c.depth); ++k) {
            const CColorVal v = PaletteEntry(k);
            palette[k] = {v.red, v.green, v.blue};
        }
        png_set_PLTE(png, info, palette, 1 << c.depth);
        png_byte alpha[2] = {0, 128};
        if (c.transparency) png_set_tRNS(png, info, alpha, 2, nullptr);
    }
    if (xPpm) png_set_pHYs(png, info, xPpm, xPpm + 1, PNG_RESOLUTION_METER);
    png_write_info(png, info);
    const int channels = Channels(c.colorType);
    const int passes = png_set_interlace_handling(png);
    std::vector<png_byte> row(kWidth * channels * 2 + 1);
    for (int pass = 0; pass < passes; ++pass)
        for (int y = 0; y < kHeight; ++y) {
            std::fill(row.begin(), row.end(), 0);
            for (int x = 0; x < kWidth; ++x)
                for (int ch = 0; ch < channels; ++ch) {
                    const int v = Sample(x, y, ch, c.depth);
                    const int i = x * channels + ch;
                    if (c.depth == 16) {
                        row[2 * i] = static_cast<png_byte>(v >> 8);
                        row[2 * i + 1] = static_cast<png_byte>(v & 0xFF);
                    } else {
                        const int bit = i * c.depth;
                        row[bit / 8] |= static_cast<png_byte>(v << (8 - c.depth - bit % 8));
                    }
                }
            png_write_row(png, row.data());
        }
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    std::fclose(f);
}

// The range of the case's 16-bit samples.
void RangeOfSamples(const PngCase& c, int& lo, int& hi)
{
    lo = 65535, hi = 0;
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            for (int ch = 0; ch < (Channels(c.colorType) >= 3 ? 3 : 1); ++ch) {
                lo = std::min(lo, Sample(x, y, ch, 16));
                hi = std::max(hi, Sample(x, y, ch, 16));
            }
}

// What the reader must make of the case's pixel (x, y) under the file's own range.
CColorVal Expected(const PngCase& c, int x, int y, int lo, int hi)
{
    const int colours = Channels(c.colorType) >= 3 ? 3 : 1;
    auto level = [&](int ch) {
        const int v = Sample(x, y, ch, c.depth);
        return c.depth == 16 ? MappedLevel(v, lo, hi) : v * 255 / ((1 << c.depth) - 1);
    };
    if (c.colorType == PNG_COLOR_TYPE_PALETTE) return PaletteEntry(Sample(x, y, 0, c.depth));
    if (colours == 1) return CColorVal(level(0), level(0), level(0));
    return CColorVal(level(0), level(1), level(2));
}

void ExpectReadAsBuilt(const PngCase& c, TempDir& dir)
{
    const std::string name = "type " + std::to_string(c.colorType) + " depth " + std::to_string(c.depth) +
                             (c.interlaced ? " interlaced" : "") + (c.transparency ? " tRNS" : "") + " " +
                             std::to_string(kWidth) + " x " + std::to_string(kHeight);
    const std::string path = dir.path("t.png");
    WritePng(path, c);
    const ImageRead r = ReadImageFile(path);
    ASSERT_FALSE(r.refused) << name << (r.errors.empty() ? "" : r.errors[0]);
    ASSERT_EQ(r.image.width, kWidth) << name;
    ASSERT_EQ(r.image.height, kHeight) << name;
    int lo = 0, hi = 0;
    RangeOfSamples(c, lo, hi);
    bool grey = true;
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            const CColorVal expected = Expected(c, x, y, lo, hi);
            ASSERT_EQ(r.image.pixelValueArray[y][x], expected) << name << " at " << x << "," << y;
            grey = grey && expected.IsGrey();
        }
    EXPECT_EQ(r.image.format, grey ? FORMAT_GRAYSCALE : FORMAT_RGB) << name;
    EXPECT_EQ(r.image.fileFacts.format, FileFormat::Png);
    EXPECT_EQ(r.image.fileFacts.bitsPerSample, c.depth) << name;
    std::vector<std::string> notices;
    if (c.depth == 16)
        notices.push_back(path + " has 16-bit samples; levels " + std::to_string(lo) + ".." + std::to_string(hi) +
                          " were mapped to 0..255.");
    if (c.transparency || c.colorType & PNG_COLOR_MASK_ALPHA)
        notices.push_back(path + " has an alpha channel; it was dropped and each pixel keeps its colour as stored.");
    EXPECT_EQ(r.notices, notices) << name;
}

}  // namespace

TEST(PngFile, EveryColourTypeAndDepthReadsAsBuilt)
{
    const PngCase cases[] = {
        {PNG_COLOR_TYPE_GRAY, 1},       {PNG_COLOR_TYPE_GRAY, 2},         {PNG_COLOR_TYPE_GRAY, 4},
        {PNG_COLOR_TYPE_GRAY, 8},       {PNG_COLOR_TYPE_GRAY, 16},        {PNG_COLOR_TYPE_GRAY_ALPHA, 8},
        {PNG_COLOR_TYPE_GRAY_ALPHA, 16}, {PNG_COLOR_TYPE_PALETTE, 1},     {PNG_COLOR_TYPE_PALETTE, 2},
        {PNG_COLOR_TYPE_PALETTE, 4},    {PNG_COLOR_TYPE_PALETTE, 8},      {PNG_COLOR_TYPE_PALETTE, 8, false, true},
        {PNG_COLOR_TYPE_RGB, 8},        {PNG_COLOR_TYPE_RGB, 16},         {PNG_COLOR_TYPE_RGB_ALPHA, 8},
        {PNG_COLOR_TYPE_RGB_ALPHA, 16}, {PNG_COLOR_TYPE_GRAY, 4, true},   {PNG_COLOR_TYPE_RGB, 16, true},
        {PNG_COLOR_TYPE_PALETTE, 2, true}, {PNG_COLOR_TYPE_RGB_ALPHA, 8, true},
    };
    TempDir dir;
    for (const PngCase& c : cases) ExpectReadAsBuilt(c, dir);
    // Larger images of 16 bits a sample have their data inflated whole and
    // unfiltered by the reader itself, every filter among their rows.
    kWidth = 301, kHeight = 230;
    for (const PngCase& c : cases)
        if (!c.interlaced && c.depth == 16) ExpectReadAsBuilt(c, dir);
    kWidth = 7, kHeight = 5;
}

TEST(PngFile, SixteenBitRules)
{
    TempDir dir;
    const std::string path = dir.path("g16.png");
    WritePng(path, {PNG_COLOR_TYPE_GRAY, 16});
    const struct {
        SampleRange range;
        int lo, hi;
    } cases[] = {
        {{SampleRange::Mode::Full, 0, 65535}, 0, 65535},
        {{SampleRange::Mode::Fixed, 1000, 30000}, 1000, 30000},
        {{SampleRange::Mode::Fixed, 0, 1}, 0, 1},
    };
    for (const auto& c : cases) {
        const ImageRead r = ReadImageFile(path, c.range);
        ASSERT_FALSE(r.refused);
        EXPECT_TRUE(r.notices.empty());
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x)
                ASSERT_EQ(r.image.pixelValueArray[y][x].red, MappedLevel(Sample(x, y, 0, 16), c.lo, c.hi))
                    << c.lo << ".." << c.hi << " at " << x << "," << y;
    }
}

TEST(PngFile, OneLevelEverywhereMapsToBlack)
{
    TempDir dir;
    const std::string path = dir.path("flat.png");
    FILE* f = std::fopen(path.c_str(), "wb");
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_init_io(png, f);
    png_set_IHDR(png, info, 3, 2, 16, PNG_COLOR_TYPE_RGB, 0, 0, 0);
    png_write_info(png, info);
    png_byte row[18];
    for (int i = 0; i < 18; i += 2) row[i] = 0x12, row[i + 1] = 0x34;
    png_write_row(png, row);
    png_write_row(png, row);
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    std::fclose(f);
    const ImageRead r = ReadImageFile(path);
    ASSERT_FALSE(r.refused);
    EXPECT_EQ(r.image.pixelValueArray[1][2], CColorVal(0, 0, 0));
    EXPECT_EQ(r.image.format, FORMAT_GRAYSCALE);
    EXPECT_EQ(r.notices, std::vector<std::string>{path + " has 16-bit samples, all at level 4660; every pixel became 0."});
}

TEST(PngFile, ResolutionIsReadInPixelsPerMetre)
{
    TempDir dir;
    const std::string path = dir.path("r.png");
    WritePng(path, {PNG_COLOR_TYPE_GRAY, 8}, 3937);
    const ImageRead r = ReadImageFile(path);
    EXPECT_EQ(r.image.xPixelsPerMetre, 3937);
    EXPECT_EQ(r.image.yPixelsPerMetre, 3938);
}

TEST(PngFile, HostileFilesAreRefusedAndLeaveTheImage)
{
    TempDir dir;
    const std::string good = dir.path("good.png");
    WritePng(good, {PNG_COLOR_TYPE_RGB, 8});
    const std::vector<std::uint8_t> bytes = ReadBytes(good);

    // A header claiming 100000 x 100000 pixels, with its checksum mended.
    std::vector<std::uint8_t> huge = bytes;
    for (int at : {16, 20}) huge[at] = 0, huge[at + 1] = 0x01, huge[at + 2] = 0x86, huge[at + 3] = 0xA0;
    const std::uint32_t crc = Crc32(huge.data() + 12, 17);
    for (int i = 0; i < 4; ++i) huge[29 + i] = static_cast<std::uint8_t>(crc >> (24 - 8 * i));

    const std::string cases[][2] = {
        {"truncated.png", "Failed to read image %s.\nThe file ends too early."},
        {"huge.png", "Failed to read image %s.\nThe image is 100000 x 100000 pixels; at most 2147483647 pixels are "
                     "supported."},
        {"badcrc.png", "Failed to read image %s.\nIHDR: CRC error"},
    };
    WriteBytes(dir.path("truncated.png"), std::vector<std::uint8_t>(bytes.begin(), bytes.end() - 20));
    WriteBytes(dir.path("huge.png"), huge);
    std::vector<std::uint8_t> badCrc = bytes;
    badCrc[30] ^= 1;
    WriteBytes(dir.path("badcrc.png"), badCrc);
    // Larger files, whose image data the reader inflates whole, are read again
    // the plain way when that fails, and refused for the same reasons.
    kWidth = 400, kHeight = 300;
    WritePng(good, {PNG_COLOR_TYPE_GRAY, 16});
    kWidth = 7, kHeight = 5;
    const std::vector<std::uint8_t> large = ReadBytes(good);
    WriteBytes(dir.path("large truncated.png"), std::vector<std::uint8_t>(large.begin(), large.begin() + 60));
    std::vector<std::uint8_t> largeBadCrc = large;
    // The first IDAT chunk's CRC, after its data.
    const size_t idatLength = size_t{large[33]} << 24 | size_t{large[34]} << 16 | size_t{large[35]} << 8 | large[36];
    largeBadCrc[41 + idatLength] ^= 1;
    WriteBytes(dir.path("large badcrc.png"), largeBadCrc);
    const std::string largeCases[][2] = {
        {"large truncated.png", "Failed to read image %s.\nThe file ends too early."},
        {"large badcrc.png", "Failed to read image %s.\nIDAT: CRC error"},
    };
    for (const auto& c : cases) {
        const std::string path = dir.path(c[0]);
        const ImageRead r = ReadImageFile(path);
        EXPECT_TRUE(r.refused) << c[0];
        std::string expected = c[1];
        expected.replace(expected.find("%s"), 2, path);
        EXPECT_EQ(r.errors, std::vector<std::string>{expected});
        EXPECT_TRUE(r.image.IsEmpty());
    }
    for (const auto& c : largeCases) {
        const std::string path = dir.path(c[0]);
        const ImageRead r = ReadImageFile(path);
        std::string expected = c[1];
        expected.replace(expected.find("%s"), 2, path);
        EXPECT_EQ(r.errors, std::vector<std::string>{expected});
    }
}

// The memory a file needs is weighed against what there is before any pixel is taken.
TEST(PngFile, MoreThanTheMemoryThereIsIsRefused)
{
    TempDir dir;
    const std::string path = dir.path("big.png");
    CImage grey;
    grey.BlankImage(1000, 1000, CColorVal(9, 9, 9));
    grey.format = FORMAT_GRAYSCALE;
    std::string message;
    bool causeValid = false;
    int cause = 0;
    ASSERT_EQ(grey.SerializeFile(true, path, false, message, causeValid, cause), 0);
    platform::LimitAvailableMemory(1 << 20);
    const ImageRead r = ReadImageFile(path);
    platform::LimitAvailableMemory(0);
    EXPECT_TRUE(r.refused);
    EXPECT_EQ(r.errors, std::vector<std::string>{"Failed to read image " + path +
                                                 ".\nThe 1000 x 1000 image needs 3 MB of memory, but only 1 MB are "
                                                 "available."});
}
