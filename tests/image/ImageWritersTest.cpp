// Every writer round-trips through its reader, the format follows the
// options or the extension, and resolution is kept.
#include <gtest/gtest.h>

#include <cstdio>
#include <png.h>

#include "platform/ParallelRows.h"
#include "support/FailingPlaces.h"
#include "support/ImageReads.h"
#include "support/TestFiles.h"
#include "support/TestImages.h"

namespace {

std::string Write(CImage& image, const std::string& path, const WriteOptions& options = {})
{
    std::string message;
    bool causeValid = false;
    int cause = 0;
    image.SerializeFile(true, path, false, message, causeValid, cause, options);
    return message;
}

// The image as libpng itself writes it, row by row with its default settings.
std::vector<std::uint8_t> LibpngBytes(const CImage& image, const std::string& path)
{
    const bool grey = image.format == FORMAT_GRAYSCALE;
    FILE* f = std::fopen(path.c_str(), "wb");
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_init_io(png, f);
    png_set_IHDR(png, info, image.width, image.height, 8, grey ? PNG_COLOR_TYPE_GRAY : PNG_COLOR_TYPE_RGB, 0, 0, 0);
    if (image.xPixelsPerMetre > 0)
        png_set_pHYs(png, info, image.xPixelsPerMetre, image.yPixelsPerMetre, PNG_RESOLUTION_METER);
    png_write_info(png, info);
    std::vector<png_byte> row(3 * static_cast<size_t>(image.width));
    for (int y = 0; y < image.height; ++y) {
        const CColorVal* in = std::as_const(image).pixelValueArray[y];
        for (int x = 0; x < image.width; ++x) {
            if (grey)
                row[x] = static_cast<png_byte>(in[x].Luminance());
            else
                std::memcpy(&row[3 * static_cast<size_t>(x)], &in[x], 3);
        }
        png_write_row(png, row.data());
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    std::fclose(f);
    return ReadBytes(path);
}

}  // namespace

// Larger images are filtered and deflated here, beside each other on two
// cores: the file is libpng's own, byte for byte, for every thread count.
TEST(ImageWriters, PngBytesAreLibpngsOwn)
{
    TempDir dir;
    const struct {
        const char* name;
        CImage image;
    } cases[] = {
        {"noise", MakeImage(300, 200,
                            [](int x, int y) {
                                return CColorVal((x * 7919 + y * 104729) % 251, x * y % 256, (x ^ y) & 0xFF);
                            })},
        {"smooth",
         MakeImage(1500, 700, [](int x, int y) { return CColorVal(x / 6, (x + y) / 9, (y * y / 50) % 256); })},
        {"grey plane", MakeGrey(1000, 300, [](int x, int y) { return (x / 3 + (y % 40) * 5) % 256; })},
        {"grey rows", MakeImage(130, 200,
                                [](int x, int y) {
                                    const int v = (x * 3 + y) % 256;
                                    return CColorVal(v, v, v);
                                })},
        {"one column", MakeGrey(1, 20000, [](int, int y) { return y * 7 % 256; })},
    };
    for (const auto& c : cases) {
        CImage image = c.image;
        if (std::string(c.name) == "grey rows") image.format = FORMAT_GRAYSCALE;
        if (std::string(c.name) == "grey plane") image.SettleStorage();
        image.xPixelsPerMetre = 3780;
        image.yPixelsPerMetre = 3781;
        const std::vector<std::uint8_t> want = LibpngBytes(image, dir.path("libpng.png"));
        for (int threads = 1; threads <= 2; ++threads) {
            const parallel::ScopedThreads scoped(threads, 0);
            ASSERT_EQ(Write(image, dir.path("ours.png")), "");
            EXPECT_EQ(ReadBytes(dir.path("ours.png")), want) << c.name << " " << threads << " threads";
        }
    }
}

TEST(ImageWriters, RoundTripEveryFormat)
{
    TempDir dir;
    CImage rgb = MakeImage(23, 17, [](int x, int y) { return CColorVal(x * 11, y * 15, (x + y) * 6); });
    CImage grey = MakeGrey(23, 17, [](int x, int y) { return (x * 13 + y * 7) % 256; });
    rgb.xPixelsPerMetre = grey.xPixelsPerMetre = 3900;
    rgb.yPixelsPerMetre = grey.yPixelsPerMetre = 2000;
    const struct {
        const char* name;
        FileFormat format;
        int tolerance;
        int xPpm;
    } cases[] = {
        {"a.bmp", FileFormat::Bitmap, 0, 0}, {"a.png", FileFormat::Png, 0, 3900}, {"a.TIFF", FileFormat::Tiff, 0, 3900},
        {"a.tif", FileFormat::Tiff, 0, 3900}, {"a.jpeg", FileFormat::Jpeg, 12, 3900}, {"a.JPG", FileFormat::Jpeg, 12, 3900},
        {"a.gif", FileFormat::Bitmap, 0, 0},  {"a", FileFormat::Bitmap, 0, 0},
    };
    for (CImage* image : {&rgb, &grey})
        for (const auto& c : cases) {
            const std::string path = dir.path(c.name);
            ASSERT_EQ(Write(*image, path), "") << c.name;
            const std::vector<std::uint8_t> head = ReadBytes(path);
            EXPECT_EQ(DetectFileFormat(head.data(), head.size()), c.format) << c.name;
            const ImageRead r = ReadImageFile(path);
            ASSERT_FALSE(r.refused) << c.name;
            EXPECT_EQ(r.image.format, image->format) << c.name;
            EXPECT_EQ(r.image.fileFacts.format, c.format) << c.name;
            EXPECT_EQ(r.image.xPixelsPerMetre, c.xPpm) << c.name;
            int worst = 0;
            for (int y = 0; y < image->height; ++y)
                for (int x = 0; x < image->width; ++x) {
                    const CColorVal a = r.image.pixelValueArray[y][x], b = image->pixelValueArray[y][x];
                    worst = std::max({worst, std::abs(a.red - b.red), std::abs(a.green - b.green),
                                      std::abs(a.blue - b.blue)});
                }
            EXPECT_LE(worst, c.tolerance) << c.name;
        }
}

TEST(ImageWriters, OptionsChooseFormatAndQuality)
{
    TempDir dir;
    CImage image = MakeImage(64, 64, [](int x, int y) { return CColorVal(x * 4, y * 4, (x ^ y) * 4); });
    ASSERT_EQ(Write(image, dir.path("p.bmp"), {FileFormat::Png, 95}), "");
    EXPECT_EQ(ReadBytes(dir.path("p.bmp"))[1], 'P');
    ASSERT_EQ(Write(image, dir.path("low.jpg"), {std::nullopt, 10}), "");
    ASSERT_EQ(Write(image, dir.path("high.jpg"), {std::nullopt, 100}), "");
    EXPECT_LT(ReadBytes(dir.path("low.jpg")).size() * 3, ReadBytes(dir.path("high.jpg")).size());
}

// A full disk fails the write and a file already there is left as it was.
TEST(ImageWriters, AFullDiskLosesNothing)
{
    TempDir dir;
    std::string reason;
    const std::string device = FullDevice(dir.root().string(), reason);
    if (device.empty()) GTEST_SKIP() << reason;
    CImage image = MakeImage(300, 300, [](int x, int y) { return CColorVal((x * 97 + x * y * 31) % 256, y * 53 % 256, x * y % 256); });
    for (FileFormat format : {FileFormat::Png, FileFormat::Jpeg}) {
        EXPECT_EQ(Write(image, device, {format, 95}),
                  "CImage::Serialize() failed for file " + device + ".\nCause:  No space left on device\n");
    }
    // libtiff seeks back over what it wrote, which a device cannot.
    EXPECT_NE(Write(image, device, {FileFormat::Tiff, 95}), "");
    const std::string kept = dir.path("kept.png");
    WriteBytes(kept, {1, 2, 3});
    ReadOnlyFolder readOnly(dir.root().string());
    if (!readOnly.ok()) GTEST_SKIP() << readOnly.reason();
    EXPECT_NE(Write(image, kept), "");
    EXPECT_EQ(ReadBytes(kept), (std::vector<std::uint8_t>{1, 2, 3}));
}

// TIFF strips are deflated in bands over the threads and in batches of
// about 4 MB; bitmap blocks of 1 MB are converted while the last is written:
// the files' bytes stay the same for any thread count.
TEST(ImageWriters, BytesDoNotDependOnTheThreadCount)
{
    TempDir dir;
    CImage image = MakeImage(1500, 1000, [](int x, int y) { return CColorVal(x * 7 + y, (x ^ y) & 0xF0, y * 3); });
    for (const std::string extension : {".tif", ".bmp"}) {
        std::vector<std::uint8_t> first;
        for (int threads = 1; threads <= 3; ++threads) {
            const parallel::ScopedThreads scoped(threads, 0);
            const std::string path = dir.path(std::to_string(threads) + "t" + extension);
            ASSERT_EQ(Write(image, path), "");
            if (threads == 1)
                first = ReadBytes(path);
            else
                EXPECT_EQ(ReadBytes(path), first) << extension << " " << threads << " threads";
        }
        const ImageRead r = ReadImageFile(dir.path("3t" + extension));
        ASSERT_FALSE(r.refused);
        for (const int y : {0, 523, 999})
            for (const int x : {0, 777, 1499})
                EXPECT_EQ(r.image.pixelValueArray[y][x], image.pixelValueArray[y][x]) << extension;
    }
}
