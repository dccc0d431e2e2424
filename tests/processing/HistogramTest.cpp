#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>
#include <random>

#include "image/Image.h"
#include "support/PixelGrid.h"
#include "support/TestImages.h"

namespace {

// A 2 x 1 RGB image of one colour with the first pixel as AOI.
CImage PixelPair(CColorVal c)
{
    CImage image = MakeImage(2, 1, [&](int, int) { return c; });
    image.SetLowerRight(0, 0, false);
    return image;
}

int Component(const CColorVal& p, int channel)
{
    return channel == 0 ? p.red : (channel == 1 ? p.green : p.blue);
}

}  // namespace

TEST(Histogram, CountsOnlyTheAoiAndStaysStale)
{
    CImage image = MakeImage(3, 2, [](int x, int y) { return CColorVal(x, 10 + y, 20); });
    SetAoi(image, 1, 0, 2, 1);
    image.redHistogram[200] = 5;
    image.ComputeHistograms();
    EXPECT_EQ(image.redHistogram[0], 0);
    EXPECT_EQ(image.redHistogram[1], 2);
    EXPECT_EQ(image.redHistogram[2], 2);
    EXPECT_EQ(image.redHistogram[200], 0);
    EXPECT_EQ(image.greenHistogram[10], 2);
    EXPECT_EQ(image.greenHistogram[11], 2);
    EXPECT_EQ(image.blueHistogram[20], 4);

    SetAoi(image, 0, 0, 2, 1);
    EXPECT_EQ(image.redHistogram[0], 0);
    EXPECT_EQ(image.LowestLevel(0), 1);
    image.ComputeHistograms();
    EXPECT_EQ(image.redHistogram[0], 2);
    EXPECT_EQ(image.blueHistogram[20], 6);
}

TEST(Histogram, LevelQueries)
{
    CImage image = MakeImage(4, 1, [](int x, int) { return CColorVal(x < 3 ? 7 : 9, 255, 30 + 40 * x); });
    image.ComputeHistograms();
    struct Case {
        int channel, lowest, highest, peak;
    } cases[] = {
        {0, 7, 9, 3}, {1, 255, 255, 4}, {2, 30, 150, 1}, {3, 0, 255, 0}, {-1, 0, 255, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(image.LowestLevel(c.channel), c.lowest) << "channel " << c.channel;
        EXPECT_EQ(image.HighestLevel(c.channel), c.highest) << "channel " << c.channel;
        EXPECT_EQ(image.PeakCount(c.channel), c.peak) << "channel " << c.channel;
    }
    // Never counted: the empty histogram reports the full range.
    CImage fresh = MakeImage(1, 1, [](int, int) { return CColorVal(5, 5, 5); });
    EXPECT_EQ(fresh.LowestLevel(0), 0);
    EXPECT_EQ(fresh.HighestLevel(2), 255);
    EXPECT_EQ(fresh.PeakCount(1), 0);
}

TEST(Histogram, SlideChannel)
{
    struct Case {
        int offset, channel;
        CColorVal out;
    } cases[] = {
        {10, 0, {110, 150, 200}},  {-300, 1, {100, 0, 200}}, {300, 2, {100, 150, 255}},
        {56, 2, {100, 150, 255}},  {-100, 0, {0, 150, 200}},  {0, 1, {100, 150, 200}},
        {INT_MIN, 0, {0, 150, 200}}, {INT_MAX, 1, {100, 255, 200}}, {50, 3, {100, 150, 200}},
    };
    for (const Case& c : cases) {
        CImage image = PixelPair({100, 150, 200});
        image.SlideChannel(c.offset, c.channel);
        EXPECT_EQ(image.pixelValueArray[0][0], c.out) << "offset " << c.offset << " channel " << c.channel;
        EXPECT_EQ(image.pixelValueArray[0][1], CColorVal(100, 150, 200));
    }
}

TEST(Histogram, StretchChannelMultipliesBySinglePrecision)
{
    const float inf = std::numeric_limits<float>::infinity();
    struct Case {
        float factor;
        int level, out;
    } cases[] = {
        {static_cast<float>(255.0 / 100), 50, 127},  // 127.4999976, not 127.5
        {static_cast<float>(255.0 / 100), 100, 255},
        {static_cast<float>(255.0 / 50), 25, 127},  // 5.0999999 x 25
        {1.5f, 3, 5},                               // 4.5 rounds away from zero
        {0.5f, 1, 1},
        {2.0f, 200, 255},
        {-1.0f, 10, 0},
        {inf, 0, 0},  // 0 x infinity is not a number: below 0
        {inf, 1, 255},
        {std::nanf(""), 40, 0},
    };
    for (const Case& c : cases) {
        CImage image = PixelPair({0, c.level, 9});
        image.StretchChannel(c.factor, 1);
        EXPECT_EQ(image.pixelValueArray[0][0], CColorVal(0, c.out, 9)) << c.factor << " x " << c.level;
        EXPECT_EQ(image.pixelValueArray[0][1].green, c.level);
    }
}

TEST(Histogram, EqualizeChannelThroughTheCumulativeCounts)
{
    struct Case {
        Grid in;
        Grid out;
    } cases[] = {
        {{{10, 10}, {10, 10}}, {{255, 255}, {255, 255}}},
        {{{0, 255}, {255, 0}}, {{128, 255}, {255, 128}}},  // round(127.5)
        {{{0, 1, 2}}, {{85, 170, 255}}},
        {{{3, 3, 3, 200, 200, 250, 250, 250}}, {{96, 96, 96, 159, 159, 255, 255, 255}}},
    };
    for (const Case& c : cases) {
        CImage image = GreyFromGrid(c.in);
        image.format = FORMAT_RGB;
        image.ComputeHistograms();
        image.EqualizeChannel(2);
        for (size_t y = 0; y < c.in.size(); ++y)
            for (size_t x = 0; x < c.in[y].size(); ++x)
                EXPECT_EQ(image.pixelValueArray[y][x], CColorVal(c.in[y][x], c.in[y][x], c.out[y][x]))
                    << x << "," << y;
    }
}

TEST(Histogram, EqualizeUsesTheStoredCountsAndTheCurrentAoi)
{
    CImage image = GreyFromGrid({{0, 0, 255, 255}});
    image.ComputeHistograms();
    SetAoi(image, 0, 0, 1, 0);
    image.EqualizeChannel(0);  // table of 4 counts over 2 pixels: level 0 -> 255
    image.EqualizeChannel(7);
    EXPECT_EQ(image.pixelValueArray[0][0], CColorVal(255, 0, 0));
    EXPECT_EQ(image.pixelValueArray[0][2], CColorVal(255, 255, 255));
}

TEST(Histogram, CountsAndChannelTablesMatchThePlainPerPixelRule)
{
    std::mt19937 random(11);
    for (int trial = 0; trial < 100; ++trial) {
        const int w = 1 + random() % 12, h = 1 + random() % 12, channel = random() % 3;
        CImage image = MakeImage(w, h, [&](int, int) {
            return CColorVal(random() % 256, random() % 256, random() % 256);
        });
        const int l = random() % w, t = random() % h;
        SetAoi(image, l, t, l + random() % (w - l), t + random() % (h - t));
        image.ComputeHistograms();
        std::array<std::array<int, 256>, 3> plain{};
        for (int y = t; y <= image.aoiBottom; ++y)
            for (int x = l; x <= image.aoiRight; ++x)
                for (int c = 0; c < 3; ++c) ++plain[c][Component(image.pixelValueArray[y][x], c)];
        ASSERT_EQ(image.redHistogram, plain[0]);
        ASSERT_EQ(image.greenHistogram, plain[1]);
        ASSERT_EQ(image.blueHistogram, plain[2]);
        const auto& counts = channel == 0 ? image.redHistogram
                                          : (channel == 1 ? image.greenHistogram : image.blueHistogram);
        const int n = (image.aoiRight - l + 1) * (image.aoiBottom - t + 1);
        const float factor = static_cast<float>(trial % 7) / 3.0f;
        const int offset = static_cast<int>(random() % 601) - 300;
        CImage slid = image, stretched = image, equalized = image;
        slid.SlideChannel(offset, channel);
        stretched.StretchChannel(factor, channel);
        equalized.EqualizeChannel(channel);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const CColorVal before = image.pixelValueArray[y][x];
                const int v = Component(before, channel);
                const bool inside = x >= l && x <= image.aoiRight && y >= t && y <= image.aoiBottom;
                int sum = 0;
                for (int i = 0; i <= v; ++i) sum += counts[i];
                const int expected[3] = {
                    CColorVal::Clamp(v + offset),
                    CColorVal::Clamp(RoundHalfAway(static_cast<double>(factor) * v)),
                    CColorVal::Clamp(RoundHalfAway(255.0 * sum / n)),
                };
                const CImage* results[3] = {&slid, &stretched, &equalized};
                for (int k = 0; k < 3; ++k) {
                    const CColorVal after = results[k]->pixelValueArray[y][x];
                    for (int c = 0; c < 3; ++c)
                        ASSERT_EQ(Component(after, c), c == channel && inside ? expected[k] : Component(before, c))
                            << "trial " << trial << " result " << k << " at " << x << "," << y;
                }
            }
    }
}
