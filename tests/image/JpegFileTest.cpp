// JPEG reading against libjpeg's own decoding with its defaults, grey and
// colour, baseline and progressive; refusals of CMYK and truncated files.
#include <gtest/gtest.h>

#include <cstdio>
#include <jpeglib.h>

#include "support/ImageReads.h"
#include "support/TestFiles.h"

namespace {

constexpr int kWidth = 45;
constexpr int kHeight = 30;

void WriteJpeg(const std::string& path, int components, J_COLOR_SPACE space, bool progressive, int density = 0)
{
    FILE* f = std::fopen(path.c_str(), "wb");
    jpeg_compress_struct info;
    jpeg_error_mgr err;
    info.err = jpeg_std_error(&err);
    jpeg_create_compress(&info);
    jpeg_stdio_dest(&info, f);
    info.image_width = kWidth;
    info.image_height = kHeight;
    info.input_components = components;
    info.in_color_space = space;
    jpeg_set_defaults(&info);
    if (progressive) jpeg_simple_progression(&info);
    if (density) info.density_unit = 1, info.X_density = info.Y_density = static_cast<UINT16>(density);
    jpeg_start_compress(&info, TRUE);
    std::vector<JSAMPLE> row(kWidth * components);
    while (info.next_scanline < kHeight) {
        for (int i = 0; i < kWidth * components; ++i) row[i] = static_cast<JSAMPLE>((i * 29 + info.next_scanline * 71) % 256);
        JSAMPROW p = row.data();
        jpeg_write_scanlines(&info, &p, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    std::fclose(f);
}

// libjpeg's decoding with its defaults, as RGB triples.
std::vector<CColorVal> LibjpegPixels(const std::string& path)
{
    FILE* f = std::fopen(path.c_str(), "rb");
    jpeg_decompress_struct info;
    jpeg_error_mgr err;
    info.err = jpeg_std_error(&err);
    jpeg_create_decompress(&info);
    jpeg_stdio_src(&info, f);
    jpeg_read_header(&info, TRUE);
    jpeg_start_decompress(&info);
    const int n = info.output_components;
    std::vector<JSAMPLE> row(info.output_width * n);
    std::vector<CColorVal> pixels;
    while (info.output_scanline < info.output_height) {
        JSAMPROW p = row.data();
        jpeg_read_scanlines(&info, &p, 1);
        for (JDIMENSION x = 0; x < info.output_width; ++x)
            pixels.push_back(n == 1 ? CColorVal(row[x], row[x], row[x]) : CColorVal(row[3 * x], row[3 * x + 1], row[3 * x + 2]));
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    std::fclose(f);
    return pixels;
}

}  // namespace

TEST(JpegFile, DecodesAsLibjpegDoes)
{
    TempDir dir;
    const std::string path = dir.path("t.jpg");
    const struct {
        int components;
        J_COLOR_SPACE space;
        bool progressive;
        int format;
    } cases[] = {
        {1, JCS_GRAYSCALE, false, FORMAT_GRAYSCALE},
        {1, JCS_GRAYSCALE, true, FORMAT_GRAYSCALE},
        {3, JCS_RGB, false, FORMAT_RGB},
        {3, JCS_RGB, true, FORMAT_RGB},
    };
    for (const auto& c : cases) {
        WriteJpeg(path, c.components, c.space, c.progressive, 254);
        const std::vector<CColorVal> reference = LibjpegPixels(path);
        const ImageRead r = ReadImageFile(path);
        ASSERT_FALSE(r.refused) << c.components << c.progressive;
        EXPECT_TRUE(r.notices.empty());
        EXPECT_EQ(r.image.format, c.format);
        EXPECT_EQ(r.image.xPixelsPerMetre, 10000);
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x)
                ASSERT_EQ(r.image.pixelValueArray[y][x], reference[y * kWidth + x]) << x << "," << y;
    }
}

TEST(JpegFile, RefusalsNameTheReason)
{
    TempDir dir;
    WriteJpeg(dir.path("cmyk.jpg"), 4, JCS_CMYK, false);
    WriteJpeg(dir.path("two.jpg"), 2, JCS_UNKNOWN, false);
    WriteJpeg(dir.path("good.jpg"), 3, JCS_RGB, false);
    const std::vector<std::uint8_t> bytes = ReadBytes(dir.path("good.jpg"));
    WriteBytes(dir.path("truncated.jpg"), std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + bytes.size() / 2));
    WriteBytes(dir.path("header.jpg"), {0xFF, 0xD8, 0xFF, 0xD9});
    // The scan cut short by the end marker: libjpeg would fill the rest in grey.
    std::vector<std::uint8_t> cut(bytes.begin(), bytes.begin() + bytes.size() / 2);
    cut.insert(cut.end(), {0xFF, 0xD9});
    WriteBytes(dir.path("cut.jpg"), cut);
    const std::string cases[][2] = {
        {"cmyk.jpg", "CMYK and YCCK JPEG files are not supported; grey and colour ones are."},
        {"two.jpg", "JPEG files with 2 components are not supported; grey and colour ones are."},
        {"truncated.jpg", "The file ends too early."},
        {"header.jpg", "JPEG datastream contains no image"},
        {"cut.jpg", "Corrupt JPEG data: premature end of data segment"},
    };
    for (const auto& c : cases) {
        const std::string path = dir.path(c[0]);
        const ImageRead r = ReadImageFile(path);
        EXPECT_TRUE(r.refused) << c[0];
        EXPECT_EQ(r.errors, std::vector<std::string>{"Failed to read image " + path + ".\n" + c[1]});
    }
}
