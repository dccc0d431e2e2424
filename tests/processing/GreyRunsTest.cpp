// Histogram counts and equalization over rows that mix grey and coloured
// runs: grey runs are counted and mapped through one channel, the others
// through all three, with the same counts and pixels as the plain rule for
// any thread count.
#include <gtest/gtest.h>

#include <array>
#include <random>

#include "image/Image.h"
#include "processing/HistogramCombos.h"
#include "platform/ParallelRows.h"
#include "reference/ReferencePointOps.h"
#include "support/SamePixels.h"

namespace {

// How the coloured pixels are spread over an image of grey ones.
enum class Colour { None, OnePerRow, EveryThirdRow, LastPixels, All };

CImage Mixed(std::mt19937& random, int width, int height, Colour colour, int format)
{
    CImage image;
    image.BlankImage(width, height, CColorVal());
    image.format = format;
    auto level = [&] { return static_cast<int>(random() % 256); };
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const int v = x % 7 == 0 ? level() : (x > 0 ? image.pixelValueArray[y][x - 1].red : level());
            image.pixelValueArray[y][x] = CColorVal(v, v, v);
        }
    for (int y = 0; y < height; ++y) {
        CColorVal* row = image.pixelValueArray[y];
        switch (colour) {
        case Colour::None: break;
        case Colour::OnePerRow: row[random() % width].green ^= static_cast<std::uint8_t>(1 + random() % 255); break;
        case Colour::EveryThirdRow:
            if (y % 3 == 0)
                for (int x = 0; x < width; x += 5) row[x] = CColorVal(level(), level(), level());
            break;
        case Colour::LastPixels: row[width - 1].blue ^= 1; break;
        case Colour::All:
            for (int x = 0; x < width; ++x) row[x] = CColorVal(level(), level(), level());
            break;
        }
    }
    image.aoiLeft = static_cast<int>(random() % 5);
    image.aoiTop = static_cast<int>(random() % 5);
    image.aoiRight = width - 1 - static_cast<int>(random() % 5);
    image.aoiBottom = height - 1 - static_cast<int>(random() % 5);
    return image;
}

std::array<std::array<int, 256>, 3> PlainCounts(const CImage& image)
{
    std::array<std::array<int, 256>, 3> counts{};
    for (int y = image.aoiTop; y <= image.aoiBottom; ++y)
        for (int x = image.aoiLeft; x <= image.aoiRight; ++x) {
            const CColorVal p = image.pixelValueArray[y][x];
            ++counts[0][p.red];
            ++counts[1][p.green];
            ++counts[2][p.blue];
        }
    return counts;
}

}  // namespace

TEST(GreyRuns, CountsAndEqualizationMatchThePlainRule)
{
    // Widths around the runs of 128 pixels and the 16-pixel steps of the
    // colour test.
    const struct {
        int width, height;
        Colour colour;
    } cases[] = {{300, 41, Colour::None},          {300, 41, Colour::OnePerRow},   {129, 60, Colour::EveryThirdRow},
                 {517, 23, Colour::LastPixels},     {261, 33, Colour::All},         {16, 40, Colour::OnePerRow},
                 {1, 50, Colour::None},             {133, 37, Colour::LastPixels}};
    std::mt19937 random(1414);
    for (const auto& c : cases)
        for (const int format : {FORMAT_GRAYSCALE, FORMAT_RGB})
            for (int threads = 1; threads <= 3; ++threads) {
                const parallel::ScopedThreads scoped(threads, 0);
                const CImage source = Mixed(random, c.width, c.height, c.colour, format);
                SCOPED_TRACE(::testing::Message() << c.width << " x " << c.height << ", colour "
                                                  << static_cast<int>(c.colour) << ", format " << format << ", "
                                                  << threads << " threads");
                CImage counted = source;
                counted.ComputeHistograms();
                const auto plain = PlainCounts(source);
                EXPECT_EQ(counted.redHistogram, plain[0]);
                EXPECT_EQ(counted.greenHistogram, plain[1]);
                EXPECT_EQ(counted.blueHistogram, plain[2]);
                for (int channel = -1; channel <= 3; ++channel) {
                    CImage fast = source, expected = source;
                    EqualizeHistogram(fast, channel);
                    reference::EqualizeHistogram(expected, channel);
                    ASSERT_TRUE(SamePixels(fast, expected)) << "channel " << channel;
                }
            }
}
