#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

#include "image/Image.h"
#include "support/FakeUserInterface.h"
#include "support/TestFiles.h"
#include "support/TestImages.h"

namespace {

struct IoResult {
    int rc = 0;
    bool aborted = false;
    std::string message;
    bool causeValid = false;
    int cause = 0;
};

IoResult Read(CImage& image, const std::string& path)
{
    IoResult r;
    try {
        r.rc = image.SerializeFile(false, path, false, r.message, r.causeValid, r.cause);
    } catch (const platform::UserAbort&) {
        r.aborted = true;
    }
    return r;
}

IoResult Write(CImage& image, const std::string& path, bool ask = false)
{
    IoResult r;
    r.rc = image.SerializeFile(true, path, ask, r.message, r.causeValid, r.cause);
    return r;
}

std::uint32_t Le32At(const std::vector<std::uint8_t>& b, size_t at)
{
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | std::uint32_t(b[at + 3]) << 24;
}

// An image that a refused read must leave exactly as it was.
CImage Sentinel()
{
    CImage image = MakeImage(3, 2, [](int x, int y) { return CColorVal(x, y, 7); });
    image.SetUpperLeft(1, 1, false);
    image.objects.resize(2);
    image.errorMessage = "before";
    return image;
}

void ExpectSentinel(const CImage& image)
{
    EXPECT_EQ(image.width, 3);
    EXPECT_EQ(image.height, 2);
    EXPECT_EQ(image.aoiLeft, 1);
    EXPECT_EQ(image.objects.size(), 2u);
    EXPECT_EQ(image.errorMessage, "before");
    EXPECT_EQ(image.pixelValueArray[1][2], CColorVal(2, 1, 7));
}

std::vector<std::uint32_t> GreyPalette(int n)
{
    std::vector<std::uint32_t> p;
    for (int k = 0; k < n; ++k) p.push_back(0x010101u * static_cast<std::uint32_t>(k * 255 / (n - 1)));
    return p;
}

class BitmapFile : public ::testing::Test {
protected:
    FakeUserInterface user;
    TempDir dir;
};

}  // namespace

TEST_F(BitmapFile, RgbTwoByTwoIsSeventyBytes)
{
    CImage image = MakeImage(2, 2, [](int x, int y) { return CColorVal(10 * x + 1, 20 * y + 2, 3); });
    ASSERT_EQ(Write(image, dir.path("a.bmp")).rc, 0);
    const auto b = ReadBytes(dir.path("a.bmp"));
    ASSERT_EQ(b.size(), 70u);
    const std::vector<std::uint8_t> header = {'B', 'M', 70, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0, 40, 0, 0, 0,
                                              2,   0,   0, 0, 2, 0, 0, 0, 1, 0, 24, 0};
    EXPECT_EQ(std::vector<std::uint8_t>(b.begin(), b.begin() + 30), header);
    for (size_t i = 30; i < 54; ++i) EXPECT_EQ(b[i], 0) << i;
    // Bottom row first, blue-green-red, two padding zeros.
    const std::vector<std::uint8_t> rows = {3, 22, 1, 3, 22, 11, 0, 0, 3, 2, 1, 3, 2, 11, 0, 0};
    EXPECT_EQ(std::vector<std::uint8_t>(b.begin() + 54, b.end()), rows);
}

TEST_F(BitmapFile, GreyThreeByOneIs1082Bytes)
{
    CImage image = MakeGrey(3, 1, [](int x, int) { return 100 + x; });
    ASSERT_EQ(Write(image, dir.path("g.bmp")).rc, 0);
    const auto b = ReadBytes(dir.path("g.bmp"));
    ASSERT_EQ(b.size(), 1082u);
    EXPECT_EQ(Le32At(b, 2), 1082u);
    EXPECT_EQ(Le32At(b, 10), 1078u);
    EXPECT_EQ(b[28], 8);
    EXPECT_EQ(Le32At(b, 46), 0u);
    for (int k = 0; k < 256; ++k) EXPECT_EQ(Le32At(b, 54 + 4 * k), 0x010101u * k) << k;
    EXPECT_EQ(std::vector<std::uint8_t>(b.begin() + 1078, b.end()), (std::vector<std::uint8_t>{100, 101, 102, 0}));
}

TEST_F(BitmapFile, GreyWriterStoresLuminance)
{
    CImage image = MakeImage(1, 1, [](int, int) { return CColorVal(255, 0, 0); });
    image.format = FORMAT_GRAYSCALE;
    ASSERT_EQ(Write(image, dir.path("l.bmp")).rc, 0);
    EXPECT_EQ(ReadBytes(dir.path("l.bmp"))[1078], 76);
}

TEST_F(BitmapFile, PaletteFormatRules)
{
    struct Case {
        const char* name;
        std::vector<std::uint32_t> palette;
        std::vector<std::uint32_t> pixels;
        int format;
    } cases[] = {
        {"all grey", {0x000000, 0x808080, 0xFFFFFF}, {0, 1, 2, 1}, FORMAT_GRAYSCALE},
        {"unused colour entry", {0x000000, 0x808080, 0xFF0000}, {0, 1, 1, 0}, FORMAT_GRAYSCALE},
        {"used colour entry", {0x000000, 0x808080, 0xFF0000}, {0, 1, 2, 0}, FORMAT_RGB},
    };
    for (const Case& c : cases) {
        BitmapSpec spec;
        spec.width = 2;
        spec.height = 2;
        spec.bits = 8;
        spec.colorsUsed = static_cast<std::uint32_t>(c.palette.size());
        spec.palette = c.palette;
        spec.pixels = c.pixels;
        WriteBytes(dir.path("p.bmp"), BitmapBytes(spec));
        CImage image;
        ASSERT_EQ(Read(image, dir.path("p.bmp")).rc, 0) << c.name;
        EXPECT_EQ(image.format, c.format) << c.name;
        const std::uint32_t last = c.palette[c.pixels[2]];
        EXPECT_EQ(image.pixelValueArray[1][0], CColorVal(last >> 16, (last >> 8) & 0xFF, last & 0xFF)) << c.name;
    }
}

TEST_F(BitmapFile, EqualComponentsLoadAsGreyAndWriteBackAsEightBit)
{
    BitmapSpec spec;
    spec.width = 3;
    spec.height = 2;
    spec.pixels = {0x000000, 0x101010, 0x202020, 0x303030, 0x404040, 0xFFFFFF};
    WriteBytes(dir.path("t.bmp"), BitmapBytes(spec));
    CImage image = Sentinel();
    image.redHistogram[3] = 5;
    image.objectColor = 0xABCDEF;
    ASSERT_EQ(Read(image, dir.path("t.bmp")).rc, 0);
    EXPECT_EQ(image.format, FORMAT_GRAYSCALE);
    EXPECT_EQ(image.aoiLeft, 0);
    EXPECT_EQ(image.aoiRight, 2);
    EXPECT_EQ(image.aoiBottom, 1);
    EXPECT_TRUE(image.objects.empty());
    EXPECT_TRUE(image.errorMessage.empty());
    EXPECT_EQ(image.redHistogram[3], 5);
    EXPECT_EQ(image.objectColor, 0xABCDEFu);
    ASSERT_EQ(Write(image, dir.path("t2.bmp")).rc, 0);
    const auto b = ReadBytes(dir.path("t2.bmp"));
    EXPECT_EQ(b[28], 8);
    EXPECT_EQ(b.size(), 1078u + 2 * 4);
}

TEST_F(BitmapFile, FourBitColoursUsedDecidesTheTableLength)
{
    struct Case {
        std::uint32_t colorsUsed;
        int entriesInFile;
        const char* error;  // nullptr: loads
    } cases[] = {
        {0, 16, nullptr},
        {3, 3, nullptr},
        {0, 3, "Failed to read color table"},
        {17, 16, "Bitmap color table size (17) is invalid.\nA 4-bit bitmap has at most 16 colors."},
    };
    for (const Case& c : cases) {
        FakeUserInterface local;
        BitmapSpec spec;
        spec.width = 3;
        spec.height = 1;
        spec.bits = 4;
        spec.colorsUsed = c.colorsUsed;
        spec.palette = GreyPalette(c.entriesInFile);
        spec.pixels = {0, 1, static_cast<std::uint32_t>(c.entriesInFile - 1)};
        WriteBytes(dir.path("f.bmp"), BitmapBytes(spec));
        CImage image;
        const IoResult r = Read(image, dir.path("f.bmp"));
        if (!c.error) {
            ASSERT_EQ(r.rc, 0) << c.colorsUsed;
            EXPECT_FALSE(r.aborted);
            EXPECT_EQ(image.pixelValueArray[0][2], CColorVal(255, 255, 255)) << c.colorsUsed;
            EXPECT_TRUE(local.errors.empty());
        } else {
            EXPECT_TRUE(r.aborted) << c.colorsUsed;
            ASSERT_EQ(local.errors.size(), 1u);
            EXPECT_EQ(local.errors[0], "Failed to read image " + dir.path("f.bmp") + ".\n" + c.error);
        }
    }
}

TEST_F(BitmapFile, RoundTripsKeepEveryPixelWithOddWidths)
{
    for (int bits : {1, 4, 8, 24})
        for (int width : {1, 3, 5, 7, 9, 13, 17, 33}) {
            const int height = 3;
            BitmapSpec spec;
            spec.width = width;
            spec.height = height;
            spec.bits = bits;
            if (bits == 1) spec.palette = {0x000000, 0x20C040};
            if (bits == 4) spec.palette = GreyPalette(16), spec.palette[5] = 0x123456;
            if (bits == 8) spec.palette = GreyPalette(256), spec.palette[200] = 0xFF00FF;
            for (int i = 0; i < width * height; ++i)
                spec.pixels.push_back(bits == 24 ? 0x010203u * i : static_cast<std::uint32_t>((i * 7) % (1 << bits)));
            WriteBytes(dir.path("r.bmp"), BitmapBytes(spec));
            CImage first;
            ASSERT_EQ(Read(first, dir.path("r.bmp")).rc, 0) << bits << " bits, width " << width;
            for (int y = 0; y < height; ++y)
                for (int x = 0; x < width; ++x) {
                    const std::uint32_t v = spec.pixels[y * width + x];
                    const std::uint32_t rgb = bits == 24 ? v : spec.palette[v];
                    ASSERT_EQ(first.pixelValueArray[y][x], CColorVal(rgb >> 16, (rgb >> 8) & 0xFF, rgb & 0xFF))
                        << bits << " bits, width " << width << " at " << x << "," << y;
                }
            ASSERT_EQ(Write(first, dir.path("w.bmp")).rc, 0);
            CImage second;
            ASSERT_EQ(Read(second, dir.path("w.bmp")).rc, 0);
            EXPECT_EQ(second.format, first.format);
            for (int y = 0; y < height; ++y)
                for (int x = 0; x < width; ++x)
                    ASSERT_EQ(second.pixelValueArray[y][x], first.pixelValueArray[y][x]) << bits << " " << width;
            // Padding bytes are written as zero.
            const auto written = ReadBytes(dir.path("w.bmp"));
            const size_t offset = Le32At(written, 10);
            const int outBits = first.format == FORMAT_GRAYSCALE ? 8 : 24;
            const size_t rowBytes = ((outBits * width + 31) / 8) & ~size_t(3);
            for (int row = 0; row < height; ++row)
                for (size_t k = outBits / 8 * width; k < rowBytes; ++k)
                    EXPECT_EQ(written[offset + row * rowBytes + k], 0);
        }
}

TEST_F(BitmapFile, RefusedFilesShowTheirReasonAndLeaveTheImageUnchanged)
{
    auto base = [] {
        BitmapSpec s;
        s.width = 2;
        s.height = 2;
        s.bits = 8;
        s.palette = GreyPalette(4);
        s.colorsUsed = 4;
        s.pixels = {0, 1, 2, 3};
        return s;
    };
    struct Case {
        const char* name;
        std::function<void(BitmapSpec&)> change;
        std::string message;
    } cases[] = {
        // Not "BM": named as no format read here rather than refused as a bitmap.
        {"signature", [](BitmapSpec& s) { s.signature = 0x4D43; }, " is not a bitmap, PNG, TIFF or JPEG file."},
        {"header size", [](BitmapSpec& s) { s.headerSize = 64; }, "File is not Windows DIB format"},
        {"compression", [](BitmapSpec& s) { s.compression = 1; },
         "Bitmap is not compression type BI_RGB (uncompressed).\nOnly uncompressed bitmaps are supported."},
        {"compression before bit depth", [](BitmapSpec& s) { s.compression = 3, s.bits = 16, s.palette.clear(), s.pixels.clear(); },
         "Bitmap is not compression type BI_RGB (uncompressed).\nOnly uncompressed bitmaps are supported."},
        {"colour masks below 32 bits", [](BitmapSpec& s) { s.compression = 3, s.bits = 24, s.palette.clear(), s.pixels.clear(); },
         "Bitmap is not compression type BI_RGB (uncompressed).\nOnly uncompressed bitmaps are supported."},
        {"colour masks sharing bits", [](BitmapSpec& s) { s.compression = 3, s.bits = 32, s.masks = {0xFF00, 0xFF0, 0xFF}; },
         "Bitmap color masks are invalid.\nEach color needs one run of bits of its own."},
        {"colour mask of two runs", [](BitmapSpec& s) { s.compression = 3, s.bits = 32, s.masks = {0xF000F, 0xF00, 0xF0}; },
         "Bitmap color masks are invalid.\nEach color needs one run of bits of its own."},
        {"bit depth", [](BitmapSpec& s) { s.bits = 16, s.pixels.clear(); },
         "Bit depth (16) is an unsupported number.\nOnly 1, 4, 8 and 24-bit bitmaps are supported."},
        {"bit depth 2", [](BitmapSpec& s) { s.bits = 2, s.pixels.clear(); },
         "Bit depth (2) is an unsupported number.\nOnly 1, 4, 8 and 24-bit bitmaps are supported."},
        {"zero width", [](BitmapSpec& s) { s.width = 0, s.pixels.clear(); },
         "Bitmap size (0 x 2) is invalid.\nWidth and height must be at least 1 pixel."},
        {"negative width", [](BitmapSpec& s) { s.width = -4, s.pixels.clear(); },
         "Bitmap size (-4 x 2) is invalid.\nWidth and height must be at least 1 pixel."},
        {"zero height", [](BitmapSpec& s) { s.height = 0, s.pixels.clear(); },
         "Bitmap size (2 x 0) is invalid.\nWidth and height must be at least 1 pixel."},
        {"too many pixels", [](BitmapSpec& s) { s.width = 65536, s.height = 65536, s.pixels.clear(); },
         "Bitmap size (65536 x 65536) is too large.\nImages of at most 2147483647 pixels are supported."},
        {"colours used", [](BitmapSpec& s) { s.colorsUsed = 257; },
         "Bitmap color table size (257) is invalid.\nA 8-bit bitmap has at most 256 colors."},
        {"short colour table", [](BitmapSpec& s) { s.colorsUsed = 0; }, "Failed to read color table"},
        {"index beyond table", [](BitmapSpec& s) { s.colorsUsed = 3, s.pixels = {0, 1, 2, 3}; },
         "Bitmap pixel (1, 1) uses color 3, but the color table has only 3 entries."},
        {"offset beyond end", [](BitmapSpec& s) { s.dataOffset = 5000; },
         "Bitmap pixel data offset (5000) lies beyond the end of the file (78 bytes)."},
        {"offset leaves too little data", [](BitmapSpec& s) { s.dataOffset = 74; }, "Failed to read bitmap pixel data"},
    };
    for (const Case& c : cases) {
        FakeUserInterface local;
        BitmapSpec spec = base();
        c.change(spec);
        auto bytes = BitmapBytes(spec);
        if (std::string(c.name) == "offset leaves too little data") bytes.resize(78);
        if (std::string(c.name) == "offset beyond end") bytes.resize(78);
        WriteBytes(dir.path("bad.bmp"), bytes);
        CImage image = Sentinel();
        const IoResult r = Read(image, dir.path("bad.bmp"));
        EXPECT_TRUE(r.aborted) << c.name;
        ASSERT_EQ(local.errors.size(), 1u) << c.name;
        const std::string path = dir.path("bad.bmp");
        EXPECT_EQ(local.errors[0], c.message[0] == ' ' ? path + c.message : "Failed to read image " + path + ".\n" + c.message)
            << c.name;
        ExpectSentinel(image);
    }
}

TEST_F(BitmapFile, TruncatedAtEveryByteIsRefusedWithTheStageMessage)
{
    BitmapSpec spec;
    spec.width = 3;
    spec.height = 2;
    spec.bits = 8;
    spec.palette = GreyPalette(4);
    spec.colorsUsed = 4;
    spec.pixels = {0, 1, 2, 3, 2, 1};
    const auto whole = BitmapBytes(spec);
    ASSERT_EQ(whole.size(), 54u + 16 + 8);
    for (size_t length = 0; length < whole.size(); ++length) {
        FakeUserInterface local;
        WriteBytes(dir.path("cut.bmp"), std::vector<std::uint8_t>(whole.begin(), whole.begin() + length));
        CImage image = Sentinel();
        const IoResult r = Read(image, dir.path("cut.bmp"));
        EXPECT_TRUE(r.aborted) << length;
        const char* expected = length < 14   ? "Failed to read bitmap file header"
                               : length < 54 ? "Failed to read bitmap info header"
                               : length < 70 ? "Failed to read color table"
                                             : "Failed to read bitmap pixel data";
        ASSERT_EQ(local.errors.size(), 1u) << length;
        EXPECT_EQ(local.errors[0], "Failed to read image " + dir.path("cut.bmp") + ".\n" + expected) << length;
        ExpectSentinel(image);
    }
}

TEST_F(BitmapFile, OneBitPixelsUseTheMostSignificantBitFirst)
{
    BitmapSpec spec;
    spec.width = 10;
    spec.height = 1;
    spec.bits = 1;
    spec.palette = {0x000000, 0xFFFFFF};
    spec.pixels.assign(10, 0);
    const auto bytes = [&] {
        auto b = BitmapBytes(spec);
        b[62] = 0xA5;  // 1010 0101
        b[63] = 0x80;  // column 8 set
        return b;
    }();
    WriteBytes(dir.path("one.bmp"), bytes);
    CImage image;
    ASSERT_EQ(Read(image, dir.path("one.bmp")).rc, 0);
    const int expected[10] = {1, 0, 1, 0, 0, 1, 0, 1, 1, 0};
    for (int x = 0; x < 10; ++x) EXPECT_EQ(image.pixelValueArray[0][x].red, expected[x] * 255) << x;
}

TEST_F(BitmapFile, SerializeFileOpenFailures)
{
    CImage image = Sentinel();
    const std::string missing = dir.path("missing.bmp");
    IoResult r = Read(image, missing);
    EXPECT_EQ(r.rc, -1);
    EXPECT_EQ(r.message, "Failed to open file " + missing + " for reading.\nCause:  No such file or directory\n");
    EXPECT_TRUE(r.causeValid);
    EXPECT_EQ(r.cause, ENOENT);

    r = Read(image, dir.root().string());
    EXPECT_EQ(r.message, "Failed to open file " + dir.root().string() + " for reading.\nCause:  Is a directory\n");
    EXPECT_EQ(r.cause, EISDIR);
    ExpectSentinel(image);

    const std::string nowhere = dir.path("no/such/folder/x.bmp");
    r = Write(image, nowhere);
    EXPECT_EQ(r.rc, -1);
    EXPECT_EQ(r.message, "Failed to open file " + nowhere + " for writing.\nCause:  No such file or directory\n");
    EXPECT_TRUE(r.causeValid);
    EXPECT_EQ(r.cause, ENOENT);
}

TEST_F(BitmapFile, OverwriteQuestion)
{
    const std::string path = dir.path("old.bmp");
    WriteBytes(path, {1, 2, 3});
    CImage image = Sentinel();

    user.answers = {false};
    IoResult r = Write(image, path, true);
    EXPECT_EQ(r.rc, -1);
    EXPECT_EQ(r.message, "Requested image file " + path +
                             " not written.\nUser opted NOT to overwrite current file with same name on disk.");
    EXPECT_FALSE(r.causeValid);
    EXPECT_EQ(r.cause, 0);
    ASSERT_EQ(user.questions.size(), 1u);
    EXPECT_EQ(user.questions[0], path + " already exists.\nDo you want to overwrite it?");
    EXPECT_EQ(ReadBytes(path), (std::vector<std::uint8_t>{1, 2, 3}));

    user.answers = {true};
    EXPECT_EQ(Write(image, path, true).rc, 0);
    EXPECT_EQ(ReadBytes(path).size(), 54u + 2 * 12);

    // Without askOverwrite nothing is asked.
    EXPECT_EQ(Write(image, path, false).rc, 0);
    EXPECT_EQ(user.questions.size(), 2u);
}

TEST_F(BitmapFile, FailedSaveKeepsThePreviousFile)
{
    const std::string path = dir.path("keep.bmp");
    const std::vector<std::uint8_t> old(100, 0x5A);
    WriteBytes(path, old);

    CImage empty;
    IoResult r = Write(empty, path);
    EXPECT_EQ(r.rc, -1);
    EXPECT_EQ(r.message, "Requested image file " + path + " not written.\nThe image is empty.");
    EXPECT_EQ(ReadBytes(path), old);

    // A write that fails half-way (file size limit) leaves the old file and no
    // temporary file behind.
    CImage big = MakeImage(200, 200, [](int x, int y) { return CColorVal(x, y, 0); });
    struct rlimit saved;
    getrlimit(RLIMIT_FSIZE, &saved);
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit limit = saved;
    limit.rlim_cur = 10000;
    setrlimit(RLIMIT_FSIZE, &limit);
    r = Write(big, path);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_EQ(r.rc, -1);
    EXPECT_EQ(r.message, "CImage::Serialize() failed for file " + path + ".\nCause:  File too large\n");
    EXPECT_TRUE(r.causeValid);
    EXPECT_EQ(r.cause, EFBIG);
    EXPECT_EQ(ReadBytes(path), old);
    int entries = 0;
    for (const auto& e : std::filesystem::directory_iterator(dir.root())) entries += e.is_regular_file();
    EXPECT_EQ(entries, 1);
}

TEST_F(BitmapFile, SaveKeepsPermissionsOfTheReplacedFile)
{
    const std::string path = dir.path("mode.bmp");
    WriteBytes(path, {0});
    std::filesystem::permissions(path, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write |
                                           std::filesystem::perms::group_read);
    CImage image = Sentinel();
    ASSERT_EQ(Write(image, path).rc, 0);
    EXPECT_EQ(std::filesystem::status(path).permissions(),
              std::filesystem::perms::owner_read | std::filesystem::perms::owner_write |
                  std::filesystem::perms::group_read);
}
