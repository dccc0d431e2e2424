#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "image/Image.h"
#include "support/FakeUserInterface.h"
#include "support/TestImages.h"

namespace {

using Filter = std::function<int(CImage&)>;

Filter Custom(std::vector<float> weights)
{
    return [weights](CImage& image) { return image.CustomFilter(3, weights); };
}

std::vector<float> Only(int index, float w)
{
    std::vector<float> weights(9, 0.0f);
    weights[static_cast<size_t>(index)] = w;
    return weights;
}

const std::vector<int> kRing = {90, 90, 90, 90, 100, 90, 90, 90, 90};
const std::vector<int> kDot = {0, 0, 0, 0, 255, 0, 0, 0, 0};
const std::vector<int> kCorner = {0, 0, 255, 0, 0, 0, 0, 0, 0};
const std::vector<int> kCount = {1, 2, 3, 4, 5, 6, 7, 8, 9};
const std::vector<int> kFlat(9, 100);

}  // namespace

// One 3 x 3 grey neighbourhood, the AOI its centre pixel.
TEST(LinearFilters, CentrePixel)
{
    const Filter lowPass = [](CImage& i) { return i.LowPass(3); };
    const Filter highPass = [](CImage& i) { return i.HighPass(3); };
    const Filter laplace = [](CImage& i) { return i.Laplace(3); };
    struct Case {
        const char* what;
        std::vector<int> pixels;
        Filter run;
        int centre;
    } cases[] = {
        {"low pass of a dot: 255 / 9", kDot, lowPass, 28},
        {"low pass of an off-centre dot", kCorner, lowPass, 28},
        {"low pass 820 / 9", kRing, lowPass, 91},
        {"low pass 1..9", kCount, lowPass, 5},
        {"high pass 10 x 100 - 820", kRing, highPass, 180},
        {"high pass of a flat area", kFlat, highPass, 100},
        {"high pass of a dot clamps", kDot, highPass, 255},
        {"high pass below zero clamps", kCorner, highPass, 0},
        {"Laplace 9 x 100 - 820", kRing, laplace, 80},
        {"Laplace of a flat area", kFlat, laplace, 0},
        {"Laplace of a dot", kDot, laplace, 255},
        {"unsharp boost 1: 108.89", kRing, [](CImage& i) { return i.UnsharpMask(3, 1.0); }, 109},
        {"unsharp boost 0", kRing, [](CImage& i) { return i.UnsharpMask(3, 0.0); }, 100},
        {"unsharp boost 2: 117.78", kRing, [](CImage& i) { return i.UnsharpMask(3, 2.0); }, 118},
        {"unsharp boost 9 on 1..9: 5", kCount, [](CImage& i) { return i.UnsharpMask(3, 9.0); }, 5},
        {"custom all ones: 900", kFlat, Custom(std::vector<float>(9, 1.0f)), 255},
        {"custom identity", kRing, Custom(Only(4, 1.0f)), 100},
        {"custom top right weight reads the upper right pixel", kCount, Custom(Only(2, 1.0f)), 3},
        {"custom bottom left weight reads the lower left pixel", kCount, Custom(Only(6, 1.0f)), 7},
        {"custom 2.5 rounds up", kCount, Custom(Only(4, 0.5f)), 3},
        {"custom 1/9 weights", kRing, Custom(std::vector<float>(9, 1.0f / 9.0f)), 91},
        {"custom negative sum clamps", kFlat, Custom(Only(0, -3.0f)), 0},
        {"custom weight far beyond int", kFlat, Custom(Only(0, 3e38f)), 255},
        {"custom weight far below int", kFlat, Custom(Only(0, -3e38f)), 0},
        {"custom 7 - 2 x 9 clamps", kCount, Custom({0, 0, 0, 0, 0, 0, 1, 0, -2}), 0},
        {"custom 3 x 3 + 1.5 x 4 = 15", kCount, Custom({0, 0, 3, 1.5f, 0, 0, 0, 0, 0}), 15},
    };
    for (const Case& c : cases) {
        FakeUserInterface user;
        CImage image = MakeGrey(3, 3, [&](int x, int y) { return c.pixels[static_cast<size_t>(y * 3 + x)]; });
        image.aoiLeft = image.aoiTop = image.aoiRight = image.aoiBottom = 1;
        ASSERT_EQ(c.run(image), 0) << c.what << ": " << image.errorMessage;
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 3; ++x) {
                const int expected = x == 1 && y == 1 ? c.centre : c.pixels[static_cast<size_t>(y * 3 + x)];
                EXPECT_EQ(image.pixelValueArray[y][x], CColorVal(expected, expected, expected))
                    << c.what << " at " << x << ", " << y;
            }
        EXPECT_EQ(image.format, FORMAT_GRAYSCALE);
        EXPECT_TRUE(user.notices.empty() && user.questions.empty());
    }
}

TEST(LinearFilters, FiveByFiveImages)
{
    const auto dot = [](int x, int y) { return x == 2 && y == 2 ? 255 : 0; };
    struct Case {
        const char* what;
        std::function<int(int, int)> image;
        int aoi;  // the AOI is (aoi, aoi)-(4 - aoi, 4 - aoi)
        Filter run;
        std::vector<int> expected;
    } cases[] = {
        {"Laplace keeps the dot and blackens around it", dot, 1, [](CImage& i) { return i.Laplace(3); },
         {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 255, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
        {"a pixel outside the AOI is read but not written", [](int x, int y) { return x == 0 && y == 2 ? 255 : 0; },
         1, [](CImage& i) { return i.LowPass(3); },
         {0, 0, 0, 0, 0, 0, 28, 0, 0, 0, 255, 28, 0, 0, 0, 0, 28, 0, 0, 0, 0, 0, 0, 0, 0}},
        {"low pass 5 of a dot: 255 / 25 = 10.2", dot, 2, [](CImage& i) { return i.LowPass(5); },
         {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 10, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        FakeUserInterface user;
        CImage image = MakeGrey(5, 5, c.image);
        image.SetUpperLeft(c.aoi, c.aoi, false);
        image.SetLowerRight(4 - c.aoi, 4 - c.aoi, false);
        ASSERT_EQ(c.run(image), 0) << c.what;
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < 5; ++x) {
                const int e = c.expected[static_cast<size_t>(y * 5 + x)];
                EXPECT_EQ(image.pixelValueArray[y][x], CColorVal(e, e, e)) << c.what << " at " << x << ", " << y;
            }
    }
}

TEST(LinearFilters, ChannelsAreFilteredSeparately)
{
    FakeUserInterface user;
    CImage image = MakeImage(3, 3, [](int x, int y) {
        return CColorVal(x == 1 && y == 1 ? 255 : 0, 90, 3 * y + x + 1);
    });
    image.aoiLeft = image.aoiTop = image.aoiRight = image.aoiBottom = 1;
    ASSERT_EQ(image.LowPass(3), 0);
    EXPECT_EQ(image.pixelValueArray[1][1], CColorVal(28, 90, 5));
    EXPECT_EQ(image.format, FORMAT_RGB);
}

TEST(LinearFilters, CustomFilterRefusesAMismatchedOrNonFiniteKernel)
{
    struct Case {
        int size;
        std::vector<float> weights;
        const char* error;
    } cases[] = {
        {5, std::vector<float>(9, 1.0f), "A 5x5 custom filter needs 25 weights, not 9.  Custom Filter Aborted."},
        {1, std::vector<float>(1, 1.0f), "A 3x3 custom filter needs 9 weights, not 1.  Custom Filter Aborted."},
        {3, Only(3, INFINITY), "Custom filter weights must be finite numbers.  Custom Filter Aborted."},
        {3, Only(3, NAN), "Custom filter weights must be finite numbers.  Custom Filter Aborted."},
    };
    for (const Case& c : cases) {
        FakeUserInterface user;
        CImage image = MakeGrey(9, 9, [](int x, int) { return x; });
        image.SetUpperLeft(4, 4, false);
        image.SetLowerRight(4, 4, false);
        EXPECT_EQ(image.CustomFilter(c.size, c.weights), -1);
        EXPECT_EQ(image.errorMessage, c.error);
        EXPECT_EQ(image.pixelValueArray[4][4], CColorVal(4, 4, 4));
        EXPECT_TRUE(user.questions.empty());
    }
}
