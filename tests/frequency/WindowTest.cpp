#include <gtest/gtest.h>

#include <vector>

#include "frequency/WindowWeights.h"
#include "image/Image.h"
#include "support/GreyRows.h"
#include "support/TestImages.h"

namespace {

const char* const kTooSmall =
    "The area of interest must be at least\ntwo pixels in each direction to\nperform a windowing function.";
const char* const kTooFewForRolloff =
    "There aren't enough pixels to perform a\nrolloff window. Enlarge the area of interest\n"
    "or the percent of the image to rolloff.";

}  // namespace

TEST(WindowWeights, Rows)
{
    struct Case {
        const char* name;
        int type;
        double alpha;
        int percent;
        std::vector<double> weights;
    } cases[] = {
        {"Hann 9", WINDOW_HANN, 0, 0,
         {0, 0.14644660940672627, 0.5, 0.85355339059327373, 1, 0.85355339059327373, 0.5, 0.14644660940672627, 0}},
        {"Hamming 5", WINDOW_HAMMING, 0, 0, {0.08, 0.54, 1, 0.54, 0.08}},
        {"unknown code is Hamming", 9, 0.9, 0, {0.08, 0.54, 1, 0.54, 0.08}},
        {"Cosine 0.75", WINDOW_COSINE, 0.75, 0, {0.5, 0.75, 1, 0.75, 0.5}},
        {"Triangular 5", WINDOW_TRIANGULAR, 0, 0, {0, 0.5, 1, 0.5, 0}},
        {"Triangular 4", WINDOW_TRIANGULAR, 0, 0, {0, 2.0 / 3, 2.0 / 3, 0}},
        // k = 4: positions 4..7 continue the 7-point curve instead of mirroring it.
        {"Rolloff 8 at 50 %", WINDOW_ROLLOFF, 0.5, 50, {0, 0.25, 0.75, 1, 0.75, 0.25, 0, 0.25}},
        // k = 2 on 15: a flat middle, the last weight 0.5 - 0.5 cos(pi) = 1.
        {"Rolloff 15 at 10 %", WINDOW_ROLLOFF, 0.5, 10, {0, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0, 1}},
        // k = 8 covers the whole row: no flat middle.
        {"Rolloff 8 at 100 %", WINDOW_ROLLOFF, 1, 100, {1, 1, 1, 1, 1, 1, 1, 1}},
    };
    for (const Case& c : cases) {
        std::vector<double> weights(c.weights.size(), -9);
        WindowWeights(c.type, c.alpha, c.percent, static_cast<int>(weights.size()), weights.data());
        for (size_t i = 0; i < weights.size(); ++i) EXPECT_NEAR(weights[i], c.weights[i], 1e-12) << c.name << " " << i;
    }
}

TEST(WindowWeights, RolloffTaperLength)
{
    struct Case {
        int length, percent, k;
    } cases[] = {{15, 10, 2}, {8, 50, 4}, {14, 11, 2}, {25, 10, 3}, {100, 10, 10}, {8, 100, 8}, {35, 10, 4}};
    for (const Case& c : cases) EXPECT_EQ(RolloffTaper(c.length, c.percent), c.k) << c.length << " " << c.percent;
}

TEST(Window, MultipliesTheAoiAndTruncates)
{
    // Cosine 0.75 on a 5 x 5 AOI: weights 0.5, 0.75, 1, 0.75, 0.5 both ways.
    CImage image = MakeImage(7, 6, [](int, int) { return CColorVal(255, 101, 3); });
    image.SetUpperLeft(1, 1, false);
    image.SetLowerRight(5, 5, false);
    ASSERT_EQ(image.Window(WINDOW_COSINE, 0.75, 0), 0);
    struct Case {
        int x, y;
        CColorVal expected;
    } cases[] = {
        {1, 1, {63, 25, 0}},     // 0.25: 63.75, 25.25, 0.75
        {2, 1, {95, 37, 1}},     // 0.375: 95.6, 37.9, 1.1
        {3, 3, {255, 101, 3}},   // the centre
        {2, 2, {143, 56, 1}},    // 0.5625: 143.4, 56.8, 1.7
        {0, 0, {255, 101, 3}},   // outside the AOI
        {6, 3, {255, 101, 3}},
        {3, 0, {255, 101, 3}},
    };
    for (const Case& c : cases) EXPECT_EQ(image.pixelValueArray[c.y][c.x], c.expected) << c.x << "," << c.y;
    EXPECT_EQ(image.format, FORMAT_RGB);
    // A grey plane is weighted as colour rows are, and stays one.
    CImage grey = MakeGrey(7, 6, [](int, int) { return 101; });
    grey.SettleStorage();
    grey.SetUpperLeft(1, 1, false);
    grey.SetLowerRight(5, 5, false);
    ASSERT_EQ(grey.Window(WINDOW_COSINE, 0.75, 0), 0);
    EXPECT_TRUE(grey.pixelValueArray.HoldsGrey());
    for (const Case& c : cases) EXPECT_EQ(RedRows(grey)[c.y][c.x], c.expected.green) << c.x << "," << c.y;
}

TEST(Window, NegativeWeightsGiveBlack)
{
    // Cosine 0.25 ends at 2 * 0.25 - 1 = -0.5.
    CImage image = MakeGrey(3, 3, [](int, int) { return 200; });
    ASSERT_EQ(image.Window(WINDOW_COSINE, 0.25, 0), 0);
    EXPECT_EQ(RedRows(image), (Rows{{50, 0, 50}, {0, 200, 0}, {50, 0, 50}}));
}

TEST(Window, RolloffOnFifteenPixels)
{
    CImage image = MakeGrey(15, 15, [](int, int) { return 200; });
    ASSERT_EQ(image.Window(WINDOW_ROLLOFF, 0.5, 10), 0);
    const std::vector<int> line = {0, 200, 200, 200, 200, 200, 200, 200, 200, 200, 200, 200, 200, 0, 200};
    const Rows rows = RedRows(image);
    EXPECT_EQ(rows[7], line);
    EXPECT_EQ(rows[14], line);
    EXPECT_EQ(rows[0], std::vector<int>(15, 0));
    EXPECT_EQ(rows[13], std::vector<int>(15, 0));
}

TEST(Window, RefusesBeforeChangingAnyPixel)
{
    struct Case {
        int width, height, type, percent;
        const char* text;
    } cases[] = {
        {1, 9, WINDOW_HAMMING, 10, kTooSmall},
        {9, 1, WINDOW_HANN, 10, kTooSmall},
        {1, 1, WINDOW_ROLLOFF, 100, kTooSmall},
        {14, 30, WINDOW_ROLLOFF, 10, kTooFewForRolloff},   // 140 < 150
        {30, 14, WINDOW_ROLLOFF, 10, kTooFewForRolloff},
        {30, 30, WINDOW_ROLLOFF, 0, kTooFewForRolloff},
        {4, 4, WINDOW_ROLLOFF, 37, kTooFewForRolloff},     // 148
    };
    for (const Case& c : cases) {
        CImage image = MakeGrey(c.width, c.height, [](int, int) { return 200; });
        EXPECT_EQ(image.Window(c.type, 0.5, c.percent), -1) << c.width << "x" << c.height;
        EXPECT_EQ(image.errorMessage, c.text) << c.width << "x" << c.height;
        EXPECT_EQ(RedRows(image), Rows(c.height, std::vector<int>(c.width, 200)));
    }
    CImage enough = MakeGrey(4, 4, [](int, int) { return 200; });
    EXPECT_EQ(enough.Window(WINDOW_ROLLOFF, 0.5, 38), 0);  // 152
}
