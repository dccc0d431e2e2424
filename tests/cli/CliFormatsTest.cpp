// nuvak-cli with PNG, TIFF and JPEG files: OUT's extension, --quality,
// --range, series --format and info's file facts.
#include <gtest/gtest.h>

#include <filesystem>
#include <tiffio.h>

#include "image/SampleDepth.h"
#include "support/BitmapFiles.h"
#include "support/CliRun.h"
#include "support/ImageReads.h"
#include "support/TestFiles.h"
#include "support/TestImages.h"

namespace {

const char* const kHint = "Try 'nuvak-cli --help' for more information.\n";
const std::string kDeep =
    " holds 16-bit samples, which 8-bit ones written over it would lose; give --allow-8bit to do that";

FileFormat FormatOf(const std::string& path)
{
    const std::vector<std::uint8_t> bytes = ReadBytes(path);
    return DetectFileFormat(bytes.data(), bytes.size());
}

// A 3 x 1 16-bit grey TIFF with levels 1000, 2000, 5000 at 300 dpi.
void WriteGrey16(const std::string& path)
{
    TIFF* tif = TIFFOpen(path.c_str(), "w");
    TIFFSetField(tif, TIFFTAG_IMAGEWIDTH, 3);
    TIFFSetField(tif, TIFFTAG_IMAGELENGTH, 1);
    TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, 16);
    TIFFSetField(tif, TIFFTAG_SAMPLESPERPIXEL, 1);
    TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_MINISBLACK);
    TIFFSetField(tif, TIFFTAG_RESOLUTIONUNIT, RESUNIT_INCH);
    TIFFSetField(tif, TIFFTAG_XRESOLUTION, 300.0f);
    TIFFSetField(tif, TIFFTAG_YRESOLUTION, 300.0f);
    std::uint16_t row[3] = {1000, 2000, 5000};
    TIFFWriteScanline(tif, row, 0, 0);
    TIFFClose(tif);
}

// The text of the series log in folder.
std::string SeriesLogText(const std::filesystem::path& folder)
{
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        if (entry.path().filename().string().rfind("series_", 0) == 0) {
            const std::vector<std::uint8_t> bytes = ReadBytes(entry.path().string());
            return std::string(bytes.begin(), bytes.end());
        }
    return std::string();
}

class CliFormats : public ::testing::Test {
protected:
    void SetUp() override
    {
        CImage image = MakeImage(40, 30, [](int x, int y) { return CColorVal(x * 6, y * 8, 90); });
        SaveBitmap(image, in);
        WriteGrey16(grey16);
    }
    TempDir dir;
    const std::string in = dir.path("in.bmp");
    const std::string grey16 = dir.path("g16.tif");
};

}  // namespace

TEST_F(CliFormats, OutExtensionChoosesTheFormat)
{
    const struct {
        const char* name;
        FileFormat format;
    } cases[] = {{"o.png", FileFormat::Png}, {"o.tiff", FileFormat::Tiff}, {"o.jpg", FileFormat::Jpeg},
                 {"o.bmp", FileFormat::Bitmap}, {"o.out", FileFormat::Bitmap}};
    for (const auto& c : cases) {
        const CliRun r = RunTool({"apply", "--op", "Invert", in, dir.path(c.name)});
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(FormatOf(dir.path(c.name)), c.format) << c.name;
    }
    const CliRun r = RunTool({"apply", "--op", "Extract RGB", in, dir.path("x.png")});
    ASSERT_EQ(r.status, 0) << r.err;
    for (const char* plane : {"x_red.png", "x_green.png", "x_blue.png"})
        EXPECT_EQ(FormatOf(dir.path(plane)), FileFormat::Png) << plane;
}

TEST_F(CliFormats, QualityChangesTheJpeg)
{
    ASSERT_EQ(RunTool({"apply", "--op", "Invert", "--quality", "5", in, dir.path("low.jpg")}).status, 0);
    ASSERT_EQ(RunTool({"apply", "--op", "Invert", "--quality", "100", in, dir.path("high.jpg")}).status, 0);
    EXPECT_LT(ReadBytes(dir.path("low.jpg")).size(), ReadBytes(dir.path("high.jpg")).size());
}

TEST_F(CliFormats, InfoPrintsFileFactsAndTheRangeNotice)
{
    CliRun r = RunTool({"info", grey16});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "notice: " + grey16 + " has 16-bit samples; levels 1000..5000 were mapped to 0..255.\n");
    EXPECT_NE(r.out.find("Image format: GRAYSCALE\n"
                         "Area of Interest, upper left:  (0, 0)\nArea of Interest, lower right:  (2, 0)\n"
                         "Resolution: 11811 x 11811 pixels per metre (300.0 x 300.0 dpi)\n"
                         "Pixel size: 84.6667 x 84.6667 \u00b5m\n"
                         "\nFile format: TIFF\nBit depth: 16 bits per sample, 1 sample per pixel\nPages: 1\n"),
              std::string::npos)
        << r.out;
    EXPECT_EQ(r.out.find("Resolution:"), r.out.rfind("Resolution:")) << r.out;
    r = RunTool({"info", "--range", "full", grey16});
    EXPECT_EQ(r.err, "");
}

TEST_F(CliFormats, RangeChoosesTheLevels)
{
    const struct {
        const char* range;
        std::vector<int> levels;
    } cases[] = {{nullptr, {0, 64, 255}}, {"full", {4, 8, 19}}, {"2000,4000", {0, 0, 255}}};
    for (const auto& c : cases) {
        std::vector<std::string> args = {"apply", "--op", "Invert"};
        if (c.range) args.insert(args.end(), {"--range", c.range});
        args.insert(args.end(), {grey16, dir.path("o.png")});
        const CliRun r = RunTool(args);
        ASSERT_EQ(r.status, 0) << r.err;
        const ImageRead read = ReadImageFile(dir.path("o.png"));
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(read.image.pixelValueArray[0][x].red, 255 - c.levels[x]) << (c.range ? c.range : "file") << x;
    }
}

TEST_F(CliFormats, SeriesKeepsEachSourceFormatUnlessAsked)
{
    const std::string outDir = dir.path("out");
    std::filesystem::create_directory(outDir);
    const std::string png = dir.path("p.png");
    ASSERT_EQ(RunTool({"apply", "--op", "Invert", in, png}).status, 0);
    CliRun r = RunTool({"series", "--op", "Extract RGB", "--out", outDir, in, png, grey16});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(FormatOf(dir.path("out/in.bmp")), FileFormat::Bitmap);
    EXPECT_EQ(FormatOf(dir.path("out/in_red.bmp")), FileFormat::Bitmap);
    EXPECT_EQ(FormatOf(dir.path("out/p.png")), FileFormat::Png);
    EXPECT_EQ(FormatOf(dir.path("out/p_blue.png")), FileFormat::Png);
    EXPECT_EQ(FormatOf(dir.path("out/g16.tif")), FileFormat::Tiff);
    EXPECT_EQ(FormatOf(dir.path("out/g16_green.tif")), FileFormat::Tiff);

    r = RunTool({"series", "--op", "Invert", "--format", "jpg", "--out", outDir, in, png});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(FormatOf(dir.path("out/in.jpg")), FileFormat::Jpeg);
    EXPECT_EQ(FormatOf(dir.path("out/p.jpg")), FileFormat::Jpeg);
}

TEST_F(CliFormats, UsageErrors)
{
    const std::string out = dir.path("o.png");
    const struct {
        std::vector<std::string> args;
        std::string reason;
    } cases[] = {
        {{"info", "--range", "10", in}, "--range must be full or LO,HI with 0 <= LO < HI <= 65535"},
        {{"info", "--range", "5,5", in}, "--range must be full or LO,HI with 0 <= LO < HI <= 65535"},
        {{"apply", "--op", "Invert", "--quality", "0", in, out}, "--quality must be an integer from 1 to 100"},
        {{"calc", "--op", "Add", "--quality", "9x", in, in, out}, "--quality must be an integer from 1 to 100"},
        {{"series", "--op", "Invert", "--format", "gif", "--overwrite", in}, "--format must be bmp, png, tif or jpg"},
        {{"series", "--op", "Invert", "--format", "png", "--out", dir.path("o"), in, dir.path("in.png")},
         "two files are named in.png; their results would overwrite each other in --out"},
        {{"apply", "--op", "Invert", grey16, grey16}, grey16 + kDeep},
        {{"run", "--recipe", dir.path("r.nrcp"), grey16, grey16}, grey16 + kDeep},
        {{"calc", "--op", "Add", in, grey16, grey16}, grey16 + kDeep},
        {{"series", "--op", "Invert", "--overwrite", in, grey16}, grey16 + kDeep},
    };
    WriteBytes(dir.path("r.nrcp"), {'n', 'u', 'v', 'a', 'k', ' ', 'r', 'e', 'c', 'i', 'p', 'e', ' ', '1', '\n'});
    const std::vector<std::uint8_t> original = ReadBytes(grey16);
    for (const auto& c : cases) {
        const CliRun r = RunTool(c.args);
        EXPECT_EQ(r.status, 2) << c.reason;
        EXPECT_EQ(r.err, "nuvak-cli: " + c.reason + "\n" + kHint);
    }
    EXPECT_EQ(ReadBytes(grey16), original);
}

TEST_F(CliFormats, SixteenBitOriginalsAreReplacedOnlyWhenAllowed)
{
    // A series tells each file's notice once, on standard error and in the log beside its file.
    CliRun r = RunTool({"series", "--op", "Invert", "--overwrite", "--allow-8bit", grey16});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string notice = grey16 + " has 16-bit samples; levels 1000..5000 were mapped to 0..255.";
    EXPECT_EQ(r.err, "notice: " + notice + "\n");
    const std::string log = SeriesLogText(dir.root());
    const size_t at = log.find("Now processing " + grey16);
    EXPECT_EQ(log.find("Notice: " + notice), log.find('\n', at) + 1) << log;
    EXPECT_EQ(FileSampleBits(grey16), 8);

    WriteGrey16(grey16);
    ASSERT_EQ(RunTool({"series", "--op", "Invert", "--overwrite", "--format", "png", grey16}).status, 0);
    ASSERT_EQ(RunTool({"apply", "--op", "Invert", "--allow-8bit", grey16, grey16}).status, 0);
    EXPECT_EQ(FileSampleBits(grey16), 8);

    // One level everywhere: no range to spread, and the notice says so.
    TIFF* tif = TIFFOpen(grey16.c_str(), "w");
    for (auto [tag, value] : {std::pair{TIFFTAG_IMAGEWIDTH, 2}, {TIFFTAG_IMAGELENGTH, 1}, {TIFFTAG_BITSPERSAMPLE, 16},
                              {TIFFTAG_SAMPLESPERPIXEL, 1}, {TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_MINISBLACK}})
        TIFFSetField(tif, tag, value);
    std::uint16_t row[2] = {700, 700};
    TIFFWriteScanline(tif, row, 0, 0);
    TIFFClose(tif);
    r = RunTool({"info", grey16});
    EXPECT_EQ(r.err, "notice: " + grey16 + " has 16-bit samples, all at level 700; every pixel became 0.\n");
}
