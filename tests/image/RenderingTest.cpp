#include <gtest/gtest.h>

#include "image/Canvas.h"
#include "image/DeviceBitmap.h"
#include "image/Image.h"
#include "support/FakeUserInterface.h"
#include "support/TestImages.h"

namespace {

const char* const kTooFewColors =
    "Your display is not currently set up to display sufficient colors.\nTo properly display the image,\n"
    "go into Control Panel - Display - Settings and set your color palette to\nTrue Color.";

CImage Ramp(int w, int h)
{
    return MakeImage(w, h, [](int x, int y) { return CColorVal(x * 10, y * 10, x + y); });
}

// Blue, green, red of pixel x in row y of a bitmap.
std::array<int, 3> Bgr(const CDeviceBitmap& b, int x, int y)
{
    const std::uint8_t* p = b.Row(y) + x * (b.bitsPerPixel / 8);
    return {p[0], p[1], p[2]};
}

struct RecordingCanvas : CCanvas {
    int bits = 32;
    int stretchedW = -1, stretchedH = -1, bitmapW = -1, bitmapH = -1;
    std::vector<std::array<int, 3>> pixels;  // x, y, colour
    std::vector<std::string> texts;           // "x,y:text"
    int BitsPerPixel() const override { return bits; }
    void StretchBitmap(const CDeviceBitmap& b, int w, int h) override
    {
        bitmapW = b.width, bitmapH = b.height, stretchedW = w, stretchedH = h;
    }
    void SetPixel(int x, int y, std::uint32_t c) override { pixels.push_back({x, y, static_cast<int>(c)}); }
    void TextCentred(int x, int y, const std::string& t, std::uint32_t) override
    {
        texts.push_back(std::to_string(x) + "," + std::to_string(y) + ":" + t);
    }
};

}  // namespace

TEST(Rendering, AoiBitmapRowsAt24And32Bits)
{
    struct Case {
        int bits;
        int rowLength;
        std::vector<int> firstRow;  // every byte, padding included
    } cases[] = {
        {24, 12, {2, 10, 10, /**/ 3, 10, 20, /**/ 4, 10, 30, /**/ 0, 0, 0}},
        {32, 12, {2, 10, 10, 0, /**/ 3, 10, 20, 0, /**/ 4, 10, 30, 0}},
    };
    for (const Case& c : cases) {
        CImage image = Ramp(6, 4);
        image.SetUpperLeft(1, 1, false);
        image.SetLowerRight(3, 2, false);
        CDeviceBitmap bitmap;
        ASSERT_EQ(image.MakeBitmap(bitmap, false, c.bits), 0);
        EXPECT_EQ(bitmap.width, 3);
        EXPECT_EQ(bitmap.height, 2);
        EXPECT_EQ(bitmap.bytesPerRow, c.rowLength);
        ASSERT_EQ(bitmap.bits.size(), static_cast<size_t>(c.rowLength * 2));
        EXPECT_EQ(std::vector<int>(bitmap.bits.begin(), bitmap.bits.begin() + c.rowLength), c.firstRow) << c.bits;
        EXPECT_EQ(Bgr(bitmap, 2, 1), (std::array{5, 20, 30}));
    }
}

TEST(Rendering, WholeImageRowLengths)
{
    struct Case {
        int width, bits, rowLength;
    } cases[] = {{1, 24, 4}, {2, 24, 8}, {4, 24, 12}, {5, 24, 16}, {1, 32, 4}, {5, 32, 20}};
    for (const Case& c : cases) {
        CImage image = Ramp(c.width, 2);
        CDeviceBitmap bitmap;
        ASSERT_EQ(image.MakeBitmap(bitmap, true, c.bits), 0);
        EXPECT_EQ(bitmap.bytesPerRow, c.rowLength) << c.width << "@" << c.bits;
        EXPECT_EQ(BitmapRowLength(c.bits, c.width), c.rowLength);
        EXPECT_EQ(Bgr(bitmap, c.width - 1, 1), (std::array{c.width, 10, (c.width - 1) * 10}));
    }
}

TEST(Rendering, FailuresLeaveTheirText)
{
    struct Case {
        float factor;
        int bits;
        const char* message;
    } cases[] = {
        {0.0f, 32, "CImage::MakeScaledBitmap invalid scaling factor"},
        {-0.5f, 32, "CImage::MakeScaledBitmap invalid scaling factor"},
        {0.5f, 16, kTooFewColors},
        {0.5f, 8, kTooFewColors},
    };
    for (const Case& c : cases) {
        CImage image = Ramp(5, 5);
        CDeviceBitmap bitmap;
        EXPECT_EQ(image.MakeScaledBitmap(bitmap, c.factor, false, c.bits), -1);
        EXPECT_EQ(image.errorMessage, c.message) << c.factor << "@" << c.bits;
    }
    CImage image = Ramp(3, 3);
    CDeviceBitmap bitmap;
    EXPECT_EQ(image.MakeBitmap(bitmap, true, 16), -1);
    EXPECT_EQ(image.errorMessage, kTooFewColors);
}

TEST(Rendering, ScaledBitmapPixels)
{
    struct Case {
        int w, h;
        float factor;
        bool bilinear;
        int outW, outH;
        std::vector<std::array<int, 5>> probes;  // x, y, blue, green, red
    } cases[] = {
        // 2.5 rounds to 3; output j reads source 2j.
        {5, 5, 0.5f, false, 3, 3, {{0, 0, 0, 0, 0}, {1, 1, 4, 20, 20}, {2, 2, 8, 40, 40}, {2, 0, 4, 0, 40}}},
        {5, 5, 0.5f, true, 3, 3, {{1, 1, 4, 20, 20}, {2, 2, 8, 40, 40}}},
        // Bilinear between columns: sx = 4/3 * j; row 1 lies past the last row, which repeats.
        {4, 2, 0.75f, true, 3, 2, {{1, 0, 1, 0, 13}, {2, 0, 3, 0, 27}, {1, 1, 2, 10, 13}}},
        // Nearest at 0.75: sx = 1.33 reads column 1, 2.67 reads column 3.
        {4, 2, 0.75f, false, 3, 2, {{1, 0, 1, 0, 10}, {2, 0, 3, 0, 30}}},
        // 0.6: the last column lies at 3.33 of 3, the last one repeats.
        {4, 4, 0.6f, true, 2, 2, {{1, 1, 3, 17, 17}}},
        // One column or row: nothing to blend with, the nearest pixel is used.
        {1, 4, 0.5f, true, 1, 2, {{0, 0, 0, 0, 0}, {0, 1, 2, 20, 0}}},
        {4, 1, 0.5f, true, 2, 1, {{0, 0, 0, 0, 0}, {1, 0, 2, 0, 20}}},
        {1, 1, 0.5f, true, 1, 1, {{0, 0, 0, 0, 0}}},
    };
    for (const Case& c : cases) {
        CImage image = Ramp(c.w, c.h);
        CDeviceBitmap bitmap;
        ASSERT_EQ(image.MakeScaledBitmap(bitmap, c.factor, c.bilinear, 24), 0);
        EXPECT_EQ(bitmap.width, c.outW);
        EXPECT_EQ(bitmap.height, c.outH);
        EXPECT_EQ(bitmap.bytesPerRow, BitmapRowLength(24, c.outW));
        for (const auto& p : c.probes)
            EXPECT_EQ(Bgr(bitmap, p[0], p[1]), (std::array{p[2], p[3], p[4]}))
                << c.w << "x" << c.h << " @" << c.factor << (c.bilinear ? " bilinear " : " nearest ") << p[0]
                << "," << p[1];
    }
}

TEST(Rendering, DrawScalesAndMarksObjects)
{
    struct Case {
        float zoom;
        int bitmapW, shownW;
    } cases[] = {{1.0f, 10, 10}, {4.0f, 10, 40}, {0.5f, 5, 5}, {0.25f, 3, 3}};
    for (const Case& c : cases) {
        FakeUserInterface user;
        CImage image = Ramp(10, 6);
        image.objectColor = 0x00FF00;
        CFoundObject object;
        object.boundaryPoints = {{2, 3}, {5, 1}};
        object.centroidX = 3.5;
        object.centroidY = 2.0;
        image.objects = {object, object};
        RecordingCanvas canvas;
        image.Draw(canvas, c.zoom, false);
        EXPECT_EQ(canvas.bitmapW, c.bitmapW) << c.zoom;
        EXPECT_EQ(canvas.stretchedW, c.shownW) << c.zoom;
        ASSERT_EQ(canvas.pixels.size(), 4u);
        EXPECT_EQ(canvas.pixels[1], (std::array{RoundHalfAway(5 * c.zoom), RoundHalfAway(1 * c.zoom), 0x00FF00}));
        const std::string at = std::to_string(RoundHalfAway(3.5 * c.zoom)) + "," +
                               std::to_string(RoundHalfAway(2.0 * c.zoom)) + ":";
        EXPECT_EQ(canvas.texts, (std::vector<std::string>{at + "1", at + "2"}));
        EXPECT_TRUE(user.errors.empty());
    }
}

TEST(Rendering, DrawOnALowDepthDisplayShowsItsMessage)
{
    FakeUserInterface user;
    CImage image = Ramp(3, 3);
    RecordingCanvas canvas;
    canvas.bits = 16;
    image.Draw(canvas, 1.0f, false);
    EXPECT_EQ(canvas.bitmapW, -1);
    EXPECT_EQ(user.errors, std::vector<std::string>{
                               "Your display is not currently set up to display sufficient colors.\nTo properly "
                               "display the image, go into\n Control Panel - Display - Settings\n and set your "
                               "color palette to True Color."});
}
