#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "image/Image.h"
#include "support/FakeUserInterface.h"
#include "support/GreyRows.h"
#include "support/TestImages.h"

namespace {

const char* const kAutosize = "Image width and height must be powers of 2.\nAutosize image?";

// Only the centre pixel lit, at level.
Rows CentreOnly(int width, int height, int level)
{
    Rows rows(height, std::vector<int>(width, 0));
    rows[height / 2][width / 2] = level;
    return rows;
}

}  // namespace

TEST(PowerOfTwoDimensions, ExponentsAndAnswer)
{
    struct Case {
        int width, height;
        bool answer;
        int heightExponent, widthExponent;  // -7: left as it was
    } cases[] = {
        {1, 1, true, 0, 0},     {8, 4, true, 2, 3},       {1024, 2, true, 1, 10}, {6, 8, false, 3, 2},
        {100, 60, false, 5, 6}, {12, 16, false, 4, 3},    {0, 4, false, -7, -7},  {4, 0, false, -7, -7},
        {3, 1, false, 0, 1},    {4096, 4095, false, 11, 12},
    };
    for (const Case& c : cases) {
        CImage image;
        image.width = c.width;
        image.height = c.height;
        int heightExponent = -7, widthExponent = -7;
        EXPECT_EQ(image.PowerOfTwoDimensions(heightExponent, widthExponent), c.answer) << c.width << "x" << c.height;
        EXPECT_EQ(heightExponent, c.heightExponent) << c.width << "x" << c.height;
        EXPECT_EQ(widthExponent, c.widthExponent) << c.width << "x" << c.height;
    }
}

TEST(Fft, ConstantImageHasOnlyTheMeanAndACentredDot)
{
    struct Case {
        int level, centre;
    } cases[] = {{0, 0}, {1, 122}, {2, 255}, {200, 255}};
    for (const Case& c : cases) {
        CImage image = MakeGrey(8, 4, [&](int, int) { return c.level; });
        ASSERT_EQ(image.Fft(), 0);
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 8; ++x)
                EXPECT_EQ(image.dataArray[y][x], FrequencyBuffer::Value(x == 0 && y == 0 ? c.level : 0, 0))
                    << c.level << " at " << x << "," << y;
        EXPECT_EQ(RedRows(image), CentreOnly(8, 4, c.centre)) << c.level;
        EXPECT_EQ(image.format, FORMAT_GRAYSCALE);
    }
}

TEST(Fft, ForwardThenInverseGivesEveryLevelBack)
{
    // The spatial values come back within rounding noise; the pixels
    // truncate them, so a level may show one lower (99.9999 becomes 99).
    std::mt19937 rng(17);
    const CImage source = MakeGrey(32, 16, [&](int, int) { return static_cast<int>(rng() % 256); });
    CImage image = source;
    ASSERT_EQ(image.Fft(), 0);
    ASSERT_EQ(image.FftInverse(), 0);
    int lower = 0;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 32; ++x) {
            const int level = source.pixelValueArray[y][x].red;
            EXPECT_NEAR(image.dataArray[y][x].real(), level, 1e-9);
            EXPECT_NEAR(image.dataArray[y][x].imag(), 0, 1e-9);
            const int shown = image.pixelValueArray[y][x].red;
            EXPECT_TRUE(shown == level || (shown == level - 1 && image.dataArray[y][x].real() < level))
                << x << "," << y;
            lower += shown != level;
        }
    EXPECT_LT(lower, 32 * 16 / 2);
}

TEST(Fft, AutosizeCropsTheCentredPowerOfTwoRectangle)
{
    // Level 1 exactly inside (18, 14)-(81, 45): the crop is right when its
    // spectrum is the mean 1 alone.
    FakeUserInterface ui;
    CImage image = MakeGrey(100, 60, [](int x, int y) { return x >= 18 && x <= 81 && y >= 14 && y <= 45 ? 1 : 90; });
    ASSERT_EQ(image.Fft(), 0);
    EXPECT_EQ(ui.questions, std::vector<std::string>{kAutosize});
    ASSERT_EQ(image.width, 64);
    ASSERT_EQ(image.height, 32);
    EXPECT_EQ(image.dataArray[0][0], FrequencyBuffer::Value(1, 0));
    EXPECT_EQ(RedRows(image), CentreOnly(64, 32, 122));
}

TEST(Fft, RefusalsAndTheirTexts)
{
    struct Case {
        int width, height, format;
        bool answer;
        const char* text;
        bool asked;
    } cases[] = {
        {8, 8, FORMAT_RGB, true, "CImage::Fft() only defined on grayscale images", false},
        {12, 8, FORMAT_GRAYSCALE, false, "Can't perform FFT on image whose dimensions are not powers of 2", true},
    };
    for (const Case& c : cases) {
        FakeUserInterface ui;
        ui.answers = {c.answer};
        CImage image = MakeGrey(c.width, c.height, [](int x, int) { return x; });
        image.format = c.format;
        EXPECT_EQ(image.Fft(), -1);
        EXPECT_EQ(image.errorMessage, c.text);
        EXPECT_EQ(ui.questions.size(), c.asked ? 1u : 0u);
        EXPECT_EQ(image.width, c.width);
        EXPECT_EQ(image.pixelValueArray[0][3].red, 3);
    }
}

TEST(Fft, InverseAndDisplayRefusals)
{
    CImage rgb = MakeImage(8, 8, [](int, int) { return CColorVal(1, 2, 3); });
    EXPECT_EQ(rgb.FftInverse(), -1);
    EXPECT_EQ(rgb.errorMessage, "CImage::FftInverse() only defined on grayscale images");
    EXPECT_EQ(rgb.FftForDisplay(), -1);
    EXPECT_EQ(rgb.errorMessage, "CImage::FftForDisplay() only defined on grayscale images");

    CImage odd = MakeGrey(8, 6, [](int, int) { return 5; });
    EXPECT_EQ(odd.FftInverse(), -1);
    EXPECT_EQ(odd.errorMessage,
              "CImage::FftInverse() can't perform Inverse FFT on area whose dimensions are not powers of 2.");
    EXPECT_EQ(odd.pixelValueArray[0][0].red, 5);
}

TEST(FftForDisplay, CentresZeroFrequencyAndUsesTheProductCurve)
{
    // level = 255 v (v - vmin) with v = ln(1 + |value|), capped at 255.
    struct Case {
        double magnitude, background;
        int level;
    } cases[] = {
        {1, 0, 122},    // 255 ln(2)^2 = 122.5
        {0.5, 0, 41},   // 255 ln(1.5)^2 = 41.9
        {0.2, 0, 8},    // 8.48
        {3, 0, 255},    // 490, capped
        {2, 1, 113},    // 255 ln 3 (ln 3 - ln 2) = 113.6, not 255 from a division by the range
    };
    for (const Case& c : cases) {
        CImage image = MakeGrey(8, 4, [](int, int) { return 77; });
        ASSERT_TRUE(image.dataArray.Allocate(8, 4));
        ForEachSpectrumValue(image, [&](FrequencyBuffer::Value& v) { v = c.background; });
        // Data (row 1, column 6) shows at pixel ((6 + 4) mod 8, (1 + 2) mod 4).
        image.dataArray[1][6] = std::polar(c.magnitude, 0.7);
        ASSERT_EQ(image.FftForDisplay(), 0);
        Rows expected(4, std::vector<int>(8, 0));
        expected[3][2] = c.level;
        EXPECT_EQ(RedRows(image), expected) << c.magnitude;
        EXPECT_EQ(image.dataArray[1][6], std::polar(c.magnitude, 0.7));
    }
}

TEST(FftInverse, PixelsAreMagnitudesTruncatedAndClamped)
{
    // A single coefficient at zero frequency gives the same complex value in
    // every pixel; the pixels show its magnitude.
    struct Case {
        FrequencyBuffer::Value value;
        int level;
    } cases[] = {
        {{3, 4}, 5}, {{-99.9999, 0}, 99}, {{0, -300}, 255}, {{1e300, 0}, 255}, {{0.5, 0}, 0},
    };
    for (const Case& c : cases) {
        CImage image = MakeGrey(4, 2, [](int, int) { return 9; });
        ASSERT_TRUE(image.dataArray.Allocate(4, 2));
        image.dataArray[0][0] = c.value;
        ASSERT_EQ(image.FftInverse(), 0);
        EXPECT_EQ(RedRows(image), Rows(2, std::vector<int>(4, c.level))) << c.value;
        EXPECT_EQ(image.dataArray[1][3], c.value);
    }
}
