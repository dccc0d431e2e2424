// Calibration through files: what TIFF, JPEG and bitmap files written by
// libtiff, libjpeg and tifffile say of their pixels, and what NUVAK's own
// files carry back.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <jpeglib.h>
#include <tiffio.h>

#include "support/BitmapFiles.h"
#include "support/FakeUserInterface.h"
#include "support/ImageReads.h"
#include "support/LibjpegFiles.h"
#include "support/TestFiles.h"
#include "support/TestImages.h"

namespace {

void WriteGreyTiff(const std::string& path, std::uint16_t unit, float x, float y, const char* description)
{
    TIFF* tif = TIFFOpen(path.c_str(), "w");
    ASSERT_NE(tif, nullptr);
    TIFFSetField(tif, TIFFTAG_IMAGEWIDTH, 4);
    TIFFSetField(tif, TIFFTAG_IMAGELENGTH, 2);
    TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, 8);
    TIFFSetField(tif, TIFFTAG_SAMPLESPERPIXEL, 1);
    TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_MINISBLACK);
    TIFFSetField(tif, TIFFTAG_RESOLUTIONUNIT, unit);
    TIFFSetField(tif, TIFFTAG_XRESOLUTION, x);
    TIFFSetField(tif, TIFFTAG_YRESOLUTION, y);
    if (description) TIFFSetField(tif, TIFFTAG_IMAGEDESCRIPTION, description);
    std::uint8_t row[4] = {0, 80, 160, 240};
    for (std::uint32_t r = 0; r < 2; ++r) TIFFWriteScanline(tif, row, r, 0);
    TIFFClose(tif);
}

// A grey JPEG without a JFIF header, with an EXIF block when given.
void WriteExifJpeg(const std::string& path, const std::vector<std::uint8_t>& exif)
{
    WriteBytes(path, LibjpegFile(
                         8, 8, 1, [](int, int, int) { return 128; },
                         [](jpeg_compress_struct& info) { info.write_JFIF_header = FALSE; },
                         [&exif](jpeg_compress_struct& info) {
                             jpeg_write_marker(&info, JPEG_APP0 + 1, exif.data(), static_cast<unsigned>(exif.size()));
                         }));
}

// "Exif\0\0" and a little-endian first directory: X and YResolution
// x/1 and y/1, ResolutionUnit unit.
std::vector<std::uint8_t> ExifBlock(std::uint32_t x, std::uint32_t y, std::uint16_t unit)
{
    std::vector<std::uint8_t> b = {'E', 'x', 'i', 'f', 0, 0, 'I', 'I', 42, 0, 8, 0, 0, 0, 3, 0};
    const auto put = [&b](std::uint32_t v, int bytes) {
        for (int i = 0; i < bytes; ++i) b.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
    };
    const std::uint32_t values = 8 + 2 + 3 * 12 + 4;  // after the directory
    put(0x011A, 2), put(5, 2), put(1, 4), put(values, 4);
    put(0x011B, 2), put(5, 2), put(1, 4), put(values + 8, 4);
    put(0x0128, 2), put(3, 2), put(1, 4), put(unit, 4);
    put(0, 4);
    put(x, 4), put(1, 4), put(y, 4), put(1, 4);
    return b;
}

void ExpectSameCalibration(const CCalibration& got, const CCalibration& want, const std::string& what)
{
    EXPECT_EQ(got.unit, want.unit) << what;
    EXPECT_NEAR(got.pixelWidth, want.pixelWidth, want.pixelWidth * 1e-6) << what;
    EXPECT_NEAR(got.pixelHeight, want.pixelHeight, want.pixelHeight * 1e-6) << what;
}

}  // namespace

TEST(FileCalibration, TiffResolutionAndDescriptions)
{
    const std::string ome = "<?xml version=\"1.0\" encoding=\"UTF-8\"?><OME xmlns=\"http://www.openmicroscopy.org/"
                            "Schemas/OME/2016-06\"><Image ID=\"Image:0\"><ome:Pixels DimensionOrder=\"XYCZT\" ";
    const struct {
        std::uint16_t unit;
        float x, y;
        std::string description;
        CCalibration want;
        double xPerMetre;  // rounded
    } cases[] = {
        {RESUNIT_INCH, 72, 72, "", {}, 2835},
        {RESUNIT_INCH, 96, 96, "", {}, 3780},
        {RESUNIT_CENTIMETER, 28, 28, "", {}, 2800},
        {RESUNIT_CENTIMETER, 28.35f, 37.8f, "", {}, 2835},
        {RESUNIT_CENTIMETER, 100, 50, "", {0.1, 0.2, "mm"}, 10000},
        {RESUNIT_NONE, 2, 1.25f, "ImageJ=1.53t\nimages=1\nunit=micron\n", {0.5, 0.8, "\u00b5m"}, 2000000},
        {RESUNIT_NONE, 4, 4, "ImageJ=1.53t\nunit=\\u00B5m\n", {0.25, 0.25, "\u00b5m"}, 4000000},
        {RESUNIT_INCH, 2, 2, "ImageJ=1.53t\nunit=nm\n", {0.5, 0.5, "nm"}, 2e9},
        {RESUNIT_INCH, 72, 72, "ImageJ=1.53t\nunit=inch\n", {1 / 72.0, 1 / 72.0, "in"}, 2835},
        {RESUNIT_NONE, 2, 2, "ImageJ=1.53t\nunit=pixel\n", {}, 0},
        {RESUNIT_INCH, 72, 72, ome + "PhysicalSizeX=\"0.65\" PhysicalSizeY=\"0.5\" SizeX=\"4\"/></Image></OME>",
         {0.65, 0.5, "\u00b5m"}, 1538462},
        {RESUNIT_NONE, 1, 1, ome + "PhysicalSizeX='5' PhysicalSizeXUnit='\u00c5' PhysicalSizeY='5' "
                                   "PhysicalSizeYUnit='\u00c5'></ome:Pixels></Image></OME>",
         {0.5, 0.5, "nm"}, 2e9},
        {RESUNIT_NONE, 1, 1, ome + "PhysicalSizeX=\"0.5\" PhysicalSizeXUnit=\"mm\" PhysicalSizeY=\"250\" "
                                   "PhysicalSizeYUnit=\"\u00b5m\"/></Image></OME>",
         {0.5, 0.25, "mm"}, 2000},
        {RESUNIT_NONE, 1, 1, ome + "PhysicalSizeXUnit=\"nm\"/></Image></OME>", {}, 0},
    };
    TempDir dir;
    const std::string path = dir.path("c.tif");
    for (const auto& c : cases) {
        WriteGreyTiff(path, c.unit, c.x, c.y, c.description.empty() ? nullptr : c.description.c_str());
        const ImageRead r = ReadImageFile(path);
        ASSERT_FALSE(r.refused) << c.description;
        if (c.want.Calibrated())
            ExpectSameCalibration(r.image.calibration, c.want, c.description);
        else
            EXPECT_FALSE(r.image.calibration.Calibrated()) << c.x << " " << c.description;
        EXPECT_EQ(std::round(r.image.xPixelsPerMetre), c.xPerMetre) << c.x << " " << c.description;
    }
}

TEST(FileCalibration, WrittenResolutionReadsBack)
{
    const struct {
        const char* name;
        CCalibration calibration;  // or, when uncalibrated, a display resolution in dots per inch
        double dpi;
        CCalibration want;  // what reads back
        bool notice;
    } cases[] = {
        {"a.tif", {0.5, 0.8, "\u00b5m"}, 0, {0.5, 0.8, "\u00b5m"}, false},
        {"b.tif", {2, 3, "mm"}, 0, {2, 3, "mm"}, false},
        {"c.tif", {0.01, 0.02, "cm"}, 0, {0.01, 0.02, "cm"}, false},
        {"d.tif", {0.25, 0.25, "in"}, 0, {0.25, 0.25, "in"}, false},
        {"e.tif", {}, 72, {}, false},
        {"f.jpg", {}, 96, {}, false},
        {"g.jpg", {0.0254 / 300, 0.0254 / 300, "m"}, 0, {0.0254 / 300 * 1e6, 0.0254 / 300 * 1e6, "\u00b5m"}, false},
        {"h.jpg", {0.5, 0.25, "mm"}, 0, {0.5, 0.25, "mm"}, false},
        {"i.jpg", {2, 3, "mm"}, 0, {}, true},
        {"j.jpg", {0.1, 0.1, "\u00b5m"}, 0, {}, true},
        {"k.png", {0.5, 0.8, "\u00b5m"}, 0, {0.5, 0.8, "\u00b5m"}, false},
    };
    TempDir dir;
    for (const auto& c : cases) {
        CImage image = MakeGrey(6, 4, [](int x, int y) { return x * 30 + y; });
        if (c.calibration.Calibrated())
            image.SetCalibration(c.calibration);
        else
            image.xPixelsPerMetre = image.yPixelsPerMetre = c.dpi / 0.0254;
        const std::string path = dir.path(c.name);
        FakeUserInterface ui;
        std::string message;
        bool causeValid = false;
        int cause = 0;
        ASSERT_EQ(image.SerializeFile(true, path, false, message, causeValid, cause), 0) << message;
        EXPECT_EQ(ui.notices.size(), c.notice ? 1u : 0u) << c.name;
        if (c.notice) {
            EXPECT_EQ(ui.notices[0], path + " was written without a resolution: a JPEG file's density fields cannot "
                                            "hold a pixel size of " +
                                         (c.calibration.pixelWidth == 2 ? "2 x 3 mm" : "0.1 x 0.1 \u00b5m") +
                                         " within 0.1 %.");
        }
        const ImageRead r = ReadImageFile(path);
        ASSERT_FALSE(r.refused) << c.name;
        if (c.want.Calibrated()) {
            ExpectSameCalibration(r.image.calibration, c.want, c.name);
        } else {
            EXPECT_FALSE(r.image.calibration.Calibrated()) << c.name;
            EXPECT_DOUBLE_EQ(r.image.xPixelsPerMetre, c.dpi / 0.0254) << c.name;
        }
    }
}

TEST(FileCalibration, JpegExifResolutionWhenJfifHasNone)
{
    const struct {
        std::uint32_t x, y;
        std::uint16_t unit;
        double xPerMetre, yPerMetre;
    } cases[] = {
        {300, 150, 2, 300 / 0.0254, 150 / 0.0254},
        {400, 400, 3, 40000, 40000},
        {72, 72, 1, 0, 0},
    };
    TempDir dir;
    const std::string path = dir.path("e.jpg");
    for (const auto& c : cases) {
        WriteExifJpeg(path, ExifBlock(c.x, c.y, c.unit));
        const ImageRead r = ReadImageFile(path);
        ASSERT_FALSE(r.refused);
        EXPECT_DOUBLE_EQ(r.image.xPixelsPerMetre, c.xPerMetre) << c.x;
        EXPECT_DOUBLE_EQ(r.image.yPixelsPerMetre, c.yPerMetre) << c.x;
    }
    // Truncated: the block's values lie past its end.
    std::vector<std::uint8_t> cut = ExifBlock(300, 300, 2);
    cut.resize(cut.size() - 12);
    WriteExifJpeg(path, cut);
    const ImageRead r = ReadImageFile(path);
    ASSERT_FALSE(r.refused);
    EXPECT_EQ(r.image.yPixelsPerMetre, 0);
}

TEST(FileCalibration, BitmapPixelsPerMetreNeitherCalibrateNorChangeTheResults)
{
    TempDir dir;
    CImage image = MakeGrey(12, 9, [](int x, int y) { return x > 3 && x < 8 && y > 2 && y < 6 ? 0 : 255; });
    SaveBitmap(image, dir.path("r.bmp"));
    std::vector<std::uint8_t> bytes = ReadBytes(dir.path("r.bmp"));
    CImage plain = LoadBitmap(dir.path("r.bmp"));
    ASSERT_EQ(plain.CentroidDetermination(dir.path("plain.dat"), 2047, 255), 0);
    for (std::uint32_t perMetre : {2835u, 3780u, 10000u}) {
        for (int at : {38, 42})
            for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<std::uint8_t>(perMetre >> (8 * i));
        WriteBytes(dir.path("r.bmp"), bytes);
        CImage read = LoadBitmap(dir.path("r.bmp"));
        EXPECT_FALSE(read.calibration.Calibrated()) << perMetre;
        EXPECT_EQ(read.xPixelsPerMetre, 0) << perMetre;
        ASSERT_EQ(read.CentroidDetermination(dir.path("read.dat"), 2047, 255), 0);
        EXPECT_EQ(ReadBytes(dir.path("read.dat")), ReadBytes(dir.path("plain.dat"))) << perMetre;
    }
}

namespace {

std::string Tifffile(const std::string& mode, const std::string& path)
{
    const std::string command =
        "/usr/bin/python3 " NUVAK_SOURCE_DIR "/tests/support/tifffile_calibration.py " + mode + " '" + path + "'";
    std::string out;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[256];
        while (std::fgets(buffer, sizeof buffer, pipe)) out += buffer;
        EXPECT_EQ(pclose(pipe), 0) << command;
    }
    return out;
}

}  // namespace

TEST(FileCalibration, TifffileReadsOursAndWeReadTifffiles)
{
    TempDir dir;
    const struct {
        CCalibration calibration;
        const char* seen;
    } ours[] = {
        {{0.5, 0.8, "\u00b5m"}, "0.5 0.8 micron\n"},
        {{2, 3, "mm"}, "2 3 mm\n"},
        {{0.25, 0.25, "in"}, "0.25 0.25 inch\n"},
    };
    for (const auto& c : ours) {
        CImage image = MakeGrey(4, 2, [](int x, int) { return x; });
        image.SetCalibration(c.calibration);
        std::string message;
        bool causeValid = false;
        int cause = 0;
        ASSERT_EQ(image.SerializeFile(true, dir.path("ours.tif"), false, message, causeValid, cause), 0);
        EXPECT_EQ(Tifffile("read", dir.path("ours.tif")), c.seen);
    }
    const struct {
        const char* mode;
        CCalibration want;
    } theirs[] = {
        {"imagej", {0.5, 0.8, "\u00b5m"}},
        {"ome", {0.65, 0.5, "\u00b5m"}},
    };
    for (const auto& c : theirs) {
        Tifffile(c.mode, dir.path("theirs.tif"));
        const ImageRead r = ReadImageFile(dir.path("theirs.tif"));
        ASSERT_FALSE(r.refused) << c.mode;
        ExpectSameCalibration(r.image.calibration, c.want, c.mode);
    }
}
