// Bitmaps as other programs write them: the longer info headers, 32-bit
// pixels with or without colour masks and alpha, top-down rows; and
// ImageMagick's own files against the same image written by it as PNG.
#include <gtest/gtest.h>

#include <cstdlib>

#include "support/ImageReads.h"
#include "support/TestFiles.h"
#include "support/TestImages.h"

namespace {

std::string AlphaNotice(const std::string& path)
{
    return path + " has an alpha channel; it was dropped and each pixel keeps its colour as stored.";
}

}  // namespace

TEST(BitmapVariants, HeadersPixelsAndRowOrdersAreRead)
{
    TempDir dir;
    const std::string path = dir.path("v.bmp");
    struct Case {
        const char* name;
        BitmapSpec spec;  // 2 x 2 unless the height is -2 (top-down)
        CColorVal topLeft, bottomRight;
        ImageFormat format;
        int samples;
        bool alphaNotice;
    } cases[] = {
        {"108-byte header, palette", {2, 2, 8, 0, 2, 108, 0x4D42, -1, {0x102030, 0x405060}, {}, {0, 1, 1, 0}},
         CColorVal(16, 32, 48), CColorVal(16, 32, 48), FORMAT_RGB, 1, false},
        {"124-byte header, 24 bits top-down", {2, -2, 24, 0, 0, 124, 0x4D42, -1, {}, {}, {0x010203, 0, 0, 0x070707}},
         CColorVal(1, 2, 3), CColorVal(7, 7, 7), FORMAT_RGB, 3, false},
        {"8 bits top-down", {2, -2, 8, 0, 2, 40, 0x4D42, -1, {0x000000, 0x090909}, {}, {1, 0, 0, 0}},
         CColorVal(9, 9, 9), CColorVal(0, 0, 0), FORMAT_GRAYSCALE, 1, false},
        {"32 bits, unused bytes 0", {2, 2, 32, 0, 0, 40, 0x4D42, -1, {}, {}, {0x00112233, 0, 0, 0x00050505}},
         CColorVal(0x11, 0x22, 0x33), CColorVal(5, 5, 5), FORMAT_RGB, 3, false},
        {"32 bits, alpha in the fourth byte", {2, 2, 32, 0, 0, 40, 0x4D42, -1, {}, {}, {0x80060606, 0, 0, 0xFF050505}},
         CColorVal(6, 6, 6), CColorVal(5, 5, 5), FORMAT_GRAYSCALE, 4, true},
        // Ten bits a colour keep their top eight; five are spread over 0..255.
        {"masks after the header", {2, 2, 32, 3, 0, 40, 0x4D42, -1, {}, {0x3FF00000, 0xFFC00, 0x3FF}, {0x3FF80003, 0, 0, 0xC0000000}},
         CColorVal(255, 128, 0), CColorVal(0, 0, 0), FORMAT_RGB, 3, false},
        {"narrow masks in a 124-byte header", {2, -2, 32, 3, 0, 124, 0x4D42, -1, {}, {0xF800, 0x7E0, 0x1F, 0}, {0x8010, 0, 0, 0xFFFF}},
         CColorVal(132, 0, 132), CColorVal(255, 255, 255), FORMAT_RGB, 3, false},
        {"alpha mask in a 108-byte header", {2, 2, 32, 3, 0, 108, 0x4D42, -1, {}, {0xFF0000, 0xFF00, 0xFF, 0xFF000000}, {0x7F102030, 0, 0, 0}},
         CColorVal(16, 32, 48), CColorVal(0, 0, 0), FORMAT_RGB, 4, true},
    };
    for (const Case& c : cases) {
        WriteBytes(path, BitmapBytes(c.spec));
        const ImageRead r = ReadImageFile(path);
        ASSERT_EQ(r.rc, 0) << c.name << ": " << (r.errors.empty() ? r.message : r.errors[0]);
        EXPECT_EQ(r.image.width, 2) << c.name;
        EXPECT_EQ(r.image.height, 2) << c.name;
        EXPECT_EQ(r.image.pixelValueArray[0][0], c.topLeft) << c.name;
        EXPECT_EQ(r.image.pixelValueArray[1][1], c.bottomRight) << c.name;
        EXPECT_EQ(r.image.format, c.format) << c.name;
        EXPECT_EQ(r.image.fileFacts.samplesPerPixel, c.samples) << c.name;
        EXPECT_EQ(r.notices, c.alphaNotice ? std::vector<std::string>{AlphaNotice(path)} : std::vector<std::string>{})
            << c.name;
    }
}

TEST(BitmapVariants, ImageMagicksBitmapsMatchItsPngs)
{
    TempDir dir;
    const struct {
        const char* name;
        const char* options;  // after the drawn image
        bool alpha;
    } cases[] = {
        {"plain", "", false},  // a 124-byte header, 24 bits
        {"bmp3", "", false},  // 40 bytes
        {"alpha", "-alpha set -channel A -fx \"0.2+0.1*i\" +channel", true},  // 32 bits, colour masks
        {"grey", "-colorspace Gray -type Palette", false},  // 4-bit palette
    };
    for (const auto& c : cases) {
        const std::string png = dir.path(std::string(c.name) + ".png"), bmp = dir.path(std::string(c.name) + ".bmp");
        const std::string image = std::string("-size 7x5 gradient:red-blue -depth 8 ") + c.options + " ";
        const std::string prefix = std::string(c.name) == "bmp3" ? "BMP3:" : "";
        const std::string command = "convert-im6.q16 " + image + "'" + png + "' && convert-im6.q16 " + image + prefix +
                                    "'" + bmp + "'";
        ASSERT_EQ(std::system(command.c_str()), 0) << command;
        const ImageRead fromBmp = ReadImageFile(bmp), fromPng = ReadImageFile(png);
        ASSERT_EQ(fromBmp.rc, 0) << c.name << ": " << (fromBmp.errors.empty() ? "" : fromBmp.errors[0]);
        ASSERT_EQ(fromPng.rc, 0) << c.name;
        ASSERT_EQ(fromBmp.image.width, 7) << c.name;
        EXPECT_EQ(fromBmp.image.format, fromPng.image.format) << c.name;
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < 7; ++x)
                ASSERT_EQ(fromBmp.image.pixelValueArray[y][x], fromPng.image.pixelValueArray[y][x])
                    << c.name << " at " << x << "," << y;
        EXPECT_EQ(fromBmp.notices.size(), c.alpha ? 1u : 0u) << c.name;
    }
}
